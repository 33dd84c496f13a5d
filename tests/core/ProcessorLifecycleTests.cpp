#include "core/ScorchboxAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
using Set = juce::AudioChannelSet;

juce::AudioProcessor::BusesLayout layout (const Set& in, const Set& out)
{
    juce::AudioProcessor::BusesLayout l;
    l.inputBuses.add (in);
    l.outputBuses.add (out);
    return l;
}

struct ValueChangeCounter : juce::AudioProcessorParameter::Listener
{
    int changes = 0;
    void parameterValueChanged (int, float) override { ++changes; }
    void parameterGestureChanged (int, bool) override {}
};
} // namespace

TEST (ProcessorLifecycle, AcceptsOnlyMatchingMonoOrStereoLayouts)
{
    ScorchboxAudioProcessor processor;
    struct Case
    {
        Set in, out;
        bool accepted;
    };
    const Case cases[] = {
        { Set::mono (), Set::mono (), true },
        { Set::stereo (), Set::stereo (), true },
        { Set::create5point1 (), Set::create5point1 (), false },
        { Set::stereo (), Set::mono (), false },
        { Set::mono (), Set::stereo (), false },
        { Set::disabled (), Set::stereo (), false },
        { Set::quadraphonic (), Set::quadraphonic (), false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE ((c.in.getDescription () + " -> " + c.out.getDescription ()).toStdString ());
        EXPECT_EQ (processor.isBusesLayoutSupported (layout (c.in, c.out)), c.accepted);
        EXPECT_EQ (processor.checkBusesLayoutSupported (layout (c.in, c.out)), c.accepted);
    }
}

TEST (ProcessorLifecycle, DeclaresIdentityAndFixedAnswers)
{
    ScorchboxAudioProcessor processor;
    EXPECT_EQ (processor.getName (), "Scorch Box");
    EXPECT_EQ (processor.getTailLengthSeconds (), 0.0);
    EXPECT_FALSE (processor.acceptsMidi ());
    EXPECT_FALSE (processor.producesMidi ());
    EXPECT_FALSE (processor.isMidiEffect ());
    EXPECT_TRUE (processor.hasEditor ());
    EXPECT_FALSE (processor.supportsDoublePrecisionProcessing ());
    EXPECT_EQ (processor.getBus (true, 0)->getName (), "Input");
    EXPECT_EQ (processor.getBus (false, 0)->getName (), "Output");
    EXPECT_EQ (processor.getMainBusNumInputChannels (), 2);
    EXPECT_EQ (processor.getMainBusNumOutputChannels (), 2);
}

TEST (ProcessorLifecycle, ProgramsAreASingleNamedProgramThatIgnoresChanges)
{
    ScorchboxAudioProcessor processor;
    processor.getParameterAt (ParamIndex::gain).setValue (0.8f);
    for (int index : { -1, 0, 1, 7 })
    {
        processor.setCurrentProgram (index);
        processor.changeProgramName (index, "Renamed");
    }
    EXPECT_EQ (processor.getNumPrograms (), 1);
    EXPECT_EQ (processor.getCurrentProgram (), 0);
    EXPECT_EQ (processor.getProgramName (0), "Default");
    EXPECT_EQ (processor.getProgramName (3), "");
    EXPECT_FLOAT_EQ (processor.getParameterAt (ParamIndex::gain).getValue (), 0.8f);
}

TEST (ProcessorLifecycle, FirstPrepareResetsParametersToDefaults)
{
    ScorchboxAudioProcessor processor;
    processor.getParameterAt (ParamIndex::gain).setValue (0.9f);
    processor.getParameterAt (ParamIndex::mix).setValue (0.1f);
    processor.prepareToPlay (48000.0, 256);
    EXPECT_FLOAT_EQ (processor.getParameterAt (ParamIndex::gain).getValue (), 0.5f);
    EXPECT_FLOAT_EQ (processor.getParameterAt (ParamIndex::mix).getValue (), 1.0f);
}

TEST (ProcessorLifecycle, LaterPreparesKeepValuesAndOnlyARateChangeResendsThem)
{
    ScorchboxAudioProcessor processor;
    processor.prepareToPlay (48000.0, 256);

    ValueChangeCounter counter;
    for (auto* p : processor.getParameters ())
        p->addListener (&counter);

    processor.getParameterAt (ParamIndex::gain).setValue (0.9f);
    processor.getParameterAt (ParamIndex::mods).setValue (0.1f);

    processor.prepareToPlay (48000.0, 512);
    EXPECT_EQ (counter.changes, 0) << "same rate: nothing is redone";

    processor.prepareToPlay (96000.0, 512);
    EXPECT_EQ (counter.changes, 12) << "rate change: every parameter is set again";
    EXPECT_FLOAT_EQ (processor.getParameterAt (ParamIndex::gain).getValue (), 0.9f);
    EXPECT_FLOAT_EQ (processor.getParameterAt (ParamIndex::mods).getValue (), 0.1f);

    for (auto* p : processor.getParameters ())
        p->removeListener (&counter);
}

TEST (ProcessorLifecycle, BypassPassesInputChannelsAndClearsExtraOutputs)
{
    ScorchboxAudioProcessor processor;
    processor.prepareToPlay (44100.0, 64);

    juce::AudioBuffer<float> buffer (2, 64);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < 64; ++i)
            buffer.setSample (ch, i, std::sin (0.1f * (float) i + (float) ch));
    juce::AudioBuffer<float> original (buffer);

    juce::MidiBuffer midi;
    processor.processBlockBypassed (buffer, midi);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ (buffer.getSample (ch, i), original.getSample (ch, i));
}
