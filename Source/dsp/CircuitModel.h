#pragma once

#include "dsp/ClipperTable.h"
#include "dsp/OnePole.h"
#include "dsp/ToneNetwork.h"

#include <array>

// Component values of one circuit type (spec Part 2.2), in ohms and farads.
struct CircuitComponents
{
    double Cin, Rin, Cg, Rg, Rpot, Cf, C2, R2, Rf2, Cf2, C3, R3, C4, R4;
    DiodeModel positiveDiode;
};

// The per-channel model of the distortion pedal (spec Part 2.2): one-pole
// stages, two gain stages with op-amp rail clipping, the diode clipper table,
// the fifth-order tone and volume network and the output fades.
class CircuitModel
{
public:
    static constexpr int numCircuits = 4;
    static constexpr int numStages = 10;

    static const CircuitComponents& getComponents (int circuitIndex) noexcept;
    // "Default", "Bright", "Hi Gain", "Modern" (index clamped to 0..3).
    static const char* getCircuitName (int circuitIndex) noexcept;

    CircuitModel ();

    // Use clipper tables solved ahead of time when they exist for the model's
    // rate; otherwise (or with nullptr) the model rebuilds its own table in
    // place, exactly as the spec describes. Both give the same entries.
    void useTableBank (const ClipperTableBank* bank) noexcept { tableBank = bank; }

    // Sample-rate design of this model (the model's part of prepareModels).
    // circuitIndex is the processor's current circuit index.
    void prepare (double processingRate, int circuitIndex) noexcept;

    // k in 0..3 loads that circuit; a higher index is only stored.
    void setCircuitType (int k) noexcept;

    // Normalised GAIN, BASS, MID, TREB, VOL.
    void setControls (float g, float b, float m, float t, float v) noexcept;

    // Restarts the 10 ms circuit fade-in.
    void startFade () noexcept;

    // Processes n samples in place at the model's rate.
    void process (float* samples, int n, float inputGain, float outputGain) noexcept;
    float processSample (float x, float inputGain, float outputGain) noexcept;

    // Inspection (tests, editor-independent).
    double getRate () const noexcept { return rate; }
    double getToneRate () const noexcept { return f; }
    int getCircuitType () const noexcept { return circuitType; }
    int getCircuitNameIndex () const noexcept { return nameIndex; }
    const char* getCircuitName () const noexcept { return getCircuitName (nameIndex); }
    double getG1 () const noexcept { return G1; }
    double getG2 () const noexcept { return G2; }
    // Stage S1..S10 by number (1-based, as in the spec).
    const OnePole& getStage (int number) const noexcept { return stages[(size_t) (number - 1)]; }
    const ClipperTable& getClipperTable () const noexcept { return *activeTable; }
    bool isUsingOwnTable () const noexcept { return activeTable == &ownTable; }
    bool isFadeActive () const noexcept { return fadeActive; }
    int getFadeCounter () const noexcept { return fadeCounter; }
    int getFadeLength () const noexcept { return fadeLength; }
    float getFadeStep () const noexcept { return fadeStep; }
    float getOutputSmootherCurrent () const noexcept { return outCurrent; }
    double getSmoothedBass () const noexcept { return sB; }
    double getSmoothedMiddle () const noexcept { return sM; }
    double getSmoothedTreble () const noexcept { return sT; }
    double getSmoothedVolume () const noexcept { return sV; }

private:
    void loadComponents (int circuitIndex) noexcept;
    void setFixedLowPasses () noexcept;   // S3, S6
    void setComponentStages () noexcept;  // S1, S2, S5, S7, S8, S10
    void selectClipperTable () noexcept;
    OnePole& stage (int number) noexcept { return stages[(size_t) (number - 1)]; }

    double rate = 44100.0, f = 44100.0;
    CircuitComponents components;
    double railHigh = (double) 7.65f, railLow = (double) -7.47f;
    int circuitType = 0;
    int nameIndex = 0;
    std::array<OnePole, numStages> stages{};
    double G1 = 1.0, G2 = -1.0, s1Factor = 1.0;
    double sB = 0.0, sM = 0.0, sT = 0.0, sV = 0.0;
    double tB = 0.0, tM = 0.0, tT = 0.0, tV = 0.0;
    ToneNetwork tone;
    std::array<double, 6> history{};
    ClipperTable ownTable;
    const ClipperTable* activeTable = &ownTable;
    const ClipperTableBank* tableBank = nullptr;
    double clipperG = 0.0;
    float outA = 0.0f, outOneMinusA = 1.0f, outCurrent = 0.0f, outTarget = 1.0f;
    bool fadeActive = false;
    int fadeCounter = 0, fadeLength = 0;
    float fadeStep = 0.0f;
};
