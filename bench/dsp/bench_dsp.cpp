// Render cost per stereo frame for both reflection stages and several block sizes, and the cost
// of an update with and without re-initialisation.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "bench_scene.h"
#include "dsp/instruction_set.h"

namespace {

// The render loop's fastest build for this processor, or its plain SSE2 build.
void renderReplacing(benchmark::State& bench, float quality, bool plain = false) {
    const auto blockSize = static_cast<int32_t>(bench.range(0));
    auto engine = makeBenchEngine(quality);
    if (plain) engine->instructionSet = static_cast<int32_t>(InstructionSet::sse2);
    std::vector<float> left(blockSize), right(blockSize), outLeft(blockSize), outRight(blockSize);
    fillBenchInput(left, right);
    for (auto _ : bench) {
        spatialiserProcessReplacing(left.data(), right.data(), outLeft.data(), outRight.data(),
                                    blockSize, engine.get());
        benchmark::DoNotOptimize(outLeft.data());
        benchmark::DoNotOptimize(outRight.data());
    }
    bench.SetItemsProcessed(bench.iterations() * blockSize);
    // ns per stereo frame, and how many times faster than real time at 44100 Hz.
    bench.counters["ns/frame"] = benchmark::Counter(static_cast<double>(bench.iterations() * blockSize),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    bench.counters["x realtime@44.1k"] = benchmark::Counter(static_cast<double>(bench.iterations() * blockSize) / 44100.0,
                                                            benchmark::Counter::kIsRate);
}

void BM_LowQuality(benchmark::State& bench) { renderReplacing(bench, 0.0f); }
void BM_HighQuality(benchmark::State& bench) { renderReplacing(bench, 1.0f); }
BENCHMARK(BM_LowQuality)->Arg(16)->Arg(64)->Arg(512)->Arg(4096);
BENCHMARK(BM_HighQuality)->Arg(16)->Arg(64)->Arg(512)->Arg(4096);

void BM_LowQualitySse2(benchmark::State& bench) { renderReplacing(bench, 0.0f, true); }
void BM_HighQualitySse2(benchmark::State& bench) { renderReplacing(bench, 1.0f, true); }
BENCHMARK(BM_LowQualitySse2)->Arg(16)->Arg(64)->Arg(512);
BENCHMARK(BM_HighQualitySse2)->Arg(16)->Arg(64)->Arg(512);

void BM_UpdateWithoutReinitialisation(benchmark::State& bench) {
    auto engine = makeBenchEngine(1.0f);
    float azimuth = 0.0f;
    for (auto _ : bench) {
        azimuth = azimuth > 0.5f ? -0.5f : azimuth + 0.01f;
        spatialiserUpdate(azimuth, 0.4f, 0.6f, 0.0f, 0.3f, 0.2f, 0.5f, 0.6f, 1.0f, 1.0f, 0.34f, engine.get());
    }
}
BENCHMARK(BM_UpdateWithoutReinitialisation);

void BM_UpdateWithReinitialisation(benchmark::State& bench) {
    auto engine = makeBenchEngine(1.0f);
    bool toggle = false;
    for (auto _ : bench) {
        toggle = !toggle;
        spatialiserUpdate(0.1f, 0.4f, 0.6f, 0.0f, 0.3f, 0.2f, 0.5f, 0.6f, 1.0f, 1.0f, toggle ? 0.34f : 0.67f,
                          engine.get());
    }
}
BENCHMARK(BM_UpdateWithReinitialisation);

}  // namespace

BENCHMARK_MAIN();
