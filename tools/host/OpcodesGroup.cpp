// opcodes: every dispatcher opcode 0..80 (effClose last, once) with zero, random and extreme index,
// value and opt; each pointer argument a valid object of its kind and published size, guarded by
// canaries; the editor opened in a window that does not exist and, with a display, in a real one.
#include "HostWindow.h"
#include "OpcodeTable.h"
#include "ValidationAudio.h"
#include "ValidationGroups.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace host {
namespace {

struct Arguments {
    int32_t index;
    intptr_t value;
    float opt;
};

std::vector<Arguments> argumentVariants() {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    std::vector<Arguments> variants = {{0, 0, 0.0f}};
    std::mt19937_64 random(14);
    for (int i = 0; i < 3; ++i) {
        variants.push_back({static_cast<int32_t>(random()), static_cast<intptr_t>(random()),
                            std::ldexp(static_cast<float>(random() % 2001) / 1000.0f - 1.0f, static_cast<int>(random() % 40))});
    }
    variants.push_back({std::numeric_limits<int32_t>::max(), std::numeric_limits<intptr_t>::max(), kInfinity});
    variants.push_back({std::numeric_limits<int32_t>::min(), std::numeric_limits<intptr_t>::min(), -kInfinity});
    variants.push_back({-1, -1, std::numeric_limits<float>::quiet_NaN()});
    variants.push_back({1, 1, 1e30f});
    return variants;
}

const char* const kInputTexts[] = {"Validator 0123456789abc", "", "receiveVstEvents",
                                   "a text far longer than any buffer a module keeps for one, to see that it is cut"};

// The objects of one call, alive until the call has returned and been checked.
class CallObjects {
public:
    CallObjects(const OpcodeInfo& info, int variant, void* window) : info_(info), buffer_(objectSize(info)) {
        switch (info.pointer) {
        case Pointer::None:
            break;
        case Pointer::TextIn: {
            const char* text = kInputTexts[variant % 4];
            buffer_ = GuardedBuffer(std::strlen(text) + 1);
            std::memcpy(buffer_.data(), text, buffer_.size());
            ptr_ = buffer_.data();
            break;
        }
        case Pointer::Window:
            ptr_ = window;
            break;
        case Pointer::Arrangements:
            for (GuardedBuffer* arrangement : {&buffer_, &second_}) {
                const int32_t stereo[2] = {kStereoArrangement, 2};
                std::memcpy(arrangement->data(), stereo, sizeof stereo);
            }
            value_ = reinterpret_cast<intptr_t>(second_.data());
            ptr_ = buffer_.data();
            break;
        case Pointer::ArrangementSlots:
            value_ = reinterpret_cast<intptr_t>(second_.data());
            ptr_ = buffer_.data();
            break;
        default:
            ptr_ = buffer_.data();
            break;
        }
        if (info.value == Value::Size) value_ = static_cast<intptr_t>(info.size);
        if (info.value == Value::Count) value_ = 0;
    }

    void* ptr() const { return ptr_; }
    intptr_t value(intptr_t chosen) const { return info_.value == Value::Any ? chosen : value_; }

