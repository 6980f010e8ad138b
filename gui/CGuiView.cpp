#include "gui/CGuiView.h"

#include "gui/CGuiFrame.h"

CGuiView::CGuiView(const CGuiRect& bounds) : bounds(bounds), mouseArea(bounds) {}

CGuiView::~CGuiView() = default;

void CGuiView::paint(CGuiContext*) {}

void CGuiView::paintArea(CGuiContext* context, const CGuiRect&) {
    paint(context);
}

bool CGuiView::touches(const CGuiRect& rect) {
    return bounds.touches(rect);
}

void CGuiView::onMouseDown(CGuiContext*, CGuiPoint) {}

void CGuiView::refresh(CGuiContext* context) {
    if (!needsRepaint())
        return;
    paint(context);
    markRepaint(false);
}

void CGuiView::spareHook(CGuiContext*, CGuiPoint) {}

int32_t CGuiView::onKeyPressed(VstKeyCode&) {
    return -1;
}

int32_t CGuiView::onKeyReleased(VstKeyCode&) {
    return -1;
}

bool CGuiView::onFilesDropped(const char* const*, int, int, CGuiPoint) {
    return false;
}

bool CGuiView::onWheelTurned(CGuiContext*, CGuiPoint, float) {
    return false;
}

void CGuiView::dropFocus(CGuiContext*) {}

void CGuiView::gainFocus(CGuiContext*) {}

bool CGuiView::needsRepaint() {
    return repaintFlag_;
}

void CGuiView::markRepaint(bool repaint) {
    repaintFlag_ = repaint;
}

void CGuiView::enableMouse(bool enabled) {
    mouseEnabled_ = enabled;
}

bool CGuiView::mouseEnabled() {
    return mouseEnabled_;
}

void CGuiView::setMouseArea(const CGuiRect& rect) {
    mouseArea = rect;
}

void CGuiView::getMouseArea(CGuiRect& rect) {
    rect = mouseArea;
}

bool CGuiView::contains(CGuiPoint point) {
    return bounds.contains(point);
}

void CGuiView::setSeeThrough(bool seeThrough) {
    seeThrough_ = seeThrough;
}

bool CGuiView::seeThrough() {
    return seeThrough_;
}

void CGuiView::setBounds(const CGuiRect& rect) {
    bounds = rect;
    markRepaint(true);
}

void CGuiView::setOwnerFrame(CGuiFrame* frame) {
    ownerFrame = frame;
}

void CGuiView::setOwnerView(CGuiView* view) {
    ownerView = view;
}

AEffGUIEditor* CGuiView::ownerEditor() {
    return ownerFrame ? ownerFrame->ownerEditor() : nullptr;
}

bool CGuiView::onDetached(CGuiFrame*) {
    return true;
}

bool CGuiView::onAttached(CGuiFrame*) {
    return true;
}

void CGuiView::release() {
    if (refCount <= 0)
        return;
    if (--refCount == 0)
        delete this;
}

void CGuiView::retain() {
    ++refCount;
}

int CGuiView::retainCount() {
    return refCount;
}

void CGuiView::repaintNow() {
    if (ownerFrame)
        ownerFrame->repaintView(this);
}
