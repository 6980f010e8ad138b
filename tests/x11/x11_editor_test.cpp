// The Linux module's editor in an X11 host of our own, driven with real input from xdotool.
// Run on a virtual X server, with a reparenting window manager or none (run-display.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ServerResources.h"
#include "TestHost.h"
#include "editor/EditorLayout.h"
#include "effect/CEffect.h"
#include "platform/soft/desktop.h"
#include "shell/vst2.h"
#include "support/LoadedModule.h"
#include "support/RecordingHost.h"

namespace {

constexpr int kWidth = 454;
constexpr int kHeight = 269;

// Parameters of the controls the tests use.
constexpr int kAzimuthSlider = 4;
constexpr int kAzimuthDepthKnob = 7;
constexpr int kWaveformSwitch = 9;
constexpr int kElevationDepthKnob = 10;
constexpr int kStereoFieldButton = 12;
constexpr int kQualityButton = 13;
constexpr int kReflectionMenu = 14;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    platform::Colour at(int x, int y) const {
        const unsigned char* pixel = &rgb[(size_t(y) * width + x) * 3];
        return platform::makeColour(pixel[0], pixel[1], pixel[2]);
    }
};

Picture readPicture(const std::string& path) {
    Picture picture;
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    file >> magic >> picture.width >> picture.height >> maximum;
    file.get();
    picture.rgb.resize(size_t(picture.width) * picture.height * 3);
    file.read(reinterpret_cast<char*>(picture.rgb.data()), std::streamsize(picture.rgb.size()));
    if (magic != "P6" || !file)
        return {};
    return picture;
}

// The same editor on the soft desktop: what the X11 window must show pixel for pixel, at the
// screen scale the X server's resources ask for.
class SoftEditor {
public:
    explicit SoftEditor(float scale = 1.0f) : width_(int(kWidth * scale)), height_(int(kHeight * scale)) {
        platform::soft::resetDesktop();
        platform::soft::setSystemScale(scale);
        effect_ = std::make_unique<CEffect>(host_.callback());
        hostWindow_ = platform::soft::createHostWindow(nullptr, platform::kStyleCaption, {0, 0, width_, height_});
        dispatch(effEditOpen, hostWindow_);
        platform::dispatchOnePendingPaint();
    }
    ~SoftEditor() {
        dispatch(effEditClose, nullptr);
        effect_.reset();
        platform::soft::resetDesktop();
    }
    void set(int index, float value) {
        effect_->effectRecord.setParameter(&effect_->effectRecord, index, value);
        dispatch(effEditIdle, nullptr);
    }
    platform::Colour pixel(int x, int y) const {
        return platform::soft::windowPixel(platform::soft::childWindows(hostWindow_).at(0), x, y);
    }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_;
    int height_;
    void dispatch(int32_t opcode, void* pointer) {
        effect_->effectRecord.dispatcher(&effect_->effectRecord, opcode, 0, 0, pointer, 0.0f);
    }
    RecordingHost host_;
    std::unique_ptr<CEffect> effect_;
    platform::Window* hostWindow_;
};

// The pixels that differ between the X11 window and the soft rendering.
int differingPixels(const Picture& window, const SoftEditor& soft) {
    if (window.width != soft.width() || window.height != soft.height())
        return soft.width() * soft.height();
    int differing = 0;
    for (int y = 0; y < soft.height(); ++y) {
        for (int x = 0; x < soft.width(); ++x)
            differing += window.at(x, y) != soft.pixel(x, y);
    }
    return differing;
}

std::string modulePath() {
    return pathBesideExecutable("spatialiser.so");
}

