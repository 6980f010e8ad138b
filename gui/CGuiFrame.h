// The root of the editor's views: a child window inside the host's window, the list of views in
// paint order, painting and idle refresh, and the routing of presses, keys, wheel turns and drops.
#pragma once

#include <memory>
#include <vector>

#include "gui/CGuiScale.h"
#include "gui/CGuiView.h"
#include "platform/platform.h"

class CGuiBitmap;
class CGuiDropTarget;

class CGuiFrame : public CGuiView, public platform::WindowEvents {
public:
    // The child window (and its drop target) exists only when `hostWindow` is not null. `rect`
    // is in logical pixels; the window is `scale` times as large.
    CGuiFrame(const CGuiRect& rect, void* hostWindow, AEffGUIEditor* editor, CGuiScale scale = CGuiScale());
    ~CGuiFrame() override;

    void paint(CGuiContext* context) override;
    void paintArea(CGuiContext* context, const CGuiRect& rect) override;
    void onMouseDown(CGuiContext* context, CGuiPoint point) override;
    void refresh(CGuiContext* context) override;
    int32_t onKeyPressed(VstKeyCode& key) override;
    int32_t onKeyReleased(VstKeyCode& key) override;
    bool onFilesDropped(const char* const* data, int count, int kind, CGuiPoint point) override;
    // The target is the view under the mouse, enabled or not; `point` is ignored.
    bool onWheelTurned(CGuiContext* context, CGuiPoint point, float distance) override;
    AEffGUIEditor* ownerEditor() override;

    // Added slots, in table order. The frame takes over the reference the view's creator holds.
    virtual bool attachView(CGuiView* view);
    virtual bool detachView(CGuiView* view, bool release);
    virtual bool detachAllViews(bool release);
    virtual bool hasView(CGuiView* view);
    virtual int viewCount();
    virtual CGuiView* viewAt(int index);  // null outside 0..count-1

    void repaintView(CGuiView* view);  // a view not in the list repaints the whole frame
    void refreshIfNeeded();            // the editor's idle: repaint what changed
    bool anyNeedsRepaint();
    CGuiView* viewUnderMouse();
    bool readMousePoint(CGuiPoint& point);  // relative to the child window
    // Where the frame maps logical pixels to the window's: every context drawing for the frame
    // takes this scale. A new scale resizes the window and paints it again.
    const CGuiScale& scale() const { return scale_; }
    void setScale(CGuiScale scale);
    // A logical point of the frame on the screen, in device pixels (where a popup menu opens).
    platform::Point screenPoint(const CGuiPoint& point);
    platform::Window* findHostWindow();
    void setSkin(CGuiBitmap* skin);
    void notifyEditStart(int tag);  // begin and end of a user's parameter gesture, to the host
    void notifyEditEnd(int tag);
    bool setDropTargetEnabled(bool enabled);
    // The child window goes now, while the frame and its views live on (a drag loop may still
    // be running in them); nothing draws into the window from then on.
    void destroyWindow();
    // The child window while it exists: null without a host window and once it is destroyed.
    platform::Window* window() const { return isOpen ? childWindow : nullptr; }

    AEffGUIEditor* editor;
    void* parentWindow;  // the host's window; null once the child window is destroyed
    CGuiBitmap* skin = nullptr;
    bool firstPaintPending = true;  // idle refresh waits for the first paint
    bool isOpen = true;             // false once the child window is destroyed
    bool dropTargetRegistered = false;
    platform::Window* childWindow = nullptr;

private:
    // platform::WindowEvents
    void onPaint(platform::DeviceContext* context, const platform::Rect& area) override;
    void onButtonDown(platform::Point point) override;
    void onDestroy() override;
    void onModalPass() override;

    std::vector<CGuiView*> views_;  // paint order: the last one is on top for mouse hits
    CGuiScale scale_;
    std::unique_ptr<CGuiDropTarget> dropTarget_;
};
