#pragma once

// The pedal's noise gate (spec Part 2.3): a smooth peak envelope of the key
// compared with a linear threshold, a 3 ms hold in both directions, and
// attack/release coefficients that follow the key's squared crest factor.
class NoiseGate
{
public:
    static constexpr float defaultThreshold = 3.1622776e-5f; // -90 dB

    // Reset for host rate fs (called by prepareModels): rate, hold, crest
    // detector coefficient, base times, seeded A and B, -90 dB threshold,
    // adaptive timing on. Envelope, detector, counters and gain are kept.
    void prepare (double fs) noexcept;

    // Returns the gated sample x for key k.
    float processSample (float k, float x) noexcept;

    void setThreshold (float linear) noexcept { threshold = linear; }
    float getThreshold () const noexcept { return threshold; }

    double getSampleRate () const noexcept { return fs; }
    float getAttackCoefficient () const noexcept { return A; }
    float getReleaseCoefficient () const noexcept { return B; }
    float getHold () const noexcept { return hold; }
    float getEnvelope () const noexcept { return env; }
    float getGain () const noexcept { return gain; }
    bool isAdaptive () const noexcept { return adaptive; }
    int getCloseCounter () const noexcept { return closeCounter; }
    int getOpenCounter () const noexcept { return openCounter; }

private:
    double fs = 44100.0;
    float A = 0.0f, B = 0.0f;
    float threshold = 0.0f;
    float hold = 0.0f;
    int closeCounter = 0, openCounter = 0;
    float env = 0.0f;
    float previousGain = 0.0f, gain = 0.0f;
    bool adaptive = false;
    float c = 0.0f;
    float pk = 0.0f, ms = 1.0f;
    float T1 = 0.0f, T2 = 0.0f;
    float attackMs = 0.0f, releaseMs = 0.0f;
};
