#include "storage/StateEnvelope.h"

#include "storage/XmlReading.h"

namespace korvinate
{
void writeStateBlock (const juce::XmlElement& element, juce::MemoryBlock& destination)
{
    destination.reset ();
    {
        juce::MemoryOutputStream out (destination, false);
        out.writeInt ((int) stateMagicNumber);
        out.writeInt (0);
        element.writeTo (out, juce::XmlElement::TextFormat ().singleLine ());
        out.writeByte (0);
    }

    const auto textLength = (juce::uint32) destination.getSize () - 9;
    auto* bytes = static_cast<juce::uint8*> (destination.getData ());

    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = (juce::uint8) (textLength >> (8 * i));
}

std::unique_ptr<juce::XmlElement> readStateBlock (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes < 9)
        return {};

    auto* bytes = static_cast<const juce::uint8*> (data);

    if (juce::ByteOrder::littleEndianInt (bytes) != stateMagicNumber)
        return {};

    const auto length = (int) juce::ByteOrder::littleEndianInt (bytes + 4);

    if (length <= 0)
        return {};

    return parseXmlText (reinterpret_cast<const char*> (bytes + 8), (size_t) juce::jmin (sizeInBytes - 8, length));
}
} // namespace korvinate
