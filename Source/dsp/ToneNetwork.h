#pragma once

// Coefficients of the pedal's fifth-order tone and volume network, discretised
// with the bilinear transform at rate f. prepare() evaluates the rate-dependent
// inner constants once per design; computeCoefficients() evaluates A0..A5 and
// B0..B5 for the smoothed pot positions every sample (Horner form, double).
//
// Pot positions as the circuit model's smoothers deliver them:
//   sB: 0 = full bass, 1 = no bass      sM: 0 = no middle, 1 = full middle
//   sT: 0 = full treble, 1 = no treble  sV: 0 = full volume, 1 = silent
class ToneNetwork
{
public:
    static constexpr int order = 5;

    void prepare (double f) noexcept;
    void computeCoefficients (double sB, double sM, double sT, double sV, double* a, double* b) const noexcept;

private:
    double rate = 44100.0;
};
