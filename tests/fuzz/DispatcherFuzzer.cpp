// The effect as a host drives it: a sequence of dispatcher, parameter and audio calls decoded from
// the input, every pointer argument an object of exactly its published size (so that a write past
// it is caught), every number any bit pattern. Ends with effClose, as a host does.
#include "FuzzInput.h"
#include "OpcodeTable.h"
#include "effect/CEffect.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kMaxCalls = 48;
constexpr int32_t kMaxFrames = 700;

intptr_t VSTCALL answerHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

struct SpeakerArrangements {
    std::unique_ptr<unsigned char[]> input{new unsigned char[host::kSpeakerArrangementSize]()};
    std::unique_ptr<unsigned char[]> output{new unsigned char[host::kSpeakerArrangementSize]()};
};

void dispatch(AEffect* effect, FuzzedDataProvider& input) {
    int32_t opcode = input.ConsumeIntegralInRange<int32_t>(0, host::kLastOpcode + 2);
    if (opcode == effClose) opcode = effOpen;  // the sequence closes once, at its end
    const host::OpcodeInfo& info = host::opcodeInfo(opcode);
    const int32_t index = input.ConsumeIntegral<int32_t>();
    intptr_t value = input.ConsumeIntegral<intptr_t>();
    const float opt = anyFloat(input);

    // The objects live until the call has returned; each allocation has exactly its size.
    std::unique_ptr<char[]> text;
    std::unique_ptr<unsigned char[]> object;
    void* slot = nullptr;
    void* slots[2] = {};
    ERect rect{};
    SpeakerArrangements arrangements;
    void* ptr = nullptr;
    switch (info.pointer) {
    case host::Pointer::None:
        break;
    case host::Pointer::TextOut:
    case host::Pointer::ChunkIn:
    case host::Pointer::Object:
        object.reset(new unsigned char[info.size]());
        ptr = object.get();
        break;
    case host::Pointer::TextIn: {
        const std::string content = input.ConsumeRandomLengthString(64);
        text.reset(new char[content.size() + 1]);
        std::memcpy(text.get(), content.c_str(), content.size() + 1);
        ptr = text.get();
        break;
    }
    case host::Pointer::RectOut:
    case host::Pointer::ChunkOut:
        ptr = &slot;
        break;
    case host::Pointer::RectIn:
        ptr = &rect;
        break;
    case host::Pointer::Window:
        ptr = reinterpret_cast<void*>(static_cast<uintptr_t>(input.ConsumeIntegral<uint32_t>()));
        break;
    case host::Pointer::Events:
        object.reset(new unsigned char[2 * sizeof(intptr_t) + 2 * sizeof(void*)]());
        ptr = object.get();
        break;
    case host::Pointer::Arrangements:
        value = reinterpret_cast<intptr_t>(arrangements.input.get());
        ptr = arrangements.output.get();
        break;
    case host::Pointer::ArrangementSlots:
        value = reinterpret_cast<intptr_t>(&slots[0]);
        ptr = &slots[1];
        break;
    }
    if (info.value == host::Value::Size) value = static_cast<intptr_t>(info.size);
    if (info.value == host::Value::Count) value = 0;
    effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void render(AEffect* effect, FuzzedDataProvider& input, bool replacing) {
    const int32_t frames = input.ConsumeIntegralInRange<int32_t>(-4, kMaxFrames);
    const size_t length = static_cast<size_t>(std::max(frames, 0));
    const bool inPlace = input.ConsumeBool();
    std::unique_ptr<float[]> channels[4];
    for (auto& channel : channels) {
        channel.reset(new float[length]);
        for (size_t i = 0; i < length; ++i) channel[i] = input.remaining_bytes() ? anyFloat(input) : 0.0f;
    }
    float* inputs[2] = {channels[0].get(), channels[1].get()};
    float* outputs[2] = {inPlace ? inputs[0] : channels[2].get(), inPlace ? inputs[1] : channels[3].get()};
    (replacing ? effect->processReplacing : effect->process)(effect, inputs, outputs, frames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    auto* plugin = new CEffect(answerHost);
    AEffect* effect = &plugin->effectRecord;
    for (int call = 0; call < kMaxCalls && input.remaining_bytes() > 0; ++call) {
        switch (input.ConsumeIntegralInRange<int>(0, 4)) {
        case 0:
            dispatch(effect, input);
            break;
        case 1: {
            const int32_t index = input.ConsumeIntegralInRange<int32_t>(-2, kNumParameters + 2);
            effect->setParameter(effect, index, anyFloat(input));
            break;
        }
        case 2:
            effect->getParameter(effect, input.ConsumeIntegral<int32_t>());
            break;
        case 3:
            render(effect, input, true);
            break;
        case 4:
            render(effect, input, false);
            break;
        }
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);  // destroys the effect
    return 0;
}
