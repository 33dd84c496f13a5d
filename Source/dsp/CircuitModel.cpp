#include "dsp/CircuitModel.h"

#include <cmath>

namespace
{
constexpr double n_ = 1e-9, p_ = 1e-12, k_ = 1e3, M_ = 1e6;

// Columns of the component table: Default, Bright, Hi Gain, Modern.
const CircuitComponents circuitTable[CircuitModel::numCircuits] = {
    { 10 * n_, 1 * M_, 100 * n_, 3.3 * k_, 100 * k_, 100 * p_, 100 * n_, 10 * k_, 680 * k_, 330 * p_, 220 * n_,
      1 * k_, 220 * p_, 22 * k_, DiodeModel::A },
    { 10 * n_, 1 * M_, 100 * n_, 3.3 * k_, 100 * k_, 100 * p_, 100 * n_, 10 * k_, 680 * k_, 100 * p_, 220 * n_,
      1 * k_, 220 * p_, 22 * k_, DiodeModel::A },
    { 10 * n_, 1 * M_, 100 * n_, 3.3 * k_, 250 * k_, 100 * p_, 100 * n_, 4.7 * k_, 680 * k_, 330 * p_, 220 * n_,
      1 * k_, 220 * p_, 22 * k_, DiodeModel::B },
    { 10 * n_, 1 * M_, 47 * n_, 4.7 * k_, 250 * k_, 100 * p_, 100 * n_, 10 * k_, 680 * k_, 330 * p_, 220 * n_,
      1 * k_, 220 * p_, 22 * k_, DiodeModel::A },
};

const char* const circuitNames[CircuitModel::numCircuits] = { "Default", "Bright", "Hi Gain", "Modern" };

double rcCutoff (double r, double c) noexcept
{
    return 1.0 / (2.0 * scorchdsp::pi * r * c);
}

constexpr double toneSmoothing = 0.993;
constexpr double toneTargetScale = 1.0 - 0.993; // 0.007000000000000006
} // namespace

const CircuitComponents& CircuitModel::getComponents (int circuitIndex) noexcept
{
    return circuitTable[circuitIndex < 0 ? 0 : (circuitIndex >= numCircuits ? numCircuits - 1 : circuitIndex)];
}

const char* CircuitModel::getCircuitName (int circuitIndex) noexcept
{
    return circuitNames[circuitIndex < 0 ? 0 : (circuitIndex >= numCircuits ? numCircuits - 1 : circuitIndex)];
}

CircuitModel::CircuitModel () : components (circuitTable[0])
{
}

void CircuitModel::loadComponents (int circuitIndex) noexcept
{
    components = circuitTable[circuitIndex];
    nameIndex = circuitIndex;
}

void CircuitModel::setFixedLowPasses () noexcept
{
    stage (3).c = scorchdsp::stageCoefficient (19000.0, rate);
    stage (6).c = scorchdsp::stageCoefficient (19000.0, rate);
}

void CircuitModel::setComponentStages () noexcept
{
    const auto& k = components;
    stage (1).c = scorchdsp::stageCoefficient (rcCutoff (k.Rin, k.Cin), rate);
    stage (2).c = scorchdsp::stageCoefficient (rcCutoff (k.Rg, k.Cg), rate);
    stage (5).c = scorchdsp::stageCoefficient (rcCutoff (k.R2, k.C2), rate);
    stage (7).c = scorchdsp::stageCoefficient (rcCutoff (k.Rf2, k.Cf2), rate);
    stage (8).c = scorchdsp::stageCoefficient (rcCutoff (k.R3, k.C3), rate);
    stage (10).c = scorchdsp::stageCoefficient (rcCutoff (k.R4, k.C4), rate);
}

void CircuitModel::selectClipperTable () noexcept
{
    if (tableBank != nullptr)
        if (const auto* prepared = tableBank->find (rate, components.positiveDiode))
        {
            activeTable = prepared;
            return;
        }

    // The spec's in-place rebuild, keeping the G of the last prepare.
    ownTable.setDiodes (components.positiveDiode, DiodeModel::N);
    ownTable.setCoefficient (clipperG);
    ownTable.build ();
    activeTable = &ownTable;
}

void CircuitModel::prepare (double processingRate, int circuitIndex) noexcept
{
    rate = processingRate;
    f = rate < 1.0 ? 1.0 : (rate > 192000.0 ? 192000.0 : rate);
    loadComponents (0);
    tone.prepare (f);
    sB = sM = sT = sV = 0.0;
    history.fill (0.0);
    setFixedLowPasses ();
    clipperG = DiodeTable::prewarpedCoefficient (rate);
    selectClipperTable ();
    stage (9).c = scorchdsp::stageCoefficient (5.0, rate);
    s1Factor = 1.0;
    outA = std::exp (-2.0f * scorchdsp::piF / ((float) rate * 0.01f));
    outOneMinusA = 1.0f - outA;
    outCurrent = 0.0f;
    outTarget = 1.0f;
    setComponentStages ();
    setCircuitType (circuitIndex);
    startFade ();
}

