// What each dispatcher opcode 0..80 takes: the kind of object its pointer argument points to, the
// published size of that object, and what its value argument means. A host must hand every
// pointer opcode a valid object of that kind, or the module cannot be blamed for what happens.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

constexpr int32_t kLastOpcode = 80;

// Published text sizes, terminator included.
constexpr size_t kParameterTextSize = 9;  // 8 characters
constexpr size_t kProgramNameSize = 24;   // 23 characters
constexpr size_t kStringSize = 64;        // names, vendor and product strings

enum class Pointer {
    None,
    TextOut,      // a text buffer of `size` bytes the module fills
    TextIn,       // a terminated text the module reads
    RectOut,      // a slot where the module stores a pointer to its ERect
    RectIn,       // an ERect the module reads
    Window,       // the parent window for the editor
    ChunkOut,     // a slot where the module stores a pointer to its chunk
    ChunkIn,      // `size` bytes of chunk data; the value is their count
    Events,       // a VstEvents list holding no events
    Object,       // a record of `size` bytes the module reads or fills
    Arrangements, // speaker arrangements: the value and the pointer each point to one
    ArrangementSlots,  // the value and the pointer each point to a slot for an arrangement pointer
};

// How the value argument may be chosen: freely, or fixed by the pointer's object.
enum class Value { Any, Size, Count, Pointer };

// When a host that follows the interface's rules sends the opcode.
enum class Call {
    Any,        // at any time after effOpen
    Suspended,  // between a suspend and a resume: rates, block sizes, arrangements, precision
    Mains,      // effMainsChanged itself: a suspend, then a resume
    Editor,     // only to a module with an editor, while it is open in a real window
    Chunks,     // only to a module whose record says it keeps chunks
    Offline,    // only to a module that says it can do "offline"
    Shell,      // only to a module of the shell category
    Never,      // effOpen and effClose a second time, numbers the interface does not define
};

// What the index argument counts.
enum class Index { Any, Parameter, Program, Input, Output };

struct OpcodeInfo {
    const char* name;
    Pointer pointer;
    size_t size;  // bytes of the object, for TextOut, ChunkIn and Object
    Value value;
    Call call = Call::Any;
    Index index = Index::Any;
};

// For 0..kLastOpcode; other numbers get an entry that takes nothing.
const OpcodeInfo& opcodeInfo(int32_t opcode);

// Sizes of the published records handed to the module.
constexpr size_t kSpeakerArrangementSize = 8 + 8 * 112;  // type, count, eight speakers
constexpr int32_t kStereoArrangement = 1;

}  // namespace host
