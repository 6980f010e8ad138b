#include "lv2/Lv2Descriptor.h"

#include <new>

#include "lv2/Lv2Plugin.h"
#include "lv2/PortTable.h"

namespace {

Lv2Plugin* pluginOf(LV2_Handle instance) { return static_cast<Lv2Plugin*>(instance); }

// The plug-in needs no feature of the host, so it looks at none.
LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*, const LV2_Feature* const*) {
    if (!Lv2Plugin::acceptsSampleRate(sampleRate)) return nullptr;
    return new (std::nothrow) Lv2Plugin(sampleRate);
}

void connectPort(LV2_Handle instance, uint32_t port, void* data) { pluginOf(instance)->connectPort(port, data); }

void activate(LV2_Handle instance) { pluginOf(instance)->activate(); }

void run(LV2_Handle instance, uint32_t frames) { pluginOf(instance)->run(frames); }

// Nothing to let go of: the next activate starts afresh anyway.
void deactivate(LV2_Handle) {}

void cleanup(LV2_Handle instance) { delete pluginOf(instance); }

const void* extensionData(const char*) { return nullptr; }

const LV2_Descriptor kDescriptor = {kPluginUri, instantiate, connectPort, activate, run, deactivate, cleanup,
                                    extensionData};

}  // namespace

const LV2_Descriptor* spatialiserDescriptor() { return &kDescriptor; }
