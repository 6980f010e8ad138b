#include "gui/CGuiFrame.h"

#include <algorithm>
#include <cstdlib>

#include "gui/AEffGUIEditor.h"
#include "gui/CGuiBitmap.h"
#include "gui/CGuiContext.h"
#include "gui/CGuiDropTarget.h"
#include "shell/AEffPluginX.h"

namespace {

// A parent this much wider or taller than the editor is no longer the host's editor window.
constexpr int kHostWindowSizeSlack = 60;

// The window's own device context, held for one scope.
class WindowDeviceContext {
public:
    explicit WindowDeviceContext(platform::Window* window)
        : window_(window), deviceContext_(window ? platform::windowContext(window) : nullptr) {}
    ~WindowDeviceContext() {
        if (deviceContext_)
            platform::releaseWindowContext(window_, deviceContext_);
    }
    platform::DeviceContext* get() const { return deviceContext_; }

private:
    platform::Window* window_;
    platform::DeviceContext* deviceContext_;
};

// A context for drawing into the window outside a paint event (one without a device context when
// there is no window); the context is destroyed before its device context is released.
class WindowDrawing {
public:
    WindowDrawing(CGuiFrame* frame, platform::Window* window)
        : deviceContext_(window), context_(frame, deviceContext_.get(), window) {}
    CGuiContext* context() { return &context_; }

private:
    WindowDeviceContext deviceContext_;
    CGuiContext context_;
};

}  // namespace

CGuiFrame::CGuiFrame(const CGuiRect& rect, void* hostWindow, AEffGUIEditor* editor, CGuiScale scale)
    : CGuiView(rect), editor(editor), parentWindow(hostWindow), scale_(scale) {
    platform::initialiseDragAndDrop();
    if (hostWindow) {
        childWindow = platform::createChildWindow(hostWindow, scale_.toDevice(rect.width()),
                                                  scale_.toDevice(rect.height()), this);
        setDropTargetEnabled(true);
    }
}

CGuiFrame::~CGuiFrame() {
    setDropTargetEnabled(false);
    detachAllViews(true);
    releaseBitmap(skin);
    platform::uninitialiseDragAndDrop();
    if (childWindow)
        platform::destroyChildWindow(childWindow);
}

void CGuiFrame::paint(CGuiContext* context) {
    firstPaintPending = false;
    if (skin)
        skin->paintOpaque(context, {0, 0, skin->width(), skin->height()}, {0, 0});
    for (size_t i = 0; i < views_.size(); ++i)
        views_[i]->paint(context);
}

void CGuiFrame::paintArea(CGuiContext* context, const CGuiRect& rect) {
    firstPaintPending = false;
    if (skin)
        skin->paintOpaque(context, rect, {rect.left, rect.top});
    for (size_t i = 0; i < views_.size(); ++i) {
        if (views_[i]->touches(rect))
            views_[i]->paintArea(context, rect);
    }
}

void CGuiFrame::onMouseDown(CGuiContext* context, CGuiPoint point) {
    for (size_t i = views_.size(); i-- > 0;) {
        CGuiView* view = views_[i];
        if (view->mouseEnabled() && view->contains(point)) {
            view->onMouseDown(context, point);
            return;
        }
    }
    // A right click where no control is: the zoom menu.
    if (editor && context && (context->readButtons() & kMouseRight))
        editor->showScaleMenu(point);
}

void CGuiFrame::refresh(CGuiContext* context) {
    if (!isOpen)
        return;
    if (needsRepaint()) {
        paint(context);
        markRepaint(false);
        return;
    }
    for (size_t i = 0; i < views_.size(); ++i)
        views_[i]->refresh(context);
}

int32_t CGuiFrame::onKeyPressed(VstKeyCode& key) {
    for (size_t i = views_.size(); i-- > 0;) {
        if (i >= views_.size())
            continue;  // a view may have detached others while handling the key
        const int32_t result = views_[i]->onKeyPressed(key);
        if (result != -1)
            return result;
    }
    return -1;
}

