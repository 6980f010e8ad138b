// Child windows, host windows, the paint queue and window contexts.
#include "platform/soft/windows.h"

#include "platform/soft/desktop.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace platform {
namespace {

constexpr uint32_t kStyleChildVisible = 0x50000000;
constexpr Colour kButtonFace = makeColour(240, 240, 240);  // the class background
constexpr int64_t kLargestWindowPixels = int64_t(1) << 26;

std::vector<std::unique_ptr<Window>> windows;  // creation order
std::deque<Window*> paintQueue;                // invalidation order
float systemScaleFactor = 1.0f;
std::string settingsFolderName;  // none: tests and tools read and keep no one's settings

Window* addWindow(Window* parent, uint32_t style, const Rect& screenRect) {
    auto window = std::make_unique<Window>();
    window->parent = parent;
    window->style = style;
    window->screenRect = screenRect;
    window->thread = std::this_thread::get_id();
    windows.push_back(std::move(window));
    return windows.back().get();
}

void queuePaint(Window* window) {
    if (window->paintPending) return;
    window->paintPending = true;
    paintQueue.push_back(window);
}

// The desktop's screen is the window's surface itself: what was drawn since the last time is
// recorded as one update per rectangle, as the X11 backend puts it.
void showChanges(Window* window) {
    if (!window->surface) return;
    soft::ChangedArea& changed = window->surface->changed;
    for (int i = 0; i < changed.count(); ++i) window->updates.push_back(changed[i]);
    changed.clear();
}

void removeWindow(Window* window) {
    soft::detachContextsOf(window);
    soft::forgetFocus(window);
    soft::forgetDropTarget(window);
    paintQueue.erase(std::remove(paintQueue.begin(), paintQueue.end(), window), paintQueue.end());
    windows.erase(std::find_if(windows.begin(), windows.end(), [&](auto& entry) { return entry.get() == window; }));
}

// The OS destroys the window itself first, then its children.
void destroyTree(Window* window) {
    window->destroying = true;
    if (WindowEvents* events = window->events) {
        window->events = nullptr;
        events->onDestroy();
    }
    for (Window* child : soft::childWindows(window)) {
        if (!child->destroying) destroyTree(child);
    }
    removeWindow(window);
}

}  // namespace

namespace soft {

void setSystemScale(float scale) { systemScaleFactor = scale; }
void setSettingsFolder(const std::string& folder) { settingsFolderName = folder; }

Window* findWindow(const void* handle) {
    if (!handle) return nullptr;
    for (auto& window : windows) {
        if (window.get() == handle) return window->destroying ? nullptr : window.get();
    }
    return nullptr;
}

void resetWindows() {
    systemScaleFactor = 1.0f;
    settingsFolderName.clear();
    paintQueue.clear();
    for (auto& window : windows) detachContextsOf(window.get());
    windows.clear();
}

Window* createHostWindow(Window* parent, uint32_t style, const Rect& screenRect) {
    return addWindow(findWindow(parent), style, screenRect);
}

void destroyWindow(Window* window) {
    if (Window* known = findWindow(window)) destroyTree(known);
}

bool isWindow(Window* window) { return findWindow(window) != nullptr; }

std::vector<Window*> childWindows(Window* parent) {
    std::vector<Window*> children;
    for (auto& window : windows) {
        if (window->parent == parent && parent && !window->destroying) children.push_back(window.get());
    }
    return children;
}

void pressButton(Window* window, Point clientPoint) {
    Window* known = findWindow(window);
    if (known && known->events) known->events->onButtonDown(clientPoint);
}

bool paintPending(Window* window) {
    Window* known = findWindow(window);
    return known && known->paintPending;
}

std::vector<Rect> takeWindowUpdates(Window* window) {
    Window* known = findWindow(window);
    if (!known) return {};
    std::vector<Rect> updates;
    updates.swap(known->updates);
    return updates;
}

Colour windowPixel(Window* window, int x, int y) {
    Window* known = findWindow(window);
    return known && known->surface ? pixelAt(*known->surface, x, y) : 0;
}

bool saveWindowImage(Window* window, const std::string& path) {
    Window* known = findWindow(window);
    return known && known->surface && writeImageFile(*known->surface, path);
}

}  // namespace soft

