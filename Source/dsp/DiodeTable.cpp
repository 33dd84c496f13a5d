#include "dsp/DiodeTable.h"

#include "dsp/OnePole.h"

#include <cmath>

DiodeParameters getDiodeParameters (DiodeModel model) noexcept
{
    switch (model)
    {
        case DiodeModel::A:
            return { 9.3e-11, (double) 4.619f, (double) 0.0271f, 3700.0 };
        case DiodeModel::B:
            return { 2.95e-8, (double) 1.96f, (double) 0.0271f, 0.0735 };
        case DiodeModel::N:
            break;
    }
    return { 9.32e-11, (double) 3.6947f, (double) 0.0271f, 10.0 };
}

DiodeTable::DiodeTable (double lowInput, double highInput) : lo (lowInput), hi (highInput)
{
    const int n = lengthForRange (lo, hi);
    entries.assign ((size_t) n, 0.0f);
    steps.assign ((size_t) n, 0);
}

int DiodeTable::lengthForRange (double low, double high) noexcept
{
    return (int) ((std::fabs (low) + 1.0 + high) / 0.01);
}

double DiodeTable::prewarpedCoefficient (double rate) noexcept
{
    const double fd = rate < 44100.0 ? (double) 0.43f * rate : 19000.0;
    return std::tan ((double) scorchdsp::piF * fd / rate);
}

void DiodeTable::setDiode (DiodeModel model) noexcept
{
    setDiode (getDiodeParameters (model));
}

void DiodeTable::setDiode (const DiodeParameters& parameters) noexcept
{
    diode = parameters;
}

void DiodeTable::setCoefficient (double newG) noexcept
{
    G = newG;
    fG = G / (1.0 + G);
}

float DiodeTable::inputAt (int i) const noexcept
{
    const int n = size ();
    const float step = (float) (hi - lo) / (float) n;
    return (float) lo + step * (float) i;
}

void DiodeTable::build () noexcept
{
    s = 0.0;
    const int n = size ();
    const double K = 2.0 * fG * diode.Rd * diode.Is;
    const double nVt = diode.n * diode.Vt;
    const double KoverNVt = K / nVt;
    const double tolerance = (double) 1e-5f;

    for (int i = 0; i < n; ++i)
    {
        const double vin = (double) inputAt (i);
        const double h = (vin - s) * fG + s;

        double v = 0.0;
        int stepCount = 0;
        for (;;)
        {
            const double x = v / nVt;
            const double next = v - (h - K * std::sinh (x) - v) / (-1.0 - KoverNVt * std::cosh (x));
            const double change = std::fabs (next - v);
            v = next;
            ++stepCount;
            if (change < tolerance)
                break;
            // The counter is compared with the limit, then incremented: at most 101 steps.
            if (iterationCounter >= iterationLimit)
                break;
            ++iterationCounter;
        }
        iterationCounter = 0;

        entries[(size_t) i] = (float) v;
        steps[(size_t) i] = (std::uint8_t) stepCount;
        s = 2.0 * v - s;
    }
}

float DiodeTable::read (float v) const noexcept
{
    const int n = size ();
    // Clamp, mapping NaN to the low end so the index below stays in range.
    const double x = v > lo ? (v < hi ? (double) v : hi) : lo;
    const float p = (float) ((x - lo) * (double) (n - 1) / (hi - lo));
    const int i0 = (int) p;
    const float t = p - (float) i0;
    const float e0 = i0 < n ? entries[(size_t) i0] : 0.0f;
    const float e1 = i0 + 1 < n ? entries[(size_t) i0 + 1] : 0.0f;
    return (1.0f - t) * e0 + t * e1;
}
