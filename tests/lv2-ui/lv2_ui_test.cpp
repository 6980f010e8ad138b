// The UI binary in a host of the test's own on a virtual X server: its descriptor, the editor
// embedded in the host's window, values from the host shown as the VST module's editor shows
// them, edits written to the ports between touch calls, and its end with the host's window.
#include <gtest/gtest.h>

#include <lv2/ui/ui.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include "SoftEditor.h"
#include "editor/EditorLayout.h"
#include "effect/ParameterTable.h"
#include "lv2/PortTable.h"

// After the platform's headers: X.h defines None and CursorShape as macros.
#include "UiHarness.h"

namespace {

constexpr int kWidth = 454;
constexpr int kHeight = 269;
constexpr uint32_t kAzimuthPort = kFirstControlPort + 0;
constexpr uint32_t kAzimuthDepthPort = kFirstControlPort + 3;
constexpr uint32_t kWaveformPort = kFirstControlPort + 5;
constexpr uint32_t kQualityPort = kFirstControlPort + 9;
constexpr uint32_t kReflectionsPort = kFirstControlPort + 10;

int controlOf(int tag, int kind) {
    for (int i = 0; i < kEditorControlCount; ++i) {
        if (kEditorLayout[i].tag == tag && kEditorLayout[i].kind == kind) return i;
    }
    return -1;
}

std::vector<UiCall> writes(const std::vector<UiCall>& calls) {
    std::vector<UiCall> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [](const UiCall& call) { return call.kind == UiCall::Write; });
    return found;
}

// Every control port at the value the VST module holds after construction, as a host sends
// them when the UI opens.
void sendDefaults(UiHarness& ui) {
    for (uint32_t i = 0; i < kControlPortCount; ++i)
        ui.portEvent(kFirstControlPort + i, kParameterTable[kControlPorts[i].parameter].defaultValue);
}

// Exposes the whole editor, as a host uncovering its window does, and idles until the editor's
// picture is the reference's.
bool showsAfterRepaint(UiHarness& ui, const SoftEditor& reference) {
    XClearArea(ui.display(), ui.widget(), 0, 0, 0, 0, True);
    XFlush(ui.display());
    return ui.idleUntil([&] { return reference.differingPixels(ui.display(), ui.widget()) == 0; });
}

class Lv2UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ui.opened());
        sendDefaults(ui);
    }
    void TearDown() override { xdotool("mouseup 1"); }

    bool shows(const SoftEditor& reference) { return showsAfterRepaint(ui, reference); }
    // Presses at a point of the editor, moves by (dx, dy) in three steps and releases. Each step
    // waits for the pointer, and when the control writes, for the write that step makes.
    void drag(int x, int y, int dx, int dy, bool writesExpected) {
        int screenX = 0, screenY = 0;
        ui.screenPoint(x, y, screenX, screenY);
        const bool inTime = whileIdling(ui, [&] {
            Display* own = XOpenDisplay(nullptr);
            xdotool("mousemove " + std::to_string(screenX) + " " + std::to_string(screenY));
            waitFor([&] { return pointerAt(own, screenX, screenY); });
            xdotool("mousedown 1");
            for (int step = 1; step <= 3; ++step) {
                const size_t before = writes(ui.calls()).size();
                const int toX = screenX + dx * step / 3, toY = screenY + dy * step / 3;
                xdotool("mousemove " + std::to_string(toX) + " " + std::to_string(toY));
                waitFor([&] { return pointerAt(own, toX, toY); });
                if (writesExpected) waitFor([&] { return writes(ui.calls()).size() > before; });
            }
            xdotool("mouseup 1");
            XCloseDisplay(own);
        });
        EXPECT_TRUE(inTime);
        // The drag loop has ended once the idle it ran in has returned.
        ui.idle();
    }

    UiHarness ui;
};

TEST(Lv2UiDescriptorTest, OneUiWithTheIdleInterfaceThatOpensOnlyInAHostWindowForThisPlugin) {
    const LV2UI_Descriptor* descriptor = uiDescriptor();
    ASSERT_NE(descriptor, nullptr);
    EXPECT_STREQ(descriptor->URI, kUiUri);
    EXPECT_NE(descriptor->extension_data(LV2_UI__idleInterface), nullptr);
    EXPECT_EQ(descriptor->extension_data(LV2_UI__showInterface), nullptr);
    EXPECT_EQ(descriptor->extension_data(LV2_UI__resize), nullptr);

    auto write = [](LV2UI_Controller, uint32_t, uint32_t, uint32_t, const void*) {};
    LV2UI_Widget widget = nullptr;
    const LV2_Feature idling = {LV2_UI__idleInterface, nullptr};
    const LV2_Feature* withoutParent[] = {&idling, nullptr};
    EXPECT_EQ(descriptor->instantiate(descriptor, kPluginUri, "", write, nullptr, &widget, withoutParent), nullptr);
    EXPECT_EQ(descriptor->instantiate(descriptor, kPluginUri, "", write, nullptr, &widget, nullptr), nullptr);

    UiHarness host;  // a real window for the remaining refusals
    const LV2_Feature parent = {LV2_UI__parent, reinterpret_cast<void*>(static_cast<uintptr_t>(host.hostWindow()))};
    const LV2_Feature* withParent[] = {&parent, nullptr};
    EXPECT_EQ(descriptor->instantiate(descriptor, "urn:another:plugin", "", write, nullptr, &widget, withParent), nullptr);
    const LV2_Feature badParent = {LV2_UI__parent, reinterpret_cast<void*>(uintptr_t(0x1fffff0))};
    const LV2_Feature* withBadParent[] = {&badParent, nullptr};
    EXPECT_EQ(descriptor->instantiate(descriptor, kPluginUri, "", write, nullptr, &widget, withBadParent), nullptr);
}

