#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Diode models of the pedal's clipper (spec Part 2.4). The single-precision
// constants are stored as doubles, so their exact values are those floats.
enum class DiodeModel
{
    A, // positive half, circuits Default, Bright, Modern
    B, // positive half, circuit Hi Gain
    N  // negative half, every circuit
};

struct DiodeParameters
{
    double Is, n, Vt, Rd;
};

DiodeParameters getDiodeParameters (DiodeModel model) noexcept;

// One polarity of the clipper: the implicit diode equation solved by
// Newton-Raphson for a stepwise-rising input, one trapezoidal integration step
// per entry. The entries are allocated once (construction); builds only write.
class DiodeTable
{
public:
    static constexpr int iterationLimit = 100;

    explicit DiodeTable (double lowInput = -10.0, double highInput = 10.0);

    // Table length for [lo, hi]: integer part of (|lo| + 1 + hi) / 0.01.
    static int lengthForRange (double lo, double hi) noexcept;

    // G = tan(pi * fd / R), fd = 0.43 R below 44.1 kHz else 19 kHz, with pi and
    // 0.43 as single-precision constants and the rest in double.
    static double prewarpedCoefficient (double rate) noexcept;

    void setDiode (DiodeModel model) noexcept;
    void setDiode (const DiodeParameters& parameters) noexcept;
    // Sets G and fG = G / (1 + G).
    void setCoefficient (double G) noexcept;

    // (Re)fills the entries from Is, n, Vt, Rd, fG and the range.
    void build () noexcept;

    // Clamped, linearly interpolated read (used by the ClipperTable build).
    float read (float v) const noexcept;

    int size () const noexcept { return (int) entries.size (); }
    float entry (int i) const noexcept { return entries[(std::size_t) i]; }
    const float* data () const noexcept { return entries.data (); }
    // Newton steps the solve of entry i took (101 = stopped at the limit).
    int stepsAt (int i) const noexcept { return steps[(std::size_t) i]; }
    // Input voltage that entry i was solved for.
    float inputAt (int i) const noexcept;

    double getG () const noexcept { return G; }
    double getFG () const noexcept { return fG; }
    double getLow () const noexcept { return lo; }
    double getHigh () const noexcept { return hi; }
    const DiodeParameters& getDiode () const noexcept { return diode; }

private:
    DiodeParameters diode{ 0.0, 1.0, 1.0, 0.0 };
    double G = 0.0, fG = 0.0;
    double s = 0.0;
    double lo, hi;
    int iterationCounter = 0;
    std::vector<float> entries;
    std::vector<std::uint8_t> steps;
};
