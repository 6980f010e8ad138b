// Popup menus: an override-redirect window drawn by the soft rasteriser, run modally with the
// mouse and the keyboard while it holds both grabs, as the OS's own popup menus do.
#include "platform/x11/connection.h"
#include "platform/x11/events.h"
#include "platform/x11/painter.h"
#include "platform/x11/windows.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 9;
constexpr int kCheckColumn = 22;  // left of the text: room for the check mark
constexpr int kRightMargin = 24;
constexpr int kMinimumWidth = 80;
constexpr int kGrabAttempts = 50;  // 5 ms apart: the pointer may still be grabbed by a press elsewhere
constexpr Colour kBackground = makeColour(242, 242, 242);
constexpr Colour kBorder = makeColour(128, 128, 128);
constexpr Colour kSeparator = makeColour(200, 200, 200);
constexpr Colour kHighlight = makeColour(0, 120, 215);
constexpr Colour kText = makeColour(0, 0, 0);
constexpr Colour kHighlightText = makeColour(255, 255, 255);
constexpr long kMenuEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask;

class PopupMenu {
public:
    // Every measure grows with the owner's screen scale, the text with the rasteriser at that size.
    PopupMenu(const std::vector<MenuItem>& items, Point screenPoint, bool centred, float scale, x11::Connection& open)
        : items_(items), scale_(scale), itemHeight_(scaled(kItemHeight)), separatorHeight_(scaled(kSeparatorHeight)),
          fontPixels_(scaled(x11::Painter::kFontPixels)) {
        int width = scaled(kMinimumWidth);
        height_ = 2 * scaled(1);  // the border above and below
        for (const MenuItem& item : items_) {
            tops_.push_back(height_);
            height_ += item.command == 0 ? separatorHeight_ : itemHeight_;
            if (item.command != 0)
                width = std::max(width, scaled(kCheckColumn) + x11::Painter::textWidth(item.text.c_str(), fontPixels_) +
                                            scaled(kRightMargin));
        }
        width_ = width;
        // The left edge at the point, the top there too or the menu centred on it vertically,
        // kept on the screen: a menu that would run off the right edge opens to its left.
        // The menu always returns its choice and notifies nobody, whatever the other flags say.
        const int screenWidth = DisplayWidth(open.display, open.screen), screenHeight = DisplayHeight(open.display, open.screen);
        int x = screenPoint.x, y = centred ? screenPoint.y - height_ / 2 : screenPoint.y;
        if (x + width_ > screenWidth) x = screenPoint.x - width_;
        x = std::clamp(x, 0, std::max(0, screenWidth - width_));
        y = std::clamp(y, 0, std::max(0, screenHeight - height_));
        window_ = x11::createOwnWindow(0, x, y, width_, height_, true, kBackground, kMenuEvents);
    }
    ~PopupMenu() {
        if (window_) x11::destroyOwnWindow(window_);
    }

    Window* window() const { return window_; }

    // Draws the whole menu with the current highlight.
    void paint() {
        x11::Painter painter(window_, fontPixels_);
        const int one = scaled(1);
        painter.fill({0, 0, width_, height_}, kBackground);
        for (int ring = 0; ring < one; ++ring) painter.frame({ring, ring, width_ - ring, height_ - ring}, kBorder);
        for (size_t i = 0; i < items_.size(); ++i) {
            const int top = tops_[i];
            if (items_[i].command == 0) {
                const int middle = top + separatorHeight_ / 2;
                painter.fill({scaled(kCheckColumn - 2), middle, width_ - scaled(6), middle + one}, kSeparator);
                continue;
            }
            const bool lit = int(i) == highlighted_;
            if (lit) painter.fill({2 * one, top, width_ - 2 * one, top + itemHeight_}, kHighlight);
            const Colour colour = lit ? kHighlightText : kText;
            if (items_[i].checked) {
                const int middle = top + itemHeight_ / 2;
                painter.line({scaled(7), middle}, {scaled(10), middle + scaled(3)}, colour, scaled(2));
                painter.line({scaled(10), middle + scaled(3)}, {scaled(16), middle - scaled(4)}, colour, scaled(2));
            }
            painter.text(items_[i].text.c_str(),
                         {scaled(kCheckColumn), top, width_ - scaled(kRightMargin / 2), top + itemHeight_}, colour,
                         TextAlign::Left);
        }
    }