    void check(intptr_t answer, const std::string& what) {
        switch (info_.pointer) {
        case Pointer::None:
        case Pointer::Window:
            return;
        case Pointer::TextOut:
            buffer_.checkText(what);
            return;
        case Pointer::Arrangements:
        case Pointer::ArrangementSlots:
            second_.checkGuards(what);
            buffer_.checkGuards(what);
            return;
        case Pointer::RectOut: {
            buffer_.checkGuards(what);
            ERect* rect = nullptr;
            std::memcpy(&rect, buffer_.data(), sizeof rect);
            if (rect && (rect->right < rect->left || rect->bottom < rect->top))
                throw CheckFailed(what + " gave an editor rectangle with a negative size");
            return;
        }
        case Pointer::ChunkOut: {
            buffer_.checkGuards(what);
            const unsigned char* chunk = nullptr;
            std::memcpy(&chunk, buffer_.data(), sizeof chunk);
            if (answer > 0 && !chunk) throw CheckFailed(what + " answered a chunk of " + std::to_string(answer) + " bytes but no data");
            // The chunk must be readable to its end: a bad pointer or size crashes here, in the group.
            if (answer > 0) {
                volatile unsigned char ends = chunk[0] ^ chunk[answer - 1];
                (void)ends;
            }
            return;
        }
        default:
            buffer_.checkGuards(what);
            return;
        }
    }

private:
    static size_t objectSize(const OpcodeInfo& info) {
        switch (info.pointer) {
        case Pointer::RectOut:
        case Pointer::ChunkOut:
        case Pointer::ArrangementSlots:
            return sizeof(void*);
        case Pointer::RectIn:
            return sizeof(ERect);
        case Pointer::Events:
            return 2 * sizeof(intptr_t) + 2 * sizeof(void*);  // a list of no events
        case Pointer::Arrangements:
            return kSpeakerArrangementSize;
        default:
            return info.size;
        }
    }

    const OpcodeInfo& info_;
    GuardedBuffer buffer_;
    GuardedBuffer second_{info_.pointer == Pointer::Arrangements ? kSpeakerArrangementSize : sizeof(void*)};
    void* ptr_ = nullptr;
    intptr_t value_ = 0;
};

std::string describe(int32_t opcode, const Arguments& arguments, intptr_t value) {
    return std::string(opcodeInfo(opcode).name) + " (" + std::to_string(opcode) + ") with index " +
           std::to_string(arguments.index) + ", value " + std::to_string(value) + ", opt " + std::to_string(arguments.opt);
}

void sweep(Instance& instance) {
    const std::vector<Arguments> variants = argumentVariants();
    for (int32_t opcode = 0; opcode <= kLastOpcode; ++opcode) {
        if (opcode == effClose) continue;
        for (size_t v = 0; v < variants.size(); ++v) {
            const Arguments& arguments = variants[v];
            CallObjects objects(opcodeInfo(opcode), static_cast<int>(v), missingWindow());
            const intptr_t value = objects.value(arguments.value);
            const std::string what = describe(opcode, arguments, value);
            noteStep(what);
            const intptr_t answer = instance.dispatch(opcode, arguments.index, value, objects.ptr(), arguments.opt);
            objects.check(answer, what);
            if (opcode == effEditOpen) instance.dispatch(effEditClose);
        }
        // The next opcode meets a sound state again.
        instance.dispatch(effSetSampleRate, 0, 0, nullptr, kValidationSampleRate);
        instance.dispatch(effSetBlockSize, 0, kValidationBlockSize);
    }
}

}  // namespace

std::string checkOpcodes(const GroupContext& context) {
    ModuleLibrary library(context.module);
    Instance instance(library);
    sweep(instance);

    noteStep("rendering after the sweep");
    instance.restart(kValidationSampleRate, kValidationBlockSize);
    GuardedChannels inputs(instance.effect().numInputs, kValidationBlockSize);
    GuardedChannels outputs(instance.effect().numOutputs, kValidationBlockSize);
    fillTestSignal(inputs, 0);
    renderCall(instance.effect(), canReplace(instance.effect()), inputs, outputs, kValidationBlockSize, "rendering after the sweep");
    checkOutput(outputs, kValidationBlockSize, false, "rendering after the sweep");

    std::string note;
    if (instance.effect().flags & effFlagsHasEditor) {
        std::string reason;
        const auto window = HostWindow::open(reason);
        if (window) {
            noteStep("effEditOpen in a real window");
            instance.dispatch(effEditOpen, 0, 0, window->handle());
            instance.dispatch(effEditIdle);
            instance.dispatch(effEditClose);
            window->children();
        } else {
            note = "effEditOpen in a real window skipped: " + reason;
        }
    }
    noteStep("effClose");
    return note;
}

}  // namespace host
