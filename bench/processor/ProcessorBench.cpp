// Cost of the pedal's audio callback per instance.
//
//   rt_factor  seconds of audio processed per CPU second (higher is better)
//   per_sample CPU time per sample frame
//
// Run: build/bench/processor/scorchbox_bench [--benchmark_filter=...]

#include "core/ScorchboxAudioProcessor.h"

#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

#include <chrono>
#include <cstdlib>
#include <vector>

namespace
{
struct BenchInstance
{
    BenchInstance (double rate, int blockSize, int channels, bool hq) : buffer (channels, blockSize)
    {
        const auto set = channels == 1 ? juce::AudioChannelSet::mono () : juce::AudioChannelSet::stereo ();
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (set);
        layout.outputBuses.add (set);
        processor.setBusesLayout (layout);
        processor.setRateAndBufferSizeDetails (rate, blockSize);
        processor.prepareToPlay (rate, blockSize);
        processor.getParameterAt (ParamIndex::gain).setValueNotifyingHost (0.7f);
        processor.getParameterAt (ParamIndex::gate).setValueNotifyingHost (0.3f);
        processor.getParameterAt (ParamIndex::hq).setValueNotifyingHost (hq ? 1.0f : 0.0f);
        fillSource (rate);
        loadNextBlock ();
        processBlock (); // applies HQ before measuring
    }

    // One second of a guitar-level test tone with a decay, so the clipper and
    // the gate have work to do; blocks are copied from it round-robin.
    void fillSource (double rate)
    {
        source.resize ((size_t) rate);
        for (size_t i = 0; i < source.size (); ++i)
        {
            const double t = (double) i / rate;
            source[i] =
                (float) (0.25 * std::sin (2.0 * juce::MathConstants<double>::pi * 110.0 * t) * std::exp (-3.0 * t));
        }
    }

    void loadNextBlock ()
    {
        const int n = buffer.getNumSamples ();
        if (readPosition + (size_t) n > source.size ())
            readPosition = 0;
        for (int ch = 0; ch < buffer.getNumChannels (); ++ch)
            buffer.copyFrom (ch, 0, source.data () + readPosition, n);
        readPosition += (size_t) n;
    }

    void processBlock () { processor.processBlock (buffer, midi); }

    ScorchboxAudioProcessor processor;
    juce::AudioBuffer<float> buffer;
    juce::MidiBuffer midi;
    std::vector<float> source;
    size_t readPosition = 0;
};

void processBlockCost (benchmark::State& state)
{
    const double rate = (double) state.range (0);
    const int blockSize = (int) state.range (1);
    const int channels = (int) state.range (2);
    const bool hq = state.range (3) != 0;
    BenchInstance instance (rate, blockSize, channels, hq);

    for (auto _ : state)
    {
        instance.loadNextBlock ();
        instance.processBlock ();
        benchmark::DoNotOptimize (instance.buffer.getReadPointer (0));
    }

    const double secondsPerBlock = blockSize / rate;
    state.counters["rt_factor"] = benchmark::Counter (secondsPerBlock, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["per_sample"] = benchmark::Counter (
        (double) blockSize, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel (std::string (channels == 1 ? "mono " : "stereo ") + (hq ? "HQ" : "standard"));
}

void processBlockArguments (benchmark::internal::Benchmark* b)
{
    for (int hq : { 0, 1 })
        for (int channels : { 2, 1 })
            for (int rate : { 44100, 48000, 96000 })
                for (int block : { 32, 64, 128, 256, 512, 1024, 2048 })
                    b->Args ({ rate, block, channels, hq });
}

// Worst single 64-sample block around a circuit change or an HQ switch, as a
// fraction of the block's duration at 48 kHz.
void worstSwitchBlock (benchmark::State& state)
{
    const bool switchHq = state.range (0) != 0;
    constexpr int blockSize = 64;
    constexpr double rate = 48000.0;
    BenchInstance instance (rate, blockSize, 2, false);
    auto& hq = instance.processor.getParameterAt (ParamIndex::hq);
    auto& mods = instance.processor.getParameterAt (ParamIndex::mods);

    double worst = 0.0;
    int switches = 0;
    for (auto _ : state)
    {
        if (switchHq)
            hq.setValueNotifyingHost (hq.getValue () > 0.5f ? 0.0f : 1.0f);
        else
            mods.setValueNotifyingHost (mods.convertToNormalised ((float) ((switches + 1) % 4)));
        ++switches;

        for (int block = 0; block < 4; ++block)
        {
            instance.loadNextBlock ();
            const auto start = std::chrono::steady_clock::now ();
            instance.processBlock ();
            const std::chrono::duration<double> took = std::chrono::steady_clock::now () - start;
            worst = std::max (worst, took.count ());
        }
    }

    state.counters["worst_block_fraction"] = worst / (blockSize / rate);
    state.SetLabel (switchHq ? "HQ switch" : "circuit change");
}
} // namespace

BENCHMARK (processBlockCost)->Apply (processBlockArguments)->Unit (benchmark::kMicrosecond);
BENCHMARK (worstSwitchBlock)->Arg (0)->Arg (1)->Iterations (200)->Unit (benchmark::kMicrosecond);

int main (int argc, char** argv)
{
    // Instances may read settings and start background work at construction:
    // keep them away from the real home folder.
    auto scratchHome = juce::File::createTempFile ("scorchbox-bench-home");
    scratchHome.createDirectory ();
    setenv ("HOME", scratchHome.getFullPathName ().toRawUTF8 (), 1);

    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks ();
    benchmark::Shutdown ();
    scratchHome.deleteRecursively ();
    return 0;
}