CGuiRect controlRect(int index) {
    return kEditorLayout[index].rect();
}
CGuiPoint centreOf(int index) {
    const CGuiRect rect = controlRect(index);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
// The layout index of the first control of a parameter and kind.
int controlOf(int tag, int kind) {
    for (int i = 0; i < kEditorControlCount; ++i) {
        if (kEditorLayout[i].tag == tag && kEditorLayout[i].kind == kind)
            return i;
    }
    return -1;
}

class X11EditorTest : public ::testing::Test {
protected:
    void SetUp() override { startHost(); }
    void startHost() {
        host = std::make_unique<TestHost>(modulePath());
        ASSERT_TRUE(host->started());
        ASSERT_GT(host->windowX + host->windowY, 0) << "the editor window was not found";
        sleepMs(300);  // the first exposure is painted at an idle
    }
    void TearDown() override {
        xdotool("mouseup 1");
        xdotool("keyup shift Up");
        host.reset();
    }

    Picture snapshot(const std::string& name) {
        const std::vector<std::string> answer = host->command("snapshot " + name);
        EXPECT_EQ(answer.size(), 3u);
        return readPicture(name);
    }
    std::vector<Callback> callsFor(size_t mark, int opcode, int index) {
        std::vector<Callback> found;
        for (const Callback& call : host->callbacks(mark)) {
            if (call.opcode == opcode && call.index == index)
                found.push_back(call);
        }
        return found;
    }
    // Waits until the host has been told of a gesture's begin (43) or end (44).
    bool waitForGesture(size_t mark, int opcode) {
        for (int waited = 0; waited < 3000; waited += 20) {
            for (const Callback& call : host->callbacks(mark)) {
                if (call.opcode == opcode)
                    return true;
            }
            sleepMs(20);
        }
        return false;
    }
    // Waits until no automation has come for `quietMs`, three seconds at most.
    void waitUntilQuiet(int quietMs) {
        auto automations = [&] {
            const std::vector<Callback> calls = host->callbacks(0);
            return std::count_if(calls.begin(), calls.end(),
                                 [](const Callback& call) { return call.opcode == audioMasterAutomate; });
        };
        auto count = automations();
        for (int waited = 0, quiet = 0; waited < 3000 && quiet < quietMs; waited += 20) {
            sleepMs(20);
            const auto now = automations();
            quiet = now == count ? quiet + 20 : 0;
            count = now;
        }
    }
    // Presses at a point, moves by (dx, dy) in steps once the control tracks the drag, and
    // releases, with Shift held if asked.
    void drag(CGuiPoint from, int dx, int dy, bool shift = false) {
        moveTo(*host, from.h, from.v);
        if (shift)
            xdotool("keydown shift");
        const size_t mark = host->callbackCount();
        xdotool("mousedown 1");
        EXPECT_TRUE(waitForGesture(mark, audioMasterBeginEdit));
        const int steps = 5;
        // Not waiting for the pointer to arrive: a read-out puts it back at once.
        for (int i = 1; i <= steps; ++i) {
            xdotool("mousemove " + std::to_string(host->windowX + from.h + dx * i / steps) + " " +
                    std::to_string(host->windowY + from.v + dy * i / steps));
            sleepMs(60);
        }
        // The last position must reach the control before the release, which a slow build may
        // otherwise see first: the drag has settled once its reports have stopped for a while.
        waitUntilQuiet(250);
        xdotool("mouseup 1");
        EXPECT_TRUE(waitForGesture(mark, audioMasterEndEdit));
        if (shift)
            xdotool("keyup shift");
    }
    void click(CGuiPoint at) {
        moveTo(*host, at.h, at.v);
        xdotool("click 1");
        sleepMs(200);
    }

    std::unique_ptr<TestHost> host;
};

TEST_F(X11EditorTest, TheWindowShowsTheSoftRenderingPixelForPixelAndRepaintsAHostChangeAtTheNextIdle) {
    SoftEditor soft;
    const Picture start = snapshot("x11-editor.ppm");  // kept for people to look at
    EXPECT_EQ(differingPixels(start, soft), 0);

    ASSERT_TRUE(host->command("set 4 0.9").size() == 0);
    ASSERT_TRUE(host->command("set 13 1").size() == 0);
    soft.set(4, 0.9f);
    soft.set(13, 1.0f);
    sleepMs(150);  // a few idles
    const Picture changed = snapshot("x11-editor-changed.ppm");
    EXPECT_NE(changed.rgb, start.rgb);             // the change shows...
    EXPECT_EQ(differingPixels(changed, soft), 0);  // ...exactly as the soft editor draws it
}

TEST_F(X11EditorTest, ASliderDragSendsBeginTheAutomationAndEndAndShiftMovesItFiner) {
    const int slider = controlOf(kAzimuthSlider, kCtlVerticalSlider);
    const CGuiPoint handle = {centreOf(slider).h, controlRect(slider).top + 70};
    size_t mark = host->callbackCount();
    const float before = host->parameter(kAzimuthSlider);
    drag(handle, 0, -30);
    const float coarse = host->parameter(kAzimuthSlider) - before;
    EXPECT_GT(coarse, 0.05f);
    const std::vector<Callback> calls = host->callbacks(mark);
    ASSERT_FALSE(calls.empty());
    auto first = std::find_if(calls.begin(), calls.end(), [](const Callback& c) { return c.opcode != audioMasterIdle; });
    ASSERT_NE(first, calls.end());
    EXPECT_EQ(first->opcode, audioMasterBeginEdit);
    EXPECT_EQ(first->index, kAzimuthSlider);
    EXPECT_GE(callsFor(mark, audioMasterAutomate, kAzimuthSlider).size(), 2u);
    EXPECT_EQ(callsFor(mark, audioMasterEndEdit, kAzimuthSlider).size(), 1u);
    EXPECT_EQ(callsFor(mark, audioMasterIdle, 0).empty(), false);  // the drag kept the host alive

    host->command("set 4 0.5");
    sleepMs(100);
    mark = host->callbackCount();
    drag(handle, 0, -30, true);
    const float fine = host->parameter(kAzimuthSlider) - 0.5f;
    EXPECT_GT(fine, 0.0f);
    EXPECT_LT(fine, coarse / 2);
    EXPECT_EQ(callsFor(mark, audioMasterEndEdit, kAzimuthSlider).size(), 1u);
}

// The X server's resource database says Xft.dpi: 192, as a desktop at 200 % does.
class X11ScaledEditorTest : public X11EditorTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(setServerResources("Xft.dpi:\t192\n"));
        startHost();
    }
    void TearDown() override {
        X11EditorTest::TearDown();
        setServerResources(nullptr);
    }
};

