#include "core/ScorchboxAudioProcessor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
struct ParameterTest : ::testing::Test
{
    ScorchboxAudioProcessor processor;
    QV_NewFloatParameter& param (int index) { return processor.getParameterAt (index); }
};

struct ExpectedParameter
{
    int index;
    const char* id;
    const char* name;
    float defaultNormalised;
};

const ExpectedParameter expectedParameters[] = {
    { ParamIndex::power, "POWER", "Power", 1.0f },
    { ParamIndex::gain, "GAIN", "Gain", 0.5f },
    { ParamIndex::bass, "BASS", "Bass", 0.5f },
    { ParamIndex::mid, "MID", "Mid", 0.5f },
    { ParamIndex::treble, "TREB", "Treble", 0.5f },
    { ParamIndex::volume, "VOL", "Volume", 0.5f },
    { ParamIndex::inputGain, "IGAIN", "Input Gain", 0.5f },
    { ParamIndex::outputGain, "OGAIN", "Output Gain", 0.5f },
    { ParamIndex::mix, "MIX", "Mix", 1.0f },
    { ParamIndex::hq, "HQ", "HQ", 0.0f },
    { ParamIndex::gate, "GATE", "Noise Gate", 0.0f },
    { ParamIndex::mods, "MODS", "Circuit Type", 0.0f },
};
} // namespace

TEST_F (ParameterTest, ListHasTwelveParametersInFixedOrderWithDefaults)
{
    const auto& list = processor.getParameters ();
    ASSERT_EQ (list.size (), 12);

    for (const auto& expected : expectedParameters)
    {
        SCOPED_TRACE (expected.id);
        auto* p = dynamic_cast<QV_NewFloatParameter*> (list[expected.index]);
        ASSERT_NE (p, nullptr);
        EXPECT_EQ (p->paramID, expected.id);
        EXPECT_EQ (p->getName (3), expected.name) << "the length limit is ignored";
        EXPECT_EQ (p->getLabel (), "");
        EXPECT_FLOAT_EQ (p->getDefaultValue (), expected.defaultNormalised);
        EXPECT_FLOAT_EQ (p->getValue (), expected.defaultNormalised) << "constructor applies the defaults";
        EXPECT_FALSE (p->isMetaParameter ());
        EXPECT_FALSE (p->isDiscrete ());
        EXPECT_FALSE (p->isBoolean ());
        EXPECT_EQ (p->getNumSteps (), juce::AudioProcessor::getDefaultNumParameterSteps ());
    }
}

TEST_F (ParameterTest, TextOfContinuousParametersHasOneDecimalAndTheUnit)
{
    struct Case
    {
        int index;
        float normalised;
        const char* text;
    };
    const Case cases[] = {
        { ParamIndex::gain, 0.5f, "50.0 %" },         { ParamIndex::inputGain, 0.25f, "-12.0 dB" },
        { ParamIndex::mix, 1.0f, "100.0 %" },         { ParamIndex::outputGain, 1.0f, "24.0 dB" },
        { ParamIndex::outputGain, 0.0f, "-24.0 dB" }, { ParamIndex::gate, 0.123f, "12.3 %" },
        { ParamIndex::bass, 2.0f, "100.0 %" },        { ParamIndex::treble, -1.0f, "0.0 %" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (param (c.index).getText (c.normalised, 100), c.text) << c.index << " at " << c.normalised;
}

TEST_F (ParameterTest, SwitchTextsAreOnForAnythingButExactZero)
{
    for (int index : { (int) ParamIndex::power, (int) ParamIndex::hq })
    {
        EXPECT_EQ (param (index).getText (0.0f, 100), "Off");
        EXPECT_EQ (param (index).getText (0.01f, 100), "On");
        EXPECT_EQ (param (index).getText (1.0f, 100), "On");
        EXPECT_EQ (param (index).getText (-0.5f, 100), "On");
    }
}

TEST_F (ParameterTest, CircuitTypeTextNamesTheActiveCircuitWhateverTheArgument)
{
    for (float p : { 0.0f, 0.5f, 1.0f })
        EXPECT_EQ (param (ParamIndex::mods).getText (p, 100), "Default");
}

TEST_F (ParameterTest, TextToValueReadsLeadingNumberAndClamps)
{
    struct Case
    {
        int index;
        const char* text;
        float expected;
    };
    const Case cases[] = {
        { ParamIndex::gain, "12", 0.12f },         { ParamIndex::inputGain, "-24", 0.0f },
        { ParamIndex::inputGain, "12 dB", 0.75f }, { ParamIndex::gain, "300", 1.0f },
        { ParamIndex::gain, "-5", 0.0f },          { ParamIndex::gain, "On", 0.0f },
        { ParamIndex::mods, "23", 1.0f },          { ParamIndex::gain, "", 0.0f },
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ (param (c.index).getValueForText (c.text), c.expected) << c.text;
}

TEST_F (ParameterTest, SetValueStoresOutOfRangeValuesUnchangedButConversionsClamp)
{
    auto& gain = param (ParamIndex::gain);
    gain.setValue (1.5f);
    EXPECT_EQ (gain.getValue (), 1.5f);
    EXPECT_FLOAT_EQ (gain.getValueInRangeUnits (), 100.0f);
    gain.setValue (-0.25f);
    EXPECT_EQ (gain.getValue (), -0.25f);
    EXPECT_FLOAT_EQ (gain.getValueInRangeUnits (), 0.0f);
}

TEST_F (ParameterTest, TextAndValueRoundTripThroughTheHostInterface)
{
    for (const auto& expected : expectedParameters)
    {
        if (juce::StringArray{ "POWER", "HQ", "MODS" }.contains (expected.id))
            continue;
        auto& p = param (expected.index);
        for (float v : { 0.0f, 0.3f, 0.5f, 1.0f })
            EXPECT_NEAR (p.getValueForText (p.getText (v, 100)), v, 1.0e-3f) << expected.id;
    }
}
