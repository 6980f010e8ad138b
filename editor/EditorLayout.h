// The editor's whole appearance as data: one record per control, in paint order, with its kind,
// parameter, rectangle, skin bitmaps and kind-specific values. The editor builds its controls from
// this table and the skin tool places its labels by it; no other list of coordinates exists.
#pragma once

#include <cstdint>

#include "gui/CGuiColor.h"
#include "gui/CGuiGeometry.h"
#include "gui/MenuList.h"

constexpr CGuiColor kLayoutWhite = {255, 255, 255, 0};
constexpr CGuiColor kLayoutBlack = {0, 0, 0, 0};
constexpr CGuiColor kLayoutOrange = {255, 102, 51, 0};
constexpr CGuiColor kLayoutAmber = {255, 207, 99, 0};

// Skin bitmaps are resources 101..128; a layout names one by its index 1..28, 0 for none.
constexpr int kSkinResourceBase = 100;
constexpr int kSkinBitmapCount = 28;
constexpr int32_t skinIndex(int resourceId) { return resourceId - kSkinResourceBase; }

enum ControlKind : int32_t {
    kCtlVerticalSlider = 0,
    kCtlValueDisplay = 2,
    kCtlKnob = 3,
    kCtlPositionSwitch = 9,
    kCtlOnOffButton = 10,
    kCtlOptionMenu = 12,
    kCtlPositionView = 17,
    kCtlLinkedValue = 18,
};

// A colour in a 32-bit kind-specific field: the four bytes red, green, blue, spare in memory order.
constexpr int32_t layoutColorValue(CGuiColor color) {
    return static_cast<int32_t>(static_cast<uint32_t>(color.red) | static_cast<uint32_t>(color.green) << 8 |
                                static_cast<uint32_t>(color.blue) << 16 | static_cast<uint32_t>(color.spare) << 24);
}
constexpr CGuiColor layoutColor(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16),
            static_cast<uint8_t>(bits >> 24)};
}

// 32 fields of 32 bits. The meaning of p[0..9] (p1..p10) depends on the kind:
//   slider: p1, p2 handle travel from top + p1 to top + p2
//   value display: p1 font, p2 size, p3 alignment, p4 converter, p5 factor, p6 offset,
//                  p7 background, p8 highlighted background, p9 text colour
//   knob: p1 image count, p2 image height, p3 start angle, p4 end angle (degrees)
//   position switch: p1 image count, p2 image height, p3 positions
//   option menu: p1 list, p2 font, p3 size, p4 alignment, p5 background,
//                p6 highlighted background, p7 text colour
//   position view: p1 link, p2 inner radius, p3 outer radius, p4, p5 centre offset,
//                  p6 sector bitmap, p7 highlighted sector bitmap, p8, p9 marker base size,
//                  p10 marker images
//   linked value: p1 link of its position view
struct ControlLayout {
    int32_t kind;
    int32_t tag;  // parameter index, or -1 for a control bound to no single parameter
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    int32_t bitmap;
    int32_t bitmapHighlight;
    int32_t bitmapForeground;
    int32_t bitmapForegroundHighlight;
    int32_t bitmapPressed;
    CGuiPoint offset;   // source offset into the main bitmap
    CGuiPoint offset2;  // handle offset (sliders) or text inset (read-outs, option menu)
    int32_t seeThrough;
    int32_t keyed;
    int32_t stepFunction;
    float stepCount;
    int32_t stepArgument;
    int32_t p[10];
    int32_t style;
    float defaultValue;  // value and reset value of a control with a negative tag

