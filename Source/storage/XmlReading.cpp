#include "storage/XmlReading.h"

#include <cctype>
#include <cstring>
#include <limits>

namespace korvinate
{
namespace
{
// Our elements have no children; a generous bound keeps the parser's recursion shallow.
constexpr int maxElementOpenings = 64;

bool startsWithIgnoringCase (const char* text, size_t numBytes, const char* prefix)
{
    for (size_t i = 0; prefix[i] != 0; ++i)
        if (i >= numBytes || std::tolower ((unsigned char) text[i]) != std::tolower ((unsigned char) prefix[i]))
            return false;

    return true;
}

bool looksSafeToParse (const char* text, size_t numBytes)
{
    int openings = 0;

    for (size_t i = 0; i + 1 < numBytes; ++i)
    {
        if (text[i] != '<')
            continue;

        const char next = text[i + 1];

        if (startsWithIgnoringCase (text + i, numBytes - i, "<!DOCTYPE"))
            return false;

        if (next != '/' && next != '!' && next != '?' && ++openings > maxElementOpenings)
            return false;
    }

    return true;
}
} // namespace

std::unique_ptr<juce::XmlElement> parseXmlText (const char* text, size_t numBytes)
{
    if (text == nullptr || numBytes == 0)
        return {};

    // Everything after a zero byte is ignored, as the framework's string would.
    numBytes = strnlen (text, numBytes);

    if (numBytes == 0 || numBytes > (size_t) std::numeric_limits<int>::max ())
        return {};

    // The framework's UTF-8 decoder reads past the end of a truncated sequence.
    if (!juce::CharPointer_UTF8::isValidString (text, (int) numBytes))
        return {};

    if (!looksSafeToParse (text, numBytes))
        return {};

    return juce::parseXML (juce::String::fromUTF8 (text, (int) numBytes));
}

std::unique_ptr<juce::XmlElement> parseXmlFile (const juce::File& file)
{
    if (!file.existsAsFile () || file.getSize () > maxXmlFileBytes)
        return {};

    juce::MemoryBlock data;

    if (!file.loadFileAsData (data) || (juce::int64) data.getSize () > maxXmlFileBytes)
        return {};

    auto* bytes = static_cast<const char*> (data.getData ());
    size_t size = data.getSize ();

    if (size >= 3 && juce::CharPointer_UTF8::isByteOrderMark (bytes))
    {
        bytes += 3;
        size -= 3;
    }

    return parseXmlText (bytes, size);
}

int readLeadingInt (const juce::String& text)
{
    auto p = text.getCharPointer ().findEndOfWhitespace ();
    const bool negative = *p == '-';

    if (negative)
        ++p;

    // Accumulate towards the sign so that the most negative int is reachable.
    constexpr long long limit = (long long) std::numeric_limits<int>::max () + 1;
    long long magnitude = 0;

    for (auto c = *p; c >= '0' && c <= '9'; c = *++p)
        magnitude = juce::jmin (limit, magnitude * 10 + (c - '0'));

    if (negative)
        return (int) -magnitude;

    return (int) juce::jmin (magnitude, limit - 1);
}
} // namespace korvinate
