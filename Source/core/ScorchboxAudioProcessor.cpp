#include "core/ScorchboxAudioProcessor.h"

#include "storage/StateEnvelope.h"

namespace
{
struct ParameterSpec
{
    const char* id;
    const char* name;
    float start, end;
    const char* label;
    float defaultValue;
};

// The host-visible parameter list, in its fixed order (see ParamIndex).
constexpr ParameterSpec parameterSpecs[ParamIndex::count] = {
    { "POWER", "Power", 0.0f, 1.0f, "", 1.0f },           { "GAIN", "Gain", 0.0f, 100.0f, "%", 50.0f },
    { "BASS", "Bass", 0.0f, 100.0f, "%", 50.0f },         { "MID", "Mid", 0.0f, 100.0f, "%", 50.0f },
    { "TREB", "Treble", 0.0f, 100.0f, "%", 50.0f },       { "VOL", "Volume", 0.0f, 100.0f, "%", 50.0f },
    { "IGAIN", "Input Gain", -24.0f, 24.0f, "dB", 0.0f }, { "OGAIN", "Output Gain", -24.0f, 24.0f, "dB", 0.0f },
    { "MIX", "Mix", 0.0f, 100.0f, "%", 100.0f },          { "HQ", "HQ", 0.0f, 1.0f, "", 0.0f },
    { "GATE", "Noise Gate", 0.0f, 100.0f, "%", 0.0f },    { "MODS", "Circuit Type", 0.0f, 23.0f, "", 0.0f },
};

juce::AudioChannelSet mainSet (const juce::Array<juce::AudioChannelSet>& buses)
{
    return buses.isEmpty () ? juce::AudioChannelSet::disabled () : buses.getReference (0);
}
} // namespace

ScorchboxAudioProcessor::ScorchboxAudioProcessor () :
    juce::AudioProcessor (BusesProperties ()
                              .withInput ("Input", juce::AudioChannelSet::stereo (), true)
                              .withOutput ("Output", juce::AudioChannelSet::stereo (), true))
{
    createParameters ();

    for (auto* parameter : parameterPointers)
    {
        parameter->setValue (parameter->getDefaultValue ());
        parameter->sendValueChangedMessageToListeners (parameter->getValue ());
    }

    loadSettings ();
    findInitialPreset ();

    // Start-up seam: the news feed starts here once it exists.
}

ScorchboxAudioProcessor::~ScorchboxAudioProcessor () = default;

void ScorchboxAudioProcessor::createParameters ()
{
    for (int i = 0; i < ParamIndex::count; ++i)
    {
        const auto& spec = parameterSpecs[i];
        auto parameter = std::make_unique<QV_NewFloatParameter> (*this, spec.id, spec.name,
                                                                 juce::NormalisableRange<float> (spec.start, spec.end),
                                                                 spec.label, spec.defaultValue);
        parameterPointers[(size_t) i] = parameter.get ();
        addParameter (parameter.release ());
    }
}

const juce::String ScorchboxAudioProcessor::getName () const
{
    return "Scorch Box";
}

void ScorchboxAudioProcessor::setEveryParameter (const std::array<float, ParamIndex::count>& normalisedValues)
{
    for (size_t i = 0; i < parameterPointers.size (); ++i)
    {
        parameterPointers[i]->setValue (normalisedValues[i]);
        parameterPointers[i]->sendValueChangedMessageToListeners (normalisedValues[i]);
    }
}

void ScorchboxAudioProcessor::prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock)
{
    // Steps 1 and 2 (dry buffer, oversampler), plus everything the audio thread
    // may need later: delay-line storage and clipper tables for the host rate
    // and twice the host rate.
    chain.prepare (sampleRate, maximumExpectedSamplesPerBlock);
    preparedBlockSize = juce::jmax (0, maximumExpectedSamplesPerBlock);

    std::array<float, ParamIndex::count> values{};

    if (firstPreparePending)
    {
        chain.prepareModels (chain.getProcessingRate ());
        updateControls ();
        reset ();
        bypassDelay.clear ();

        // A state the host restored before this first prepare survives it;
        // otherwise every parameter starts from its default.
        for (size_t i = 0; i < values.size (); ++i)
            values[i] = stateLoadedBeforeFirstPrepare ? parameterPointers[i]->getValue ()
                                                      : parameterPointers[i]->getDefaultValue ();
        setEveryParameter (values);
        firstPreparePending = false;
    }
    else if (sampleRate != lastPreparedSampleRate)
    {
        for (size_t i = 0; i < values.size (); ++i)
            values[i] = parameterPointers[i]->getValue ();

        chain.prepareModels (chain.getProcessingRate ());
        updateControls ();
        reset ();
        bypassDelay.clear ();

        setEveryParameter (values);
    }

    lastPreparedSampleRate = sampleRate;
}

void ScorchboxAudioProcessor::updateControls ()
{
    ChainControls controls;
    // Consumed first, so that a write arriving during this update raises the
    // flag again for the next block instead of being lost.
    controls.changed = parametersChanged.exchange (false, std::memory_order_acq_rel);
    controls.normalised[ParamIndex::hq] = parameterPointers[ParamIndex::hq]->getValue ();

    if (controls.changed)
    {
        for (size_t i = 0; i < parameterPointers.size (); ++i)
            controls.normalised[i] = parameterPointers[i]->getValue ();

        const auto inRange = [this, &controls] (int index)
        { return parameterPointers[(size_t) index]->convertToRangeUnits (controls.normalised[(size_t) index]); };
        controls.inputGainDb = inRange (ParamIndex::inputGain);
        controls.outputGainDb = inRange (ParamIndex::outputGain);
        controls.circuitValue = inRange (ParamIndex::mods);
    }

    chain.updateControls (controls);
}