    // Builders that keep the table below readable; each returns the record with fields set.
    constexpr ControlLayout withBitmaps(int32_t main, int32_t highlight = 0, int32_t foreground = 0,
                                        int32_t foregroundHighlight = 0, int32_t pressed = 0) const {
        ControlLayout record = *this;
        record.bitmap = main;
        record.bitmapHighlight = highlight;
        record.bitmapForeground = foreground;
        record.bitmapForegroundHighlight = foregroundHighlight;
        record.bitmapPressed = pressed;
        return record;
    }
    constexpr ControlLayout withOffset2(int32_t h, int32_t v) const {
        ControlLayout record = *this;
        record.offset2 = {h, v};
        return record;
    }
    constexpr ControlLayout withParams(int32_t p1, int32_t p2 = 0, int32_t p3 = 0, int32_t p4 = 0, int32_t p5 = 0,
                                       int32_t p6 = 0, int32_t p7 = 0, int32_t p8 = 0, int32_t p9 = 0,
                                       int32_t p10 = 0) const {
        ControlLayout record = *this;
        const int32_t values[10] = {p1, p2, p3, p4, p5, p6, p7, p8, p9, p10};
        for (int i = 0; i < 10; ++i)
            record.p[i] = values[i];
        return record;
    }
    constexpr ControlLayout withKeyed() const {
        ControlLayout record = *this;
        record.keyed = 1;
        return record;
    }
    constexpr ControlLayout withStyle(int32_t bits) const {
        ControlLayout record = *this;
        record.style = bits;
        return record;
    }
    constexpr ControlLayout withStepCount(float count) const {
        ControlLayout record = *this;
        record.stepCount = count;
        return record;
    }
    constexpr ControlLayout withDefault(float value) const {
        ControlLayout record = *this;
        record.defaultValue = value;
        return record;
    }

    CGuiRect rect() const {  // normalised: edges from min to max of each pair
        const int32_t right = left + width;
        const int32_t bottom = top + height;
        return {left < right ? left : right, top < bottom ? top : bottom, left < right ? right : left,
                top < bottom ? bottom : top};
    }
};
static_assert(sizeof(ControlLayout) == 32 * 4, "a layout record is 32 fields of 32 bits");

constexpr ControlLayout layoutRecord(int32_t kind, int32_t tag, int32_t left, int32_t top, int32_t width,
                                     int32_t height) {
    return {kind, tag, left, top, width, height, 0, 0, 0, 0, 0, {0, 0}, {0, 0}, 0, 0, 0, 0.0f, 0, {}, 0, 0.0f};
}

inline constexpr MenuListEntry kReflectionPatterns[4] = {
    {1, "absorb"},
    {2, "normal"},
    {3, "reflect"},
    {4, "sustain"},
};
inline constexpr MenuList kMenuLists[1] = {{kReflectionPatterns, 4, 4}};

namespace layout_detail {
constexpr int32_t kWhite = layoutColorValue(kLayoutWhite);
constexpr int32_t kBlack = layoutColorValue(kLayoutBlack);
constexpr int32_t kOrange = layoutColorValue(kLayoutOrange);
constexpr int32_t kAmber = layoutColorValue(kLayoutAmber);

// A value read-out: font 0 at size 10, centred, converter 2 (the shown number as "%d").
constexpr ControlLayout readout(int32_t tag, int32_t left, int32_t top, int32_t width, int32_t background,
                                int32_t highlighted, int32_t factor, int32_t offset, int32_t backColour,
                                float stepCount) {
    return layoutRecord(kCtlValueDisplay, tag, left, top, width, 12)
        .withBitmaps(skinIndex(background), skinIndex(highlighted))
        .withParams(0, 10, 1, 2, factor, offset, backColour, kAmber, kBlack)
        .withStepCount(stepCount);
}
// A vertical slider over a 21 x 142 track; the handle's top travels over frame rows 75..199.
constexpr ControlLayout slider(int32_t tag, int32_t left, int32_t track, float stepCount) {
    return layoutRecord(kCtlVerticalSlider, tag, left, 74, 21, 142)
        .withBitmaps(skinIndex(track), 0, skinIndex(108))
        .withParams(1, 125)
        .withOffset2(1, 0)
        .withKeyed()
        .withStyle(64)
        .withStepCount(stepCount);
}
// A knob of 31 images of 28 x 28 turning from -150 to +150 degrees.
constexpr ControlLayout knob(int32_t tag, int32_t top, int32_t left, float stepCount) {
    return layoutRecord(kCtlKnob, tag, left, top, 28, 28)
        .withBitmaps(skinIndex(111))
        .withParams(31, 28, -150, 150)
        .withStepCount(stepCount);
}
}  // namespace layout_detail

