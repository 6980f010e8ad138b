// The plain editor: remembers the effect and the host window and answers every query with a
// neutral value. The dispatcher's editor opcodes talk only to this interface.
#pragma once

#include <atomic>

#include "shell/vst2.h"

class AEffPluginX;

class AEffEditorBase {
public:
    // Registers itself as the effect's editor and sets the record's has-editor flag.
    explicit AEffEditorBase(AEffPluginX* effect);
    virtual ~AEffEditorBase();

    // Virtual operations in the order of their table slots.
    virtual intptr_t getEditorRect(ERect** rect);
    virtual intptr_t open(void* window);
    virtual void close();
    virtual void idle();
    virtual void onUpdate();
    virtual void postUpdate();
    virtual int32_t keyDown(VstKeyCode& keyCode);
    virtual int32_t keyUp(VstKeyCode& keyCode);
    virtual int32_t setKnobMode(int32_t mode);
    virtual bool wheelTurned(float distance);

    AEffPluginX* effect;
    void* systemWindow;
    // Raised by parameter changes on any thread (the audio thread included), taken by idle.
    std::atomic<int32_t> updatePending;

private:
    AEffEditorBase(const AEffEditorBase&) = delete;
    AEffEditorBase& operator=(const AEffEditorBase&) = delete;
};
