// The UI binary's one export: the descriptor of the editor UI, and the C entry points it holds.
#include <lv2/ui/ui.h>

#include <cstring>

#include "lv2/PortTable.h"
#include "lv2/ui/SpatialiserUi.h"

namespace {

SpatialiserUi* uiOf(LV2UI_Handle handle) { return static_cast<SpatialiserUi*>(handle); }

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features) {
    if (!pluginUri || std::strcmp(pluginUri, kPluginUri) != 0 || !widget) return nullptr;
    try {
        std::unique_ptr<SpatialiserUi> ui = SpatialiserUi::open(write, controller, readUiHostFeatures(features));
        if (!ui) return nullptr;
        *widget = ui->widget();
        return ui.release();
    } catch (...) {
        // No exception may leave the binary: a failed allocation opens no UI.
        return nullptr;
    }
}

void cleanup(LV2UI_Handle handle) { delete uiOf(handle); }

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer) {
    uiOf(handle)->portEvent(port, bufferSize, format, buffer);
}

int idle(LV2UI_Handle handle) { return uiOf(handle)->idle(); }

const LV2UI_Idle_Interface kIdleInterface = {idle};

// The UI reports no options; the host may set ui:scaleFactor while it is open.
uint32_t getOptions(LV2_Handle, LV2_Options_Option*) { return LV2_OPTIONS_ERR_UNKNOWN; }

uint32_t setOptions(LV2_Handle handle, const LV2_Options_Option* options) {
    return uiOf(handle)->setOptions(options);
}

const LV2_Options_Interface kOptionsInterface = {getOptions, setOptions};

const void* extensionData(const char* uri) {
    if (!uri) return nullptr;
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0) return &kIdleInterface;
    if (std::strcmp(uri, LV2_OPTIONS__interface) == 0) return &kOptionsInterface;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace

extern "C" __attribute__((visibility("default"))) const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
