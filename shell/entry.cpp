// The module's entry point: `main` creates one effect per call and hands its record to the host.
// Compiled into every module by add_plugin_module; exported as `main` by an assembler label on
// Linux and by the module definition files on Windows.
#include "shell/AEffPlugin.h"
#include "shell/PluginFactory.h"

#if defined(_WIN32)
extern "C" AEffect* VSTCALL vstMainEntry(HostCallback hostCallback);
#else
extern "C" __attribute__((visibility("default"))) AEffect* vstMainEntry(HostCallback hostCallback) __asm__("main");
#endif

extern "C" AEffect* VSTCALL vstMainEntry(HostCallback hostCallback) {
    // Without a callback the host's version cannot be asked: refuse the load.
    if (!hostCallback) return nullptr;
    if (hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;

    AEffPlugin* effect = nullptr;
    try {
        effect = createEffectInstance(hostCallback);
    } catch (...) {
        // No exception may leave the module: a failed allocation or construction refuses the load.
        return nullptr;
    }
    if (!effect) return nullptr;
    // An instance is never handed to the host without an editor.
    if (!effect->editor) {
        delete effect;
        return nullptr;
    }
    return &effect->effectRecord;
}