Window* createChildWindow(void* parent, int width, int height, WindowEvents* events) {
    // A negative size is an empty window, as CreateWindow makes it.
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (int64_t(width) * height > kLargestWindowPixels) return nullptr;
    // The parent comes from a host (an X11 window id on Linux): only a key, never dereferenced.
    // An unknown parent counts as a top-level window at the origin.
    Window* knownParent = soft::findWindow(parent);
    Point origin{0, 0};
    if (knownParent) origin = {knownParent->screenRect.left, knownParent->screenRect.top};
    Window* window = addWindow(knownParent, kStyleChildVisible, {origin.x, origin.y, origin.x + width, origin.y + height});
    window->moduleWindow = true;
    window->events = events;
    window->surface = std::make_unique<Surface>();
    window->surface->width = width;
    window->surface->height = height;
    window->surface->pixels.assign(size_t(width) * height, kButtonFace);
    queuePaint(window);  // a new visible window has everything to paint
    return window;
}

void destroyChildWindow(Window* window) {
    Window* known = soft::findWindow(window);
    if (!known || !known->moduleWindow) return;
    known->events = nullptr;  // unlinked first: destruction reports to nobody
    destroyTree(known);
}

Rect windowScreenRect(Window* window) {
    Window* known = soft::findWindow(window);
    return known ? known->screenRect : Rect{0, 0, 0, 0};
}

Window* parentWindow(Window* window) {
    Window* known = soft::findWindow(window);
    if (!known) return nullptr;
    return known->parent;
}

uint32_t windowStyle(Window* window) {
    Window* known = soft::findWindow(window);
    return known ? known->style : 0;
}

void resizeChildWindow(Window* window, int width, int height) {
    Window* known = soft::findWindow(window);
    if (!known || !known->moduleWindow || width < 0 || height < 0 || int64_t(width) * height > kLargestWindowPixels)
        return;
    known->screenRect.right = known->screenRect.left + width;
    known->screenRect.bottom = known->screenRect.top + height;
    known->surface->width = width;
    known->surface->height = height;
    known->surface->pixels.assign(size_t(width) * height, kButtonFace);
    queuePaint(known);
}

float systemScale(void*) { return systemScaleFactor; }

std::string settingsFolder() { return settingsFolderName; }

void invalidateWindow(Window* window) {
    if (Window* known = soft::findWindow(window)) queuePaint(known);
}

void dispatchOnePendingPaint() {
    auto mine = std::find_if(paintQueue.begin(), paintQueue.end(),
                             [](Window* window) { return window->thread == std::this_thread::get_id(); });
    if (mine == paintQueue.end()) return;
    Window* window = *mine;
    paintQueue.erase(mine);
    window->paintPending = false;
    if (!window->events || !window->surface) return;
    DeviceContext* context = soft::newWindowContext(window, window->surface.get());
    window->events->onPaint(context, {0, 0, window->surface->width, window->surface->height});
    if (soft::isLiveContext(context)) soft::deleteContext(context);
    if (Window* known = soft::findWindow(window)) showChanges(known);  // the paint may have destroyed it
}

// Tests deliver the desktop's events themselves.
void processPendingEvents() {}

DeviceContext* windowContext(Window* window) {
    Window* known = soft::findWindow(window);
    return known && known->surface ? soft::newWindowContext(known, known->surface.get()) : nullptr;
}

void releaseWindowContext(Window* window, DeviceContext* context) {
    if (!soft::isLiveContext(context) || context->kind != DeviceContext::Kind::Window) return;
    // A context whose window has gone is released all the same.
    if (context->window && context->window != window) return;
    soft::deleteContext(context);
    // As on X11: the last context released shows the paint, not one taken in its middle.
    Window* known = soft::findWindow(window);
    if (known && !soft::hasWindowContexts(known)) showChanges(known);
}

}  // namespace platform
