// Message boxes: a small modal top-level window with the text and an OK button. The text also
// goes to standard error; a box raised on any thread but the editor's goes there only, since
// the editor's connection is used on its own thread alone.
#include "platform/x11/connection.h"
#include "platform/x11/events.h"
#include "platform/x11/painter.h"
#include "platform/x11/windows.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr int kMargin = 16;
constexpr int kLineHeight = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonStrip = kButtonHeight + 22;
constexpr int kMinimumWidth = 180;
constexpr Colour kTextArea = makeColour(255, 255, 255);
constexpr Colour kStrip = makeColour(240, 240, 240);
constexpr Colour kButtonFace = makeColour(225, 225, 225);
constexpr Colour kButtonBorder = makeColour(0, 120, 215);  // the default button
constexpr Colour kPressedFace = makeColour(204, 228, 247);
constexpr Colour kText = makeColour(0, 0, 0);
constexpr long kBoxEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask | KeyPressMask | StructureNotifyMask;

std::vector<std::string> linesOf(const char* text) {
    std::vector<std::string> lines(1);
    for (const char* at = text; *at; ++at) {
        if (*at == '\n') lines.emplace_back();
        else lines.back() += *at;
    }
    while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    return lines;
}

class MessageBox {
public:
    MessageBox(const char* text, const char* title, x11::Connection& open) : open_(open), lines_(linesOf(text)) {
        int textWidth = 0;
        for (const std::string& line : lines_) textWidth = std::max(textWidth, x11::Painter::textWidth(line.c_str()));
        width_ = std::max(kMinimumWidth, textWidth + 2 * kMargin);
        height_ = kMargin + int(lines_.size()) * kLineHeight + kMargin + kButtonStrip;
        const int screenWidth = DisplayWidth(open.display, open.screen), screenHeight = DisplayHeight(open.display, open.screen);
        const int x = std::max(0, (screenWidth - width_) / 2), y = std::max(0, (screenHeight - height_) / 2);
        window_ = x11::createOwnWindow(0, x, y, width_, height_, false, kTextArea, kBoxEvents);
        if (!window_) return;
        Display* display = open.display;
        XStoreName(display, window_->id, title);
        XChangeProperty(display, window_->id, open.netWmName, open.utf8String, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title), int(std::strlen(title)));
        XSetWMProtocols(display, window_->id, &open.wmDeleteWindow, 1);
        // A fixed size, placed in the middle of the screen.
        XSizeHints* hints = XAllocSizeHints();
        if (hints) {
            hints->flags = PPosition | PMinSize | PMaxSize;
            hints->x = x;
            hints->y = y;
            hints->min_width = hints->max_width = width_;
            hints->min_height = hints->max_height = height_;
            XSetWMNormalHints(display, window_->id, hints);
            XFree(hints);
        }
        XMapRaised(display, window_->id);
        paint();
    }
    ~MessageBox() {
        if (window_) x11::destroyOwnWindow(window_);
    }

    Window* window() const { return window_; }

    void paint() {
        x11::Painter painter(window_);
        painter.fill({0, 0, width_, height_ - kButtonStrip}, kTextArea);
        for (size_t i = 0; i < lines_.size(); ++i) {
            const int top = kMargin + int(i) * kLineHeight;
            painter.text(lines_[i].c_str(), {kMargin - 1, top, width_ - kMargin, top + kLineHeight}, kText, TextAlign::Left);
        }
        painter.fill({0, height_ - kButtonStrip, width_, height_}, kStrip);
        const Rect button = buttonRect();
        painter.fill(button, pressed_ ? kPressedFace : kButtonFace);
        painter.frame(button, kButtonBorder);
        painter.text("OK", button, kText, TextAlign::Center);
    }

    Rect buttonRect() const {
        const int left = width_ - kMargin - kButtonWidth, top = height_ - kButtonStrip + (kButtonStrip - kButtonHeight) / 2;
        return {left, top, left + kButtonWidth, top + kButtonHeight};
    }
    bool onButton(int x, int y) const {
        const Rect button = buttonRect();
        return x >= button.left && x < button.right && y >= button.top && y < button.bottom;
    }

    // True when the event ends the box.
    bool handle(XEvent& event) {
        switch (event.type) {
        case Expose: paint(); return false;
        case ButtonPress:
            pressed_ = event.xbutton.button == 1 && onButton(event.xbutton.x, event.xbutton.y);
            paint();
            return false;
        case ButtonRelease: {
            const bool clicked = pressed_ && onButton(event.xbutton.x, event.xbutton.y);
            pressed_ = false;
            paint();
            return clicked;
        }
        case KeyPress: {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            return key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space;
        }
        case ClientMessage:
            return event.xclient.message_type == open_.wmProtocols &&
                   static_cast<Atom>(event.xclient.data.l[0]) == open_.wmDeleteWindow;
        case DestroyNotify: return true;
        default: return false;
        }
    }

private:
    x11::Connection& open_;
    std::vector<std::string> lines_;
    int width_ = 0;
    int height_ = 0;
    bool pressed_ = false;
    Window* window_ = nullptr;
};

}  // namespace

void showMessageBox(const char* text, const char* title) {
    if (!text) text = "";
    if (!title) title = "";
    std::fprintf(stderr, "%s: %s\n", title, text);
    // Only on the editor's thread while its connection is open.
    if (!x11::connection()) return;
    x11::Connection* open = x11::acquireConnection();
    {
        MessageBox box(text, title, *open);
        if (Window* window = box.window()) {
            bool done = false;
            x11::ModalScope scope([&](XEvent& event) {
                if (event.xany.window != window->id) return false;
                done = box.handle(event) || done;
                return true;
            });
            while (!done) {
                x11::drainEvents();
                x11::flushAllWindows();
                if (!done) x11::waitForEvents(50);
            }
        }
    }
    x11::releaseConnection();
}

}  // namespace platform
