#include "SkinCanvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace skin {
namespace {

// Fixed font files, not whatever the font configuration would pick, so that every machine draws
// the same letters.
const char* fontFile(Face face) {
    switch (face) {
    case Face::Bold: return "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
    case Face::Narrow: return "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf";
    }
    return nullptr;
}

cairo_font_face_t* fontFace(Face face) {
    static FT_Library library = nullptr;
    static cairo_font_face_t* faces[2] = {};
    const int index = static_cast<int>(face);
    if (faces[index]) return faces[index];
    if (!library && FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "make_skin: FreeType does not start\n");
        std::exit(1);
    }
    FT_Face ftFace = nullptr;
    if (FT_New_Face(library, fontFile(face), 0, &ftFace) != 0) {
        std::fprintf(stderr, "make_skin: cannot open %s\n", fontFile(face));
        std::exit(1);
    }
    faces[index] = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
    return faces[index];
}

void selectFace(cairo_t* cr, double size, Face face) {
    cairo_set_font_face(cr, fontFace(face));
    cairo_set_font_size(cr, size);
    // Unhinted outlines with grey anti-aliasing: the same pixels whatever the machine's defaults.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// The text cut into its UTF-8 characters, for drawing them one by one.
std::vector<std::string> characters(const std::string& text) {
    std::vector<std::string> out;
    for (unsigned char c : text) {
        if ((c & 0xc0) == 0x80 && !out.empty()) out.back() += char(c);
        else out.emplace_back(1, char(c));
    }
    return out;
}

double advance(cairo_t* cr, const std::string& text, double tracking) {
    if (tracking == 0.0) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, text.c_str(), &extents);
        return extents.x_advance;
    }
    double width = 0.0;
    for (const std::string& glyph : characters(text)) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, glyph.c_str(), &extents);
        width += extents.x_advance + tracking;
    }
    return width - tracking;
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

namespace {
int currentDensity = 1;
}

void setDensity(int density) { currentDensity = density; }
int density() { return currentDensity; }

Canvas::Canvas(int width, int height, bool alpha)
    : width_(width), height_(height), scale_(currentDensity),
      surface_(cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width * scale_,
                                          height * scale_)),
      cr_(cairo_create(surface_)) {
    cairo_scale(cr_, scale_, scale_);
    if (!alpha) {
        cairo_set_source_rgb(cr_, 0, 0, 0);
        cairo_paint(cr_);
    }
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

uint32_t Canvas::pixel(int x, int y) const {
    cairo_surface_flush(surface_);
    const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    const uint32_t value = reinterpret_cast<const uint32_t*>(row)[x];
    return cairo_image_surface_get_format(surface_) == CAIRO_FORMAT_RGB24 ? value & 0xffffff : value;
}

void Canvas::setPixel(int x, int y, uint32_t value) {
    cairo_surface_flush(surface_);
    unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    reinterpret_cast<uint32_t*>(row)[x] = value;
    cairo_surface_mark_dirty(surface_);
}

void Canvas::copyFrom(const Canvas& source, int sourceX, int sourceY, int width, int height, int x, int y) {
    const int s = scale_;
    for (int row = 0; row < height * s; ++row)
        for (int column = 0; column < width * s; ++column)
            setPixel(x * s + column, y * s + row, source.pixel(sourceX * s + column, sourceY * s + row));
}

void setColour(cairo_t* cr, Rgb colour, double alpha) { cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha); }

double drawText(cairo_t* cr, const std::string& text, double x, double y, double size, Face face, Align align,
                double tracking) {
    cairo_save(cr);
    selectFace(cr, size, face);
    const double width = advance(cr, text, tracking);
    if (align == Align::Centre) x -= width / 2;
    if (align == Align::Right) x -= width;
    if (tracking == 0.0) {
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, text.c_str());
    } else {
        for (const std::string& glyph : characters(text)) {
            cairo_move_to(cr, x, y);
            cairo_show_text(cr, glyph.c_str());
            cairo_text_extents_t extents;
            cairo_text_extents(cr, glyph.c_str(), &extents);
            x += extents.x_advance + tracking;
        }
    }
    cairo_restore(cr);
    return width;
}

double textWidth(const std::string& text, double size, Face face, double tracking) {
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    selectFace(cr, size, face);
    const double width = advance(cr, text, tracking);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return width;
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    constexpr double kQuarter = 1.5707963267948966;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -kQuarter, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, kQuarter);
    cairo_arc(cr, x + radius, y + h - radius, radius, kQuarter, 2 * kQuarter);
    cairo_arc(cr, x + radius, y + radius, radius, 2 * kQuarter, 3 * kQuarter);
    cairo_close_path(cr);
}

}  // namespace skin