constexpr int kEditorControlCount = 23;

inline constexpr ControlLayout kEditorLayout[kEditorControlCount] = {
    // 0: the position disc with its four linked values.
    layoutRecord(kCtlPositionView, -1, 8, 50, 191, 191)
        .withBitmaps(skinIndex(102), 0, skinIndex(128))
        .withParams(0, 40, 80, 0, 0, skinIndex(103), 0, 15, 15, 17)
        .withKeyed()
        .withDefault(0.0f),
    layoutRecord(kCtlLinkedValue, 7, 0, 0, 0, 0).withParams(0),
    layoutRecord(kCtlLinkedValue, 6, 0, 0, 0, 0).withParams(0),
    layoutRecord(kCtlLinkedValue, 5, 0, 0, 0, 0).withParams(0),
    layoutRecord(kCtlLinkedValue, 4, 0, 0, 0, 0).withParams(0),
    // 5: the reflection pattern.
    layoutRecord(kCtlOptionMenu, 14, 313, 178, 65, 21)
        .withBitmaps(skinIndex(112), 0, 0, 0, skinIndex(113))
        .withParams(0, 0, 10, 0, layout_detail::kWhite, layout_detail::kWhite, layout_detail::kBlack)
        .withOffset2(6, 0)
        .withStyle(1024),
    // 6..11: azimuth, distance and elevation sliders with their read-outs.
    layout_detail::slider(4, 200, 105, 360.0f),
    layout_detail::readout(4, 197, 225, 28, 118, 125, 360, -180, layout_detail::kWhite, 360.0f),
    layout_detail::slider(5, 382, 107, 99.0f),
    layout_detail::readout(5, 379, 225, 28, 119, 126, 99, 0, layout_detail::kWhite, 99.0f),
    layout_detail::slider(6, 290, 106, 99.0f),
    layout_detail::readout(6, 287, 225, 28, 120, 127, 99, 0, layout_detail::kWhite, 99.0f),
    // 12..16: azimuth modulation depth and speed with read-outs, and the waveform switch.
    layout_detail::knob(7, 88, 224, 360.0f),
    layout_detail::readout(7, 258, 95, 25, 114, 121, 360, 0, layout_detail::kOrange, 360.0f),
    layout_detail::knob(8, 133, 224, 19.0f),
    layout_detail::readout(8, 258, 140, 19, 115, 122, 19, 0, layout_detail::kOrange, 19.0f),
    layoutRecord(kCtlPositionSwitch, 9, 224, 177, 25, 40)
        .withBitmaps(skinIndex(110))
        .withParams(3, 40, 3)
        .withStepCount(2.0f),
    // 17..20: elevation modulation depth and speed with read-outs.
    layout_detail::knob(10, 88, 314, 99.0f),
    layout_detail::readout(10, 348, 95, 19, 116, 123, 99, 0, layout_detail::kOrange, 99.0f),
    layout_detail::knob(11, 132, 314, 19.0f),
    layout_detail::readout(11, 348, 140, 19, 117, 124, 19, 0, layout_detail::kOrange, 19.0f),
    // 21, 22: stereo field (inverted) and quality.
    layoutRecord(kCtlOnOffButton, 12, 407, 144, 23, 35).withBitmaps(skinIndex(109)).withStyle(64).withStepCount(1.0f),
    layoutRecord(kCtlOnOffButton, 13, 407, 87, 23, 35).withBitmaps(skinIndex(109)).withStyle(0).withStepCount(1.0f),
};