TEST_F(Lv2UiTest, TheEditorOpensInTheHostWindowAtItsSizeAndShowsTheHostsValuesWithoutWritingThemBack) {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(ui.display(), ui.hostWindow(), &root, &parent, &children, &count);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(children[0], ui.widget());
    XFree(children);
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(ui.display(), ui.widget(), &attributes));
    EXPECT_EQ(attributes.width, kWidth);
    EXPECT_EQ(attributes.height, kHeight);
    EXPECT_EQ(ui.resizedWidth(), kWidth);
    EXPECT_EQ(ui.resizedHeight(), kHeight);
    EXPECT_TRUE(shows(SoftEditor()));

    ui.portEvent(kAzimuthPort, 0.9f);
    ui.portEvent(kQualityPort, 1.0f);
    ui.portEvent(kReflectionsPort, 1.0f);
    EXPECT_TRUE(shows(SoftEditor({{kAzimuthSlider, 0.9f}, {kQuality, 1.0f}, {kReflectionPattern, 1.0f}})));
    saveWindowPicture(ui.display(), ui.widget(), "lv2-ui-editor.ppm");  // for people to look at
    // Audio ports, unknown ports and other formats show nothing and change nothing.
    ui.portEvent(kPortInLeft, 0.2f);
    ui.portEvent(kPortCount, 0.2f);
    const double wide = 0.2;
    ui.portEvent(kAzimuthPort, sizeof wide, 0, &wide);
    const float atom[4] = {0.2f, 0.2f, 0.2f, 0.2f};
    ui.portEvent(kAzimuthPort, sizeof atom[0], 1, atom);
    EXPECT_TRUE(shows(SoftEditor({{kAzimuthSlider, 0.9f}, {kQuality, 1.0f}, {kReflectionPattern, 1.0f}})));
    EXPECT_TRUE(ui.calls().empty());
}

// The plug-in runs the depth at 1 while a ramp is chosen, whatever az_depth holds; hosts send
// the ports in index order, so az_depth comes before the waveform and after it when changed.
TEST_F(Lv2UiTest, WhileTheHostHasARampChosenTheDepthKnobStaysPinnedAndTheSineBringsTheDepthBack) {
    ui.portEvent(kWaveformPort, 0.5f);
    ui.portEvent(kAzimuthDepthPort, 0.3f);
    EXPECT_TRUE(shows(SoftEditor({{kAzimuthDepth, 0.3f}, {kAzimuthWaveform, 0.5f}})));
    ui.portEvent(kWaveformPort, 0.0f);
    EXPECT_TRUE(shows(SoftEditor({{kAzimuthDepth, 0.3f}})));
    EXPECT_TRUE(ui.calls().empty());
}

TEST_F(Lv2UiTest, ASliderDragWritesTheAzimuthPortBetweenGrabAndRelease) {
    const CGuiRect slider = kEditorLayout[controlOf(kAzimuthSlider, kCtlVerticalSlider)].rect();
    drag((slider.left + slider.right) / 2, slider.top + 70, 0, -30, true);
    const std::vector<UiCall> calls = ui.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front(), (UiCall{UiCall::Grab, kAzimuthPort, 0.0f}));
    EXPECT_EQ(calls.back(), (UiCall{UiCall::Release, kAzimuthPort, 0.0f}));
    const std::vector<UiCall> written = writes(calls);
    ASSERT_EQ(written.size(), calls.size() - 2);
    float previous = 0.5f;
    for (const UiCall& call : written) {
        EXPECT_EQ(call.port, kAzimuthPort);
        EXPECT_GT(call.value, previous);  // upwards is further round
        previous = call.value;
    }
    EXPECT_LE(previous, 1.0f);
}

