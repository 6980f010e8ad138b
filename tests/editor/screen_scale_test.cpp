// The editor on scaled screens: the same gestures at 150 % and 200 % give the host the same calls
// as at 100 %, the pictures are the 100 % ones scaled, and the scale comes from the person's
// choice, the host and the system in that order.
#include "editor_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "effect/ParameterTable.h"
#include "gui/CGuiOptionMenu.h"

namespace editor_test {
namespace {

constexpr int32_t kContentScaleIndex = 0x50726553;  // 'PreS'
constexpr intptr_t kContentScaleValue = 0x41654373;  // 'AeCs'
constexpr CGuiPoint kEmptyPanel = {100, 20};          // the title band: no control there
constexpr int kMenu200 = 6;                           // "200 %" in the zoom menu
constexpr int kMenuAutomatic = 1;

class ScreenScaleTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        settings = std::filesystem::temp_directory_path() /
                   ("spatialiser-scale-test-" + std::to_string(static_cast<long>(::getpid())));
        std::filesystem::remove_all(settings);
        platform::soft::setSettingsFolder(settings.string());
        editor->settingsFile = (settings / "editor.conf").string();
        unsetenv("SPATIALISER_EDITOR_SCALE");
    }
    void TearDown() override {
        unsetenv("SPATIALISER_EDITOR_SCALE");
        EditorTest::TearDown();
        std::filesystem::remove_all(settings);
    }

    // Every gesture of one run: a slider drag with a held Shift part, a knob turn, a drag on the
    // disc, a read-out drag and a menu choice, on a fresh editor at `scale`. Even coordinates:
    // at 150 % they lie on whole device pixels.
    std::vector<Gesture> everyGesture(float scale) {
        if (window())
            closeEditor();
        effect = std::make_unique<CEffect>(host.callback());
        editor = dynamic_cast<CEffectEditor*>(effect->editor);
        editor->settingsFile = (settings / "editor.conf").string();
        openAtScale(scale);
        drag({210, 100}, {{210, 120}, {210, 150}, {210, 90}});
        drag({210, 140}, {{210, 120}, {210, 100}}, {platform::Key::Shift});
        drag({238, 114}, {{230, 110}, {238, 80}, {252, 102}});
        drag({104, 206}, {{64, 146}, {144, 106}, {104, 146}});
        drag({392, 230}, {{392, 226}, {392, 220}, {392, 232}});
        platform::soft::answerNextMenu(3);
        moveMouse({350, 188});
        platform::soft::pressButton(window(), devicePoint({350, 188}));
        return gestures();
    }

    std::filesystem::path settings;
};

TEST_F(ScreenScaleTest, GesturesAtScaledPointsGiveTheHostWhatTheyGiveAt100Percent) {
    const std::vector<Gesture> at100 = everyGesture(1.0f);
    ASSERT_GT(at100.size(), 20u);
    for (float scale : {1.5f, 2.0f}) {
        SCOPED_TRACE(scale);
        forgetHostCalls();
        const std::vector<Gesture> scaled = everyGesture(scale);
        ASSERT_EQ(scaled.size(), at100.size());
        for (size_t i = 0; i < at100.size(); ++i)
            EXPECT_EQ(scaled[i], at100[i]) << "gesture " << i;
    }
}

TEST_F(ScreenScaleTest, ASliderDragMovesInStepsFinerThanALogicalPixel) {
    openAtScale(2.0f);
    const platform::Rect screen = platform::windowScreenRect(window());
    const std::vector<int> deviceRows = {240, 241, 242};  // logical 120, 120.5, 121
    size_t next = 0;
    platform::setCursorPosition({screen.left + 420, screen.top + 200});
    platform::soft::holdKey(platform::Key::MouseLeft);
    platform::soft::setSleepHook([&](uint32_t) {
        if (next < deviceRows.size())
            platform::setCursorPosition({screen.left + 420, screen.top + deviceRows[next]});
        else if (next > deviceRows.size())  // one pass more, for the last point
            platform::soft::releaseKey(platform::Key::MouseLeft);
        ++next;
    });
    platform::soft::pressButton(window(), {420, 200});
    platform::soft::setSleepHook({});
    const std::vector<Gesture> values = automationOf(kAzimuthSlider);
    ASSERT_EQ(values.size(), 4u);
    const float step = values[3].value - values[2].value;
    EXPECT_NE(step, 0.0f);
    EXPECT_FLOAT_EQ(values[2].value - values[1].value, step) << "half a logical pixel moves half as far";
    EXPECT_FLOAT_EQ(values[3].value - values[1].value, 2 * step);
}

