#include "storage/PresetTree.h"

namespace korvinate
{
namespace
{
struct NaturalPathOrder
{
    int compareElements (const juce::File& a, const juce::File& b) const
    {
        return a.getFullPathName ().compareNatural (b.getFullPathName (), false);
    }
};

// Symbolic links can make the tree cyclic; no real preset library is this deep.
constexpr int maxFolderDepth = 32;

void addFolder (PresetTree& tree, const juce::File& folder, int depth)
{
    if (depth > maxFolderDepth)
        return;

    for (const auto& child : sortedPresetFolderChildren (folder))
    {
        if (child.isDirectory ())
            addFolder (tree, child, depth + 1);
        else if (child.hasFileExtension (".kvp"))
        {
            tree.names.add (child.getFileNameWithoutExtension ());
            tree.paths.add (child.getFullPathName ());
        }
    }
}
} // namespace

juce::Array<juce::File> sortedPresetFolderChildren (const juce::File& folder)
{
    if (!folder.isDirectory ())
        return {};

    auto children = folder.findChildFiles (juce::File::findFilesAndDirectories, false, "*");

    NaturalPathOrder order;
    children.sort (order);
    return children;
}

PresetTree PresetTree::scan (const juce::File& root)
{
    PresetTree tree;

    if (root.isDirectory ())
        addFolder (tree, root, 0);

    return tree;
}
} // namespace korvinate
