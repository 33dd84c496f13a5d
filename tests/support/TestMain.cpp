#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cstdlib>

// Every test process runs with a scratch home folder, so nothing a plug-in
// instance writes (settings, presets, news cache) can reach the real one.
int main (int argc, char** argv)
{
    auto scratchHome = juce::File::createTempFile ("scorchbox-home");
    scratchHome.createDirectory ();
    setenv ("HOME", scratchHome.getFullPathName ().toRawUTF8 (), 1);
    // The folder tree normally lives under the common documents folder (/opt on Linux).
    const auto scratchDocuments = scratchHome.getChildFile ("CommonDocuments");
    setenv ("SCORCHBOX_DOCUMENTS_DIR", scratchDocuments.getFullPathName ().toRawUTF8 (), 1);

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juce;
        ::testing::InitGoogleTest (&argc, argv);
        result = RUN_ALL_TESTS ();
    }
    scratchHome.deleteRecursively ();
    return result;
}
