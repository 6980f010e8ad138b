// A test editor that records every operation the dispatcher's editor opcodes reach and answers
// with a value the test chooses.
#pragma once

#include <string>
#include <vector>

#include "shell/AEffEditorBase.h"

class RecordingEditor : public AEffEditorBase {
public:
    using AEffEditorBase::AEffEditorBase;

    std::vector<std::string> calls;
    intptr_t answer = 0;

    intptr_t getEditorRect(ERect** rect) override;
    intptr_t open(void* window) override;
    void close() override;
    void idle() override;
    int32_t keyDown(VstKeyCode& keyCode) override;
    int32_t keyUp(VstKeyCode& keyCode) override;
    int32_t setKnobMode(int32_t mode) override;
};
