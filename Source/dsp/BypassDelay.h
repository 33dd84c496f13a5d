#pragma once

#include <array>

// Integer delay of the input used by processBlockBypassed, so that bypass
// keeps the timing of the reported latency (HQ). Fixed storage: never
// allocates. The normal processing path keeps writing into it, so entering
// bypass continues the input without a gap.
class BypassDelay
{
public:
    static constexpr int numChannels = 2;
    static constexpr int capacity = 64; // power of two, far above the 2-sample HQ latency
    static constexpr int maximumDelay = capacity - 1;

    void clear () noexcept
    {
        for (auto& channel : rings)
            channel.fill (0.0f);
        writeIndex.fill (0);
    }

    // Records the input without changing it.
    void write (int channel, const float* samples, int n) noexcept
    {
        auto& ring = rings[(size_t) channel];
        int w = writeIndex[(size_t) channel];
        for (int i = 0; i < n; ++i)
        {
            ring[(size_t) w] = samples[i];
            w = (w + 1) & mask;
        }
        writeIndex[(size_t) channel] = w;
    }

    // Replaces the samples by the input of `delay` samples earlier.
    void process (int channel, float* samples, int n, int delay) noexcept
    {
        delay = delay < 0 ? 0 : (delay > maximumDelay ? maximumDelay : delay);
        auto& ring = rings[(size_t) channel];
        int w = writeIndex[(size_t) channel];
        for (int i = 0; i < n; ++i)
        {
            ring[(size_t) w] = samples[i];
            samples[i] = ring[(size_t) ((w - delay) & mask)];
            w = (w + 1) & mask;
        }
        writeIndex[(size_t) channel] = w;
    }

private:
    static constexpr int mask = capacity - 1;
    std::array<std::array<float, capacity>, numChannels> rings{};
    std::array<int, numChannels> writeIndex{};
};
