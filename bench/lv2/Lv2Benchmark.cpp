// The LV2 plug-in's run path beside the VST module's processReplacing, both loaded from the built
// binaries as hosts load them, with the same settings (the defaults), signal and block sizes:
//   build/<preset>/bench/bench_lv2 --benchmark_filter=/512 --benchmark_repetitions=20
//       --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
// BM_Lv2Run calls the descriptor's run as lilv_instance_run does; BM_VstProcessReplacing calls
// the record's processReplacing as spatialiser-host does.
#include "HostError.h"
#include "Module.h"

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <lv2/core/lv2.h>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "lv2/PortTable.h"

namespace {

constexpr double kSampleRate = 44100.0;

std::vector<float> testSignal(size_t frames, float frequency) {
    std::vector<float> signal(frames);
    for (size_t n = 0; n < frames; ++n)
        signal[n] = 0.3f * std::sin(static_cast<float>(n) * frequency) * std::exp(-static_cast<float>(n) / 800.0f);
    return signal;
}

// items_per_second counts frames: 1e9 / items_per_second is the time per frame in ns.
void reportFrames(benchmark::State& state, int64_t framesPerIteration) {
    state.SetItemsProcessed(state.iterations() * framesPerIteration);
}

// The DSP binary of the bundle, one instance, its ports on the defaults and on one block of audio.
class Lv2Rig {
public:
    Lv2Rig(benchmark::State& state, uint32_t blockSize)
        : left(testSignal(blockSize, 0.05f)), right(testSignal(blockSize, 0.07f)), outLeft(blockSize), outRight(blockSize) {
        library = dlopen(LV2_DSP_BINARY, RTLD_NOW | RTLD_LOCAL);
        const auto entry = library ? reinterpret_cast<LV2_Descriptor_Function>(dlsym(library, "lv2_descriptor")) : nullptr;
        descriptor = entry ? entry(0) : nullptr;
        const LV2_Feature* const noFeatures[] = {nullptr};
        handle = descriptor ? descriptor->instantiate(descriptor, kSampleRate, LV2_BUNDLE, noFeatures) : nullptr;
        if (!handle) {
            state.SkipWithError("cannot load " LV2_DSP_BINARY);
            return;
        }
        float* audio[kFirstControlPort] = {left.data(), right.data(), outLeft.data(), outRight.data()};
        for (uint32_t port = 0; port < kFirstControlPort; ++port) descriptor->connect_port(handle, port, audio[port]);
        for (uint32_t i = 0; i < kControlPortCount; ++i) {
            controls[i] = kParameterTable[kControlPorts[i].parameter].defaultValue;
            descriptor->connect_port(handle, kFirstControlPort + i, &controls[i]);
        }
        descriptor->activate(handle);
    }

    ~Lv2Rig() {
        if (handle) {
            descriptor->deactivate(handle);
            descriptor->cleanup(handle);
        }
        if (library) dlclose(library);
    }

    bool ready() const { return handle != nullptr; }

    void run(uint32_t frames) {
        descriptor->run(handle, frames);
        benchmark::DoNotOptimize(outLeft[0]);
    }

private:
    void* library = nullptr;
    const LV2_Descriptor* descriptor = nullptr;
    LV2_Handle handle = nullptr;
    std::vector<float> left, right, outLeft, outRight;
    std::array<float, kControlPortCount> controls{};
};

void BM_Lv2Run(benchmark::State& state) {
    const auto blockSize = static_cast<uint32_t>(state.range(0));
    Lv2Rig rig(state, blockSize);
    if (!rig.ready()) return;
    for (auto _ : state) rig.run(blockSize);
    reportFrames(state, blockSize);
}
BENCHMARK(BM_Lv2Run)->Arg(64)->Arg(512)->Arg(4096);

void BM_VstProcessReplacing(benchmark::State& state) {
    const auto blockSize = static_cast<int32_t>(state.range(0));
    std::unique_ptr<host::Module> module;
    try {
        module = std::make_unique<host::Module>(VST_MODULE);
    } catch (const host::HostError& error) {
        state.SkipWithError(error.what());
        return;
    }
    AEffect& effect = module->effect();
    module->setSampleRateAndBlockSize(static_cast<float>(kSampleRate), blockSize);
    std::vector<float> left = testSignal(blockSize, 0.05f), right = testSignal(blockSize, 0.07f);
    std::vector<float> outLeft(blockSize), outRight(blockSize);
    float* inputs[2] = {left.data(), right.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    module->dispatch(effMainsChanged, 0, 1);
    for (auto _ : state) {
        effect.processReplacing(&effect, inputs, outputs, blockSize);
        benchmark::DoNotOptimize(outLeft[0]);
    }
    module->dispatch(effMainsChanged, 0, 0);
    reportFrames(state, blockSize);
}
BENCHMARK(BM_VstProcessReplacing)->Arg(64)->Arg(512)->Arg(4096);

}  // namespace

BENCHMARK_MAIN();