    // The item under a point of the menu window, separators excluded; -1 for none.
    int itemAt(int x, int y) const {
        if (x < 0 || x >= width_) return -1;
        for (size_t i = 0; i < items_.size(); ++i) {
            const int top = tops_[i], bottom = top + (items_[i].command == 0 ? separatorHeight_ : itemHeight_);
            if (y >= top && y < bottom) return items_[i].command == 0 ? -1 : int(i);
        }
        return -1;
    }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void highlight(int index) {
        if (index == highlighted_) return;
        highlighted_ = index;
        paint();
    }
    // The next selectable item up or down from the highlighted one, wrapping round; the first
    // Down from nothing lights the first item, the first Up the last.
    void step(int direction) {
        const int count = int(items_.size());
        int index = highlighted_;
        for (int tries = 0; tries < count; ++tries) {
            index = index < 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
            if (items_[index].command != 0) {
                highlight(index);
                return;
            }
        }
    }
    int highlighted() const { return highlighted_; }
    int commandOf(int index) const { return index >= 0 ? items_[index].command : 0; }

private:
    int scaled(int length) const { return static_cast<int>(std::lround(length * scale_)); }

    const std::vector<MenuItem>& items_;
    float scale_;
    int itemHeight_;
    int separatorHeight_;
    int fontPixels_;
    std::vector<int> tops_;
    int width_ = 0;
    int height_ = 0;
    int highlighted_ = -1;  // nothing is lit when the menu opens
    Window* window_ = nullptr;
};

bool grab(x11::Connection& open, ::Window window) {
    for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
        const int pointer = XGrabPointer(open.display, window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                         GrabModeAsync, GrabModeAsync, None, open.arrowCursor, CurrentTime);
        if (pointer == GrabSuccess) {
            if (XGrabKeyboard(open.display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess)
                return true;
            XUngrabPointer(open.display, CurrentTime);
        }
        sleepMilliseconds(5);
    }
    return false;
}

}  // namespace

int trackPopupMenu(Window* owner, const std::vector<MenuItem>& items, Point screenPoint, uint32_t flags, float scale) {
    if (items.empty() || !x11::connection()) return 0;
    // Held for the menu's life: the host may close the editor from the idle we keep calling.
    x11::Connection* open = x11::acquireConnection();
    int chosen = 0;
    {
        PopupMenu menu(items, screenPoint, (flags & kMenuCentreVertically) != 0, scale, *open);
        if (Window* window = menu.window()) {
            XMapRaised(open->display, window->id);
            menu.paint();
            bool done = false;
            auto handle = [&](XEvent& event) {
                if (event.xany.window != window->id) return false;
                switch (event.type) {
                case Expose: menu.paint(); break;
                case MotionNotify: menu.highlight(menu.itemAt(event.xmotion.x, event.xmotion.y)); break;
                case ButtonPress:
                    if (!menu.inside(event.xbutton.x, event.xbutton.y)) done = true;  // a click outside dismisses
                    else menu.highlight(menu.itemAt(event.xbutton.x, event.xbutton.y));
                    break;
                case ButtonRelease: {
                    // Only an item the pointer has lit is chosen: the release of the click that
                    // opened the menu chooses nothing.
                    const int item = menu.itemAt(event.xbutton.x, event.xbutton.y);
                    if (item >= 0 && item == menu.highlighted()) {
                        chosen = menu.commandOf(item);
                        done = true;
                    }
                    break;
                }
                case KeyPress: {
                    const KeySym key = XLookupKeysym(&event.xkey, 0);
                    if (key == XK_Escape) done = true;
                    else if (key == XK_Down || key == XK_KP_Down) menu.step(1);
                    else if (key == XK_Up || key == XK_KP_Up) menu.step(-1);
                    else if ((key == XK_Return || key == XK_KP_Enter) && menu.highlighted() >= 0) {
                        chosen = menu.commandOf(menu.highlighted());
                        done = true;
                    }
                    break;
                }
                default: break;
                }
                return true;
            };
            x11::ModalScope scope(handle);
            if (grab(*open, window->id)) {
                // The keys are the menu's now: the editor's own key polling must not see them.
                x11::setKeyboardGrabWindow(window);
                while (!done) {
                    x11::drainEvents();
                    if (done) break;
                    // The owner's pass keeps the host alive; a menu whose owner has gone ends.
                    Window* ownerWindow = x11::ownWindow(owner);
                    if (!ownerWindow || !ownerWindow->events) break;
                    ownerWindow->events->onModalPass();
                    x11::flushAllWindows();
                    x11::waitForEvents(4);
                }
                x11::setKeyboardGrabWindow(nullptr);
                XUngrabKeyboard(open->display, CurrentTime);
                XUngrabPointer(open->display, CurrentTime);
            }
        }
    }
    XFlush(open->display);
    x11::releaseConnection();
    return chosen;
}

}  // namespace platform
