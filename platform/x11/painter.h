// Drawing the backend's own windows (the popup menu, message boxes) with the soft rasteriser,
// in the font the editor's text uses.
#pragma once

#include "platform/platform.h"

namespace platform::x11 {

class Painter {
public:
    // Draws into the window's backing surface, text `fontPixels` high.
    explicit Painter(Window* window, int fontPixels = kFontPixels);
    ~Painter();                        // and puts what changed on the screen
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    void fill(const Rect& rect, Colour colour);  // columns left..right-1, rows top..bottom-1
    void line(Point from, Point to, Colour colour, int width = 1);
    void frame(const Rect& rect, Colour colour);  // one pixel inside the rectangle's edge
    void text(const char* text, const Rect& rect, Colour colour, TextAlign align);

    static constexpr int kFontPixels = 12;  // the editor's read-out size at 100 %
    static Font* font(int pixels = kFontPixels);  // sans serif: the editor's read-out face
    static int textWidth(const char* text, int fontPixels = kFontPixels);

private:
    Window* window_;
    DeviceContext* context_;
};

}  // namespace platform::x11
