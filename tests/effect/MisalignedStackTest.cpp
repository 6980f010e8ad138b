// 32-bit Windows hosts built with other compilers call plug-ins with the stack aligned to 4 bytes
// only. Every entry point must work, and give the same results, when entered 4, 8 or 12 bytes off
// a 16-byte boundary: nothing in the module may rely on an aligned incoming stack.
#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "effect/ParameterTable.h"
#include "tests/support/LoadedModule.h"
#include "tests/support/PluginCalls.h"
#include "tests/support/RecordingHost.h"

// Calls the cdecl `function` with `count` 32-bit arguments, the stack pointer `misalignment` bytes
// below a 16-byte boundary at the call.
extern "C" intptr_t __cdecl callWithMisalignedStack(const void* function, int32_t misalignment, int32_t count,
                                                     const intptr_t* arguments);

asm(R"(
    .text
    .globl _callWithMisalignedStack
_callWithMisalignedStack:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    movl 16(%ebp), %ecx
    movl 20(%ebp), %esi
    leal 0(,%ecx,4), %eax
    subl %eax, %esp
    andl $-16, %esp
    subl 12(%ebp), %esp
    movl %esp, %edi
    cld
    rep movsl
    movl 8(%ebp), %eax
    call *%eax
    leal -8(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebp
    ret
)");

namespace {

intptr_t floatBits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return static_cast<intptr_t>(bits);
}

// Drives one instance either directly or through misaligned calls.
class Caller {
public:
    explicit Caller(int32_t misalignment) : misalignment(misalignment) {}

    AEffect* create(VstMainFunction main, HostCallback callback) const {
        if (misalignment == 0) return main(callback);
        const intptr_t arguments[] = {reinterpret_cast<intptr_t>(callback)};
        return reinterpret_cast<AEffect*>(call(reinterpret_cast<const void*>(main), arguments, 1));
    }
    intptr_t dispatch(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) const {
        if (misalignment == 0) return effect->dispatcher(effect, opcode, index, value, ptr, opt);
        const intptr_t arguments[] = {reinterpret_cast<intptr_t>(effect), opcode, index, value,
                                      reinterpret_cast<intptr_t>(ptr), floatBits(opt)};
        return call(reinterpret_cast<const void*>(effect->dispatcher), arguments, 6);
    }
    void setParameter(AEffect* effect, int32_t index, float value) const {
        if (misalignment == 0) return effect->setParameter(effect, index, value);
        const intptr_t arguments[] = {reinterpret_cast<intptr_t>(effect), index, floatBits(value)};
        call(reinterpret_cast<const void*>(effect->setParameter), arguments, 3);
    }
    void render(AEffect* effect, bool replacing, float** inputs, float** outputs, int32_t frames) const {
        ProcessProc process = replacing ? effect->processReplacing : effect->process;
        if (misalignment == 0) return process(effect, inputs, outputs, frames);
        const intptr_t arguments[] = {reinterpret_cast<intptr_t>(effect), reinterpret_cast<intptr_t>(inputs),
                                      reinterpret_cast<intptr_t>(outputs), frames};
        call(reinterpret_cast<const void*>(process), arguments, 4);
    }

private:
    intptr_t call(const void* function, const intptr_t* arguments, int32_t count) const {
        return callWithMisalignedStack(function, misalignment, count, arguments);
    }
    int32_t misalignment;
};

struct Session {
    std::vector<float> output;
    std::string display;
};

// Creates an instance, changes the sample rate and a few parameters between blocks, renders in
// both modes, reads a display text and closes the instance.
Session runSession(const LoadedModule& module, const Caller& caller) {
    RecordingHost host;
    Session session;
    AEffect* effect = caller.create(module.mainEntry(), host.callback());
    EXPECT_NE(effect, nullptr);
    if (!effect) return session;
    caller.dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    caller.dispatch(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

    constexpr int32_t kBlock = 128;
    std::vector<float> in0(kBlock), in1(kBlock), out0(kBlock), out1(kBlock);
    float* inputs[2] = {in0.data(), in1.data()};
    float* outputs[2] = {out0.data(), out1.data()};
    for (int block = 0; block < 40; ++block) {
        if (block == 10) caller.setParameter(effect, kQuality, 1.0f);
        if (block == 20) caller.setParameter(effect, kAzimuthSlider, 0.3f);
        if (block == 30) caller.setParameter(effect, kElevationSlider, 0.8f);
        for (int32_t i = 0; i < kBlock; ++i) {
            in0[i] = static_cast<float>((block * kBlock + i) % 97) / 97.0f - 0.5f;
            in1[i] = static_cast<float>((block * kBlock + i) % 61) / 61.0f - 0.5f;
        }
        std::fill(out0.begin(), out0.end(), 0.0f);
        std::fill(out1.begin(), out1.end(), 0.0f);
        caller.render(effect, block % 2 == 0, inputs, outputs, kBlock);
        session.output.insert(session.output.end(), out0.begin(), out0.end());
        session.output.insert(session.output.end(), out1.begin(), out1.end());
    }
    char text[64] = {};
    caller.dispatch(effect, effGetParamDisplay, kAzimuthSlider, 0, text, 0.0f);
    session.display = text;
    EXPECT_EQ(caller.dispatch(effect, effClose, 0, 0, nullptr, 0.0f), 1);
    return session;
}

TEST(MisalignedStackTest, EveryEntryPointWorksAndAgreesOnAFourByteAlignedStack) {
    LoadedModule module(pathBesideExecutable(SPATIALISER_MODULE));
    ASSERT_TRUE(module.isLoaded()) << module.loadError();
    ASSERT_NE(module.mainEntry(), nullptr);

    const Session aligned = runSession(module, Caller(0));
    ASSERT_EQ(aligned.display, "0.30000");
    for (int32_t misalignment : {4, 8, 12}) {
        const Session misaligned = runSession(module, Caller(misalignment));
        EXPECT_EQ(misaligned.display, aligned.display) << misalignment;
        ASSERT_EQ(misaligned.output.size(), aligned.output.size());
        EXPECT_EQ(std::memcmp(misaligned.output.data(), aligned.output.data(), aligned.output.size() * sizeof(float)), 0)
            << "misaligned by " << misalignment;
    }
}

}  // namespace
