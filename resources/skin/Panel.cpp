// 101: the panel. Flat face with a title band, engraved group lines, the controls' labels and
// the waveform icons; every position is taken from the layout's rectangles.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Pieces.h"
#include "Theme.h"

namespace skin {
namespace {

constexpr double kPi = 3.14159265358979323846;

CGuiRect rectOf(int kind, int tag) { return layoutOf(kind, tag).rect(); }

void label(cairo_t* cr, const char* text, double centreX, double baseline, Face face = Face::Bold) {
    setColour(cr, kLabel);
    drawText(cr, text, centreX, baseline, kLabelSize, face, Align::Centre, kLabelTracking);
}

// A line cut into the panel: a dark line with a lit line below or to the right of it.
void engraveHorizontal(cairo_t* cr, double x0, double x1, int y) {
    setColour(cr, kEngraveDark);
    cairo_rectangle(cr, x0, y, x1 - x0, 1);
    cairo_fill(cr);
    setColour(cr, kEngraveLight, 0.55);
    cairo_rectangle(cr, x0, y + 1, x1 - x0, 1);
    cairo_fill(cr);
}
void engraveVertical(cairo_t* cr, int x, double y0, double y1) {
    setColour(cr, kEngraveDark);
    cairo_rectangle(cr, x, y0, 1, y1 - y0);
    cairo_fill(cr);
    setColour(cr, kEngraveLight, 0.55);
    cairo_rectangle(cr, x + 1, y0, 1, y1 - y0);
    cairo_fill(cr);
}

// A group heading: the name at the left, a hairline from it to the group's right end.
void heading(cairo_t* cr, const char* text, double left, double right, double baseline) {
    setColour(cr, kLabel);
    const double width = drawText(cr, text, left, baseline, kLabelSize, Face::Bold, Align::Left, kLabelTracking);
    const double lineStart = std::ceil(left + width + 4);
    if (lineStart + 4 < right) engraveHorizontal(cr, lineStart, right, int(baseline) - 3);
}

// The title band: a darker strip with a fine brushed grain, cut off by an engraved line.
void titleBand(Canvas& panel, int bottom) {
    cairo_t* cr = panel.cr();
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, bottom);
    cairo_pattern_add_color_stop_rgb(gradient, 0, kBandTop.r, kBandTop.g, kBandTop.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1, kBandBottom.r, kBandBottom.g, kBandBottom.b);
    cairo_set_source(cr, gradient);
    cairo_rectangle(cr, 0, 0, panel.width(), bottom);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
    // Brushed grain: each row a little lighter or darker, from a fixed sequence.
    uint32_t seed = 12345;
    for (int y = 1; y < bottom; ++y) {
        seed = seed * 1664525u + 1013904223u;
        const double shade = ((seed >> 16) % 1000) / 1000.0;
        setColour(cr, shade > 0.5 ? rgb(255, 255, 255) : rgb(0, 0, 0), 0.012 + 0.018 * std::fabs(shade - 0.5));
        cairo_rectangle(cr, 0, y, panel.width(), 1);
        cairo_fill(cr);
    }
    engraveHorizontal(cr, 0, panel.width(), bottom);
}

// The panel's edge: a dark outline, a lit top-left lip and a shaded bottom-right one.
void bevel(Canvas& panel) {
    cairo_t* cr = panel.cr();
    const double w = panel.width(), h = panel.height();
    setColour(cr, rgb(10, 10, 12));
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
    cairo_stroke(cr);
    setColour(cr, rgb(255, 255, 255), 0.07);
    cairo_rectangle(cr, 1, 1, w - 2, 1);
    cairo_rectangle(cr, 1, 1, 1, h - 2);
    cairo_fill(cr);
    setColour(cr, rgb(0, 0, 0), 0.25);
    cairo_rectangle(cr, 1, h - 2, w - 2, 1);
    cairo_rectangle(cr, w - 2, 1, 1, h - 2);
    cairo_fill(cr);
}

// The name at the left with a short lit bar under its start; the subtitle at the right, on the
// same baseline.
void title(cairo_t* cr, int bandBottom, int width) {
    const double baseline = bandBottom * 0.6;
    setColour(cr, kTitle);
    drawText(cr, "SPATIALISER", 18, baseline, 18, Face::Bold, Align::Left, 3.2);
    setColour(cr, kOrange);
    cairo_rectangle(cr, 18, baseline + 5, 22, 2);
    cairo_fill(cr);
    setColour(cr, kLabelDim);
    drawText(cr, "3D SOUND SOURCE POSITIONER", width - 18, baseline, 7.5, Face::Bold, Align::Right, 1.6);
}

// Waveform icons, each drawn in a box of 12 x 6 centred on (x, y): one cycle of a sine, two
// teeth of a ramp.
void sineIcon(cairo_t* cr, double x, double y) {
    cairo_move_to(cr, x - 6, y);
    for (int i = 1; i <= 24; ++i) {
        const double t = i / 24.0;
        cairo_line_to(cr, x - 6 + 12 * t, y - 3 * std::sin(2 * kPi * t));
    }
    cairo_stroke(cr);
}
void rampIcon(cairo_t* cr, double x, double y, bool rising) {
    const double start = rising ? 3.0 : -3.0;
    cairo_move_to(cr, x - 6, y + start);
    cairo_line_to(cr, x, y - start);
    cairo_line_to(cr, x, y + start);
    cairo_line_to(cr, x + 6, y - start);
    cairo_stroke(cr);
}

void waveIcons(cairo_t* cr, const CGuiRect& wave) {
    const double x = wave.right + 11;
    cairo_save(cr);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColour(cr, kLabel);
    sineIcon(cr, x, wave.top + kLeverCentre[0]);
    rampIcon(cr, x, wave.top + kLeverCentre[1], false);
    rampIcon(cr, x, wave.top + kLeverCentre[2], true);
    cairo_restore(cr);
}

double centreOf(const CGuiRect& r) { return (r.left + r.right) / 2.0; }

}  // namespace