TEST_F(X11ScaledEditorTest, TheEditorIsTwiceAsLargeAndShowsTheSoft200PercentRendering) {
    SoftEditor soft(2.0f);
    xdotool("mousemove 1020 760");  // off the editor: no control lit by the mouse
    sleepMs(300);
    const Picture start = snapshot("x11-editor-200.ppm");
    EXPECT_EQ(start.width, 908);
    EXPECT_EQ(start.height, 538);
    EXPECT_EQ(differingPixels(start, soft), 0);
}

TEST_F(X11ScaledEditorTest, TheFiguresOfAnIdleAndOfAFullRepaintAt200Percent) {
    const std::vector<std::string> figures = host->command("measure", 20000);
    ASSERT_EQ(figures.size(), 2u);
    std::printf("at 200 %%: idle with nothing to repaint: %s ms; full repaint to the window: %s ms\n",
                figures[0].c_str(), figures[1].c_str());
    RecordProperty("idle_ms_200", figures[0]);
    RecordProperty("full_repaint_ms_200", figures[1]);
    EXPECT_GT(std::stod(figures[1]), 0.0);
}

TEST_F(X11ScaledEditorTest, ASliderDragGivesTheAutomationItGivesAt100Percent) {
    const int slider = controlOf(kAzimuthSlider, kCtlVerticalSlider);
    const CGuiPoint handle = {centreOf(slider).h, controlRect(slider).top + 70};
    host->command("set 4 0.5");
    sleepMs(100);
    drag({2 * handle.h, 2 * handle.v}, 0, -60);
    const float scaled = host->parameter(kAzimuthSlider);
    host.reset();
    setServerResources(nullptr);
    startHost();
    host->command("set 4 0.5");
    sleepMs(100);
    drag(handle, 0, -30);
    EXPECT_NE(scaled, 0.5f);
    EXPECT_FLOAT_EQ(host->parameter(kAzimuthSlider), scaled);
}