// The knob edits the effective depth, which has no port: under the sine the links write
// az_depth, under a ramp the knob is pinned and writes nothing.
TEST_F(Lv2UiTest, TheDepthKnobWritesAzDepthUnderTheSineAndNothingUnderARamp) {
    const CGuiRect knob = kEditorLayout[controlOf(kAzimuthDepthSlider, kCtlKnob)].rect();
    const int x = (knob.left + knob.right) / 2, y = knob.top + 2;
    drag(x, y, knob.width() / 2, knob.height() / 2, true);
    std::vector<UiCall> calls = ui.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front(), (UiCall{UiCall::Grab, kAzimuthDepthPort, 0.0f}));
    EXPECT_EQ(calls.back(), (UiCall{UiCall::Release, kAzimuthDepthPort, 0.0f}));
    for (const UiCall& call : writes(calls)) {
        EXPECT_EQ(call.port, kAzimuthDepthPort);
        EXPECT_GT(call.value, 0.0f);
    }

    ui.portEvent(kWaveformPort, 1.0f);
    const size_t before = ui.calls().size();
    drag(x, y, -knob.width() / 2, knob.height() / 2, false);
    calls = ui.calls();
    ASSERT_EQ(calls.size(), before + 2);
    EXPECT_EQ(calls[before], (UiCall{UiCall::Grab, kAzimuthDepthPort, 0.0f}));
    EXPECT_EQ(calls[before + 1], (UiCall{UiCall::Release, kAzimuthDepthPort, 0.0f}));
}

TEST(Lv2UiWithoutTouchTest, AHostWithoutTouchStillGetsTheWrites) {
    UiHarness ui(UiHarness::Touch::NotOffered);
    ASSERT_TRUE(ui.opened());
    sendDefaults(ui);
    const CGuiRect button = kEditorLayout[controlOf(kQuality, kCtlOnOffButton)].rect();
    int x = 0, y = 0;
    ui.screenPoint((button.left + button.right) / 2, (button.top + button.bottom) / 2, x, y);
    xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    EXPECT_TRUE(ui.idleUntil([&] { return !ui.calls().empty(); }));
    EXPECT_EQ(ui.calls(), (std::vector<UiCall>{{UiCall::Write, kQualityPort, 1.0f}}));
}

TEST_F(Lv2UiTest, TheHostDestroyingItsWindowClosesTheUiAtItsNextIdle) {
    EXPECT_EQ(ui.idle(), 0);
    ui.destroyHostWindow();
    EXPECT_TRUE(ui.idleUntil([&] { return ui.idle() != 0; }));
    EXPECT_NE(ui.idle(), 0);  // and stays closed until the host cleans it up
    ui.cleanup();
}

// Hosts open and close a plug-in's UI many times, and open several at once.
TEST(Lv2UiLifecycleTest, UisOpenBesideEachOtherAndCleaningUpLeavesNothingInTheHostWindow) {
    UiHarness first;
    ASSERT_TRUE(first.opened());
    for (int i = 0; i < 10; ++i) {
        UiHarness second;
        ASSERT_TRUE(second.opened());
        second.idle();
        first.idle();
        second.cleanup();
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        XQueryTree(second.display(), second.hostWindow(), &root, &parent, &children, &count);
        if (children) XFree(children);
        EXPECT_EQ(count, 0u);
    }
    sendDefaults(first);
    first.portEvent(kQualityPort, 1.0f);
    EXPECT_TRUE(showsAfterRepaint(first, SoftEditor({{kQuality, 1.0f}})));
}

}  // namespace

// The host's ui:scaleFactor at instantiation opens the editor at that scale, and a later one
// through the options interface resizes it, the host's window following. The person's own
// choice would come first: the test keeps any settings file and override of the machine away.
TEST(Lv2UiScaleTest, TheHostsScaleFactorSizesTheEditorAtTheStartAndWhileOpen) {
    char folder[] = "/tmp/lv2-ui-settings-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    setenv("XDG_CONFIG_HOME", folder, 1);
    unsetenv("SPATIALISER_EDITOR_SCALE");

    UiHarness ui(UiHarness::Touch::Offered, 2.0f);
    ASSERT_TRUE(ui.opened());
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(ui.display(), ui.widget(), &attributes));
    EXPECT_EQ(attributes.width, 2 * kWidth);
    EXPECT_EQ(attributes.height, 2 * kHeight);
    EXPECT_EQ(ui.resizedWidth(), 2 * kWidth);
    EXPECT_EQ(ui.resizedHeight(), 2 * kHeight);

    EXPECT_EQ(ui.setScaleFactor(1.5f), uint32_t(LV2_OPTIONS_SUCCESS));
    EXPECT_EQ(ui.resizedWidth(), 681);
    EXPECT_EQ(ui.resizedHeight(), 404);
    EXPECT_TRUE(ui.idleUntil([&] {
        XWindowAttributes now;
        return XGetWindowAttributes(ui.display(), ui.widget(), &now) && now.width == 681 && now.height == 404;
    }));
    EXPECT_EQ(ui.setScaleFactor(7.0f), uint32_t(LV2_OPTIONS_ERR_BAD_VALUE));
    EXPECT_EQ(ui.resizedWidth(), 681);
    ui.cleanup();
    rmdir(folder);
}
