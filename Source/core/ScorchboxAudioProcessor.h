#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "core/ParameterIds.h"
#include "core/QV_NewFloatParameter.h"
#include "dsp/BypassDelay.h"
#include "dsp/SignalChain.h"
#include "storage/PluginSettings.h"

#include <array>
#include <atomic>

class ScorchboxAudioProcessor : public juce::AudioProcessor
{
public:
    ScorchboxAudioProcessor ();
    ~ScorchboxAudioProcessor () override;

    const juce::String getName () const override;
    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources () override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    // Single precision only: the double-precision overloads keep the base behaviour.
    using juce::AudioProcessor::processBlock;
    using juce::AudioProcessor::processBlockBypassed;
    double getTailLengthSeconds () const override;
    bool acceptsMidi () const override;
    bool producesMidi () const override;
    bool isMidiEffect () const override;
    void reset () override;
    juce::AudioProcessorEditor* createEditor () override;
    bool hasEditor () const override;
    int getNumPrograms () override;
    int getCurrentProgram () override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    bool canApplyBusesLayout (const BusesLayout& layouts) const override;

    // Raised by every parameter write; consumed by the audio thread's block update.
    void markParametersChanged () noexcept { parametersChanged.store (true, std::memory_order_release); }

    // Name of the circuit type in use ("Default", "Bright", "Hi Gain", "Modern").
    // Safe on any thread: the audio thread only moves an atomic index into
    // four fixed names.
    juce::String getCurrentCircuitName () const;

    // The current circuit index of the block update (Parts 1.1, 2.1: the rounded
    // MODS value last applied, 0..23) and the
    // circuit-changed flag, which the editor's timer reads and clears.
    int getActiveCircuitIndex () const noexcept { return chain.getCurrentCircuitIndex (); }
    bool isCircuitChanged () const noexcept { return chain.isCircuitChanged (); }
    void clearCircuitChanged () noexcept { chain.clearCircuitChanged (); }
    // Reads and clears the flag in one step.
    bool consumeCircuitChanged () noexcept { return chain.consumeCircuitChanged (); }

    // The pedal's signal path (subsystem 2). Tests inspect it.
    SignalChain& getSignalChain () noexcept { return chain; }
    const SignalChain& getSignalChain () const noexcept { return chain; }
    double getLastPreparedSampleRate () const noexcept { return lastPreparedSampleRate; }
    int getPreparedBlockSize () const noexcept { return preparedBlockSize; }

    QV_NewFloatParameter& getParameterAt (int index) const { return *parameterPointers[(size_t) index]; }

    // The circuit the MODS parameter selects (its 0..23 value rounded, ties to
    // even). Presets and the host state store this rather than the index the
    // last block applied, which lags the parameter until audio runs.
    int getCircuitParameterIndex () const;

    // Settings, preset files and the preset library (storage/PresetLibrary.cpp).
    void loadSettings ();
    void findInitialPreset ();
    // Fills a Scorchbox_Preset element. A preset file leaves out the editor
    // size and isHQ, which only the host state carries.
    void writePresetXml (juce::XmlElement& element, bool forPresetFile) const;
    void readPresetXml (const juce::XmlElement& element);
    bool loadPresetFile (const juce::File& file);
    void setParameterFromValue (QV_NewFloatParameter& parameter, float valueInRangeUnits);
    // On failure nothing changes and the result carries the message to show.
    juce::Result savePresetFile (const juce::File& file);
    bool deletePresetFile (const juce::File& file);
    // The preset menu's selection step: entry i of the sorted preset tree is
    // loaded unless it is already the current one.
    void selectPresetByIndex (int entryIndex, const juce::String& entryPath);
    void selectPresetByIndex (int entryIndex);

    korvinate::PluginSettings settings;
    juce::String currentPresetName;
    juce::String currentPresetFile;
    float currentPresetIndex = 0.0f;
    bool presetModified = false;
    std::atomic<bool> savingPresetFile{ false };
    // Starts long ago, so that nothing before the first host restore counts as one.
    std::atomic<juce::uint32> lastStateRestoreTime{ juce::Time::getMillisecondCounter () - 0x80000000u };

    int newCurrentWidth = 700, newCurrentHeight = 600;

private:
    void createParameters ();
    void setEveryParameter (const std::array<float, ParamIndex::count>& normalisedValues);
    // The block update of Part 2.1: consumes the parameters-changed flag and
    // hands a snapshot of the values to the signal chain.
    void updateControls ();
    // Reports the latency of the current HQ state when it changed.
    void reportLatency ();

    std::array<QV_NewFloatParameter*, ParamIndex::count> parameterPointers{};

    std::atomic<bool> parametersChanged{ true };
    double lastPreparedSampleRate = 44100.0;

    // Subsystem 2: dry copy, delay lines, circuit models, gates, smoothers,
    // gains and the oversampler, with the circuit index and name atomics.
    SignalChain chain;
    // Keeps bypass in time with the reported latency (HQ); written on every block.
    BypassDelay bypassDelay;
    int preparedBlockSize = 0;

    bool firstPreparePending = true;
    bool stateLoadedBeforeFirstPrepare = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ScorchboxAudioProcessor)
};
