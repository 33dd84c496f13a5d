#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// Careful readers for the XML the plug-in is handed: host state blocks, preset
// files and the settings file may come from anywhere, so the text is checked
// before the framework's parser sees it.
namespace korvinate
{
// Largest settings or preset file that is read at all; real ones are a few hundred bytes.
constexpr juce::int64 maxXmlFileBytes = 1 << 20;

// Parses UTF-8 text of the given length (it need not be zero-terminated; a zero
// byte ends it early). Returns nothing for text that is not valid UTF-8, that
// carries a document type declaration (whose entity expansion is unbounded), that
// opens more elements than any file of ours could hold, or that does not parse.
std::unique_ptr<juce::XmlElement> parseXmlText (const char* text, size_t numBytes);

// Reads a file of at most maxXmlFileBytes (a UTF-8 byte-order mark is skipped)
// and parses it with parseXmlText.
std::unique_ptr<juce::XmlElement> parseXmlFile (const juce::File& file);

// The leading decimal integer of a text, as an attribute's integer value is read:
// leading white space skipped, an optional minus sign, then digits; 0 when there
// are none. Saturates at the int range instead of wrapping.
int readLeadingInt (const juce::String& text);
} // namespace korvinate
