// The host tool's automation file parser over any text, its parameter names resolved against a
// small module of three parameters, then scheduled at any rate into a render of any length.
// Only HostError may come out; the changes must lie inside the render, in frame order.
#include "Automation.h"
#include "FuzzInput.h"
#include "HostError.h"
#include "Parameters.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

const char* const kNames[] = {"Azimuth ", "Dis.Sldr", "Gain"};

intptr_t VSTCALL dispatcher(AEffect*, int32_t opcode, int32_t index, intptr_t, void* ptr, float) {
    if (opcode == effGetParamName && index >= 0 && index < 3) std::strcpy(static_cast<char*>(ptr), kNames[index]);
    return 0;
}

AEffect makeRecord() {
    AEffect record{};
    record.magic = kEffectMagic;
    record.dispatcher = dispatcher;
    record.numParams = 3;
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const double sampleRate = input.ConsumeIntegralInRange<int>(8000, 192000);
    const int64_t endFrame = input.ConsumeIntegralInRange<int64_t>(0, 1 << 20);
    std::istringstream text(input.ConsumeRemainingBytesAsString());
    AEffect record = makeRecord();
    try {
        const auto points = host::parseAutomation(text, "fuzz", [&](std::string_view name) {
            return host::findParameter(record, name);
        });
        const auto changes = host::scheduleChanges(points, sampleRate, endFrame, [](int32_t) { return 0.5f; });
        int64_t previous = 0;
        for (const host::ParameterChange& change : changes) {
            if (change.frame < previous || change.frame >= endFrame || change.parameter < 0 || change.parameter >= 3)
                std::abort();
            previous = change.frame;
        }
    } catch (const host::HostError&) {
    }
    return 0;
}
