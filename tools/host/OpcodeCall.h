// The objects of one dispatcher call, made from what the opcode table says the opcode takes, and
// alive until the call has returned and been checked: texts the size hosts give, records of their
// published size, each guarded by canaries.
#pragma once

#include "GuardedMemory.h"
#include "OpcodeTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

class CallObjects {
public:
    // `textIn` is the text handed to an opcode that reads one; `window` the editor's parent.
    CallObjects(int32_t opcode, const char* textIn, void* window);

    void* ptr() const { return ptr_; }
    // The value argument: `chosen`, unless the pointer's object fixes it.
    intptr_t value(intptr_t chosen) const { return info_.value == Value::Any ? chosen : value_; }
    // Throws CheckFailed for a write outside an object or an answer that points nowhere; reports a
    // warning for a text past its published size.
    void check(intptr_t answer, const std::string& what);
    // What effGetChunk answered, once checked.
    const std::vector<unsigned char>& chunk() const { return chunk_; }

private:
    const OpcodeInfo& info_;
    GuardedBuffer buffer_;
    GuardedBuffer second_;
    GuardedText text_;
    void* ptr_ = nullptr;
    intptr_t value_ = 0;
    std::vector<unsigned char> chunk_;
};

// "effGetParamName (8) with index 0, value 0, opt 0.000000"
std::string describeCall(int32_t opcode, int32_t index, intptr_t value, float opt);

}  // namespace host
