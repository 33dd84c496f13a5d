#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include "core/ParameterIds.h"
#include "dsp/CircuitModel.h"
#include "dsp/ClipperTable.h"
#include "dsp/DryDelayLine.h"
#include "dsp/NoiseGate.h"

#include <array>
#include <atomic>
#include <memory>

// What the block update needs from the parameters: every normalised value,
// the three values that are read in range units (converted by the parameter
// itself, so the ranges stay in one place) and the parameters-changed flag.
struct ChainControls
{
    bool changed = false;
    std::array<float, ParamIndex::count> normalised{};
    float inputGainDb = 0.0f;  // IGAIN in dB (-24..24)
    float outputGainDb = 0.0f; // OGAIN in dB (-24..24)
    float circuitValue = 0.0f; // MODS in its range (0..23)
};

// One-pole control smoother of the processor (power, mix): 4 floats.
struct ControlSmoother
{
    float a = 0.0f, oneMinusA = 1.0f, current = 0.0f, target = 0.0f;

    void setCoefficient (float coefficient) noexcept
    {
        a = coefficient;
        oneMinusA = 1.0f - coefficient;
    }
    float next () noexcept { return current = current * a + target * oneMinusA; }
};

// The processor-level state of the pedal's signal processing (spec Parts 2.1,
// 2.2): dry copy, dry delay lines, the two circuit models, the two gates with
// their side-chain filters, the control smoothers and gains, HQ switching and
// the oversampler. Everything it needs is allocated in prepare(); on the audio
// thread it only selects prepared data.
class SignalChain
{
public:
    static constexpr int numChannels = 2;

    SignalChain ();

    // prepareToPlay steps 1 and 2 plus the real-time preparation: dry buffer of
    // 2 x maxBlock, delay-line storage for twice the host rate, the oversampler
    // for maxBlock, and the clipper tables of both positive diodes at the host
    // rate and twice the host rate (solved only when the host rate changed).
    void prepare (double hostRate, int maxBlock);

    // The sample-rate design of everything in subsystem 2 at processing rate R.
    void prepareModels (double processingRate);
    // Processing rate for the current HQ state: 2 x host rate in HQ.
    double getProcessingRate () const noexcept { return hqActive ? 2.0 * hostRate : hostRate; }

    // The block update (spec Part 2.1).
    void updateControls (const ChainControls& controls);

    // Resets the oversampler (each stage and its internal delay).
    void reset () noexcept;

    // Latency to report: the fractional latency rounded ties-to-even in HQ,
    // else 0.
    int getLatencyToReport () const noexcept;
    // The oversampler's fractional latency in host samples (L).
    float getFractionalLatency () const noexcept;

    // Steps 3 to 6 of processBlock on n <= maxBlock samples: dry copy, circuit
    // (both channels when stereo, else channel 0 copied to the further
    // channels), output mix and gate.
    void process (float* const* channels, int numBufferChannels, int n, bool stereo) noexcept;

    // The single steps, for tests and for the processor.
    void copyDry (const float* const* channels, int numBufferChannels, int n) noexcept;
    void processCircuit (float* const* channels, int numProcessed, int n) noexcept;
    void processOutputMix (float* const* channels, int numProcessed, int n) noexcept;
    void processGate (float* const* channels, int numProcessed, int n) noexcept;

    // Reference mode (tests): rebuild clipper tables and delay lines in place,
    // as the spec describes, instead of selecting prepared data.
    void setReferenceMode (bool shouldRebuildInPlace) noexcept;
    bool isReferenceMode () const noexcept { return referenceMode; }

    // Control fields read by other threads.
    int getCurrentCircuitIndex () const noexcept { return currentCircuitIndex.load (std::memory_order_acquire); }
    int getCurrentCircuitNameIndex () const noexcept { return currentCircuitName.load (std::memory_order_acquire); }
    bool isCircuitChanged () const noexcept { return circuitChanged.load (std::memory_order_acquire); }
    bool consumeCircuitChanged () noexcept { return circuitChanged.exchange (false, std::memory_order_acq_rel); }
    void clearCircuitChanged () noexcept { circuitChanged.store (false, std::memory_order_release); }

    // Inspection.
    bool isHQActive () const noexcept { return hqActive; }
    bool isGateOn () const noexcept { return gateOn; }
    float getInputGain () const noexcept { return inputGain; }
    float getOutputGain () const noexcept { return outputGain; }
    int getLastAppliedCircuit () const noexcept { return lastAppliedCircuit; }
    double getHostRate () const noexcept { return hostRate; }
    int getMaximumBlockSize () const noexcept { return maxBlockSize; }
    const ControlSmoother& getPowerSmoother () const noexcept { return power; }
    const ControlSmoother& getMixSmoother () const noexcept { return mix; }
    const CircuitModel& getModel (int channel) const noexcept { return models[(size_t) channel]; }
    const NoiseGate& getGate (int channel) const noexcept { return gates[(size_t) channel]; }
    const DryDelayLine& getDryDelayLine (int channel) const noexcept { return dryDelay[(size_t) channel]; }
    float getSideChainCoefficient (int channel) const noexcept { return sideCoefficient[(size_t) channel]; }
    const juce::AudioBuffer<float>& getDryBuffer () const noexcept { return dryBuffer; }
    const ClipperTableBank& getTableBank () const noexcept { return tableBank; }
    juce::dsp::Oversampling<float>& getOversampler () noexcept { return *oversampler; }

private:
    std::unique_ptr<juce::dsp::Oversampling<float>> oversampler;

    // Control fields.
    std::atomic<int> currentCircuitIndex{ 0 };
    std::atomic<int> currentCircuitName{ 0 };
    std::atomic<bool> circuitChanged{ false };
    int lastAppliedCircuit = -1;
    float inputGain = 1.0f, outputGain = 1.0f;
    ControlSmoother power, mix;

    // Signal-processing state, 44.1 kHz defaults until the first prepare.
    double hostRate = 44100.0;
    int maxBlockSize = 0;
    juce::AudioBuffer<float> dryBuffer;
    std::array<DryDelayLine, numChannels> dryDelay;
    std::array<CircuitModel, numChannels> models;
    std::array<NoiseGate, numChannels> gates;
    std::array<float, numChannels> sideState{}, sideCoefficient{};
    bool gateOn = false;
    bool hqActive = false;

    ClipperTableBank tableBank;
    bool referenceMode = false;
};
