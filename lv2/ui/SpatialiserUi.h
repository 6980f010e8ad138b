// The LV2 UI: the effect's own editor, embedded in the host's window. A CEffect of its own is
// the model the editor shows and edits: port events set its parameters as a VST host's
// setParameter would, and the automation and edit gestures it reports to its host callback
// become the host's port writes and touch calls. It never reaches into the plug-in instance,
// so the host may run the two in different processes.
#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>
#include <memory>

#include "lv2/ui/UiHostFeatures.h"
#include "shell/vst2.h"

class CEffect;

class SpatialiserUi {
public:
    // Null when the host gave no window to embed in or the editor could not open in it.
    static std::unique_ptr<SpatialiserUi> open(LV2UI_Write_Function write, LV2UI_Controller controller,
                                               const UiHostFeatures& host);
    ~SpatialiserUi();

    // The editor's X11 window, what the host embeds.
    LV2UI_Widget widget() const { return widget_; }
    // A value of a control port from the host: the editor shows it at its next idle.
    void portEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer);
    // The host's idle stands in for the editor idle a VST host sends; non-zero once the
    // editor's window is gone (the host destroyed its own window around it).
    int idle();
    // The host's ui:scaleFactor, at instantiation or later through the options interface: the
    // editor draws at that scale unless the person chose one. False for a factor it cannot take.
    bool setScaleFactor(float factor);
    // Options the host changes while the UI is open; only ui:scaleFactor is known.
    uint32_t setOptions(const LV2_Options_Option* options);

private:
    SpatialiserUi(LV2UI_Write_Function write, LV2UI_Controller controller, const UiHostFeatures& host);
    bool openEditor();
    static intptr_t VSTCALL hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                         float opt);
    intptr_t answer(int32_t opcode, int32_t index, intptr_t value, float opt);
    void touch(int32_t parameter, bool grabbed);

    LV2UI_Write_Function write_;
    LV2UI_Controller controller_;
    UiHostFeatures host_;
    std::unique_ptr<CEffect> effect_;
    LV2UI_Widget widget_ = nullptr;
};