TEST_F(ScreenScaleTest, TheWindowIsTheScaledPanelAndShowsTheSamePicture) {
    effect->setParameter(kAzimuthSpeed, 0.5f);
    openAtScale(2.0f);
    const platform::Rect screen = platform::windowScreenRect(window());
    EXPECT_EQ(screen.right - screen.left, 908);
    EXPECT_EQ(screen.bottom - screen.top, 538);
    ERect* rect = nullptr;
    effect->dispatcher(effEditGetRect, 0, 0, &rect, 0.0f);
    EXPECT_EQ(rect->right, 908);
    EXPECT_EQ(rect->bottom, 538);
    for (const CGuiPoint corner : {CGuiPoint{224, 133}, CGuiPoint{251, 160}}) {
        EXPECT_EQ(pixel(2 * corner.h, 2 * corner.v), knobColour(15));
        EXPECT_EQ(pixel(2 * corner.h + 1, 2 * corner.v + 1), knobColour(15));
    }
    effect->setParameter(kAzimuthSpeed, 1.0f);
    idle();
    EXPECT_EQ(pixel(2 * 238, 2 * 147), knobColour(30)) << "an idle repaint at the scale too";
}

TEST_F(ScreenScaleTest, AReadOutDragPutsTheCursorBackWhereItBeganOnTheScreen) {
    openAtScale(1.5f);
    drag({392, 230}, {{392, 220}, {392, 224}});
    const platform::Rect screen = platform::windowScreenRect(window());
    const platform::Point start = devicePoint({392, 230});
    const std::vector<platform::Point> warps = platform::soft::cursorWarps();
    ASSERT_FALSE(warps.empty());
    EXPECT_EQ(warps.back().x, screen.left + start.x);
    EXPECT_EQ(warps.back().y, screen.top + start.y);
    EXPECT_EQ(platform::soft::cursorShowCount(), 0) << "shown again";
}

TEST_F(ScreenScaleTest, TheRoomMenuOpensAtTheScaledPointAndGrowsWithTheScale) {
    openAtScale(2.0f);
    platform::soft::answerNextMenu(0);
    moveMouse({350, 188});
    platform::soft::pressButton(window(), devicePoint({350, 188}));
    const auto shown = platform::soft::menusShown();
    ASSERT_EQ(shown.size(), 1u);
    const platform::Rect screen = platform::windowScreenRect(window());
    EXPECT_EQ(shown[0].position.x, screen.left + 2 * (378 - 16));
    EXPECT_EQ(shown[0].position.y, screen.top + 2 * (178 + 10));
    EXPECT_EQ(shown[0].scale, 2.0f);
}

// A right click where no control is: the zoom menu, at the click, with the choice checked.
TEST_F(ScreenScaleTest, TheZoomMenuRescalesTheOpenEditorWhenTheHostAgreesAndTheChoiceHolds) {
    host.answers[audioMasterSizeWindow] = 1;
    openEditor();
    const platform::Colour knob = pixel(230, 140);
    platform::soft::answerNextMenu(kMenu200);
    platform::soft::holdKey(platform::Key::MouseRight);
    platform::soft::pressButton(window(), {kEmptyPanel.h, kEmptyPanel.v});
    platform::soft::releaseKey(platform::Key::MouseRight);

    const auto shown = platform::soft::menusShown();
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].items.size(), 8u);
    EXPECT_EQ(shown[0].items[0].text, "Automatic");
    EXPECT_TRUE(shown[0].items[0].checked);
    EXPECT_EQ(shown[0].items[7].text, "300 %");
    const platform::Rect before = platform::windowScreenRect(hostWindow);
    EXPECT_EQ(shown[0].position.x, before.left + kEmptyPanel.h);

    const std::vector<HostCall> resizes = host.callsWith(audioMasterSizeWindow);
    ASSERT_EQ(resizes.size(), 1u);
    EXPECT_EQ(resizes[0].index, 908);
    EXPECT_EQ(resizes[0].value, 538);
    const platform::Rect now = platform::windowScreenRect(window());
    EXPECT_EQ(now.right - now.left, 908);
    EXPECT_EQ(editor->frame->scale().factor(), 2.0f);
    platform::dispatchOnePendingPaint();
    EXPECT_EQ(pixel(2 * 230, 2 * 140), knob) << "painted again at the new size";

    closeEditor();
    openEditor();
    EXPECT_EQ(editor->frame->scale().factor(), 2.0f) << "kept for the next session";

    platform::soft::answerNextMenu(kMenuAutomatic);
    platform::soft::holdKey(platform::Key::MouseRight);
    platform::soft::pressButton(window(), devicePoint({kEmptyPanel.h, kEmptyPanel.v}));
    platform::soft::releaseKey(platform::Key::MouseRight);
    EXPECT_TRUE(platform::soft::menusShown().back().items[5].checked) << "200 % was the choice";
    EXPECT_EQ(editor->frame->scale().factor(), 1.0f);
}

