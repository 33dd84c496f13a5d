#include "dsp/NoiseGate.h"

#include <algorithm>
#include <climits>
#include <cmath>

void NoiseGate::prepare (double sampleRate) noexcept
{
    fs = sampleRate;
    threshold = defaultThreshold;
    hold = (float) (3.0 * fs * 0.001);
    adaptive = true;
    c = (float) std::exp (-1.0 / (200.0 * fs * 0.001));
    T1 = 40.0f;
    T2 = 40.0f;
    attackMs = 10.0f;
    releaseMs = 100.0f;
    A = (float) std::exp (-1.0 / ((double) attackMs * fs * 0.001));
    B = (float) std::exp (-1.0 / ((double) releaseMs * fs * 0.001));
}

float NoiseGate::processSample (float k, float x) noexcept
{
    if (adaptive)
    {
        const float k2 = k * k;
        pk = std::max (std::fabs (k2) * (1.0f - c) + pk * c, k2);
        ms = (float) ((double) ((1.0f - c) * k2 + c * ms) + 1e-13);
        const float cf2 = (float) ((double) (pk / ms) + 1e-13);
        const float tA = std::max (3.0f, 2.0f * T1 / cf2);
        const float tR = std::max (3.0f, 2.0f * T2 / cf2 - 2.0f * T1 / cf2);
        A = (float) std::exp (-1.0 / ((double) tA * fs * 0.001));
        B = (float) std::exp (-1.0 / ((double) tR * fs * 0.001));
    }

    env = (float) ((double) std::max (std::fabs (k) - env, 0.0f) * (1.0 - (double) A) + (double) B * (double) env);

    const float target = env < threshold ? 0.0f : 1.0f;

    // The counters saturate instead of overflowing after hours of one state;
    // once past the hold their exact value no longer matters.
    if (previousGain > target)
    {
        openCounter = 0;
        if (closeCounter < INT_MAX)
            ++closeCounter;
        if (! (hold > (float) closeCounter))
            gain = A * gain + (1.0f - A) * target;
    }
    else
    {
        closeCounter = 0;
        if (openCounter < INT_MAX)
            ++openCounter;
        if (! (hold > (float) openCounter))
            gain = B * gain + (1.0f - B) * target;
    }
    previousGain = gain;

    return gain * x;
}
