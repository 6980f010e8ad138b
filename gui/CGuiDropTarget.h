// Receives drags over the frame's child window and delivers dropped text or file names to the
// frame's views at the mouse position.
#pragma once

#include "platform/platform.h"

class CGuiFrame;

class CGuiDropTarget : public platform::DropReceiver {
public:
    explicit CGuiDropTarget(CGuiFrame* frame) : frame_(frame) {}
    virtual ~CGuiDropTarget() = default;

    // Ctrl held copies, otherwise the drop moves; data without text or files is refused.
    platform::DropEffect dragEnter(bool offersText, bool offersFiles, uint32_t keyState) override;
    platform::DropEffect dragOver(uint32_t keyState) override;
    void dragLeave() override;
    void drop(const platform::DropPayload& payload) override;

private:
    CGuiFrame* frame_;
    bool acceptable_ = false;
};
