#include "core/QV_NewFloatParameter.h"

#include "core/ScorchboxAudioProcessor.h"

QV_NewFloatParameter::QV_NewFloatParameter (ScorchboxAudioProcessor& owner, const juce::String& parameterID,
                                            const juce::String& parameterName,
                                            juce::NormalisableRange<float> valueRange, const juce::String& unitLabel,
                                            float defaultInRangeUnits) :
    juce::AudioProcessorParameterWithID (juce::ParameterID{ parameterID, 1 }, parameterName),
    range (std::move (valueRange)),
    processor (owner),
    defaultValue (defaultInRangeUnits),
    nameCopy (parameterName),
    labelCopy (unitLabel)
{
}

float QV_NewFloatParameter::getValue () const
{
    return value.load (std::memory_order_relaxed);
}

void QV_NewFloatParameter::setValue (float newValue)
{
    // Value first, flag second: the audio thread that sees the flag also sees the value.
    value.store (newValue, std::memory_order_relaxed);
    processor.markParametersChanged ();
}

float QV_NewFloatParameter::getDefaultValue () const
{
    return convertToNormalised (defaultValue);
}

juce::String QV_NewFloatParameter::getName (int) const
{
    return nameCopy;
}

juce::String QV_NewFloatParameter::getLabel () const
{
    return {};
}

juce::String QV_NewFloatParameter::getText (float normalisedValue, int) const
{
    if (paramID == "HQ" || paramID == "POWER" || paramID == "DBYPASS")
        return normalisedValue != 0.0f ? "On" : "Off";

    if (paramID == "MODS")
        return processor.getCurrentCircuitName ();

    return juce::String (convertToRangeUnits (normalisedValue), 1) + " " + labelCopy;
}

float QV_NewFloatParameter::getValueForText (const juce::String& text) const
{
    return convertToNormalised ((float) text.getDoubleValue ());
}

float QV_NewFloatParameter::getValueInRangeUnits () const
{
    return convertToRangeUnits (getValue ());
}

float QV_NewFloatParameter::convertToRangeUnits (float normalisedValue) const
{
    return range.convertFrom0to1 (juce::jlimit (0.0f, 1.0f, normalisedValue));
}

float QV_NewFloatParameter::convertToNormalised (float valueInRangeUnits) const
{
    return juce::jlimit (0.0f, 1.0f, range.convertTo0to1 (valueInRangeUnits));
}
