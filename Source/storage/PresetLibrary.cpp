// The processor's settings, preset-file and preset-library operations. They
// live with the storage code; the processor's own file keeps the audio side.

#include "core/ScorchboxAudioProcessor.h"

#include "storage/PresetTree.h"
#include "storage/XmlReading.h"

#include <cmath>

namespace
{
const char* const presetTag = "Scorchbox_Preset";
const char* const circuitParameterName = "Circuit Type";
const char* const hqParameterName = "HQ";
const char* const initialPresetName = "00 - INIT";

// A restore that began this recently (ms) is still the host's.
constexpr juce::uint32 hostRestoreWindowMs = 200;

juce::String attributeNameFor (const QV_NewFloatParameter& parameter)
{
    return parameter.getName (256).removeCharacters (" ");
}

// Values from outside never leave [0, 1]; what is not a number falls back.
float toNormalised (double value, float fallback)
{
    return std::isfinite (value) ? (float) juce::jlimit (0.0, 1.0, value) : fallback;
}

juce::File fileAt (const juce::String& path)
{
    return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File ();
}
} // namespace

int ScorchboxAudioProcessor::getCircuitParameterIndex () const
{
    return (int) std::nearbyint (getParameterAt (ParamIndex::mods).getValueInRangeUnits ());
}

void ScorchboxAudioProcessor::loadSettings ()
{
    settings.loadSettings ();
    currentPresetFile = settings.getPresetSaveStartPath ();
}

void ScorchboxAudioProcessor::writePresetXml (juce::XmlElement& element, bool forPresetFile) const
{
    element.setAttribute ("presetName", currentPresetName);
    element.setAttribute ("majorVersion", 1);
    element.setAttribute ("minorVersion", 0);
    element.setAttribute ("revisionVersion", 0);

    for (int i = 0; i < ParamIndex::count; ++i)
    {
        const auto& parameter = getParameterAt (i);

        if (parameter.getName (256) == circuitParameterName)
            element.setAttribute (attributeNameFor (parameter), getCircuitParameterIndex ());
        else
            element.setAttribute (attributeNameFor (parameter), (double) parameter.getValue ());
    }

    if (!forPresetFile)
    {
        element.setAttribute ("newCurrentWidth", newCurrentWidth);
        element.setAttribute ("newCurrentHeight", newCurrentHeight);
        element.setAttribute ("isHQ", (double) getParameterAt (ParamIndex::hq).getValue ());
    }
}

void ScorchboxAudioProcessor::readPresetXml (const juce::XmlElement& element)
{
    // Values applied before the first prepareToPlay must survive it.
    stateLoadedBeforeFirstPrepare = firstPreparePending;

    if (!element.hasTagName (presetTag))
        return;

    currentPresetName = element.getStringAttribute ("presetName");

    // Every version is read the same way; the numbers are informative only.
    for (const auto* version : { "majorVersion", "minorVersion", "revisionVersion" })
        juce::ignoreUnused (korvinate::readLeadingInt (element.getStringAttribute (version)));

    const auto sinceRestore = juce::Time::getMillisecondCounter () - lastStateRestoreTime.load ();

    if (sinceRestore < hostRestoreWindowMs)
    {
        const auto width = korvinate::readLeadingInt (element.getStringAttribute ("newCurrentWidth"));
        const auto height = korvinate::readLeadingInt (element.getStringAttribute ("newCurrentHeight"));

        if (width >= 1)
            newCurrentWidth = width;

        if (height >= 1)
            newCurrentHeight = height;

        auto& hq = getParameterAt (ParamIndex::hq);
        hq.setValue (toNormalised (element.getDoubleAttribute ("isHQ", 0.0), hq.getDefaultValue ()));
    }

    for (int i = 0; i < ParamIndex::count; ++i)
    {
        auto& parameter = getParameterAt (i);
        const auto name = parameter.getName (256);
        const auto attribute = attributeNameFor (parameter);

        if (name == circuitParameterName)
        {
            setParameterFromValue (parameter,
                                   (float) korvinate::readLeadingInt (element.getStringAttribute (attribute)));
        }
        else if (name != hqParameterName)
        {
            const auto fallback = parameter.getDefaultValue ();
            const auto value = toNormalised (element.getDoubleAttribute (attribute, fallback), fallback);
            parameter.setValue (value);
            parameter.sendValueChangedMessageToListeners (value);
        }
    }
}

bool ScorchboxAudioProcessor::loadPresetFile (const juce::File& file)
{
    const auto element = korvinate::parseXmlFile (file);

    if (element == nullptr || !element->hasTagName (presetTag))
        return false;

    readPresetXml (*element);
    return true;
}

void ScorchboxAudioProcessor::setParameterFromValue (QV_NewFloatParameter& parameter, float valueInRangeUnits)
{
    const auto normalised = parameter.getRange ().convertTo0to1 (valueInRangeUnits);
    parameter.setValueNotifyingHost (toNormalised (normalised, parameter.getDefaultValue ()));
}

void ScorchboxAudioProcessor::findInitialPreset ()
{
    // Subfolders in the menu's order, so that the first match is the one the
    // menu lists first; presets lying directly in the root are not considered.
    const auto root = fileAt (settings.presetsPath);

    for (const auto& folder : korvinate::sortedPresetFolderChildren (root))
    {
        if (!folder.isDirectory ())
            continue;

        const auto candidate = folder.getChildFile (juce::String (initialPresetName) + ".kvp");

        if (candidate.existsAsFile ())
        {
            currentPresetName = {};
            loadPresetFile (candidate);
            break;
        }
    }

    currentPresetIndex = 0.0f;
}

juce::Result ScorchboxAudioProcessor::savePresetFile (const juce::File& file)
{
    const auto newName = file.getFileNameWithoutExtension ();

    juce::XmlElement element (presetTag);
    savingPresetFile = true;
    writePresetXml (element, true);
    element.setAttribute ("presetName", newName);
    savingPresetFile = false;

    // A failed write changes nothing, so the current preset is not taken for saved.
    if (file == juce::File () || !element.writeTo (file))
        return juce::Result::fail ("The preset could not be written to \"" + file.getFullPathName () + "\".");

    currentPresetName = newName;
    currentPresetFile = file.getFullPathName ();
    presetModified = false;
    return juce::Result::ok ();
}

bool ScorchboxAudioProcessor::deletePresetFile (const juce::File& file)
{
    return file.existsAsFile () && file.deleteFile ();
}

void ScorchboxAudioProcessor::selectPresetByIndex (int entryIndex, const juce::String& entryPath)
{
    if ((float) entryIndex == currentPresetIndex)
        return;

    loadPresetFile (fileAt (entryPath));
    currentPresetFile = entryPath;
    currentPresetIndex = (float) entryIndex;
}

void ScorchboxAudioProcessor::selectPresetByIndex (int entryIndex)
{
    const auto tree = korvinate::PresetTree::scan (fileAt (settings.presetsPath));
    selectPresetByIndex (entryIndex, tree.getPath (entryIndex));
}