TEST_F(X11EditorTest, AKnobTurnsTheSwitchSwitchesAndBothButtonsToggleOnQuickClicks) {
    const int knob = controlOf(kAzimuthDepthKnob, kCtlKnob);
    const CGuiRect knobRect = controlRect(knob);
    const float knobBefore = host->parameter(kAzimuthDepthKnob);
    // From the top of the knob round to its right-hand side.
    drag({centreOf(knob).h, knobRect.top + 2}, knobRect.width() / 2, knobRect.height() / 2);
    EXPECT_NE(host->parameter(kAzimuthDepthKnob), knobBefore);

    const int position = controlOf(kWaveformSwitch, kCtlPositionSwitch);
    const float switchBefore = host->parameter(kWaveformSwitch);
    click({centreOf(position).h, controlRect(position).top + 3});
    EXPECT_NE(host->parameter(kWaveformSwitch), switchBefore);

    // xdotool's click releases at once: the press must still count when the control polls.
    for (int tag : {kStereoFieldButton, kQualityButton}) {
        const float before = host->parameter(tag);
        const size_t mark = host->callbackCount();
        click(centreOf(controlOf(tag, kCtlOnOffButton)));
        EXPECT_NE(host->parameter(tag), before) << "button " << tag;
        EXPECT_EQ(callsFor(mark, audioMasterAutomate, tag).size(), 1u) << "button " << tag;
    }
}

TEST_F(X11EditorTest, TheReflectionMenuIsChosenWithTheMouseAndTheKeysAndDismissedWithEscape) {
    const int menu = controlOf(kReflectionMenu, kCtlOptionMenu);
    const CGuiRect rect = controlRect(menu);
    // The popup opens at the control's right edge less 16, centred on its middle: four items of
    // 20 pixels inside a one-pixel border.
    const int menuLeft = rect.right - 16, menuTop = rect.top + rect.height() / 2 - 41;
    auto itemCentre = [&](int item) { return CGuiPoint{menuLeft + 30, menuTop + 1 + item * 20 + 10}; };
    // With the focus, the editor polls the arrow keys over the control: the menu's keys must not
    // reach it.
    host->command("focus");

    click(centreOf(menu));
    moveTo(*host, itemCentre(3).h, itemCentre(3).v);
    sleepMs(100);
    xdotool("click 1");
    sleepMs(250);
    EXPECT_FLOAT_EQ(host->parameter(kReflectionMenu), 1.0f);  // "sustain"

    click(centreOf(menu));
    xdotool("key Down");  // the first item lights up
    xdotool("key Return");
    sleepMs(250);
    EXPECT_FLOAT_EQ(host->parameter(kReflectionMenu), 0.0f);  // "absorb"

    const size_t mark = host->callbackCount();
    click(centreOf(menu));
    xdotool("key Down Down Escape");
    sleepMs(250);
    EXPECT_FLOAT_EQ(host->parameter(kReflectionMenu), 0.0f);
    EXPECT_TRUE(callsFor(mark, audioMasterAutomate, kReflectionMenu).empty());
    EXPECT_FALSE(callsFor(mark, audioMasterIdle, 0).empty());  // the open menu kept the host alive
}

TEST_F(X11EditorTest, AReadOutDragChangesTheValueAndPutsTheCursorBack) {
    const int readout = controlOf(kAzimuthSlider, kCtlValueDisplay);
    const CGuiPoint start = centreOf(readout);
    const float before = host->parameter(kAzimuthSlider);
    drag(start, 0, -12);
    EXPECT_GT(host->parameter(kAzimuthSlider), before);
    int x = -1, y = -1;
    ASSERT_TRUE(pointerPosition(x, y));
    EXPECT_EQ(x, host->windowX + start.h);
    EXPECT_EQ(y, host->windowY + start.v);
}

