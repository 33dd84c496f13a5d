#pragma once

#include "dsp/DiodeTable.h"

#include <array>
#include <vector>

// The pedal's asymmetric diode clipper as a lookup table (spec Part 2.4):
// 2 100 output values over the input range [-10, 10], built from a
// positive-half and a negative-half DiodeTable.
class ClipperTable
{
public:
    static constexpr double low = -10.0;
    static constexpr double high = 10.0;

    ClipperTable ();

    void setDiodes (DiodeModel positiveSide, DiodeModel negativeSide = DiodeModel::N) noexcept;
    // Prewarped coefficient of the last prepareModels (kept by circuit rebuilds).
    void setCoefficient (double G) noexcept;

    // Rebuilds both halves, then the table's own entries.
    void build () noexcept;

    // Interpolated output for an input already clamped to [-10, 10]; entries
    // are read with steps of 20 / 2 099.
    float read (float x) const noexcept
    {
        const int n = numEntries;
        const float p = (x + 10.0f) * (float) (n - 1) / 20.0f;
        const int i0 = (int) p;
        const float t = p - (float) i0;
        const float e0 = i0 < n ? entries[(std::size_t) i0] : 0.0f;
        const float e1 = i0 + 1 < n ? entries[(std::size_t) i0 + 1] : 0.0f;
        return (1.0f - t) * e0 + t * e1;
    }

    int size () const noexcept { return numEntries; }
    float entry (int i) const noexcept { return entries[(std::size_t) i]; }
    const DiodeTable& positiveHalf () const noexcept { return positive; }
    const DiodeTable& negativeHalf () const noexcept { return negative; }
    DiodeModel getPositiveModel () const noexcept { return positiveModel; }
    DiodeModel getNegativeModel () const noexcept { return negativeModel; }
    double getG () const noexcept { return positive.getG (); }

    bool sameEntriesAs (const ClipperTable& other) const noexcept;

private:
    DiodeTable positive, negative;
    DiodeModel positiveModel = DiodeModel::A, negativeModel = DiodeModel::N;
    int numEntries;
    std::vector<float> entries;
};

// Clipper tables solved ahead of time (in prepareToPlay) for both positive-side
// diode types at the host rate and twice the host rate, so that a circuit
// change or HQ switch on the audio thread only selects prepared data. Each
// table is built exactly as an in-place rebuild would build it.
class ClipperTableBank
{
public:
    // Solves the four tables for hostRate and 2 * hostRate. Does nothing when
    // they are already solved for that host rate.
    void prepare (double hostRate);

    // The table for (rate, positive diode), or nullptr when that rate was not
    // prepared.
    const ClipperTable* find (double rate, DiodeModel positiveSide) const noexcept;

    double getHostRate () const noexcept { return preparedHostRate; }

private:
    static constexpr int numRates = 2;
    double preparedHostRate = 0.0;
    std::array<double, numRates> rates{};
    // [rate][0 = A, 1 = B], negative side N.
    std::array<std::array<ClipperTable, 2>, numRates> tables;
};
