// Drawing surfaces of the skin tool: Cairo image surfaces in device pixels, the skin's colours,
// and text in the panel's typeface.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

namespace skin {

struct Rgb {
    double r, g, b;  // 0..1
};
constexpr Rgb rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }
Rgb mix(Rgb a, Rgb b, double t);

// The pixels per panel pixel of the canvases made from now on: 1 for the skin's first set, 2
// for its second, drawn from the same paths at twice the size.
void setDensity(int density);
int density();

// An opaque RGB image (or, with alpha, a layer to compose) owning its Cairo surface. Drawing
// and the sizes are in panel pixels; pixel access is in the surface's own pixels.
class Canvas {
public:
    Canvas(int width, int height, bool alpha = false);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    int scale() const { return scale_; }
    int pixelWidth() const { return width_ * scale_; }
    int pixelHeight() const { return height_ * scale_; }
    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }

    // 0x00RRGGBB of an opaque canvas; premultiplied 0xAARRGGBB of a layer.
    uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, uint32_t value);

    // Copies a rectangle (panel pixels) of a canvas of the same density to (x, y) of this one,
    // pixel for pixel.
    void copyFrom(const Canvas& source, int sourceX, int sourceY, int width, int height, int x, int y);

private:
    int width_, height_, scale_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

void setColour(cairo_t* cr, Rgb colour, double alpha = 1.0);

enum class Face { Bold, Narrow };
enum class Align { Left, Centre, Right };

// One line of text with its baseline at y; tracking adds space between letters (pixels).
// Returns the advance width.
double drawText(cairo_t* cr, const std::string& text, double x, double y, double size, Face face,
                Align align = Align::Left, double tracking = 0.0);
double textWidth(const std::string& text, double size, Face face, double tracking = 0.0);

// A rounded rectangle path.
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

}  // namespace skin
