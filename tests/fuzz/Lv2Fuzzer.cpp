// The LV2 entry points as a sequence of host calls: instantiate at any rate, then connect any
// port to any buffer (shared ones and none included), set the controls to any floats, activate,
// deactivate and run any frame count in any order, then cleanup. A run with every audio port
// connected must leave the outputs finite and within -1..1.
#include "FuzzInput.h"
#include "lv2/Lv2Descriptor.h"
#include "lv2/PortTable.h"

#include <array>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMaxSteps = 48;
constexpr uint32_t kMaxFrames = 2048;
constexpr uint32_t kBufferCount = 4;

struct Buffers {
    std::array<std::array<float, kMaxFrames>, kBufferCount> audio{};
    std::array<float, kControlPortCount> controls{};
    std::array<float*, kPortCount> connected{};  // what each port points at, as the plug-in was told
};

double anyRate(FuzzedDataProvider& input) {
    constexpr double kCommon[] = {22050.0, 44100.0, 48000.0, 96000.0, 192000.0};
    if (input.ConsumeBool()) return kCommon[input.ConsumeIntegralInRange<size_t>(0, 4)];
    const uint64_t bits = input.ConsumeIntegral<uint64_t>();
    double rate;
    std::memcpy(&rate, &bits, sizeof rate);
    return rate;
}

void connect(const LV2_Descriptor* descriptor, LV2_Handle handle, Buffers& buffers, FuzzedDataProvider& input) {
    // A few indices past the last port too: a host may ask for ports the plug-in lacks.
    const uint32_t port = input.ConsumeIntegralInRange<uint32_t>(0, kPortCount + 2);
    float* data = nullptr;
    switch (input.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
        data = buffers.audio[input.ConsumeIntegralInRange<uint32_t>(0, kBufferCount - 1)].data();
        break;
    case 1:
        data = port >= kFirstControlPort && port < kPortCount ? &buffers.controls[port - kFirstControlPort] : nullptr;
        break;
    default:
        break;
    }
    descriptor->connect_port(handle, port, data);
    if (port < kPortCount) buffers.connected[port] = data;
}

void run(const LV2_Descriptor* descriptor, LV2_Handle handle, Buffers& buffers, FuzzedDataProvider& input) {
    const uint32_t frames = input.ConsumeIntegralInRange<uint32_t>(0, kMaxFrames);
    for (auto& buffer : buffers.audio)
        for (uint32_t i = 0; i < frames && input.remaining_bytes() > 0; i += 61) buffer[i] = anyFloat(input);
    descriptor->run(handle, frames);
    for (uint32_t port = 0; port < kFirstControlPort; ++port)
        if (!buffers.connected[port]) return;
    for (const uint32_t port : {kPortOutLeft, kPortOutRight}) {
        for (uint32_t i = 0; i < frames; ++i) {
            const float sample = buffers.connected[port][i];
            if (!(sample >= -1.0f && sample <= 1.0f)) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const LV2_Descriptor* descriptor = spatialiserDescriptor();
    const LV2_Feature* const noFeatures[] = {nullptr};
    LV2_Handle handle = descriptor->instantiate(descriptor, anyRate(input), "/nowhere/", noFeatures);
    if (!handle) return 0;
    Buffers buffers;
    for (int step = 0; step < kMaxSteps && input.remaining_bytes() > 0; ++step) {
        switch (input.ConsumeIntegralInRange<int>(0, 4)) {
        case 0:
            connect(descriptor, handle, buffers, input);
            break;
        case 1:
            buffers.controls[input.ConsumeIntegralInRange<uint32_t>(0, kControlPortCount - 1)] = anyFloat(input);
            break;
        case 2:
            descriptor->activate(handle);
            break;
        case 3:
            descriptor->deactivate(handle);
            break;
        default:
            run(descriptor, handle, buffers, input);
            break;
        }
    }
    descriptor->cleanup(handle);
    return 0;
}
