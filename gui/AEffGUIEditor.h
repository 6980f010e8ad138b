// The editor with a frame: reports the editor rectangle, passes keys and wheel turns to the frame,
// repaints the frame at idle, and pumps idle calls while a control tracks a drag.
#pragma once

#include <cstdint>
#include <string>

#include "gui/CGuiGeometry.h"
#include "gui/CGuiScale.h"
#include "gui/ScaleSources.h"
#include "shell/AEffEditorBase.h"

class CGuiFrame;

class AEffGUIEditor : public AEffEditorBase {
public:
    explicit AEffGUIEditor(AEffPluginX* effect);
    ~AEffGUIEditor() override;

    intptr_t getEditorRect(ERect** rect) override;
    intptr_t open(void* window) override;
    void idle() override;
    int32_t keyDown(VstKeyCode& keyCode) override;
    int32_t keyUp(VstKeyCode& keyCode) override;
    int32_t setKnobMode(int32_t mode) override;
    bool wheelTurned(float distance) override;

    // Added slots, in table order.
    virtual void setParameter(int32_t index, float value);
    virtual void repaintAll();
    // Called on every pass of a control's drag loop: sleeps a little, and about every 50 ms runs
    // the editor's idle, one pending paint and the host's idle.
    virtual void idlePump();

    // ---- Screen scale ----
    // The host's content scale (1 to 3; 0 withdraws it), open or not: the VST 2 host's 'PreS'
    // call and the LV2 UI's ui:scaleFactor both end here. Below the person's choice, above the
    // system's scale. Answers whether the factor was taken.
    bool setHostContentScale(float factor);
    // The person's choice from the zoom menu (0: automatic), kept for the next sessions.
    void setUserScale(float factor);
    // The scale the editor opens at now, from every source (`hostWindow` for the system's).
    CGuiScale chooseEditorScale(void* hostWindow);
    // The zoom menu, opened by a right click on the panel where no control is.
    void showScaleMenu(const CGuiPoint& point);
    // The settings file the person's choice is kept in; tests point it elsewhere.
    std::string settingsFile = scaleSettingsFile();

    ERect editorRect = {0, 0, 0, 0};  // filled by the derived editor, in logical pixels
    CGuiFrame* frame = nullptr;       // exists between the derived editor's open and close
    uint32_t nextIdleTime;            // millisecond tick of the next pumped idle
    bool inIdlePump = false;          // the pump is calling the host

private:
    // The scale changed while the editor may be open: the host is asked for the new size, and
    // the frame takes the scale when the host agrees; otherwise the next open does.
    void applyScale();

    float hostScale_ = 0.0f;
    ERect scaledRect_ = {0, 0, 0, 0};  // what effEditGetRect answers
};
