#pragma once

#include <cmath>

// The trapezoidal (topology-preserving) one-pole stage that the whole signal
// path is built from (spec, shared helpers). Coefficient c = tan(pi * fc / R),
// state update s = 2y - s. All stage arithmetic is single precision.
struct OnePole
{
    float c = 0.0f;
    float s = 0.0f;

    float lowPass (float u) noexcept
    {
        const float lp = (c * u + s) / (c + 1.0f);
        s = 2.0f * lp - s;
        return lp;
    }

    float highPass (float u) noexcept { return u - lowPass (u); }

    // Inverting low-pass (stage S7): y = (s - c u) / (c + 1), s = 2y - s.
    float invertingLowPass (float u) noexcept
    {
        const float y = (s - c * u) / (c + 1.0f);
        s = 2.0f * y - s;
        return y;
    }
};

namespace scorchdsp
{
constexpr double pi = 3.14159265358979323846;
constexpr float piF = 3.14159265358979323846f;

// Upper clamp of every cutoff at processing rate R: 0.43 R below 44.1 kHz,
// else 19 kHz, computed in single precision.
inline float cutoffLimit (double rate) noexcept
{
    return rate < 44100.0 ? 0.43f * (float) rate : 19000.0f;
}

// Stage coefficient: fc clamped into [1, lim], tan in double, stored as float.
inline float stageCoefficient (double fc, double rate) noexcept
{
    const double lim = (double) cutoffLimit (rate);
    const double clamped = fc < 1.0 ? 1.0 : (fc > lim ? lim : fc);
    return (float) std::tan (pi * clamped / rate);
}

// Nearest integer, ties to even, independent of the FPU rounding mode.
inline double roundHalfEven (double x) noexcept
{
    const double r = std::round (x); // ties away from zero
    if (std::fabs (x - std::trunc (x)) == 0.5)
        return 2.0 * std::round (x * 0.5);
    return r;
}
} // namespace scorchdsp
