// The effect with its editor on the soft desktop: a host window, the editor opened in it and
// painted once, the mouse and keys scripted, the host's calls recorded. The test skin gives every
// control, strip image and marker image a flat colour of its own (bitmaps/make_test_skin.py).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "editor/CEffectEditor.h"
#include "effect/CEffect.h"
#include "gui/CGuiFrame.h"
#include "gui/CGuiSkinControl.h"
#include "platform/platform.h"
#include "platform/soft/desktop.h"
#include "tests/support/RecordingHost.h"

namespace editor_test {

constexpr platform::Colour rgb(int red, int green, int blue) {
    return platform::makeColour(static_cast<uint8_t>(red), static_cast<uint8_t>(green), static_cast<uint8_t>(blue));
}
// Colours of the test skin.
constexpr platform::Colour kDiscColour = rgb(0, 0, 128);
constexpr platform::Colour kSectorColour = rgb(255, 128, 0);
constexpr platform::Colour kKeyColour = rgb(255, 255, 255);
inline platform::Colour markerColour(int image) { return rgb(10 * image, 200, 100); }
inline platform::Colour knobColour(int image) { return rgb(8 * image, 0, 200); }
inline platform::Colour switchColour(int image) { return rgb(0, 50 + 100 * image, 0); }

// Rows of the layout table.
enum Row {
    kRowView = 0,
    kRowLinkedDepth = 1,
    kRowMenu = 5,
    kRowAzimuthSlider = 6,
    kRowAzimuthReadout = 7,
    kRowDistanceSlider = 8,
    kRowDistanceReadout = 9,
    kRowAzimuthDepthKnob = 12,
    kRowAzimuthDepthReadout = 13,
    kRowAzimuthSpeedKnob = 14,
    kRowSwitch = 16,
    kRowQualityButton = 22,
};

struct Gesture {
    int32_t opcode;  // audioMasterBeginEdit, audioMasterEndEdit or audioMasterAutomate
    int32_t index;
    float value;     // automation only
    bool operator==(const Gesture& other) const {
        return opcode == other.opcode && index == other.index && value == other.value;
    }
};
std::ostream& operator<<(std::ostream& out, const Gesture& gesture);
inline Gesture begin(int32_t index) { return {audioMasterBeginEdit, index, 0.0f}; }
inline Gesture end(int32_t index) { return {audioMasterEndEdit, index, 0.0f}; }
inline Gesture automate(int32_t index, float value) { return {audioMasterAutomate, index, value}; }

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the editor in the host window and lets the first paint happen.
    void openEditor();
    void closeEditor() { effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f); }
    void idle() { effect->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f); }
    // One idle at least 100 ms after the last tick.
    void tickIdle();
    void focusEditor() { platform::soft::setFocusWindow(window()); }

    platform::Window* window() const { return editor->frame ? editor->frame->childWindow : nullptr; }
    platform::Colour pixel(int x, int y) const { return platform::soft::windowPixel(window(), x, y); }
    CGuiSkinControl* control(int row) const { return editor->controls[row]; }
    // Frame coordinates: logical pixels, on the screen at `screenScale` (where the editor opens
    // when nothing else chooses, see openAtScale).
    void moveMouse(CGuiPoint point);
    platform::Point devicePoint(CGuiPoint point) const;
    void openAtScale(float scale);

    // A left-button drag from `start` through `path`, one point per sleep of the drag loop's idle
    // pump; the button goes up after the last point. `buttons` are held with the left button.
    void drag(CGuiPoint start, std::vector<CGuiPoint> path, std::vector<platform::Key> buttons = {});
    void ctrlClick(CGuiPoint point);

    // Edits and automation the host received since the last forgetHostCalls.
    std::vector<Gesture> gestures() const;
    std::vector<Gesture> automationOf(int32_t index) const;
    void forgetHostCalls() { host.calls.clear(); }

    RecordingHost host;
    std::unique_ptr<CEffect> effect;
    CEffectEditor* editor = nullptr;
    platform::Window* hostWindow = nullptr;
    float screenScale = 1.0f;
};

}  // namespace editor_test
