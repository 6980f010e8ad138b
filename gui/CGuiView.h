// A view: a reference-counted rectangle of the frame that paints itself and receives mouse
// presses, keys, wheel turns and dropped files. The virtual operations are declared in the
// order of their table slots; keep it.
#pragma once

#include "gui/CGuiGeometry.h"
#include "gui/Relaxed.h"
#include "shell/vst2.h"

class AEffGUIEditor;
class CGuiContext;
class CGuiFrame;

enum { kDropFileNames = 0, kDropText = 1 };  // kinds of onFilesDropped

class CGuiView {
public:
    explicit CGuiView(const CGuiRect& bounds);  // refCount 1

    virtual ~CGuiView();
    virtual void paint(CGuiContext* context);
    virtual void paintArea(CGuiContext* context, const CGuiRect& rect);
    virtual bool touches(const CGuiRect& rect);
    virtual void onMouseDown(CGuiContext* context, CGuiPoint point);
    virtual void refresh(CGuiContext* context);  // paints when needsRepaint()
    virtual void spareHook(CGuiContext* context, CGuiPoint point);
    virtual int32_t onKeyPressed(VstKeyCode& key);  // -1: not handled
    virtual int32_t onKeyReleased(VstKeyCode& key);
    // data: `count` file names (kDropFileNames), or one text of `count` bytes (kDropText).
    virtual bool onFilesDropped(const char* const* data, int count, int kind, CGuiPoint point);
    virtual bool onWheelTurned(CGuiContext* context, CGuiPoint point, float distance);
    virtual void dropFocus(CGuiContext* context);
    virtual void gainFocus(CGuiContext* context);
    virtual bool needsRepaint();
    virtual void markRepaint(bool repaint);
    virtual void enableMouse(bool enabled);
    virtual bool mouseEnabled();
    virtual void setMouseArea(const CGuiRect& rect);
    virtual void getMouseArea(CGuiRect& rect);
    virtual bool contains(CGuiPoint point);  // inside bounds, edges included
    virtual void setSeeThrough(bool seeThrough);
    virtual bool seeThrough();
    virtual void setBounds(const CGuiRect& rect);  // marks for repaint; mouseArea stays
    virtual void setOwnerFrame(CGuiFrame* frame);
    virtual void setOwnerView(CGuiView* view);
    virtual AEffGUIEditor* ownerEditor();
    virtual bool onDetached(CGuiFrame* frame);
    virtual bool onAttached(CGuiFrame* frame);
    virtual void release();  // the last release destroys the view
    virtual void retain();
    virtual int retainCount();

    // Paints this view at once through the owner frame.
    void repaintNow();

    int refCount = 1;
    CGuiRect bounds;
    CGuiRect mouseArea;  // kept for the editor's hover tracking; the frame's hit test uses bounds
    CGuiFrame* ownerFrame = nullptr;
    CGuiView* ownerView = nullptr;

protected:
    Relaxed<bool> repaintFlag_ = false;  // set from the host's threads through the controls
    bool mouseEnabled_ = true;
    bool seeThrough_ = false;  // skins are drawn keyed when set

private:
    CGuiView(const CGuiView&) = delete;
    CGuiView& operator=(const CGuiView&) = delete;
};
