#include "shell/EntryFunctions.h"

#include "shell/AEffPlugin.h"

namespace {

// A host that calls through a null record gets the neutral answer instead of a crash.
AEffPlugin* pluginOf(AEffect* effect) {
    return effect ? static_cast<AEffPlugin*>(effect->object) : nullptr;
}

}  // namespace

intptr_t VSTCALL dispatcherEntry(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    AEffPlugin* plugin = pluginOf(effect);
    if (!plugin) return 0;
    if (opcode != effClose) return plugin->dispatcher(opcode, index, value, ptr, opt);

    // The record lives inside the object: after the delete the host must not touch it again.
    plugin->dispatcher(opcode, index, value, ptr, opt);
    delete plugin;
    return 1;
}

void VSTCALL processEntry(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames) {
    if (AEffPlugin* plugin = pluginOf(effect)) plugin->process(inputs, outputs, sampleFrames);
}

void VSTCALL processReplacingEntry(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames) {
    if (AEffPlugin* plugin = pluginOf(effect)) plugin->processReplacing(inputs, outputs, sampleFrames);
}

void VSTCALL setParameterEntry(AEffect* effect, int32_t index, float value) {
    if (AEffPlugin* plugin = pluginOf(effect)) plugin->setParameter(index, value);
}

float VSTCALL getParameterEntry(AEffect* effect, int32_t index) {
    AEffPlugin* plugin = pluginOf(effect);
    return plugin ? plugin->getParameter(index) : 0.0f;
}
