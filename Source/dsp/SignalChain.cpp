#include "dsp/SignalChain.h"

#include "dsp/OnePole.h"

#include <cmath>

namespace
{
int delayLineSize (double processingRate) noexcept
{
    return (int) (10.0 * processingRate * 0.001);
}

float smootherCoefficient (double processingRate) noexcept
{
    return std::exp (-2.0f * scorchdsp::piF / ((float) processingRate * 0.01f));
}
} // namespace

SignalChain::SignalChain () :
    oversampler (std::make_unique<juce::dsp::Oversampling<float>> (
        (size_t) numChannels, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, false, false))
{
    power.setCoefficient (smootherCoefficient (hostRate));
    mix.setCoefficient (smootherCoefficient (hostRate));
    for (auto& line : dryDelay)
        line.prepare (delayLineSize (hostRate));
    for (auto& model : models)
        model.useTableBank (&tableBank);
}

void SignalChain::setReferenceMode (bool shouldRebuildInPlace) noexcept
{
    referenceMode = shouldRebuildInPlace;
    for (auto& model : models)
        model.useTableBank (referenceMode ? nullptr : &tableBank);
}

void SignalChain::prepare (double newHostRate, int maxBlock)
{
    maxBlockSize = maxBlock > 0 ? maxBlock : 0;
    hostRate = newHostRate;

    // Step 1: the dry copy buffer, 2 channels by n samples (contents not kept).
    dryBuffer.setSize (numChannels, maxBlockSize, false, false, false);

    // Step 2: the oversampler, for blocks of up to n samples.
    oversampler->initProcessing ((size_t) maxBlockSize);

    // Real-time preparation: storage for the largest delay lines an HQ switch
    // can ask for, and the clipper tables of both rates.
    for (auto& line : dryDelay)
        line.allocate (delayLineSize (2.0 * hostRate));
    if (! referenceMode)
        tableBank.prepare (hostRate);
}

void SignalChain::prepareModels (double R)
{
    const double e = hqActive ? R / 2.0 : R;
    const float sideCutoff = std::min (scorchdsp::cutoffLimit (e), 312.0f);

    for (size_t c = 0; c < (size_t) numChannels; ++c)
    {
        if (referenceMode)
            dryDelay[c].prepareReallocating (delayLineSize (R));
        else
            dryDelay[c].prepare (delayLineSize (R));
        sideCoefficient[c] = std::tan (scorchdsp::piF * sideCutoff / (float) e);
        gates[c].prepare (e);
        models[c].prepare (R, currentCircuitIndex.load (std::memory_order_relaxed));
    }

    const float a = smootherCoefficient (R);
    power.setCoefficient (a);
    mix.setCoefficient (a);
    power.current = 0.0f;
    mix.current = 0.0f;
}

void SignalChain::updateControls (const ChainControls& controls)
{
    const auto& p = controls.normalised;

    // 1. HQ, on every block.
    const float h = p[ParamIndex::hq];
    if (h != (hqActive ? 1.0f : 0.0f))
    {
        hqActive = (h != 0.0f);
        oversampler->reset ();
        prepareModels (hqActive ? 2.0 * hostRate : hostRate);
    }

    // 2. Nothing else unless a parameter changed.
    if (! controls.changed)
        return;

    // 3. POWER.
    power.target = p[ParamIndex::power];

    // 4. MODS, rounded ties-to-even.
    const int k = (int) scorchdsp::roundHalfEven ((double) controls.circuitValue);
    if (k != lastAppliedCircuit)
    {
        for (auto& model : models)
            model.setCircuitType (k);
        currentCircuitIndex.store (k, std::memory_order_release);
        currentCircuitName.store (models[0].getCircuitNameIndex (), std::memory_order_release);
        lastAppliedCircuit = k;
        circuitChanged.store (true, std::memory_order_release);
        for (auto& model : models)
            model.startFade ();
    }

    // 5. The pots.
    for (auto& model : models)
        model.setControls (p[ParamIndex::gain], p[ParamIndex::bass], p[ParamIndex::mid], p[ParamIndex::treble],
                           p[ParamIndex::volume]);

    // 6. Input and output gain.
    const auto dbToGain = [] (float d) { return d > -100.0f ? std::pow (10.0f, 0.05f * d) : 0.0f; };
    inputGain = dbToGain (controls.inputGainDb);
    outputGain = dbToGain (controls.outputGainDb);

    // 7. GATE.
    const float gv = p[ParamIndex::gate];
    gateOn = gv > 0.001f;
    const float exponent = (1.0f + (std::pow (3.4489799f, gv) * 0.4083333f - 0.4083333f) * (-0.9f)) * (-100.0f) / 20.0f;
    const float threshold = std::pow (10.0f, exponent);
    for (auto& gate : gates)
        gate.setThreshold (threshold);

    // 8. MIX.
    mix.target = p[ParamIndex::mix];
}

