#include "dsp/ToneNetwork.h"

// Placeholder until the derived network is generated: a unity pass-through.
void ToneNetwork::prepare (double f) noexcept
{
    rate = f;
}

void ToneNetwork::computeCoefficients (double, double, double, double sV, double* a, double* b) const noexcept
{
    for (int i = 0; i <= order; ++i)
        a[i] = b[i] = 0.0;
    a[0] = 1.0;
    b[0] = 1.0 - sV;
}
