// The bundle in jalv, a real LV2 host, with its UI embedded through suil, on a virtual X server
// with a JACK dummy server: the editor in jalv's window, a slider drag reaching the plug-in as
// the VST module's values, controls and presets from the host shown in the editor, and the UI's
// clean end with jalv's window.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "SoftEditor.h"
#include "editor/EditorLayout.h"
#include "effect/ParameterTable.h"
#include "lv2/PortTable.h"
#include "lv2/Presets.h"
#include "support/LoadedModule.h"

// After the platform's headers: X.h defines None and CursorShape as macros.
#include "JalvSession.h"
#include "x11/TestHost.h"

namespace {

constexpr uint32_t kAzimuthPort = kFirstControlPort + 0;
constexpr int kDragSteps = 3;
constexpr int kDragDistance = -36;  // upwards, in pixels

// Exposes the whole editor, as a host uncovering its window does, and waits until the picture
// is the reference's. The pointer goes out of the way: the control under it would light up.
bool showsAfterRepaint(const JalvSession& jalv, const SoftEditor& reference) {
    xdotool("mousemove 0 0");
    XClearArea(jalv.display(), jalv.editor(), 0, 0, 0, 0, True);
    XFlush(jalv.display());
    return waitUntil([&] { return reference.differingPixels(jalv.display(), jalv.editor()) == 0; });
}

// The point of the azimuth slider's handle at its default position.
void sliderHandle(int& x, int& y) {
    for (const ControlLayout& record : kEditorLayout) {
        if (record.tag == kAzimuthSlider && record.kind == kCtlVerticalSlider) {
            x = record.left + record.width / 2;
            y = record.top + 70;
        }
    }
}

std::vector<float> automatedValues(TestHost& host, size_t mark) {
    std::vector<float> values;
    for (const Callback& call : host.callbacks(mark)) {
        if (call.opcode == audioMasterAutomate && call.index == kAzimuthSlider) values.push_back(call.value);
    }
    return values;
}

// The same drag in the VST module's editor, in the X11 test host: the slider's value after each
// step, as the module tells its host.
std::vector<float> dragInVstModule() {
    TestHost host(pathBesideExecutable("spatialiser.so"));
    if (!host.started()) return {};
    int x = 0, y = 0;
    sliderHandle(x, y);
    moveTo(host, x, y);
    const size_t mark = host.callbackCount();
    xdotool("mousedown 1");
    for (int step = 1; step <= kDragSteps; ++step) {
        xdotool("mousemove " + std::to_string(host.windowX + x) + " " +
                std::to_string(host.windowY + y + kDragDistance * step / kDragSteps));
        waitUntil([&] { return automatedValues(host, mark).size() >= size_t(step); });
    }
    xdotool("mouseup 1");
    waitUntil([&] {
        for (const Callback& call : host.callbacks(mark))
            if (call.opcode == audioMasterEndEdit) return true;
        return false;
    });
    return automatedValues(host, mark);
}

// A preset's values as a host sends them, port by port in index order.
std::vector<std::pair<int, float>> presetChanges(const Lv2Preset& preset) {
    std::vector<std::pair<int, float>> changes;
    for (uint32_t i = 0; i < kControlPortCount; ++i) changes.emplace_back(kControlPorts[i].parameter, preset.values[i]);
    return changes;
}

TEST(JalvTest, TheEditorAppearsInJalvsWindowShowingTheControlsSetAtTheStart) {
    JalvSession jalv({"-c", "azimuth=0.9", "-c", "quality=1"});
    ASSERT_TRUE(jalv.started()) << jalv.errorOutput();
    EXPECT_TRUE(showsAfterRepaint(jalv, SoftEditor({{kAzimuthSlider, 0.9f}, {kQuality, 1.0f}})));
    saveWindowPicture(jalv.display(), jalv.window(), "lv2-ui-jalv.ppm");  // for people to look at
}

TEST(JalvTest, ASliderDragReachesThePluginAsWritesOfItsPortWithTheValuesTheVstModuleGives) {
    const std::vector<float> expected = dragInVstModule();
    ASSERT_EQ(expected.size(), size_t(kDragSteps));

    JalvSession jalv;
    ASSERT_TRUE(jalv.started()) << jalv.errorOutput();
    int x = 0, y = 0;
    sliderHandle(x, y);
    // Each point relative to the editor where it is at that moment.
    auto pointTo = [&](int toX, int toY) {
        xdotool("mousemove --window " + std::to_string(jalv.editor()) + " " + std::to_string(toX) + " " +
                std::to_string(toY));
        int screenX = 0, screenY = 0;
        jalv.screenPoint(toX, toY, screenX, screenY);
        waitUntil([&] { return pointerAt(jalv.display(), screenX, screenY); });
    };
    pointTo(x, y);
    xdotool("mousedown 1");
    for (int step = 1; step <= kDragSteps; ++step) {
        pointTo(x, y + kDragDistance * step / kDragSteps);
        waitUntil([&] { return jalv.writesTo(kAzimuthPort).size() >= size_t(step); });
    }
    xdotool("mouseup 1");
    const std::vector<float> written = jalv.writesTo(kAzimuthPort);
    std::string values;
    for (float value : written) values += " " + std::to_string(value);
    ASSERT_EQ(written.size(), expected.size()) << "written:" << values;
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_NEAR(written[i], expected[i], 1e-6) << "step " << i + 1;
    }
    // Only the slider's port: its mirror has none.
    for (const std::string& line : jalv.log()) {
        if (line.rfind("write", 0) == 0) {
            EXPECT_EQ(line.rfind("write " + std::to_string(kAzimuthPort) + " ", 0), 0u) << line;
        }
    }
}

TEST(JalvTest, APresetChosenFromJalvsMenuShowsInTheEditor) {
    JalvSession jalv;
    ASSERT_TRUE(jalv.started()) << jalv.errorOutput();
    XSetInputFocus(jalv.display(), jalv.window(), RevertToParent, CurrentTime);
    XFlush(jalv.display());
    // The menu bar, its second menu, and the first preset below the two commands there.
    xdotool("key F10 Right Down Down Down Return");
    const Lv2Preset* chosen = nullptr;
    waitUntil([&] {
        for (const Lv2Preset& preset : kPresets)
            if (jalv.title().find(std::string(" - ") + preset.name) != std::string::npos) chosen = &preset;
        return chosen != nullptr;
    });
    ASSERT_NE(chosen, nullptr) << "jalv's title: " << jalv.title();
    EXPECT_TRUE(showsAfterRepaint(jalv, SoftEditor(presetChanges(*chosen)))) << chosen->name;
}

TEST(JalvTest, ClosingJalvsWindowClosesTheUiAndJalvEndsCleanly) {
    JalvSession jalv;
    ASSERT_TRUE(jalv.started()) << jalv.errorOutput();
    jalv.closeWindow();
    EXPECT_EQ(jalv.waitForExit(), 0) << jalv.errorOutput();
    const std::vector<std::string> log = jalv.log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "freed");  // the UI's cleanup returned, and nothing came after it
    for (const char* complaint : {"X Error", "CRITICAL"})
        EXPECT_EQ(jalv.errorOutput().find(complaint), std::string::npos) << jalv.errorOutput();
}

}  // namespace