void SignalChain::reset () noexcept
{
    oversampler->reset ();
}

float SignalChain::getFractionalLatency () const noexcept
{
    return oversampler->getLatencyInSamples ();
}

int SignalChain::getLatencyToReport () const noexcept
{
    return hqActive ? (int) scorchdsp::roundHalfEven ((double) getFractionalLatency ()) : 0;
}

void SignalChain::copyDry (const float* const* channels, int numBufferChannels, int n) noexcept
{
    const int count = std::min (numBufferChannels, numChannels);
    for (int c = 0; c < count; ++c)
        dryBuffer.copyFrom (c, 0, channels[c], n);
}

void SignalChain::processCircuit (float* const* channels, int numProcessed, int n) noexcept
{
    const juce::ScopedNoDenormals noDenormals;

    if (hqActive)
    {
        juce::dsp::AudioBlock<float> block (channels, (size_t) numProcessed, (size_t) n);
        auto up = oversampler->processSamplesUp (block);
        for (int c = 0; c < numProcessed; ++c)
            models[(size_t) c].process (up.getChannelPointer ((size_t) c), (int) up.getNumSamples (), inputGain,
                                        outputGain);
        oversampler->processSamplesDown (block);
    }
    else
    {
        for (int c = 0; c < numProcessed; ++c)
            models[(size_t) c].process (channels[c], n, inputGain, outputGain);
    }
}

void SignalChain::processOutputMix (float* const* channels, int numProcessed, int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        float dry[numChannels] = {};
        for (int c = 0; c < numProcessed; ++c)
        {
            const float input = dryBuffer.getSample (c, i);
            dry[c] = hqActive ? dryDelay[(size_t) c].read (getFractionalLatency ()) : input;
            dryDelay[(size_t) c].write (input);
        }

        const float m = mix.next ();
        const float pw = power.next ();

        for (int c = 0; c < numProcessed; ++c)
        {
            const float wet = channels[c][i];
            channels[c][i] = (wet * m + dry[c] * (1.0f - m)) * pw + dry[c] * (1.0f - pw);
        }
    }
}

void SignalChain::processGate (float* const* channels, int numProcessed, int n) noexcept
{
    if (! gateOn)
        return;

    for (int i = 0; i < n; ++i)
        for (int c = 0; c < numProcessed; ++c)
        {
            const float key = dryBuffer.getSample (c, i);
            const float g = sideCoefficient[(size_t) c];
            float& s = sideState[(size_t) c];
            const float lp = (g * key + s) / (g + 1.0f);
            s = 2.0f * lp - s;
            channels[c][i] = gates[(size_t) c].processSample (key - lp, channels[c][i]);
        }
}

void SignalChain::process (float* const* channels, int numBufferChannels, int n, bool stereo) noexcept
{
    copyDry (channels, numBufferChannels, n);

    const int numProcessed = stereo ? std::min (numBufferChannels, 2) : std::min (numBufferChannels, 1);
    if (numProcessed <= 0)
        return;

    processCircuit (channels, numProcessed, n);
    if (! stereo)
        for (int c = 1; c < numBufferChannels; ++c)
            std::copy (channels[0], channels[0] + n, channels[c]);

    processOutputMix (channels, numProcessed, n);
    processGate (channels, numProcessed, n);
}
