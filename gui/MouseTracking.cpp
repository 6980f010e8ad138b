#include "gui/MouseTracking.h"

#include "gui/AEffGUIEditor.h"
#include "gui/CGuiControl.h"
#include "gui/CGuiFrame.h"
#include "shell/AEffPluginX.h"

MouseTracking::MouseTracking(CGuiControl* control) : control_(control) {
    control_->retain();
    gMouseTracking = true;
}

MouseTracking::~MouseTracking() {
    gMouseTracking = false;
    control_->release();  // may destroy the control; nothing touches it after this scope
}

EditGesture::EditGesture(CGuiControl* control)
    : control_(control), editor_(control->ownerEditor()), tag_(control->tagId) {
    if (control_->ownerFrame)
        control_->ownerFrame->notifyEditStart(tag_);
}

EditGesture::~EditGesture() {
    if (control_->ownerFrame)
        control_->ownerFrame->notifyEditEnd(tag_);
    else if (editor_)
        editor_->effect->endEdit(tag_);
}

bool stillAttached(CGuiControl* control) {
    return control->ownerFrame != nullptr;
}
