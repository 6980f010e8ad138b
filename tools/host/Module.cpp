#include "Module.h"

#include "HostError.h"

#include <dlfcn.h>

#include <cstdio>

namespace host {
namespace {

using EntryPoint = AEffect*(VSTCALL*)(HostCallback);

// A record with more pins or parameters than this is not taken at its word.
constexpr int32_t kMaxCount = 4096;

std::string hex(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<uint32_t>(value));
    return text;
}

void checkCount(const std::string& path, const char* what, int32_t count) {
    if (count < 0 || count > kMaxCount) {
        throw HostError("module " + path + " reports " + std::to_string(count) + " " + what +
                        ", which is not a sensible number");
    }
}

}  // namespace

Module::Module(const std::string& path) : path_(path) {
    // dlopen searches the library path for a bare name; a user means the file in this folder.
    const std::string loadPath = path.find('/') == std::string::npos ? "./" + path : path;
    library_ = dlopen(loadPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) {
        const char* reason = dlerror();
        throw HostError("cannot load module " + path + ": " + (reason ? reason : "unknown reason"));
    }
    try {
        void* symbol = dlsym(library_, "VSTPluginMain");
        if (symbol == nullptr) symbol = dlsym(library_, "main");
        if (symbol == nullptr) {
            throw HostError("module " + path + " has no VST 2.x entry point (neither VSTPluginMain nor main)");
        }
        const auto entryPoint = reinterpret_cast<EntryPoint>(symbol);
        {
            EntryPointScope scope(context_);
            effect_ = entryPoint(hostCallback);
        }
        if (effect_ == nullptr) throw HostError("module " + path + " did not create an effect (its entry point returned null)");
        if (effect_->magic != kEffectMagic) {
            const int32_t magic = effect_->magic;
            effect_ = nullptr;  // not a record of this interface: nothing to close
            throw HostError("module " + path + " returned a record with the wrong magic " + hex(magic) +
                            " (a VST 2.x effect has 'VstP')");
        }
        if (effect_->dispatcher == nullptr) {
            effect_ = nullptr;
            throw HostError("module " + path + " returned a record without a dispatcher");
        }
        attachContext(*effect_, context_);
        checkCount(path, "inputs", effect_->numInputs);
        checkCount(path, "outputs", effect_->numOutputs);
        checkCount(path, "parameters", effect_->numParams);
        checkCount(path, "programs", effect_->numPrograms);
        dispatch(effOpen);
    } catch (...) {
        if (effect_ != nullptr) effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
        dlclose(library_);
        throw;
    }
}

Module::~Module() {
    effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
    dlclose(library_);
}

intptr_t Module::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void Module::setSampleRateAndBlockSize(float sampleRate, int32_t blockSize) {
    context_.sampleRate = sampleRate;
    context_.blockSize = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
}

}  // namespace host
