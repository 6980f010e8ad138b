#include "OpcodeCall.h"

#include "ValidationHost.h"

#include <cstring>

namespace host {
namespace {

size_t objectSize(const OpcodeInfo& info, const char* textIn) {
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
    case Pointer::TextIn:
        return std::strlen(textIn) + 1;
    case Pointer::TextOut:
        return 0;  // the text buffer is separate
    default:
        return info.size;
    }
}

}  // namespace

CallObjects::CallObjects(int32_t opcode, const char* textIn, void* window)
    : info_(opcodeInfo(opcode)),
      buffer_(objectSize(info_, textIn)),
      second_(info_.pointer == Pointer::Arrangements ? kSpeakerArrangementSize : sizeof(void*)),
      text_(info_.pointer == Pointer::TextOut ? info_.size : 0) {
    switch (info_.pointer) {
    case Pointer::None:
        break;
    case Pointer::TextOut:
        ptr_ = text_.data();
        break;
    case Pointer::TextIn:
        std::memcpy(buffer_.data(), textIn, buffer_.size());
        ptr_ = buffer_.data();
        break;
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
    if (info_.value == Value::Size) value_ = static_cast<intptr_t>(info_.size);
    if (info_.value == Value::Count) value_ = 0;
}

void CallObjects::check(intptr_t answer, const std::string& what) {
    switch (info_.pointer) {
    case Pointer::None:
    case Pointer::Window:
        return;
    case Pointer::TextOut:
        text_.check(info_.name, what);
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
        if (answer > 0) chunk_.assign(chunk, chunk + answer);
        return;
    }
    default:
        buffer_.checkGuards(what);
        return;
    }
}

std::string describeCall(int32_t opcode, int32_t index, intptr_t value, float opt) {
    return std::string(opcodeInfo(opcode).name) + " (" + std::to_string(opcode) + ") with index " + std::to_string(index) +
           ", value " + std::to_string(value) + ", opt " + std::to_string(opt);
}

}  // namespace host
