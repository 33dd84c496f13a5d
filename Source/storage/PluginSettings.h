#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace korvinate
{
// The folders and options kept in the settings file. One record per processor;
// the settings window edits the public members and calls saveSettings.
//
// The folder tree lives under the system's common documents folder. Where the
// plug-in cannot create or write "Korvinate" there (on Linux that folder is /opt),
// the same layout goes under the user's documents folder. The environment
// variable SCORCHBOX_DOCUMENTS_DIR, when set, replaces the common documents
// folder; test runs use it to keep everything in a scratch folder.
class PluginSettings
{
public:
    struct CustomSetting
    {
        juce::String name;
        double value = 0.0;
        int index = 0;
    };

    static constexpr const char* documentsOverrideVariable = "SCORCHBOX_DOCUMENTS_DIR";
    static constexpr int expectedSettingsVersion = 3;

    // Fills the record from the settings file, creating the file (and the
    // settings and presets folders) when they are missing.
    void loadSettings ();

    // Writes the current values to settingsPath + settingsFileName. Returns
    // false when the file could not be written.
    bool saveSettings () const;

    // The folder the preset save dialog starts in: presetsPath's "User"
    // subfolder when it exists, else presetsPath itself (without a trailing separator).
    juce::String getPresetSaveStartPath () const;

    // The folder that holds "Korvinate/...": the common documents folder (or its
    // override), or the user's documents folder where the former is not writable.
    static juce::File findBaseFolder ();

    static juce::String getRootTag ();
    static juce::String getObsoleteRootTag ();

    juce::String settingsPath, presetsPath, samplesPath, irFilesPath;
    bool newsfeedDisabled = false;
    bool usingLegacyParameters = false;

    juce::String defaultSettingsPath, defaultPresetsPath, defaultSamplesPath, defaultIrFilesPath;

    int loadedSettingsVersion = expectedSettingsVersion;
    juce::String settingsFileName{ "Scorch Box.kvs" };
    std::vector<CustomSetting> customSettings;

private:
    enum class FileOutcome
    {
        read,
        ignored,
        obsoleteDeleted
    };

    void setDefaultFolders ();
    FileOutcome readSettingsFile (const juce::File& file);
    void readCurrentFormat (const juce::XmlElement& root);
};
} // namespace korvinate