TEST_F(ScreenScaleTest, AHostThatCannotResizeGetsTheNewSizeAtTheNextOpen) {
    openEditor();
    platform::soft::answerNextMenu(kMenu200);
    platform::soft::holdKey(platform::Key::MouseRight);
    platform::soft::pressButton(window(), {kEmptyPanel.h, kEmptyPanel.v});
    platform::soft::releaseKey(platform::Key::MouseRight);
    EXPECT_EQ(host.callsWith(audioMasterSizeWindow).size(), 1u);
    EXPECT_EQ(editor->frame->scale().factor(), 1.0f);
    closeEditor();
    ERect* rect = nullptr;
    effect->dispatcher(effEditGetRect, 0, 0, &rect, 0.0f);
    EXPECT_EQ(rect->right, 908);
    openEditor();
    EXPECT_EQ(editor->frame->scale().factor(), 2.0f);
}

TEST_F(ScreenScaleTest, TheVariableBeatsTheFileTheFileTheHostAndTheHostTheSystem) {
    auto openScale = [&] {
        openEditor();
        const float factor = editor->frame->scale().factor();
        closeEditor();
        return factor;
    };
    platform::soft::setSystemScale(1.5f);
    EXPECT_EQ(openScale(), 1.5f);
    EXPECT_EQ(effect->dispatcher(effVendorSpecific, kContentScaleIndex, kContentScaleValue, nullptr, 1.25f), 1);
    EXPECT_EQ(openScale(), 1.25f) << "the host's content scale beats the system's";
    EXPECT_EQ(effect->dispatcher(effVendorSpecific, kContentScaleIndex, 0, nullptr, 2.0f), 0) << "not the call";
    EXPECT_EQ(effect->dispatcher(effVendorSpecific, kContentScaleIndex, kContentScaleValue, nullptr, 9.0f), 0);
    ASSERT_TRUE(storeScale(editor->settingsFile, 2.5f));
    EXPECT_EQ(openScale(), 2.5f) << "the person's choice beats the host";
    setenv("SPATIALISER_EDITOR_SCALE", "1.75", 1);
    EXPECT_EQ(openScale(), 1.75f) << "the variable beats the file";
    setenv("SPATIALISER_EDITOR_SCALE", "7", 1);
    EXPECT_EQ(openScale(), 2.5f) << "a variable out of range is not a choice";
}

TEST_F(ScreenScaleTest, TheHostsContentScaleResizesAnOpenEditor) {
    host.answers[audioMasterSizeWindow] = 1;
    openEditor();
    EXPECT_EQ(effect->dispatcher(effVendorSpecific, kContentScaleIndex, kContentScaleValue, nullptr, 1.5f), 1);
    EXPECT_EQ(editor->frame->scale().factor(), 1.5f);
    const std::vector<HostCall> resizes = host.callsWith(audioMasterSizeWindow);
    ASSERT_EQ(resizes.size(), 1u);
    EXPECT_EQ(resizes[0].index, 681);
    EXPECT_EQ(resizes[0].value, 404);
}

}  // namespace
}  // namespace editor_test
