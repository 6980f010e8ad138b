// Child windows inside the host's window, the windows met on the way up, paints and window
// contexts.
#include "platform/x11/windows.h"

#include "platform/x11/connection.h"
#include "platform/x11/events.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <vector>

namespace platform {
namespace {

constexpr uint32_t kStyleChildVisible = 0x50000000;
constexpr Colour kButtonFace = makeColour(240, 240, 240);  // what a window shows before its first paint
constexpr int64_t kLargestWindowPixels = int64_t(1) << 26;
constexpr long kChildEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;

std::vector<std::unique_ptr<Window>> records;
std::deque<Window*> paintQueue;

::Window idOf(const void* parent) { return static_cast<::Window>(reinterpret_cast<uintptr_t>(parent)); }

Window* record(const void* handle) {
    for (auto& entry : records) {
        if (entry.get() == handle) return entry.get();
    }
    return nullptr;
}

}  // namespace

namespace x11 {

Window* windowOf(::Window id) {
    if (id == 0) return nullptr;
    for (auto& entry : records) {
        if (entry->id == id) return entry.get();
    }
    records.push_back(std::make_unique<Window>());
    records.back()->id = id;
    return records.back().get();
}

Window* ownWindow(const void* handle) {
    Window* window = record(handle);
    return window && window->own && !window->destroyed && connection() ? window : nullptr;
}

Window* createOwnWindow(::Window parent, int x, int y, int width, int height, bool overrideRedirect, Colour fill,
                        long eventMask) {
    Connection* open = connection();
    if (!open) return nullptr;
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (int64_t(width) * height > kLargestWindowPixels) return nullptr;
    auto window = std::make_unique<Window>();
    window->own = true;
    window->surface = std::make_unique<Surface>();
    window->surface->width = width;
    window->surface->height = height;
    window->surface->pixels.assign(size_t(width) * height, fill);

    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;  // the backing surface paints everything: no flash of a background
    attributes.border_pixel = 0;
    attributes.colormap = open->colormap;  // the parent's visual may differ from ours
    attributes.event_mask = eventMask;
    attributes.override_redirect = overrideRedirect ? True : False;
    attributes.cursor = open->arrowCursor;
    const unsigned long mask = CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask | CWOverrideRedirect | CWCursor;
    {
        ErrorTrap trap(open->display);
        // X has no empty windows: an empty one is a pixel that nothing draws into.
        window->id = XCreateWindow(open->display, parent ? parent : open->root, x, y, unsigned(std::max(width, 1)),
                                   unsigned(std::max(height, 1)), 0, open->depth, InputOutput, open->visual, mask,
                                   &attributes);
        if (!trap.succeeded()) return nullptr;
    }
    records.push_back(std::move(window));
    return records.back().get();
}

void destroyOwnWindow(Window* window) {
    Connection* open = connection();
    window->events = nullptr;
    soft::detachContextsOf(window);
    paintQueue.erase(std::remove(paintQueue.begin(), paintQueue.end(), window), paintQueue.end());
    window->image.release(open);
    if (open && !window->destroyed) {
        ErrorTrap trap(open->display);  // the host may have destroyed it with its own window
        XDestroyWindow(open->display, window->id);
    }
    records.erase(std::find_if(records.begin(), records.end(), [&](auto& entry) { return entry.get() == window; }));
}

void flushWindow(Window* window) {
    Connection* open = connection();
    if (!open || !window->own || window->destroyed || !window->surface) return;
    if (window->image.upToDate(*window->surface)) return;  // no round trip for an idle with nothing new
    ErrorTrap trap(open->display);
    window->image.put(*open, window->id, *window->surface);
    // A window the host destroyed before its DestroyNotify reached us: the put failed harmlessly.
    // The trap's round trip is also the one the put needs before its segment is written again.
    if (!trap.succeeded()) window->destroyed = true;
}

void flushAllWindows() {
    forEachOwnWindow([](Window& window) { flushWindow(&window); });
}

void forEachOwnWindow(const std::function<void(Window&)>& visit) {
    for (auto& entry : records) {
        if (entry->own && !entry->destroyed) visit(*entry);
    }
}

void queuePaint(Window* window, const Rect& area) {
    if (window->paintPending) {
        Rect& queued = window->paintArea;
        queued = {std::min(queued.left, area.left), std::min(queued.top, area.top), std::max(queued.right, area.right),
                  std::max(queued.bottom, area.bottom)};
        return;
    }
    window->paintPending = true;
    window->paintArea = area;
    paintQueue.push_back(window);
}

void queueWholePaint(Window* window) {
    const int width = window->surface ? window->surface->width : 0, height = window->surface ? window->surface->height : 0;
    queuePaint(window, {0, 0, width, height});
}

bool paintOnePending() {
    if (paintQueue.empty()) return false;
    Window* window = paintQueue.front();
    paintQueue.pop_front();
    window->paintPending = false;
    if (!window->events || window->destroyed || !window->surface) return true;
    // Only what the server lost is painted again (and so put): the rest is on the screen.
    const Rect& area = window->paintArea;
    const Rect clipped = {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, window->surface->width),
                          std::min(area.bottom, window->surface->height)};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return true;
    DeviceContext* context = soft::newWindowContext(window, window->surface.get());
    window->events->onPaint(context, clipped);
    if (soft::isLiveContext(context)) soft::deleteContext(context);
    if (ownWindow(window)) flushWindow(window);
    return true;
}

void forgetAllWindows() {
    paintQueue.clear();
    for (auto& entry : records) soft::detachContextsOf(entry.get());
    records.clear();
}

}  // namespace x11

