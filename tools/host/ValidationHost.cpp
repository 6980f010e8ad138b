#include "ValidationHost.h"

#include <dlfcn.h>

#include <cstdio>

namespace host {
namespace {

constexpr int32_t kMaxSensibleCount = 4096;

intptr_t VSTCALL answerModule(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    HostAnswers& answers = hostAnswers();
    const int slot = opcode >= 0 && opcode < 63 ? opcode : 63;
    ++answers.calls[slot];
    switch (opcode) {
    case audioMasterVersion:
        return answers.version.load();
    case audioMasterGetSampleRate:
        return static_cast<intptr_t>(answers.sampleRate.load());
    case audioMasterGetBlockSize:
        return answers.blockSize.load();
    default:
        return 0;
    }
}

std::string hex(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<uint32_t>(value));
    return text;
}

void checkCount(const char* what, int32_t count) {
    if (count < 0 || count > kMaxSensibleCount)
        throw CheckFailed(std::string("the record reports ") + std::to_string(count) + " " + what);
}

}  // namespace

long HostAnswers::totalCalls() const {
    long total = 0;
    for (const auto& count : calls) total += count.load();
    return total;
}

void HostAnswers::forgetCalls() {
    for (auto& count : calls) count = 0;
}

HostAnswers& hostAnswers() {
    static HostAnswers answers;
    return answers;
}

ModuleLibrary::ModuleLibrary(const std::string& path) {
    const std::string loadPath = path.find('/') == std::string::npos ? "./" + path : path;
    handle_ = dlopen(loadPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        throw CheckFailed("cannot load " + path + ": " + (reason ? reason : "unknown reason"));
    }
    void* symbol = dlsym(handle_, "VSTPluginMain");
    if (!symbol) symbol = dlsym(handle_, "main");
    if (!symbol) {
        dlclose(handle_);
        throw CheckFailed("no entry point (neither VSTPluginMain nor main)");
    }
    entry_ = reinterpret_cast<AEffect* (*)(HostCallback)>(symbol);
}

ModuleLibrary::~ModuleLibrary() { dlclose(handle_); }

AEffect* ModuleLibrary::callEntry() { return entry_(answerModule); }

void checkRecord(const AEffect& effect) {
    if (effect.magic != kEffectMagic) throw CheckFailed("the record's magic is " + hex(effect.magic) + ", not 'VstP'");
    if (!effect.dispatcher) throw CheckFailed("the record has no dispatcher");
    if (!effect.setParameter || !effect.getParameter) throw CheckFailed("the record lacks a parameter function");
    if (!effect.process && !effect.processReplacing) throw CheckFailed("the record has no render function");
    if ((effect.flags & effFlagsCanReplacing) && !effect.processReplacing)
        throw CheckFailed("the record says it can replace but has no processReplacing");
    checkCount("programs", effect.numPrograms);
    checkCount("parameters", effect.numParams);
    checkCount("inputs", effect.numInputs);
    checkCount("outputs", effect.numOutputs);
}

Instance::Instance(ModuleLibrary& library, float sampleRate, int32_t blockSize, bool resumed) {
    effect_ = library.callEntry();
    if (!effect_) throw CheckFailed("the entry point gave no effect");
    checkRecord(*effect_);
    dispatch(effOpen);
    hostAnswers().sampleRate = sampleRate;
    hostAnswers().blockSize = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    blockSize_ = blockSize;
    if (resumed) resume();
}

Instance::~Instance() {
    suspend();
    dispatch(effClose);
}

void Instance::suspend() {
    if (resumed_) dispatch(effMainsChanged, 0, 0);
    resumed_ = false;
}

void Instance::resume() {
    if (!resumed_) dispatch(effMainsChanged, 0, 1);
    resumed_ = true;
}

void Instance::restart(float sampleRate, int32_t blockSize) {
    suspend();
    hostAnswers().sampleRate = sampleRate;
    hostAnswers().blockSize = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    blockSize_ = blockSize;
    resume();
}

}  // namespace host
