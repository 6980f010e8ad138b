// The module as a host drives it: loading and closing an instance, rendering blocks through the
// record's processReplacing, rendering while a parameter moves every block, and reading texts.
// BM_EngineAlone renders the same blocks with the module's settings straight through the engine,
// so that the cost of the module path shows beside it in one run.
//
// The module is our own (built beside this program) unless SPATIALISER_BENCH_MODULE names another.
#include "HostError.h"
#include "Module.h"
#include "Parameters.h"
#include "dsp/spatialiser.h"
#include "dsp/spatialiser_state.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr float kSampleRate = 44100.0f;

std::string modulePath() {
    const char* chosen = std::getenv("SPATIALISER_BENCH_MODULE");
    return chosen != nullptr ? chosen : DEFAULT_MODULE;
}

// Opens an instance or tells the benchmark why it cannot.
std::unique_ptr<host::Module> openModule(benchmark::State& state) {
    const std::string path = modulePath();
    if (path.empty()) {
        state.SkipWithError("no module: build the plug-in or set SPATIALISER_BENCH_MODULE");
        return nullptr;
    }
    try {
        return std::make_unique<host::Module>(path);
    } catch (const host::HostError& error) {
        state.SkipWithError(error.what());
        return nullptr;
    }
}

// A resumed instance with stereo buffers of one block holding a plucked-sounding test signal.
struct Rig {
    std::unique_ptr<host::Module> module;
    std::vector<std::vector<float>> inputs;
    std::vector<std::vector<float>> outputs;
    std::vector<float*> inputPointers;
    std::vector<float*> outputPointers;

    Rig(benchmark::State& state, int32_t blockSize) : module(openModule(state)) {
        if (!module) return;
        AEffect& effect = module->effect();
        module->setSampleRateAndBlockSize(kSampleRate, blockSize);
        inputs.assign(static_cast<size_t>(std::max(1, effect.numInputs)), std::vector<float>(static_cast<size_t>(blockSize)));
        outputs.assign(static_cast<size_t>(std::max(1, effect.numOutputs)), std::vector<float>(static_cast<size_t>(blockSize)));
        for (auto& channel : inputs) {
            for (size_t frame = 0; frame < channel.size(); ++frame) {
                channel[frame] = 0.3f * std::sin(static_cast<float>(frame) * 0.05f) * std::exp(-static_cast<float>(frame) / 800.0f);
            }
            inputPointers.push_back(channel.data());
        }
        for (auto& channel : outputs) outputPointers.push_back(channel.data());
        module->dispatch(effMainsChanged, 0, 1);
    }

    ~Rig() {
        if (module) module->dispatch(effMainsChanged, 0, 0);
    }

    void processBlock(int32_t frames) {
        AEffect& effect = module->effect();
        effect.processReplacing(&effect, inputPointers.data(), outputPointers.data(), frames);
        benchmark::DoNotOptimize(outputs[0][0]);
    }
};

void reportFrames(benchmark::State& state, int64_t framesPerIteration) {
    state.SetItemsProcessed(state.iterations() * framesPerIteration);
    // How many times faster than real time at 44.1 kHz.
    state.counters["x_realtime"] = benchmark::Counter(static_cast<double>(state.iterations() * framesPerIteration) / kSampleRate,
                                                    benchmark::Counter::kIsRate);
}

void BM_LoadOpenClose(benchmark::State& state) {
    for (auto _ : state) {
        auto module = openModule(state);
        if (!module) return;
        benchmark::DoNotOptimize(module->effect().numParams);
    }
}
BENCHMARK(BM_LoadOpenClose)->Unit(benchmark::kMicrosecond);

void BM_ProcessReplacing(benchmark::State& state) {
    const auto blockSize = static_cast<int32_t>(state.range(0));
    Rig rig(state, blockSize);
    if (!rig.module) return;
    for (auto _ : state) rig.processBlock(blockSize);
    reportFrames(state, blockSize);
}
BENCHMARK(BM_ProcessReplacing)->Arg(32)->Arg(256)->Arg(512)->Arg(1024)->Arg(4096);

// The engine with the eleven values the module derives from its current parameters.
void BM_EngineAlone(benchmark::State& state) {
    const auto blockSize = static_cast<int32_t>(state.range(0));
    Rig rig(state, blockSize);
    if (!rig.module) return;
    AEffect& effect = rig.module->effect();
    const auto value = [&effect](int32_t index) { return host::getParameter(effect, index); };
    auto engine = std::make_unique<SpatialiserState>();
    spatialiserSetSampleRate(kSampleRate, engine.get());
    spatialiserUpdate(value(4) * 2.0f - 1.0f, value(8), value(7), std::floor(value(9) * 2.0f + 0.5f), value(6), value(11),
                      value(10), value(5), value(12), value(13), value(14), engine.get());
    for (auto _ : state) {
        spatialiserProcessReplacing(rig.inputPointers[0], rig.inputPointers[1], rig.outputPointers[0],
                                    rig.outputPointers[1], blockSize, engine.get());
        benchmark::DoNotOptimize(rig.outputs[0][0]);
    }
    reportFrames(state, blockSize);
}
BENCHMARK(BM_EngineAlone)->Arg(512);

// Automation as a host sends it: a new value for one parameter before every block, parameters in
// turn, so that every block starts with a fresh engine update.
void BM_ProcessWithParameterChanges(benchmark::State& state) {
    const auto blockSize = static_cast<int32_t>(state.range(0));
    Rig rig(state, blockSize);
    if (!rig.module) return;
    AEffect& effect = rig.module->effect();
    int64_t step = 0;
    for (auto _ : state) {
        if (effect.numParams > 0) {
            const auto index = static_cast<int32_t>(step % effect.numParams);
            host::setParameter(effect, index, static_cast<float>(step % 97) / 96.0f);
        }
        ++step;
        rig.processBlock(blockSize);
    }
    reportFrames(state, blockSize);
}
BENCHMARK(BM_ProcessWithParameterChanges)->Arg(32)->Arg(256)->Arg(1024);

void BM_ParameterTexts(benchmark::State& state) {
    auto module = openModule(state);
    if (!module) return;
    AEffect& effect = module->effect();
    for (auto _ : state) {
        for (int32_t index = 0; index < effect.numParams; ++index) {
            benchmark::DoNotOptimize(host::dispatchText(effect, effGetParamDisplay, index));
        }
    }
    state.SetItemsProcessed(state.iterations() * effect.numParams);
}
BENCHMARK(BM_ParameterTexts);

}  // namespace

BENCHMARK_MAIN();
