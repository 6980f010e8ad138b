// Drawing the backend's own windows (the popup menu, message boxes) with the soft rasteriser,
// in the font the editor's text uses.
#pragma once

#include "platform/platform.h"

namespace platform::x11 {

class Painter {
public:
    explicit Painter(Window* window);  // draws into the window's backing surface
    ~Painter();                        // and puts what changed on the screen
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    void fill(const Rect& rect, Colour colour);  // columns left..right-1, rows top..bottom-1
    void line(Point from, Point to, Colour colour, int width = 1);
    void frame(const Rect& rect, Colour colour);  // one pixel inside the rectangle's edge
    void text(const char* text, const Rect& rect, Colour colour, TextAlign align);

    static Font* font();  // sans serif, 12 pixels: the editor's read-out face
    static int textWidth(const char* text);

private:
    Window* window_;
    DeviceContext* context_;
};

}  // namespace platform::x11