// A powder-coat grain of a level or so, from a fixed sequence. Bitmaps shared by several
// controls are drawn on the plain face colour; the grain is too fine to show their edges.
void grain(Canvas& panel, int top) {
    uint32_t seed = 2024;
    for (int y = top * panel.scale(); y < panel.pixelHeight(); ++y)
        for (int x = 0; x < panel.pixelWidth(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const uint32_t draw = seed >> 30;  // a quarter darker, a quarter lighter by one level
            if (draw == 1 || draw == 2) continue;
            const int step = draw == 0 ? -1 : 1;
            const uint32_t p = panel.pixel(x, y);
            auto channel = [&](int shift) { return uint32_t(std::clamp(int(p >> shift & 0xff) + step, 0, 255)); };
            panel.setPixel(x, y, channel(16) << 16 | channel(8) << 8 | channel(0));
        }
}

std::unique_ptr<Canvas> paintBackground() {
    auto panel = std::make_unique<Canvas>(kPanelWidth, kPanelHeight);
    cairo_t* cr = panel->cr();
    setColour(cr, kFace);
    cairo_paint(cr);

    const CGuiRect disc = positionView().rect();
    const int bandBottom = disc.top - 3;
    grain(*panel, bandBottom);
    titleBand(*panel, bandBottom);
    title(cr, bandBottom, panel->width());

    const CGuiRect azimuth = rectOf(kCtlVerticalSlider, 4);
    const CGuiRect elevation = rectOf(kCtlVerticalSlider, 6);
    const CGuiRect distance = rectOf(kCtlVerticalSlider, 5);
    const CGuiRect azimuthDepth = rectOf(kCtlKnob, 7), azimuthSpeed = rectOf(kCtlKnob, 8);
    const CGuiRect elevationDepth = rectOf(kCtlKnob, 10), elevationSpeed = rectOf(kCtlKnob, 11);
    const CGuiRect azimuthSpeedReadout = rectOf(kCtlValueDisplay, 8);
    const CGuiRect elevationReadout = rectOf(kCtlValueDisplay, 6);
    const CGuiRect distanceReadout = rectOf(kCtlValueDisplay, 5);
    const CGuiRect wave = rectOf(kCtlPositionSwitch, 9);
    const CGuiRect room = rectOf(kCtlOptionMenu, 14);
    const CGuiRect stereoField = rectOf(kCtlOnOffButton, 12);
    const CGuiRect quality = rectOf(kCtlOnOffButton, 13);

    // Group lines between the azimuth, elevation and distance columns, in the gaps between
    // their controls.
    const int azimuthRight = std::max(rectOf(kCtlValueDisplay, 7).right, azimuthSpeedReadout.right);
    const int firstDivider = (azimuthRight + elevationReadout.left) / 2 - 1;
    const int secondDivider = (room.right + distance.left) / 2 - 1;
    const double headingBaseline = azimuth.top - 8;
    const double groupTop = headingBaseline - 8;
    engraveVertical(cr, firstDivider, groupTop, disc.bottom);
    engraveVertical(cr, secondDivider, groupTop, distanceReadout.top - 5);

    heading(cr, "AZIMUTH", azimuth.left, firstDivider - 3, headingBaseline);
    heading(cr, "ELEVATION", elevation.left, secondDivider - 3, headingBaseline);
    heading(cr, "DISTANCE", distance.left, panel->width() - 8, headingBaseline);

    for (const CGuiRect& knob : {azimuthDepth, elevationDepth}) label(cr, "DEPTH", centreOf(knob), knob.top - 3);
    for (const CGuiRect& knob : {azimuthSpeed, elevationSpeed}) label(cr, "SPEED", centreOf(knob), knob.top - 3);
    label(cr, "WAVE", centreOf(wave), wave.top - 3);
    waveIcons(cr, wave);
    // The room is a section of its own under the elevation's knobs.
    heading(cr, "ROOM", room.left, secondDivider - 3, room.top - 4);
    // The stereo-field button is inverted: it lights in the mode without rear colouring, and its
    // label names that mode. Narrow letters keep it clear of the distance slider; the quality
    // button's label matches them.
    label(cr, "HQ", centreOf(quality), quality.top - 3, Face::Narrow);
    label(cr, "NO REAR", centreOf(stereoField), stereoField.top - 3, Face::Narrow);

    // The bottom line: how the disc is played.
    setColour(cr, kLabelDim);
    drawText(cr, "DRAG THE SOURCE AROUND THE HEAD  \xc2\xb7  CTRL-CLICK RESETS A CONTROL", disc.left + 8,
             disc.bottom + 17, 6.5, Face::Bold, Align::Left, 0.7);

    bevel(*panel);
    return panel;
}

}  // namespace skin