TEST_F(X11EditorTest, ArrowKeysStepTheKnobUnderTheMouseOnlyWhileTheHostWindowHasTheFocus) {
    const CGuiPoint knob = centreOf(controlOf(kElevationDepthKnob, kCtlKnob));
    host->command("unfocus");
    moveTo(*host, knob.h, knob.v);
    sleepMs(100);
    const float before = host->parameter(kElevationDepthKnob);
    xdotool("keydown Up");
    sleepMs(350);
    xdotool("keyup Up");
    sleepMs(100);
    EXPECT_FLOAT_EQ(host->parameter(kElevationDepthKnob), before);

    host->command("focus");
    moveTo(*host, knob.h + 1, knob.v);
    sleepMs(150);
    xdotool("keydown Up");
    sleepMs(350);
    xdotool("keyup Up");
    sleepMs(100);
    EXPECT_GT(host->parameter(kElevationDepthKnob), before);
}

TEST_F(X11EditorTest, OpeningAndClosingFiftyTimesLeavesNoWindowDescriptorOrSegmentBehind) {
    host->command("close-editor");
    const std::vector<std::string> before = host->command("resources");
    EXPECT_EQ(host->command("children"), std::vector<std::string>{"0"});
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(host->command("open-editor"), std::vector<std::string>{"1"});
        sleepMs(i % 10 == 0 ? 100 : 0);  // some of them idle and paint
        host->command("close-editor");
    }
    EXPECT_EQ(host->command("resources"), before);
    EXPECT_EQ(host->command("children"), std::vector<std::string>{"0"});
}

TEST_F(X11EditorTest, TheHostClosesTheEditorFromItsIdleDuringADragAndOpensItAgain) {
    const int slider = controlOf(kAzimuthSlider, kCtlVerticalSlider);
    host->command("close-editor-in-idle");
    moveTo(*host, centreOf(slider).h, controlRect(slider).top + 70);
    xdotool("mousedown 1");
    moveTo(*host, centreOf(slider).h, controlRect(slider).top + 50);
    EXPECT_NE(host->waitForLine("closed-in-idle", 3000), "");
    xdotool("mouseup 1");
    sleepMs(100);
    EXPECT_EQ(host->command("children"), std::vector<std::string>{"0"});
    EXPECT_EQ(host->command("open-editor"), std::vector<std::string>{"1"});
    sleepMs(200);
    EXPECT_EQ(host->command("children"), std::vector<std::string>{"1"});
}

TEST_F(X11EditorTest, ClosingTheEffectWithTheEditorOpenLeavesNothingBehind) {
    EXPECT_EQ(host->command("children"), std::vector<std::string>{"1"});
    host->command("close-effect");
    EXPECT_EQ(host->command("children"), std::vector<std::string>{"0"});
    host->command("quit");
    EXPECT_EQ(host->waitForExit(), 0);
}

TEST_F(X11EditorTest, TheFiguresOfAnIdleAndOfAFullRepaint) {
    const std::vector<std::string> figures = host->command("measure", 20000);
    ASSERT_EQ(figures.size(), 2u);
    std::printf("idle with nothing to repaint: %s ms; full repaint to the window: %s ms\n", figures[0].c_str(),
                figures[1].c_str());
    RecordProperty("idle_ms", figures[0]);
    RecordProperty("full_repaint_ms", figures[1]);
    // Reported, never bounded: speed is not a test's business.
    EXPECT_GT(std::stod(figures[0]), 0.0);
    EXPECT_GT(std::stod(figures[1]), 0.0);
}

TEST(X11EditorOpenTest, ABadParentWindowOpensNothingAndTheHostLivesOn) {
    TestHost host(modulePath(), "--bad-parent");
    ASSERT_TRUE(host.started());
    EXPECT_NE(host.waitForLine("bad-parent 0"), "");
    EXPECT_EQ(host.command("children"), std::vector<std::string>{"0"});
    EXPECT_EQ(host.command("open-editor"), std::vector<std::string>{"1"});
    host.command("quit");
    EXPECT_EQ(host.waitForExit(), 0);
}

}  // namespace
