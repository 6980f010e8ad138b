// The control bitmaps: slider tracks and handle, on/off button, waveform switch, knob strip,
// option menu and read-outs.
#include <cmath>

#include "Pieces.h"
#include "Theme.h"

namespace skin {
namespace {

constexpr double kPi = 3.14159265358979323846;

void fillLinear(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(gradient, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}

// A recessed slot: dark inside, shaded at the top, a lit lip along the bottom.
void slot(cairo_t* cr, double x, double y, double w, double h, double radius) {
    roundedRect(cr, x - 0.5, y - 0.5, w + 1, h + 1.5, radius + 0.5);
    setColour(cr, rgb(255, 255, 255), 0.08);
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, radius);
    fillLinear(cr, y, y + h, rgb(6, 6, 8), kWell);
    cairo_new_path(cr);
}

// The handle's top in the track for a value, as the slider places it.
double handleTop(const ControlLayout& slider, double value) {
    const double shown = (slider.style & 0x20) ? value : 1.0 - value;
    return std::floor((slider.p[1] - slider.p[0]) * shown + 0.5) + slider.offset2.v + slider.p[0];
}

void knobImage(cairo_t* cr, double cy, double startAngle, double angle) {
    const double cx = 14.0;
    cy += 14.0;
    auto toCairo = [](double degrees) { return (degrees - 90.0) * kPi / 180.0; };
    // The arc's track and its lit part from the start to the pointer.
    cairo_set_line_width(cr, 2.2);
    setColour(cr, rgb(16, 17, 20));
    cairo_arc(cr, cx, cy, 12.0, toCairo(-150), toCairo(150));
    cairo_stroke(cr);
    if (angle > startAngle) {
        setColour(cr, kOrange);
        cairo_arc(cr, cx, cy, 12.0, toCairo(startAngle), toCairo(angle));
        cairo_stroke(cr);
    }
    // Shadow, body with its bevel, then the top.
    setColour(cr, rgb(0, 0, 0), 0.45);
    cairo_arc(cr, cx, cy + 1.0, 9.4, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 9.0, 0, 2 * kPi);
    fillLinear(cr, cy - 9, cy + 9, rgb(122, 126, 133), rgb(30, 31, 35));
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 7.4, 0, 2 * kPi);
    fillLinear(cr, cy - 7.4, cy + 7.4, rgb(70, 73, 79), rgb(46, 48, 53));
    cairo_new_path(cr);
    // The pointer.
    const double a = toCairo(angle);
    cairo_set_line_width(cr, 1.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColour(cr, rgb(242, 242, 240));
    cairo_move_to(cr, cx + std::cos(a) * 2.6, cy + std::sin(a) * 2.6);
    cairo_line_to(cr, cx + std::cos(a) * 7.2, cy + std::sin(a) * 7.2);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void ledImage(cairo_t* cr, double cx, double cy, bool lit) {
    setColour(cr, rgb(8, 8, 10));
    cairo_arc(cr, cx, cy, 3.6, 0, 2 * kPi);
    cairo_fill(cr);
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 2.5, cx, cy, 6.5);
        cairo_pattern_add_color_stop_rgba(glow, 0, kOrange.r, kOrange.g, kOrange.b, 0.45);
        cairo_pattern_add_color_stop_rgba(glow, 1, kOrange.r, kOrange.g, kOrange.b, 0.0);
        cairo_set_source(cr, glow);
        cairo_arc(cr, cx, cy, 6.5, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    cairo_pattern_t* lens = cairo_pattern_create_radial(cx - 0.8, cy - 0.9, 0, cx, cy, 2.8);
    if (lit) {
        cairo_pattern_add_color_stop_rgb(lens, 0.0, 1.0, 0.96, 0.86);
        cairo_pattern_add_color_stop_rgb(lens, 0.45, kAmber.r, kAmber.g, kAmber.b);
        cairo_pattern_add_color_stop_rgb(lens, 1.0, kOrange.r, kOrange.g, kOrange.b);
    } else {
        cairo_pattern_add_color_stop_rgb(lens, 0.0, 0.42, 0.27, 0.21);
        cairo_pattern_add_color_stop_rgb(lens, 1.0, 0.17, 0.10, 0.08);
    }
    cairo_set_source(cr, lens);
    cairo_arc(cr, cx, cy, 2.8, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(lens);
}

void buttonImage(cairo_t* cr, double y, bool on) {
    ledImage(cr, 11.5, y + 5.5, on);
    const double x = 2, top = y + 12, w = 19, h = 21;
    roundedRect(cr, x - 0.5, top + 0.5, w + 1, h + 1, 3.5);
    setColour(cr, rgb(0, 0, 0), 0.55);
    cairo_fill(cr);
    roundedRect(cr, x, top, w, h, 3);
    fillLinear(cr, top, top + h, rgb(12, 12, 14), rgb(10, 10, 12));
    cairo_new_path(cr);
    // Pressed in when on: the cap sits lower and catches less light.
    const double inset = on ? 1.5 : 1.0;
    roundedRect(cr, x + 1, top + inset, w - 2, h - 1 - inset, 2.2);
    if (on) fillLinear(cr, top, top + h, rgb(64, 66, 72), rgb(48, 50, 55));
    else fillLinear(cr, top, top + h, rgb(98, 101, 108), rgb(52, 54, 59));
    cairo_new_path(cr);
    setColour(cr, rgb(255, 255, 255), on ? 0.06 : 0.16);
    cairo_rectangle(cr, x + 3, top + inset, w - 6, 1);
    cairo_fill(cr);
}

void leverImage(cairo_t* cr, double y, double centre) {
    slot(cr, 10, y + 3, 5, 34, 2.5);
    // Marks towards the waveform icons.
    setColour(cr, kLabelDim);
    for (double c : kLeverCentre) {
        cairo_rectangle(cr, 20, y + std::floor(c) , 3, 1);
        cairo_fill(cr);
    }
    const double cy = y + centre;
    roundedRect(cr, 5.5, cy - 4.0 + 1.0, 14, 8, 2.5);
    setColour(cr, rgb(0, 0, 0), 0.5);
    cairo_fill(cr);
    roundedRect(cr, 5.5, cy - 4.0, 14, 8, 2.5);
    fillLinear(cr, cy - 4, cy + 4, rgb(196, 199, 204), rgb(92, 95, 101));
    setColour(cr, rgb(14, 14, 16), 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    setColour(cr, rgb(30, 31, 35), 0.7);
    cairo_rectangle(cr, 8, cy - 0.5, 9, 1);
    cairo_fill(cr);
}

// A small light display filling its whole rectangle.
void display(cairo_t* cr, double w, double h, Rgb top, Rgb bottom) {
    roundedRect(cr, 0, 0, w, h, 2.0);
    setColour(cr, rgb(10, 10, 12));
    cairo_fill(cr);
    roundedRect(cr, 1, 1, w - 2, h - 2, 1.2);
    fillLinear(cr, 1, h - 1, top, bottom);
    cairo_new_path(cr);
    setColour(cr, rgb(0, 0, 0), 0.16);
    cairo_rectangle(cr, 2, 1, w - 4, 1);
    cairo_fill(cr);
}

}  // namespace

Rgb trackFace() { return kFace; }

std::unique_ptr<Canvas> paintTrack(const Canvas& background, int resourceId) {
    const ControlLayout& slider = layoutUsing(resourceId);
    auto track = std::make_unique<Canvas>(slider.width, slider.height);
    track->copyFrom(background, slider.left, slider.top, slider.width, slider.height, 0, 0);
    cairo_t* cr = track->cr();
    const double centreX = slider.offset2.h + kHandleWidth / 2.0;
    const double topLine = handleTop(slider, 1.0) + kHandleHeight / 2.0;
    const double bottomLine = handleTop(slider, 0.0) + kHandleHeight / 2.0;
    // Scale marks every eighth of the range; longer at the ends and the middle.
    for (int i = 0; i <= 8; ++i) {
        const double y = std::floor(topLine + (bottomLine - topLine) * i / 8.0) - 1;
        const bool major = i % 4 == 0;
        const double length = major ? 5 : (i % 2 == 0 ? 4 : 2.5);
        setColour(cr, major ? rgb(150, 155, 163) : rgb(104, 108, 116));
        cairo_rectangle(cr, centreX - 4 - length, y, length, 1);
        cairo_rectangle(cr, centreX + 4, y, length, 1);
        cairo_fill(cr);
    }
    slot(cr, centreX - 2, topLine - 5, 4, bottomLine - topLine + 10, 2);
    return track;
}

std::unique_ptr<Canvas> paintHandle() {
    Canvas layer(kHandleWidth, kHandleHeight, true);
    cairo_t* cr = layer.cr();
    const double w = kHandleWidth, h = kHandleHeight;
    roundedRect(cr, 0, 0, w, h, 2.5);
    setColour(cr, rgb(8, 8, 10));
    cairo_fill(cr);
    roundedRect(cr, 1, 1, w - 2, h - 2, 1.8);
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, 1, 0, h - 1);
    cairo_pattern_add_color_stop_rgb(metal, 0.0, 0.80, 0.81, 0.83);
    cairo_pattern_add_color_stop_rgb(metal, 0.48, 0.58, 0.59, 0.62);
    cairo_pattern_add_color_stop_rgb(metal, 0.52, 0.50, 0.51, 0.54);
    cairo_pattern_add_color_stop_rgb(metal, 1.0, 0.32, 0.33, 0.36);
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    // Grip ridges above and below the centre line.
    for (int y : {3, 5, 10, 12}) {
        setColour(cr, rgb(0, 0, 0), 0.22);
        cairo_rectangle(cr, 2, y, w - 4, 1);
        cairo_fill(cr);
        setColour(cr, rgb(255, 255, 255), 0.12);
        cairo_rectangle(cr, 2, y + 1, w - 4, 1);
        cairo_fill(cr);
    }
    setColour(cr, rgb(14, 14, 16));
    cairo_rectangle(cr, 1, h / 2 - 1, w - 2, 2);
    cairo_fill(cr);
    auto handle = std::make_unique<Canvas>(kHandleWidth, kHandleHeight);
    keyLayer(layer, *handle, 0, 0, trackFace());
    return handle;
}

std::unique_ptr<Canvas> paintButton() {
    const ControlLayout& button = layoutUsing(109);
    auto strip = std::make_unique<Canvas>(button.width, button.height * 2);
    setColour(strip->cr(), kFace);
    cairo_paint(strip->cr());
    buttonImage(strip->cr(), 0, false);
    buttonImage(strip->cr(), button.height, true);
    return strip;
}

std::unique_ptr<Canvas> paintSwitch(const Canvas& background) {
    const ControlLayout& wave = layoutUsing(110);
    const int images = wave.p[0], imageHeight = wave.p[1];
    auto strip = std::make_unique<Canvas>(wave.width, imageHeight * images);
    for (int k = 0; k < images; ++k) {
        strip->copyFrom(background, wave.left, wave.top, wave.width, imageHeight, 0, k * imageHeight);
        leverImage(strip->cr(), k * imageHeight, kLeverCentre[k]);
    }
    return strip;
}

std::unique_ptr<Canvas> paintKnob() {
    const ControlLayout& knob = layoutUsing(111);
    const int images = knob.p[0], imageHeight = knob.p[1];
    const double start = knob.p[2], end = knob.p[3];
    auto strip = std::make_unique<Canvas>(knob.width, imageHeight * images);
    setColour(strip->cr(), kFace);
    cairo_paint(strip->cr());
    for (int k = 0; k < images; ++k)
        knobImage(strip->cr(), k * imageHeight, start, start + (end - start) * k / (images - 1));
    return strip;
}

std::unique_ptr<Canvas> paintMenu(const Canvas& background, bool pressed) {
    const ControlLayout& menu = layoutUsing(112);
    auto field = std::make_unique<Canvas>(menu.width, menu.height);
    field->copyFrom(background, menu.left, menu.top, menu.width, menu.height, 0, 0);
    cairo_t* cr = field->cr();
    const double w = menu.width, h = menu.height;
    if (pressed) display(cr, w, h, rgb(178, 180, 174), rgb(200, 202, 196));
    else display(cr, w, h, rgb(226, 228, 221), rgb(196, 198, 191));
    const double arrowX = w - 9.5;
    setColour(cr, rgb(0, 0, 0), 0.18);
    cairo_rectangle(cr, w - 18, 4, 1, h - 8);
    cairo_fill(cr);
    cairo_move_to(cr, arrowX - 3.5, h / 2 - 1.5);
    cairo_line_to(cr, arrowX + 3.5, h / 2 - 1.5);
    cairo_line_to(cr, arrowX, h / 2 + 2.5);
    cairo_close_path(cr);
    setColour(cr, pressed ? kOrange : rgb(44, 46, 51));
    cairo_fill(cr);
    return field;
}

std::unique_ptr<Canvas> paintReadout(const Canvas& background, int resourceId, bool highlighted) {
    const ControlLayout& readout = layoutUsing(resourceId);
    auto out = std::make_unique<Canvas>(readout.width, readout.height);
    out->copyFrom(background, readout.left, readout.top, readout.width, readout.height, 0, 0);
    if (highlighted) display(out->cr(), readout.width, readout.height, mix(kAmber, rgb(255, 255, 255), 0.25), kAmber);
    else display(out->cr(), readout.width, readout.height, rgb(222, 224, 217), rgb(196, 198, 191));
    return out;
}

}  // namespace skin
