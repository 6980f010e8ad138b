// A host sets parameters from its audio thread while the editor paints on the GUI thread: the
// controls' values and repaint marks are shared between them (run under ThreadSanitizer too).
#include "control_fixture.h"

#include <atomic>
#include <thread>

#include "gui/CGuiOnOffButton.h"
#include "gui/CGuiOptionMenu.h"
#include "gui/CGuiValueDisplay.h"
#include "gui/CGuiVerticalSlider.h"

namespace {

const MenuListEntry kPatterns[4] = {{1, "absorb"}, {2, "normal"}, {3, "reflect"}, {4, "sustain"}};
const MenuList kPatternList = {kPatterns, 4, 4};

using ControlThreadsTest = ControlTest;

TEST_F(ControlThreadsTest, ValuesSetOnAnotherThreadWhileTheFramePaintsShowAtTheNextIdle) {
    CGuiControl* controls[] = {
        new CGuiOnOffButton({407, 87, 430, 122}, &listener, 13, bitmaps.get(kButtonBitmap), nullptr, 0),
        new CGuiValueDisplay({197, 225, 225, 237}, &listener, 4, nullptr, nullptr, nullptr, 100, 0, 0, 100.0f, 0),
        new CGuiOptionMenu({313, 178, 378, 199}, &listener, 14, nullptr, nullptr, nullptr, &kPatternList, 0),
        new CGuiVerticalSlider({200, 74, 221, 216}, &listener, 4, 75, 199, bitmaps.get(kTrackBitmap), nullptr,
                               bitmaps.get(kHandleBitmap), nullptr, {0, 0}, {1, 0}, false, true, 0x40, 360.0f, 0),
    };
    for (CGuiControl* control : controls)
        frame->attachView(control);
    paintWindow();

    std::atomic<bool> stop{false};
    std::thread host([&] {
        for (int i = 0; !stop.load(); ++i) {
            for (CGuiControl* control : controls)
                control->setCurrentValue(static_cast<float>(i % 11) / 10.0f);
        }
    });
    for (int pass = 0; pass < 200; ++pass)
        editor->idle();
    stop.store(true);
    host.join();

    // A value the host never sent during the run: it differs from anything painted.
    for (CGuiControl* control : controls)
        control->setCurrentValue(0.05f);
    editor->idle();
    for (CGuiControl* control : controls)
        EXPECT_FALSE(control->needsRepaint());
    EXPECT_EQ(pixel(410, 90), kButtonOn);
    EXPECT_EQ(pixel(209, 193), kHandleYellow) << "the slider's handle near the bottom";
    EXPECT_NE(pixel(209, 192), kHandleYellow);
}

}  // namespace
