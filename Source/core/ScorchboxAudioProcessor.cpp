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

void ScorchboxAudioProcessor::prepareToPlay (double sampleRate, int)
{
    std::array<float, ParamIndex::count> values{};

    if (firstPreparePending)
    {
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
        setEveryParameter (values);
    }

    lastPreparedSampleRate = sampleRate;
}

void ScorchboxAudioProcessor::releaseResources () {}

void ScorchboxAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;
    const int ins = getTotalNumInputChannels ();
    const int outs = getTotalNumOutputChannels ();

    for (int channel = juce::jmin (ins, 2); channel < outs; ++channel)
        buffer.clear (channel, 0, buffer.getNumSamples ());

    // Until the pedal's signal path is in place the input passes through.
}

void ScorchboxAudioProcessor::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    if (buffer.hasBeenCleared ())
        return;

    for (int channel = getTotalNumInputChannels (); channel < getTotalNumOutputChannels (); ++channel)
        buffer.clear (channel, 0, buffer.getNumSamples ());
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

void ScorchboxAudioProcessor::reset () {}

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
    return "Default";
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter ()
{
    return new ScorchboxAudioProcessor ();
}
