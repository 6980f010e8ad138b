#include "tests/shell/test_effect/RecordingEditor.h"

#include "tests/shell/test_effect/CallText.h"

intptr_t RecordingEditor::getEditorRect(ERect** rect) {
    calls.push_back(callText("getEditorRect", rect));
    return answer;
}

intptr_t RecordingEditor::open(void* window) {
    calls.push_back(callText("open", window));
    return answer;
}

void RecordingEditor::close() { calls.push_back(callText("close")); }
void RecordingEditor::idle() { calls.push_back(callText("idle")); }

// The key record is written out field by field: character, virtual key, modifier.
int32_t RecordingEditor::keyDown(VstKeyCode& keyCode) {
    calls.push_back(callText("keyDown", keyCode.character, keyCode.virt, keyCode.modifier));
    return static_cast<int32_t>(answer);
}

int32_t RecordingEditor::keyUp(VstKeyCode& keyCode) {
    calls.push_back(callText("keyUp", keyCode.character, keyCode.virt, keyCode.modifier));
    return static_cast<int32_t>(answer);
}

int32_t RecordingEditor::setKnobMode(int32_t mode) {
    calls.push_back(callText("setKnobMode", mode));
    return static_cast<int32_t>(answer);
}