int32_t CGuiFrame::onKeyReleased(VstKeyCode& key) {
    for (size_t i = views_.size(); i-- > 0;) {
        if (i >= views_.size())
            continue;
        const int32_t result = views_[i]->onKeyReleased(key);
        if (result != -1)
            return result;
    }
    return -1;
}

bool CGuiFrame::onFilesDropped(const char* const* data, int count, int kind, CGuiPoint point) {
    for (size_t i = views_.size(); i-- > 0;) {
        if (i >= views_.size())
            continue;  // a view may have detached others while handling the drop
        CGuiView* view = views_[i];
        if (view->mouseEnabled() && view->bounds.contains(point) && view->onFilesDropped(data, count, kind, point))
            return true;
    }
    return false;
}

bool CGuiFrame::onWheelTurned(CGuiContext* context, CGuiPoint, float distance) {
    CGuiView* view = viewUnderMouse();
    if (!view)
        return false;
    CGuiPoint mouse;
    readMousePoint(mouse);
    if (context)
        return view->onWheelTurned(context, mouse, distance);
    WindowDrawing drawing(this, window());
    return view->onWheelTurned(drawing.context(), mouse, distance);
}

AEffGUIEditor* CGuiFrame::ownerEditor() {
    return editor;
}

bool CGuiFrame::attachView(CGuiView* view) {
    if (!view)
        return false;
    try {
        views_.push_back(view);
    } catch (const std::bad_alloc&) {
        return false;
    }
    view->setOwnerFrame(this);
    view->onAttached(this);
    return true;
}

bool CGuiFrame::detachView(CGuiView* view, bool release) {
    const auto found = std::find(views_.begin(), views_.end(), view);
    if (found == views_.end())
        return false;
    views_.erase(found);
    view->onDetached(this);
    view->setOwnerFrame(nullptr);  // a drag loop still running in the view sees that it has left
    if (release)
        view->release();
    return true;
}

bool CGuiFrame::detachAllViews(bool release) {
    std::vector<CGuiView*> detached;
    detached.swap(views_);
    for (CGuiView* view : detached) {
        view->onDetached(this);
        view->setOwnerFrame(nullptr);
        if (release)
            view->release();
    }
    return true;
}

bool CGuiFrame::hasView(CGuiView* view) {
    return std::find(views_.begin(), views_.end(), view) != views_.end();
}

int CGuiFrame::viewCount() {
    return static_cast<int>(views_.size());
}

CGuiView* CGuiFrame::viewAt(int index) {
    if (index < 0 || index >= viewCount())
        return nullptr;
    return views_[index];
}

void CGuiFrame::repaintView(CGuiView* view) {
    if (!window())
        return;
    WindowDrawing drawing(this, window());
    if (view && hasView(view))
        view->paint(drawing.context());
    else
        paint(drawing.context());
}

void CGuiFrame::refreshIfNeeded() {
    if (!window() || firstPaintPending || !anyNeedsRepaint())
        return;
    WindowDrawing drawing(this, window());
    refresh(drawing.context());
}

bool CGuiFrame::anyNeedsRepaint() {
    if (needsRepaint())
        return true;
    return std::any_of(views_.begin(), views_.end(), [](CGuiView* view) { return view->needsRepaint(); });
}

CGuiView* CGuiFrame::viewUnderMouse() {
    CGuiPoint mouse;
    readMousePoint(mouse);
    for (size_t i = views_.size(); i-- > 0;) {
        if (views_[i]->bounds.contains(mouse))
            return views_[i];
    }
    return nullptr;
}

bool CGuiFrame::readMousePoint(CGuiPoint& point) {
    platform::Point cursor = platform::cursorPosition();
    if (window()) {
        const platform::Rect screen = platform::windowScreenRect(window());
        cursor.x -= screen.left;
        cursor.y -= screen.top;
    }
    point = {scale_.logicalPixel(cursor.x), scale_.logicalPixel(cursor.y)};
    return true;
}

