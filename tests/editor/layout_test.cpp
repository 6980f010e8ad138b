// The layout table's key facts, and the 23 controls built from it.
#include "editor_test_support.h"

#include <cstring>
#include <map>

#include "editor/CLinkedValue.h"
#include "editor/CPositionView.h"
#include "editor/StepFunctions.h"
#include "effect/ParameterTable.h"
#include "gui/CGuiOptionMenu.h"

namespace editor_test {
namespace {

TEST(EditorLayout, EveryParameterOfTheEditorIsHeldByTheRightNumberOfControls) {
    std::map<int, int> controlsOfTag;
    for (const ControlLayout& record : kEditorLayout)
        ++controlsOfTag[record.tag];
    const std::map<int, int> expected = {{-1, 1}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 2}, {9, 1},
                                         {10, 2}, {11, 2}, {12, 1}, {13, 1}, {14, 1}};
    EXPECT_EQ(controlsOfTag, expected);
}

TEST(EditorLayout, RecordsCarryTheirKindsPlacesAndSkins) {
    struct Expected {
        int kind;
        CGuiRect rect;
        int bitmap;  // resource id, 0 none
    };
    const Expected rows[kEditorControlCount] = {
        {kCtlPositionView, {8, 50, 199, 241}, 102},      {kCtlLinkedValue, {0, 0, 0, 0}, 0},
        {kCtlLinkedValue, {0, 0, 0, 0}, 0},              {kCtlLinkedValue, {0, 0, 0, 0}, 0},
        {kCtlLinkedValue, {0, 0, 0, 0}, 0},              {kCtlOptionMenu, {313, 178, 378, 199}, 112},
        {kCtlVerticalSlider, {200, 74, 221, 216}, 105},  {kCtlValueDisplay, {197, 225, 225, 237}, 118},
        {kCtlVerticalSlider, {382, 74, 403, 216}, 107},  {kCtlValueDisplay, {379, 225, 407, 237}, 119},
        {kCtlVerticalSlider, {290, 74, 311, 216}, 106},  {kCtlValueDisplay, {287, 225, 315, 237}, 120},
        {kCtlKnob, {224, 88, 252, 116}, 111},            {kCtlValueDisplay, {258, 95, 283, 107}, 114},
        {kCtlKnob, {224, 133, 252, 161}, 111},           {kCtlValueDisplay, {258, 140, 277, 152}, 115},
        {kCtlPositionSwitch, {224, 177, 249, 217}, 110}, {kCtlKnob, {314, 88, 342, 116}, 111},
        {kCtlValueDisplay, {348, 95, 367, 107}, 116},    {kCtlKnob, {314, 132, 342, 160}, 111},
        {kCtlValueDisplay, {348, 140, 367, 152}, 117},   {kCtlOnOffButton, {407, 144, 430, 179}, 109},
        {kCtlOnOffButton, {407, 87, 430, 122}, 109},
    };
    for (int i = 0; i < kEditorControlCount; ++i) {
        SCOPED_TRACE(i);
        const ControlLayout& record = kEditorLayout[i];
        EXPECT_EQ(record.kind, rows[i].kind);
        const CGuiRect rect = record.rect();
        EXPECT_EQ(rect.left, rows[i].rect.left);
        EXPECT_EQ(rect.top, rows[i].rect.top);
        EXPECT_EQ(rect.right, rows[i].rect.right);
        EXPECT_EQ(rect.bottom, rows[i].rect.bottom);
        EXPECT_EQ(record.bitmap, rows[i].bitmap ? skinIndex(rows[i].bitmap) : 0);
        EXPECT_EQ(record.stepFunction, 0);
    }
    const ControlLayout& view = kEditorLayout[kRowView];
    EXPECT_EQ(view.bitmapForeground, skinIndex(128));
    EXPECT_EQ(view.p[5], skinIndex(103));
    EXPECT_EQ(view.p[1], 40);
    EXPECT_EQ(view.p[2], 80);
    EXPECT_EQ(view.p[9], 17);
    EXPECT_EQ(kEditorLayout[kRowMenu].bitmapPressed, skinIndex(113));
    EXPECT_EQ(kEditorLayout[kRowAzimuthSlider].top + kEditorLayout[kRowAzimuthSlider].p[0], 75);
    EXPECT_EQ(kEditorLayout[kRowAzimuthSlider].top + kEditorLayout[kRowAzimuthSlider].p[1], 199);
    EXPECT_EQ(kEditorLayout[kRowAzimuthReadout].p[5], -180);
    EXPECT_EQ(kEditorLayout[kRowAzimuthSpeedKnob].stepCount, 19.0f);
    EXPECT_EQ(kEditorLayout[21].style, 64);  // the stereo-field button is inverted
    EXPECT_EQ(kEditorLayout[kRowQualityButton].style, 0);
}

TEST(EditorLayout, TheReflectionPatternsAreTheMenuOfList0) {
    ASSERT_EQ(kMenuLists[0].entries, kReflectionPatterns);
    EXPECT_EQ(kMenuLists[0].entryCount, 4);
    EXPECT_EQ(kMenuLists[0].positions, 4);
    const char* names[4] = {"absorb", "normal", "reflect", "sustain"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(kReflectionPatterns[i].itemNumber, i + 1);
        EXPECT_STREQ(kReflectionPatterns[i].name, names[i]);
    }
}

TEST(EditorLayout, TheLinearStepMovesToTheNextGridPoint) {
    EXPECT_EQ(kStepFunctions[0], &linearStep);
    EXPECT_FLOAT_EQ(linearStep(1.0f, 0.5f, 19.0f, 0), 11.0f / 19.0f);
    EXPECT_FLOAT_EQ(linearStep(-1.0f, 0.5f, 360.0f, 0), 179.0f / 360.0f);
    EXPECT_EQ(stepFunctionAt(1), nullptr);
    EXPECT_EQ(stepFunctionAt(-1), nullptr);
}

using EditorConstruction = EditorTest;

TEST_F(EditorConstruction, EveryControlStartsAtTheEffectsValueAndResetsToTheParameterDefault) {
    effect->setParameter(kElevationSpeed, 0.8f);
    effect->setParameter(kQuality, 1.0f);
    openEditor();
    for (int i = 0; i < kEditorControlCount; ++i) {
        SCOPED_TRACE(i);
        const ControlLayout& record = kEditorLayout[i];
        ASSERT_NE(control(i), nullptr);
        EXPECT_EQ(control(i)->tagId, record.tag);
        EXPECT_EQ(control(i)->stepFunction, &linearStep);
        EXPECT_EQ(editor->frame->viewAt(i), control(i)) << "attached in table order";
        if (record.tag < 0) {
            EXPECT_EQ(control(i)->currentValue(), record.defaultValue);
            EXPECT_EQ(control(i)->resetValue(), record.defaultValue);
        } else {
            EXPECT_EQ(control(i)->currentValue(), effect->getParameter(record.tag));
            EXPECT_EQ(control(i)->resetValue(), kParameterTable[record.tag].defaultValue);
        }
    }
    EXPECT_EQ(control(19)->currentValue(), 0.8f);
    EXPECT_EQ(control(kRowQualityButton)->currentValue(), 1.0f);
}

TEST_F(EditorConstruction, TheLinkedValuesJoinTheViewAzimuthFirst) {
    openEditor();
    auto* view = dynamic_cast<CPositionView*>(control(kRowView));
    ASSERT_NE(view, nullptr);
    const int tags[4] = {kAzimuthSlider, kDistanceSlider, kElevationSlider, kAzimuthDepthSlider};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(view->linkedValue(i), nullptr);
        EXPECT_EQ(view->linkedValue(i)->tagId, tags[i]);
        EXPECT_EQ(view->linkedValue(i)->linkOwner, view);
        EXPECT_EQ(view->linkedValue(i)->skin(), nullptr);
    }
    EXPECT_EQ(view->linkedValue(4), nullptr);
    EXPECT_EQ(view->linkedValue(0), control(4));
}

TEST_F(EditorConstruction, TheMenuShowsNormalForTheDefaultPattern) {
    openEditor();
    auto* menu = dynamic_cast<CGuiOptionMenu*>(control(kRowMenu));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->currentValue(), 0.34f);
    EXPECT_EQ(menu->currentItem(), 2);
    EXPECT_STREQ(kReflectionPatterns[menu->currentItem() - 1].name, "normal");
    EXPECT_EQ(menu->menuList, &kMenuLists[0]);
}

}  // namespace
}  // namespace editor_test