void CircuitModel::setCircuitType (int k) noexcept
{
    if (k >= 0 && k < numCircuits)
    {
        loadComponents (k);
        railHigh = (double) 7.65f;
        railLow = (double) -7.47f;
        G2 = (double) (float) (-components.Rf2 / components.R2);
        s1Factor = 1.0;
        outTarget = 1.0f;
        setFixedLowPasses ();
        selectClipperTable ();
        setComponentStages ();
    }
    circuitType = k;
}

void CircuitModel::setControls (float g, float b, float m, float t, float v) noexcept
{
    const auto& k = components;

    const float gainTimesPot = (float) ((double) g * k.Rpot);
    G1 = (double) (1.0f + gainTimesPot / (float) k.Rg);

    const double denominator = (1.0 - (double) g) * k.Rpot + k.R2;
    G2 = (double) (-(float) k.Rf2 / (float) denominator);

    const double fc4 = 1.0 / (((double) g * k.Rpot + 0.00001) * k.Cf * 2.0 * scorchdsp::pi);
    stage (4).c = scorchdsp::stageCoefficient (fc4, rate);

    const float bassTaper = std::pow (81.0f, b) * 0.0125f - 0.0125f;
    const float middleTaper = std::pow (81.0f, m) * 0.0125f - 0.0125f;

    tB = (1.0 - (double) bassTaper) * toneTargetScale;
    tM = (double) middleTaper * toneTargetScale;
    tT = (1.0 - (double) t) * toneTargetScale;
    tV = (1.0 - (double) v) * toneTargetScale;
}

void CircuitModel::startFade () noexcept
{
    fadeLength = (int) std::lround (rate * 10.0 * 0.001);
    fadeStep = 1.0f / (float) fadeLength;
    fadeCounter = 0;
    fadeActive = true;
}

float CircuitModel::processSample (float x, float inputGain, float outputGain) noexcept
{
    float y = x * inputGain;

    y = (float) ((double) stage (1).highPass (y) * s1Factor);
    y = (float) ((double) stage (2).highPass (y) * G1);

    // Op-amp rails; written so that a NaN lands on a rail instead of passing.
    y = (double) y > railLow ? ((double) y < railHigh ? y : (float) railHigh) : (float) railLow;

    y = stage (3).lowPass (y);
    y = stage (4).lowPass (y);
    y = (float) ((double) stage (5).highPass (y) * G2);
    y = stage (6).lowPass (y);
    y = stage (7).invertingLowPass (y);
    y = stage (8).highPass (y);

    y = y > -10.0f ? (y < 10.0f ? y : 10.0f) : -10.0f;
    y = activeTable->read (y);

    y = stage (9).highPass (y);

    sB = toneSmoothing * sB + tB;
    sM = toneSmoothing * sM + tM;
    sT = toneSmoothing * sT + tT;
    sV = toneSmoothing * sV + tV;

    double a[ToneNetwork::order + 1], b[ToneNetwork::order + 1];
    tone.computeCoefficients (sB, sM, sT, sV, a, b);

    auto& w = history;
    w[0] = (double) y - (a[1] * w[1] + a[2] * w[2] + a[3] * w[3] + a[4] * w[4] + a[5] * w[5]) / a[0];
    const double toneOut = (b[0] * w[0] + b[1] * w[1] + b[2] * w[2] + b[3] * w[3] + b[4] * w[4] + b[5] * w[5]) / a[0];
    w[5] = w[4];
    w[4] = w[3];
    w[3] = w[2];
    w[2] = w[1];
    w[1] = w[0];

    y = stage (10).lowPass ((float) toneOut);

    outCurrent = outCurrent * outA + outTarget * outOneMinusA;

    float fade = 1.0f;
    if (fadeActive)
    {
        ++fadeCounter;
        if (fadeCounter >= fadeLength)
        {
            fadeActive = false;
            fadeLength = 0;
        }
        else
            fade = (float) fadeCounter * fadeStep;
    }

    return (y * outCurrent * fade) * outputGain;
}

void CircuitModel::process (float* samples, int n, float inputGain, float outputGain) noexcept
{
    for (int i = 0; i < n; ++i)
        samples[i] = processSample (samples[i], inputGain, outputGain);
}