void ScorchboxAudioProcessor::reportLatency ()
{
    const int latency = chain.getLatencyToReport ();
    if (latency != getLatencySamples ())
        setLatencySamples (latency);
}

void ScorchboxAudioProcessor::releaseResources () {}

void ScorchboxAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const int ins = getTotalNumInputChannels ();
    const int outs = getTotalNumOutputChannels ();
    const int total = buffer.getNumSamples ();
    const int numBufferChannels = buffer.getNumChannels ();

    // 1. Clear the outputs that have no input.
    for (int channel = juce::jmin (ins, 2); channel < juce::jmin (outs, numBufferChannels); ++channel)
        buffer.clear (channel, 0, total);

    if (preparedBlockSize <= 0 || total <= 0 || numBufferChannels <= 0)
        return; // never prepared: nothing is designed yet, leave the audio alone

    const bool stereo = (ins == 2 && outs == 2);
    constexpr int maxPointers = 32;
    const int numChannels = juce::jmin (numBufferChannels, maxPointers);
    float* const* data = buffer.getArrayOfWritePointers ();
    float* chunkPointers[maxPointers] = {};

    // A host block longer than the prepared maximum is processed in chunks of
    // the prepared size: every buffer was sized for that.
    for (int start = 0; start < total; start += preparedBlockSize)
    {
        const int n = juce::jmin (preparedBlockSize, total - start);
        for (int c = 0; c < numChannels; ++c)
            chunkPointers[c] = data[c] + start;

        // 2. The block update.
        updateControls ();

        for (int c = 0; c < juce::jmin (numChannels, BypassDelay::numChannels); ++c)
            bypassDelay.write (c, chunkPointers[c], n);

        // Latency reporting at the start of the circuit processing, then
        // 3. dry copy, 4. circuit, 5. output mix, 6. gate.
        reportLatency ();
        chain.process (chunkPointers, numChannels, n, stereo);
    }
}

void ScorchboxAudioProcessor::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const int ins = getTotalNumInputChannels ();
    const int outs = getTotalNumOutputChannels ();
    const int n = buffer.getNumSamples ();

    if (! buffer.hasBeenCleared ())
        for (int channel = ins; channel < juce::jmin (outs, buffer.getNumChannels ()); ++channel)
            buffer.clear (channel, 0, n);

    // Bypass keeps time: the input is delayed by the latency currently
    // reported (0 outside HQ, where the input passes unchanged).
    const int latency = getLatencySamples ();
    const int count = juce::jmin (juce::jmin (ins, outs), juce::jmin (buffer.getNumChannels (), BypassDelay::numChannels));
    for (int c = 0; c < count; ++c)
    {
        if (latency == 0)
            bypassDelay.write (c, buffer.getReadPointer (c), n);
        else
            bypassDelay.process (c, buffer.getWritePointer (c), n, latency);
    }
}

double ScorchboxAudioProcessor::getTailLengthSeconds () const
{
    return 0.0;
}

bool ScorchboxAudioProcessor::acceptsMidi () const
{
    return false;
}

bool ScorchboxAudioProcessor::producesMidi () const
{
    return false;
}

bool ScorchboxAudioProcessor::isMidiEffect () const
{
    return false;
}

void ScorchboxAudioProcessor::reset ()
{
    chain.reset ();
}

juce::AudioProcessorEditor* ScorchboxAudioProcessor::createEditor ()
{
    // The pedal's own editor replaces this generic one once it exists.
    return new juce::GenericAudioProcessorEditor (*this);
}

bool ScorchboxAudioProcessor::hasEditor () const
{
    return true;
}

int ScorchboxAudioProcessor::getNumPrograms ()
{
    return 1;
}

int ScorchboxAudioProcessor::getCurrentProgram ()
{
    return 0;
}

void ScorchboxAudioProcessor::setCurrentProgram (int) {}

const juce::String ScorchboxAudioProcessor::getProgramName (int index)
{
    // VST3 validators reject a single program without a name.
    return index == 0 ? "Default" : juce::String ();
}

void ScorchboxAudioProcessor::changeProgramName (int, const juce::String&) {}

void ScorchboxAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement element ("Scorchbox_Preset");
    writePresetXml (element, false);
    korvinate::writeStateBlock (element, destData);
}

void ScorchboxAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    // Opens the window in which readPresetXml applies the editor size and HQ.
    lastStateRestoreTime = juce::Time::getMillisecondCounter ();

    if (const auto element = korvinate::readStateBlock (data, sizeInBytes))
        readPresetXml (*element);
}

bool ScorchboxAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto out = mainSet (layouts.outputBuses);
    const auto in = mainSet (layouts.inputBuses);

    if (out != juce::AudioChannelSet::mono () && out != juce::AudioChannelSet::stereo ())
        return false;

    return in == out;
}

bool ScorchboxAudioProcessor::canApplyBusesLayout (const BusesLayout& layouts) const
{
    return isBusesLayoutSupported (layouts);
}

juce::String ScorchboxAudioProcessor::getCurrentCircuitName () const
{
    // Four fixed strings, created once; copying one only shares its text.
    static const juce::String names[CircuitModel::numCircuits] = { CircuitModel::getCircuitName (0),
                                                                   CircuitModel::getCircuitName (1),
                                                                   CircuitModel::getCircuitName (2),
                                                                   CircuitModel::getCircuitName (3) };
    return names[juce::jlimit (0, CircuitModel::numCircuits - 1, chain.getCurrentCircuitNameIndex ())];
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter ()
{
    return new ScorchboxAudioProcessor ();
}
