// The editor with a frame: reports the editor rectangle, passes keys and wheel turns to the frame,
// repaints the frame at idle, and pumps idle calls while a control tracks a drag.
#pragma once

#include <cstdint>

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

    ERect editorRect = {0, 0, 0, 0};  // filled by the derived editor
    CGuiFrame* frame = nullptr;       // exists between the derived editor's open and close
    uint32_t nextIdleTime;            // millisecond tick of the next pumped idle
    bool inIdlePump = false;          // the pump is calling the host
};
