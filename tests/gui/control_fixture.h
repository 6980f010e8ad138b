// A frame of controls on the soft desktop, inside an editor whose idle pump runs on the manual
// clock, a listener that behaves like the effect's editor, and scripted input for drag loops.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "gui/AEffGUIEditor.h"
#include "gui/CGuiBitmap.h"
#include "gui/CGuiControl.h"
#include "gui/CGuiFrame.h"
#include "gui_test_support.h"

// Control bitmaps embedded into the test program (tests/gui/bitmaps/make_control_bitmaps.py).
constexpr int kButtonBitmap = 1004;     // 23 x 70: off (200, 0, 0) above on (0, 200, 0)
constexpr int kButtonLitBitmap = 1005;  // 23 x 70: off (0, 0, 200) above on (200, 200, 0)
constexpr int kTrackBitmap = 1006;      // 21 x 142: pixel (x, y) is (8x, y, 60)
constexpr int kHandleBitmap = 1007;     // 18 x 16 yellow, white corners of 2 x 2
constexpr int kPressedBitmap = 1008;    // 65 x 21 (90, 0, 90)

constexpr platform::Colour kButtonOff = platform::makeColour(200, 0, 0);
constexpr platform::Colour kButtonOn = platform::makeColour(0, 200, 0);
constexpr platform::Colour kButtonLitOff = platform::makeColour(0, 0, 200);
constexpr platform::Colour kButtonLitOn = platform::makeColour(200, 200, 0);
constexpr platform::Colour kHandleYellow = platform::makeColour(250, 250, 0);
constexpr platform::Colour kPressed = platform::makeColour(90, 0, 90);
inline platform::Colour trackPixel(int x, int y) {
    return platform::makeColour(static_cast<uint8_t>(8 * x), static_cast<uint8_t>(y), 60);
}

// What the listener saw at each change.
struct Change {
    float value;
    bool withContext;
    bool buttonHeld;  // the left mouse button, at the moment of the call
};

// Records every change and, like the effect's editor, repaints the control at once when it is
// given a context.
class RecordingListener : public CGuiControlListener {
public:
    void valueChanged(CGuiContext* context, CGuiControl* control) override;
    std::vector<Change> changes;
    std::function<void()> onChange;  // runs after the change is recorded
};

// Bitmaps loaded for one test and released at its end.
class Bitmaps {
public:
    CGuiBitmap* get(int resource);
    ~Bitmaps();

private:
    std::vector<CGuiBitmap*> loaded_;
};

// The editor's frame, in a host window whose client area starts at (100, 50) of the screen.
constexpr CGuiRect kFrameRect = {0, 0, 454, 269};
constexpr platform::Rect kHostRect = {100, 50, 554, 319};

class ControlTest : public SoftDesktopTest {
protected:

    void SetUp() override;
    void TearDown() override;

    // The frame takes the control; the first paint of the window follows.
    template <typename Control>
    Control* attach(Control* control) {
        frame->attachView(control);
        paintWindow();
        return control;
    }
    void paintWindow();
    platform::Colour pixel(int x, int y) const;  // of the frame's window
    void moveMouse(int h, int v);                // to a point of the frame
    // Presses the left button (plus `extraKeys`) at a point of the frame. Before the press the
    // steps are queued: one runs at each sleep of the drag loop's idle pump, and when they are
    // used up the buttons are released.
    void press(CGuiPoint point, std::vector<std::function<void()>> steps = {},
               std::vector<platform::Key> keys = {platform::Key::MouseLeft});
    int edits(int32_t opcode) const { return countHostCalls(opcode); }
    void closeEditor();  // the frame goes, as the editor's close does

    Bitmaps bitmaps;
    RecordingListener listener;
    std::unique_ptr<TestEffect> effect;
    AEffGUIEditor* editor = nullptr;  // owned by the effect
    platform::Window* host = nullptr;
    CGuiFrame* frame = nullptr;

private:
    std::vector<std::function<void()>> steps_;
    size_t nextStep_ = 0;
    std::vector<platform::Key> heldKeys_;
};
