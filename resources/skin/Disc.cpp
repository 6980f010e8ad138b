// 102 and 103: the position disc, unlit and with the warm wash shown inside the modulation
// sector; 128: the source markers that sit on it; 104: the small marker icon.
#include <algorithm>
#include <cmath>

#include "Pieces.h"
#include "Theme.h"

namespace skin {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kWash = 0.42;  // opacity of the accent over the lit disc's face at the outer ring

// The face's radial shading: centre and rim colours.
constexpr Rgb kFaceCentre = rgb(40, 43, 48);
constexpr Rgb kFaceRim = rgb(21, 23, 27);

struct DiscGeometry {
    double cx, cy;      // centre, in Cairo coordinates (pixel centres are at .5)
    double inner, outer;  // rings of distance 0 and 1
    double face;        // radius of the display face
    double rim;         // outer edge of the bezel
};

DiscGeometry discGeometry() {
    const ControlLayout& view = positionView();
    DiscGeometry g;
    // The view puts the centre on pixel (width / 2, height / 2), integer halving.
    g.cx = view.width / 2 + 0.5;
    g.cy = view.height / 2 + 0.5;
    g.inner = view.p[1];
    g.outer = view.p[2];
    g.rim = std::min(view.width, view.height) / 2.0 - 1.0;
    g.face = g.rim - 6.0;
    return g;
}

// A point at `radius` in direction `degrees`, clockwise from straight up (the front).
void polar(const DiscGeometry& g, double degrees, double radius, double& x, double& y) {
    const double a = degrees * kPi / 180.0;
    x = g.cx + std::sin(a) * radius;
    y = g.cy - std::cos(a) * radius;
}

void bezel(cairo_t* cr, const DiscGeometry& g) {
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, g.cy - g.rim, 0, g.cy + g.rim);
    cairo_pattern_add_color_stop_rgb(metal, 0.0, 0.42, 0.43, 0.46);
    cairo_pattern_add_color_stop_rgb(metal, 0.5, 0.22, 0.23, 0.25);
    cairo_pattern_add_color_stop_rgb(metal, 1.0, 0.12, 0.12, 0.14);
    cairo_set_source(cr, metal);
    cairo_arc(cr, g.cx, g.cy, g.rim, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    // The cut between bezel and face, dark above and catching light below.
    cairo_pattern_t* cut = cairo_pattern_create_linear(0, g.cy - g.face, 0, g.cy + g.face);
    cairo_pattern_add_color_stop_rgb(cut, 0.0, 0.04, 0.04, 0.05);
    cairo_pattern_add_color_stop_rgb(cut, 1.0, 0.30, 0.31, 0.34);
    cairo_set_source(cr, cut);
    cairo_arc(cr, g.cx, g.cy, g.face + 1.5, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(cut);
}

void face(cairo_t* cr, const DiscGeometry& g, bool lit) {
    cairo_pattern_t* shade = cairo_pattern_create_radial(g.cx, g.cy - g.face * 0.25, 0, g.cx, g.cy, g.face);
    cairo_pattern_add_color_stop_rgb(shade, 0.0, kFaceCentre.r, kFaceCentre.g, kFaceCentre.b);
    cairo_pattern_add_color_stop_rgb(shade, 1.0, kFaceRim.r, kFaceRim.g, kFaceRim.b);
    cairo_set_source(cr, shade);
    cairo_arc(cr, g.cx, g.cy, g.face, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    if (!lit) return;
    // The wash: a beam of the accent from the listener outwards, strongest past the outer ring.
    cairo_pattern_t* beam = cairo_pattern_create_radial(g.cx, g.cy, 0, g.cx, g.cy, g.face);
    cairo_pattern_add_color_stop_rgba(beam, 0.0, kOrange.r, kOrange.g, kOrange.b, kWash * 0.3);
    cairo_pattern_add_color_stop_rgba(beam, g.outer / g.face, kOrange.r, kOrange.g, kOrange.b, kWash);
    cairo_pattern_add_color_stop_rgba(beam, 1.0, kAmber.r, kAmber.g, kAmber.b, kWash * 1.1);
    cairo_set_source(cr, beam);
    cairo_arc(cr, g.cx, g.cy, g.face, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(beam);
}

void grid(cairo_t* cr, const DiscGeometry& g, bool lit) {
    const Rgb line = lit ? kAmber : rgb(150, 156, 166);
    cairo_set_line_width(cr, 1.0);
    // The rings of distance 0 and 1, and a dashed one half way.
    setColour(cr, line, lit ? 0.55 : 0.42);
    cairo_arc(cr, g.cx, g.cy, g.inner, 0, 2 * kPi);
    cairo_stroke(cr);
    setColour(cr, line, lit ? 0.75 : 0.6);
    cairo_arc(cr, g.cx, g.cy, g.outer, 0, 2 * kPi);
    cairo_stroke(cr);
    const double dash[2] = {2.0, 3.0};
    cairo_set_dash(cr, dash, 2, 0);
    setColour(cr, line, lit ? 0.3 : 0.2);
    cairo_arc(cr, g.cx, g.cy, (g.inner + g.outer) / 2, 0, 2 * kPi);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // Spokes every 30 degrees between the rings, ticks outside the outer ring.
    for (int degrees = 0; degrees < 360; degrees += 30) {
        const bool axis = degrees % 90 == 0;
        double x0, y0, x1, y1;
        if (!axis) {
            setColour(cr, line, lit ? 0.18 : 0.12);
            polar(g, degrees, g.inner + 3, x0, y0);
            polar(g, degrees, g.outer - 3, x1, y1);
            cairo_move_to(cr, x0, y0);
            cairo_line_to(cr, x1, y1);
            cairo_stroke(cr);
        }
        setColour(cr, line, axis ? 0.9 : 0.6);
        cairo_set_line_width(cr, axis ? 1.6 : 1.0);
        polar(g, degrees, g.outer + 2.5, x0, y0);
        polar(g, degrees, g.face - (axis ? 1.0 : 2.5), x1, y1);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 1.0);
    }
}

void legends(cairo_t* cr, const DiscGeometry& g, bool lit) {
    const Rgb colour = lit ? mix(kAmber, rgb(255, 255, 255), 0.2) : rgb(150, 155, 163);
    setColour(cr, colour);
    // Inside the inner ring, where the marker stands only at distance 0: the middle of the rings
    // is the default distance, and a label there would sit under the marker.
    const double middle = g.inner - 13;
    const double capHalf = 2.6;  // half the capital height at 7.5 pixels
    drawText(cr, "FRONT", g.cx, g.cy - middle + capHalf, 7.5, Face::Bold, Align::Centre, 1.2);
    drawText(cr, "BACK", g.cx, g.cy + middle + capHalf, 7.5, Face::Bold, Align::Centre, 1.2);
    drawText(cr, "L", g.cx - middle, g.cy + capHalf, 7.5, Face::Bold, Align::Centre);
    drawText(cr, "R", g.cx + middle, g.cy + capHalf, 7.5, Face::Bold, Align::Centre);
}

// The listener seen from above, facing the front: head, nose and ears.
void head(cairo_t* cr, const DiscGeometry& g) {
    const double rx = 8.5, ry = 10.0;
    cairo_new_path(cr);
    cairo_pattern_t* skin = cairo_pattern_create_radial(g.cx - 1.5, g.cy - 3.5, 1, g.cx, g.cy, ry + 2);
    cairo_pattern_add_color_stop_rgb(skin, 0.0, 0.62, 0.64, 0.67);
    cairo_pattern_add_color_stop_rgb(skin, 1.0, 0.30, 0.31, 0.34);
    // Ears first, so the head's outline covers their inner side.
    for (int side : {-1, 1}) {
        cairo_save(cr);
        cairo_translate(cr, g.cx + side * rx, g.cy + 0.5);
        cairo_scale(cr, 2.2, 3.6);
        cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
        cairo_restore(cr);
        cairo_set_source(cr, skin);
        cairo_fill_preserve(cr);
        setColour(cr, rgb(12, 13, 15), 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    // Nose, pointing to the front.
    cairo_move_to(cr, g.cx - 3.6, g.cy - ry + 2.0);
    cairo_line_to(cr, g.cx, g.cy - ry - 5.0);
    cairo_line_to(cr, g.cx + 3.6, g.cy - ry + 2.0);
    cairo_close_path(cr);
    cairo_set_source(cr, skin);
    cairo_fill_preserve(cr);
    setColour(cr, rgb(12, 13, 15), 0.8);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, g.cx, g.cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_set_source(cr, skin);
    cairo_fill_preserve(cr);
    setColour(cr, rgb(12, 13, 15), 0.85);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_pattern_destroy(skin);
}

// A faint reflection on the upper half of the glass.
void gloss(cairo_t* cr, const DiscGeometry& g) {
    cairo_save(cr);
    cairo_arc(cr, g.cx, g.cy, g.face, 0, 2 * kPi);
    cairo_clip(cr);
    cairo_pattern_t* light = cairo_pattern_create_linear(0, g.cy - g.face, 0, g.cy);
    cairo_pattern_add_color_stop_rgba(light, 0.0, 1, 1, 1, 0.07);
    cairo_pattern_add_color_stop_rgba(light, 1.0, 1, 1, 1, 0.0);
    cairo_set_source(cr, light);
    cairo_save(cr);
    cairo_translate(cr, g.cx, g.cy - g.face * 0.45);
    cairo_scale(cr, g.face * 0.95, g.face * 0.6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    cairo_restore(cr);
}

// One marker of diameter `size` on a transparent layer at (x, y): a ball that glows from a hot
// amber core to an orange rim, in a thin dark ring. No soft glow around it: whatever lies
// under the marker, lit or unlit disc or bezel, its edge blends only through that dark ring.
void marker(cairo_t* cr, double x, double y, int size) {
    const double cx = x + size / 2.0, cy = y + size / 2.0;
    const double ring = size * 0.47;
    const double ball = ring - std::max(1.0, size * 0.06);
    setColour(cr, rgb(34, 12, 4));
    cairo_arc(cr, cx, cy, ring, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_t* body = cairo_pattern_create_radial(cx - ball * 0.3, cy - ball * 0.35, 0, cx, cy, ball);
    cairo_pattern_add_color_stop_rgb(body, 0.0, 254 / 255.0, 246 / 255.0, 222 / 255.0);
    cairo_pattern_add_color_stop_rgb(body, 0.3, kAmber.r, kAmber.g, kAmber.b);
    cairo_pattern_add_color_stop_rgb(body, 0.75, kOrange.r, kOrange.g, kOrange.b);
    cairo_pattern_add_color_stop_rgb(body, 1.0, kOrange.r * 0.72, kOrange.g * 0.62, kOrange.b * 0.6);
    cairo_set_source(cr, body);
    cairo_arc(cr, cx, cy, ball, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
}

}  // namespace

// The darkest the disc gets where markers go (the cut inside the bezel): a marker's edge is never
// lighter than the disc around it.
Rgb discFace() { return rgb(10, 10, 12); }

std::unique_ptr<Canvas> paintDisc(const Canvas& background, bool lit) {
    const ControlLayout& view = positionView();
    auto disc = std::make_unique<Canvas>(view.width, view.height);
    // Outside the disc the view shows the panel it covers.
    disc->copyFrom(background, view.left, view.top, view.width, view.height, 0, 0);
    const DiscGeometry g = discGeometry();
    cairo_t* cr = disc->cr();
    bezel(cr, g);
    face(cr, g, lit);
    grid(cr, g, lit);
    legends(cr, g, lit);
    head(cr, g);
    gloss(cr, g);
    return disc;
}

std::unique_ptr<Canvas> paintMarkers() {
    const ControlLayout& view = positionView();
    const int base = view.p[7], count = view.p[9];
    const int width = base + count - 1;
    int height = 0;
    for (int k = 0; k < count; ++k) height += base + k;
    Canvas layer(width, height, true);
    int y = 0;
    for (int k = 0; k < count; ++k) {
        marker(layer.cr(), 0, y, base + k);
        y += base + k;
    }
    auto strip = std::make_unique<Canvas>(width, height);
    keyLayer(layer, *strip, 0, 0, discFace());
    return strip;
}

PalettedImage paintIcon() {
    Canvas icon(kIconSize, kIconSize);
    setColour(icon.cr(), kFace);
    cairo_paint(icon.cr());
    marker(icon.cr(), 0, 0, kIconSize);
    // A ramp from the panel through the accent to near white: the icon's colours lie on it.
    PalettedImage out{icon.pixelWidth(), icon.pixelHeight(), {}, {}};
    const Rgb stops[] = {kFace, rgb(40, 14, 4), kOrange, kAmber, rgb(254, 244, 214)};
    constexpr int kSegments = 4;
    for (int i = 0; i < kIconPaletteSize; ++i) {
        const double t = double(i) / (kIconPaletteSize - 1) * kSegments;
        const int segment = std::min(int(t), kSegments - 1);
        const Rgb c = mix(stops[segment], stops[segment + 1], t - segment);
        out.palette.push_back(uint32_t(c.r * 255 + 0.5) << 16 | uint32_t(c.g * 255 + 0.5) << 8 | uint32_t(c.b * 255 + 0.5));
    }
    for (int y = 0; y < icon.pixelHeight(); ++y) {
        for (int x = 0; x < icon.pixelWidth(); ++x) {
            const uint32_t p = icon.pixel(x, y);
            int best = 0;
            long bestDistance = -1;
            for (int i = 0; i < kIconPaletteSize; ++i) {
                const uint32_t q = out.palette[i];
                const long dr = long(p >> 16 & 0xff) - long(q >> 16 & 0xff), dg = long(p >> 8 & 0xff) - long(q >> 8 & 0xff),
                           db = long(p & 0xff) - long(q & 0xff);
                const long distance = dr * dr + dg * dg + db * db;
                if (bestDistance < 0 || distance < bestDistance) {
                    bestDistance = distance;
                    best = i;
                }
            }
            out.indices.push_back(uint8_t(best));
        }
    }
    return out;
}

}  // namespace skin
