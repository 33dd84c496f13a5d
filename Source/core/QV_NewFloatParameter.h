#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

class ScorchboxAudioProcessor;

// The one parameter class of the plug-in. It stores a normalised value (0..1),
// converts it to and from the control's natural range for display, and tells
// the owning processor that something changed on every write.
class QV_NewFloatParameter : public juce::AudioProcessorParameterWithID
{
public:
    QV_NewFloatParameter (ScorchboxAudioProcessor& owner, const juce::String& parameterID,
                          const juce::String& parameterName, juce::NormalisableRange<float> valueRange,
                          const juce::String& unitLabel, float defaultInRangeUnits);

    float getValue () const override;
    void setValue (float newValue) override;
    float getDefaultValue () const override;
    juce::String getName (int maximumLength) const override;
    juce::String getLabel () const override;
    juce::String getText (float normalisedValue, int maximumLength) const override;
    float getValueForText (const juce::String& text) const override;
    bool isMetaParameter () const override { return false; }

    // The current value in the control's natural range (clamped through the range).
    float getValueInRangeUnits () const;
    float convertToRangeUnits (float normalisedValue) const;
    float convertToNormalised (float valueInRangeUnits) const;

    const juce::NormalisableRange<float>& getRange () const noexcept { return range; }
    float getDefaultInRangeUnits () const noexcept { return defaultValue; }

private:
    juce::NormalisableRange<float> range;
    ScorchboxAudioProcessor& processor;
    float defaultValue;
    // Written from any thread (host automation, the editor, state restore) and
    // read by the audio thread without a lock.
    std::atomic<float> value{ 0.0f };
    juce::String nameCopy, labelCopy;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QV_NewFloatParameter)
};
