#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// The host state chunk: an XML element in the framework's binary envelope
//   offset 0: magic 0x21324356 little-endian ("VC2!")
//   offset 4: length of the XML text in bytes, little-endian
//   offset 8: the XML text on one line, then a zero byte
namespace korvinate
{
constexpr juce::uint32 stateMagicNumber = 0x21324356;

void writeStateBlock (const juce::XmlElement& element, juce::MemoryBlock& destination);

// The element held by a block, or nothing for a block shorter than 9 bytes, with
// another magic number, a length of 0 or less, or text that does not parse. A
// length past the end of the block is clipped to the block.
std::unique_ptr<juce::XmlElement> readStateBlock (const void* data, int sizeInBytes);
} // namespace korvinate