void CGuiFrame::setScale(CGuiScale scale) {
    if (scale == scale_)
        return;
    scale_ = scale;
    if (window())
        platform::resizeChildWindow(window(), scale_.toDevice(bounds.width()), scale_.toDevice(bounds.height()));
}

platform::Point CGuiFrame::screenPoint(const CGuiPoint& point) {
    const platform::Rect screen = window() ? platform::windowScreenRect(window()) : platform::Rect{0, 0, 0, 0};
    const platform::Point at = scale_.toDevice(point);
    return {screen.left + at.x, screen.top + at.y};
}

// The window of the host that holds the editor: going up from the frame's parent, the first one
// with a caption, or without a parent, or whose parent is far larger than the editor (then the
// parent is the host's main window, not a frame around the editor).
platform::Window* CGuiFrame::findHostWindow() {
    if (!window())
        return nullptr;
    const platform::Rect own = platform::windowScreenRect(window());
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    // The walk starts at the frame's own window: inside a much larger host window it is itself the
    // window that counts as the host's.
    platform::Window* candidate = window();
    while (candidate) {
        if (platform::windowStyle(candidate) & platform::kStyleCaption)
            return candidate;
        platform::Window* parent = platform::parentWindow(candidate);
        if (!parent)
            return candidate;
        const platform::Rect outer = platform::windowScreenRect(parent);
        if (std::abs(outer.right - outer.left - width) > kHostWindowSizeSlack ||
            std::abs(outer.bottom - outer.top - height) > kHostWindowSizeSlack)
            return candidate;
        candidate = parent;
    }
    return nullptr;
}

void CGuiFrame::setSkin(CGuiBitmap* bitmap) {
    replaceBitmap(skin, bitmap);
}

void CGuiFrame::notifyEditStart(int tag) {
    if (editor)
        editor->effect->beginEdit(tag);
}

void CGuiFrame::notifyEditEnd(int tag) {
    if (editor)
        editor->effect->endEdit(tag);
}

bool CGuiFrame::setDropTargetEnabled(bool enabled) {
    if (!dropTargetRegistered && !enabled)
        return true;
    if (!window())
        return false;
    if (enabled) {
        if (dropTargetRegistered)
            return true;  // a window takes one registration
        auto target = std::make_unique<CGuiDropTarget>(this);
        if (!platform::registerDropTarget(window(), target.get()))
            return false;
        dropTarget_ = std::move(target);
    } else {
        platform::revokeDropTarget(window());
        dropTarget_.reset();
    }
    dropTargetRegistered = enabled;
    return true;
}

void CGuiFrame::onPaint(platform::DeviceContext* deviceContext, const platform::Rect& area) {
    CGuiContext context(this, deviceContext, childWindow);
    paintArea(&context, scale_.covering(area));
}

// The press in the logical pixel it lies in: at 200 % device (2x, 2y) and (2x + 1, 2y + 1) both
// press (x, y).
void CGuiFrame::onButtonDown(platform::Point point) {
    WindowDrawing drawing(this, childWindow);
    onMouseDown(drawing.context(), {scale_.logicalPixel(point.x), scale_.logicalPixel(point.y)});
}

// The host destroyed its window, and ours with it. The drop target goes while the window still
// exists; nothing draws into the window from now on.
void CGuiFrame::onDestroy() {
    setDropTargetEnabled(false);
    isOpen = false;
    parentWindow = nullptr;
}

void CGuiFrame::destroyWindow() {
    if (!childWindow)
        return;
    setDropTargetEnabled(false);
    platform::destroyChildWindow(childWindow);
    childWindow = nullptr;
    isOpen = false;
    parentWindow = nullptr;
}

// A popup menu's loop keeps the host alive through the editor's idle pump.
void CGuiFrame::onModalPass() {
    if (editor)
        editor->idlePump();
}
