// What a control holds while it runs a modal mouse loop (a drag, a held button, a popup menu).
// A host may close the editor from inside the idle such a loop pumps: the frame then goes, and
// with it the views, while the loop still has to return through the control.
#pragma once

class AEffGUIEditor;
class CGuiControl;

// gMouseTracking set and the control kept alive for the scope.
class MouseTracking {
public:
    explicit MouseTracking(CGuiControl* control);
    ~MouseTracking();

private:
    CGuiControl* control_;

    MouseTracking(const MouseTracking&) = delete;
    MouseTracking& operator=(const MouseTracking&) = delete;
};

// A user's parameter gesture: begin and end of the edit to the host through the frame. The end
// reaches the host even when the frame has gone during the gesture.
class EditGesture {
public:
    explicit EditGesture(CGuiControl* control);
    ~EditGesture();

private:
    CGuiControl* control_;
    AEffGUIEditor* editor_;
    int tag_;

    EditGesture(const EditGesture&) = delete;
    EditGesture& operator=(const EditGesture&) = delete;
};

// The loop goes on while the control is still in a frame (a closed editor ends it).
bool stillAttached(CGuiControl* control);
