#include "storage/PluginSettings.h"

#include "storage/XmlReading.h"

namespace korvinate
{
namespace
{
const char* const makerFolderName = "Korvinate";
const char* const productName = "Scorch Box";
const char* const pluginIdentifier = "1833452621";

bool canHoldMakerFolder (const juce::File& base)
{
    if (base == juce::File ())
        return false;

    const auto makerFolder = base.getChildFile (makerFolderName);
    return (makerFolder.isDirectory () || makerFolder.createDirectory ().wasOk ()) && makerFolder.hasWriteAccess ();
}

juce::File commonDocumentsFolder ()
{
    const auto overridden = juce::SystemStats::getEnvironmentVariable (PluginSettings::documentsOverrideVariable, {});

    if (overridden.isNotEmpty ())
        return juce::File::getCurrentWorkingDirectory ().getChildFile (overridden);

    return juce::File::getSpecialLocation (juce::File::commonDocumentsDirectory);
}

void createFolder (const juce::String& path)
{
    if (juce::File::isAbsolutePath (path))
        juce::File (path).createDirectory ();
}
} // namespace

juce::String PluginSettings::getRootTag ()
{
    return juce::String ("KRVPLG_") + pluginIdentifier + "_Plugin_Settings";
}

juce::String PluginSettings::getObsoleteRootTag ()
{
    return juce::String (pluginIdentifier) + "_Plugin_Settings";
}

juce::File PluginSettings::findBaseFolder ()
{
    const auto common = commonDocumentsFolder ();

    if (canHoldMakerFolder (common))
        return common;

    const auto user = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
    return canHoldMakerFolder (user) ? user : common;
}

void PluginSettings::setDefaultFolders ()
{
    const auto maker = findBaseFolder ().getFullPathName () + "/" + makerFolderName;

    defaultSettingsPath = maker + "/Settings/";
    defaultPresetsPath = maker + "/Presets/" + productName + "/";
    defaultSamplesPath = maker + "/Samples/" + productName + "/";
    defaultIrFilesPath = maker + "/IRs/" + productName + "/";

    settingsPath = defaultSettingsPath;
    presetsPath = defaultPresetsPath;
    samplesPath = defaultSamplesPath;
    irFilesPath = defaultIrFilesPath;
    loadedSettingsVersion = expectedSettingsVersion;
}

void PluginSettings::loadSettings ()
{
    // An obsolete file is deleted and the search starts over once, which then
    // finds no file and writes a fresh one.
    for (int pass = 0; pass < 2; ++pass)
    {
        setDefaultFolders ();

        const auto file = juce::File::isAbsolutePath (defaultSettingsPath)
                              ? juce::File (defaultSettingsPath + settingsFileName)
                              : juce::File ();

        if (!file.existsAsFile ())
        {
            saveSettings ();
            break;
        }

        const auto outcome = readSettingsFile (file);

        if (outcome == FileOutcome::obsoleteDeleted)
            continue;

        if (outcome == FileOutcome::read && loadedSettingsVersion < expectedSettingsVersion)
            saveSettings ();

        break;
    }

    createFolder (presetsPath);
}

PluginSettings::FileOutcome PluginSettings::readSettingsFile (const juce::File& file)
{
    const auto root = parseXmlFile (file);

    if (root == nullptr)
        return FileOutcome::ignored;

    if (root->hasTagName (getObsoleteRootTag ()))
        return file.deleteFile () ? FileOutcome::obsoleteDeleted : FileOutcome::ignored;

    if (!root->hasTagName (getRootTag ()) || root->getStringAttribute ("pluginName") != productName)
        return FileOutcome::ignored;

    readCurrentFormat (*root);
    return FileOutcome::read;
}

void PluginSettings::readCurrentFormat (const juce::XmlElement& root)
{
    loadedSettingsVersion = readLeadingInt (root.getStringAttribute ("settingsVersion"));
    presetsPath = root.getStringAttribute ("presetsPath", defaultPresetsPath);
    samplesPath = root.getStringAttribute ("samplesPath", defaultSamplesPath);
    settingsPath = root.getStringAttribute ("settingsPath", defaultSettingsPath);
    irFilesPath = root.getStringAttribute ("irFilesPath", defaultIrFilesPath);
    newsfeedDisabled = root.getBoolAttribute ("newsfeedDisabled");
    usingLegacyParameters = root.getBoolAttribute ("usingLegacyParameters");

    if (auto* custom = root.getChildByName ("CUSTOM_SETTINGS"))
    {
        customSettings.clear ();

        for (int i = 0; i < custom->getNumAttributes (); ++i)
            customSettings.push_back (
                { custom->getAttributeName (i), custom->getAttributeValue (i).getDoubleValue (), i });
    }
}

bool PluginSettings::saveSettings () const
{
    if (!juce::File::isAbsolutePath (settingsPath))
        return false;

    juce::XmlElement root (getRootTag ());
    root.setAttribute ("pluginName", productName);
    root.setAttribute ("settingsVersion", expectedSettingsVersion);
    root.setAttribute ("presetsPath", presetsPath);
    root.setAttribute ("samplesPath", samplesPath);
    root.setAttribute ("settingsPath", settingsPath);
    root.setAttribute ("irFilesPath", irFilesPath);
    root.setAttribute ("newsfeedDisabled", newsfeedDisabled ? 1 : 0);
    root.setAttribute ("usingLegacyParameters", usingLegacyParameters ? 1 : 0);

    if (!customSettings.empty ())
    {
        auto* custom = root.createNewChildElement ("CUSTOM_SETTINGS");

        for (const auto& setting : customSettings)
            custom->setAttribute (setting.name, setting.value);
    }

    createFolder (settingsPath);
    return root.writeTo (juce::File (settingsPath + settingsFileName));
}

juce::String PluginSettings::getPresetSaveStartPath () const
{
    if (!juce::File::isAbsolutePath (presetsPath))
        return {};

    const auto userFolder = juce::File (presetsPath + "User/");
    return userFolder.isDirectory () ? userFolder.getFullPathName () : juce::File (presetsPath).getFullPathName ();
}
} // namespace korvinate
