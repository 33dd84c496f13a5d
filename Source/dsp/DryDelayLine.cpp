#include "dsp/DryDelayLine.h"

#include <algorithm>

void DryDelayLine::allocate (int maximumSize)
{
    if ((int) buffer.size () < maximumSize)
        buffer.resize ((size_t) maximumSize);
}

void DryDelayLine::prepare (int newSize)
{
    if (newSize > (int) buffer.size ())
        buffer.resize ((size_t) newSize); // only when allocate() was not told enough
    size = newSize;
    std::fill (buffer.begin (), buffer.begin () + size, 0.0f);
    writeIndex = 0;
}

void DryDelayLine::prepareReallocating (int newSize)
{
    std::vector<float> fresh ((size_t) (newSize > 0 ? newSize : 0), 0.0f);
    buffer.swap (fresh);
    size = newSize;
    writeIndex = 0;
}

float DryDelayLine::read (float delay) const noexcept
{
    if (size <= 0)
        return 0.0f;

    const float fsize = (float) size;
    float position = (float) writeIndex - delay;
    if (position >= fsize)
        position -= fsize;
    if (position < 0.0f)
        position += fsize;

    int i0 = (int) position;
    const float frac = position - (float) i0;
    while (i0 >= size)
        i0 -= size;
    while (i0 < 0)
        i0 += size;
    int i1 = i0 + 1;
    while (i1 >= size)
        i1 -= size;

    return (1.0f - frac) * buffer[(size_t) i0] + frac * buffer[(size_t) i1];
}

void DryDelayLine::write (float sample) noexcept
{
    if (size <= 0)
        return;
    const int index = writeIndex % size;
    buffer[(size_t) index] = sample;
    writeIndex = index + 1;
}