Window* createChildWindow(void* parent, int width, int height, WindowEvents* events) {
    // The host's window id comes as an integer in the pointer.
    const ::Window parentId = idOf(parent);
    if (parentId == 0) return nullptr;
    x11::Connection* open = x11::acquireConnection();
    if (!open) return nullptr;
    XWindowAttributes parentAttributes;
    bool parentExists;
    {
        x11::ErrorTrap trap(open->display, x11::ErrorTrap::Requests::WithReplies);
        parentExists = XGetWindowAttributes(open->display, parentId, &parentAttributes) != 0 && trap.succeeded();
    }
    Window* window = parentExists ? x11::createOwnWindow(parentId, 0, 0, width, height, false, kButtonFace, kChildEvents)
                                  : nullptr;
    if (!window) {
        x11::releaseConnection();  // a bad window id from the host: nothing opens
        return nullptr;
    }
    window->events = events;
    {
        x11::ErrorTrap trap(open->display);  // the host may destroy its window at any moment
        XStoreName(open->display, window->id, "Window");
        XMapWindow(open->display, window->id);
        if (!trap.succeeded()) window->destroyed = true;
    }
    x11::queueWholePaint(window);  // a new visible window has everything to paint
    return window;
}

void destroyChildWindow(Window* window) {
    Window* own = x11::ownWindow(window);
    if (!own) {
        // Destroyed by the server along with the host's window: only our record is left.
        Window* gone = record(window);
        if (!gone || !gone->own || !x11::connection()) return;
        own = gone;
    }
    x11::destroyOwnWindow(own);
    x11::releaseConnection();
}

Rect windowScreenRect(Window* window) {
    x11::Connection* open = x11::connection();
    Window* known = record(window);
    if (!open || !known || known->destroyed) return {0, 0, 0, 0};
    x11::ErrorTrap trap(open->display, x11::ErrorTrap::Requests::WithReplies);
    ::Window root = 0, child = 0;
    int x = 0, y = 0, left = 0, top = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    // Our own windows have the size of their surface: one round trip fewer for every context the
    // editor makes.
    if (known->own && known->surface) {
        width = unsigned(known->surface->width);
        height = unsigned(known->surface->height);
    } else if (!XGetGeometry(open->display, known->id, &root, &x, &y, &width, &height, &border, &depth)) {
        return {0, 0, 0, 0};
    }
    if (!XTranslateCoordinates(open->display, known->id, open->root, 0, 0, &left, &top, &child) || !trap.succeeded())
        return {0, 0, 0, 0};
    return {left, top, left + int(width), top + int(height)};
}

Window* parentWindow(Window* window) {
    x11::Connection* open = x11::connection();
    Window* known = record(window);
    if (!open || !known || known->destroyed) return nullptr;
    x11::ErrorTrap trap(open->display, x11::ErrorTrap::Requests::WithReplies);
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    const bool found = XQueryTree(open->display, known->id, &root, &parent, &children, &count) != 0;
    if (children) XFree(children);
    if (!trap.succeeded() || !found || parent == root) return nullptr;  // the root counts as no parent
    return x11::windowOf(parent);
}

uint32_t windowStyle(Window* window) {
    x11::Connection* open = x11::connection();
    Window* known = record(window);
    if (!open || !known || known->destroyed) return 0;
    if (known->own) return kStyleChildVisible;
    // A window manager marks the top-level windows it manages with WM_STATE; under a reparenting
    // one the host's window is not the root's child, so that mark is where the search stops.
    x11::ErrorTrap trap(open->display, x11::ErrorTrap::Requests::WithReplies);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(open->display, known->id, open->wmState, 0, 2, False, AnyPropertyType, &type,
                                          &format, &items, &remaining, &data);
    if (data) XFree(data);
    return trap.succeeded() && status == Success && type != None ? kStyleCaption : 0;
}

void resizeChildWindow(Window* window, int width, int height) {
    Window* own = x11::ownWindow(window);
    x11::Connection* open = x11::connection();
    if (!own || !own->surface || width < 0 || height < 0 || int64_t(width) * height > kLargestWindowPixels) return;
    own->image.release(open);  // the screen image has the old size; the next put makes a new one
    own->surface->width = width;
    own->surface->height = height;
    own->surface->pixels.assign(size_t(width) * height, kButtonFace);
    {
        x11::ErrorTrap trap(open->display);
        XResizeWindow(open->display, own->id, unsigned(std::max(width, 1)), unsigned(std::max(height, 1)));
        if (!trap.succeeded()) own->destroyed = true;
    }
    x11::queueWholePaint(own);
}

void invalidateWindow(Window* window) {
    if (Window* own = x11::ownWindow(window)) x11::queueWholePaint(own);
}

void dispatchOnePendingPaint() {
    x11::drainEvents();  // exposures that have arrived count as pending paints
    if (x11::connection()) x11::paintOnePending();
}

DeviceContext* windowContext(Window* window) {
    Window* own = x11::ownWindow(window);
    return own && own->surface ? soft::newWindowContext(own, own->surface.get()) : nullptr;
}

void releaseWindowContext(Window* window, DeviceContext* context) {
    if (!soft::isLiveContext(context) || context->kind != DeviceContext::Kind::Window) return;
    if (context->window && context->window != window) return;
    soft::deleteContext(context);
    // A context taken in the middle of a paint (an offscreen that asks for a compatible surface)
    // does not put the paint half done: the last one released does.
    Window* own = x11::ownWindow(window);
    if (own && !soft::hasWindowContexts(own)) x11::flushWindow(own);
}

}  // namespace platform
