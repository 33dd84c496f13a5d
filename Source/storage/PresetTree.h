#pragma once

#include <juce_core/juce_core.h>

namespace korvinate
{
// The children of a folder (files and folders together, not recursive) in the
// order the preset menu shows them: full paths compared naturally and ignoring
// case, folders intermixed with files by name.
juce::Array<juce::File> sortedPresetFolderChildren (const juce::File& folder);

// The presets below a root folder, numbered as the preset menu numbers its
// entries: a depth-first walk of the sorted tree, where each ".kvp" file
// (extension compared ignoring case) is one entry.
struct PresetTree
{
    juce::StringArray names; // file names without extension
    juce::StringArray paths; // full paths

    static PresetTree scan (const juce::File& root);

    // The path of entry i, or an empty string when i is outside the list.
    juce::String getPath (int index) const { return paths[index]; }
    int size () const noexcept { return paths.size (); }
};
} // namespace korvinate
