#pragma once

#include <vector>

// Latency-compensated copy of the dry input: in HQ the wet path is late by the
// oversampler's fractional latency, so the dry signal is read that far back.
// Storage is reserved up front so that resizing on the audio thread (an HQ
// switch) never allocates.
class DryDelayLine
{
public:
    // Reserve room for the largest size any later prepare() can ask for.
    void allocate (int maximumSize);

    // size = integer part of 10 ms at the processing rate; clears the line.
    void prepare (int newSize);
    // The same, with the spec's literal reallocation (reference runs in tests).
    void prepareReallocating (int newSize);

    // Linear-interpolated read `delay` samples back; read before writing the
    // same sample, so a delay of 1 returns the previous sample.
    float read (float delay) const noexcept;
    void write (float sample) noexcept;

    int getSize () const noexcept { return size; }
    int getWriteIndex () const noexcept { return writeIndex; }

private:
    std::vector<float> buffer;
    int size = 0;
    int writeIndex = 0;
};
