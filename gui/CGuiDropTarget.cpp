#include "gui/CGuiDropTarget.h"

#include <algorithm>
#include <climits>
#include <new>
#include <string>
#include <vector>

#include "gui/CGuiFrame.h"

platform::DropEffect CGuiDropTarget::dragEnter(bool offersText, bool offersFiles, uint32_t keyState) {
    acceptable_ = offersText || offersFiles;
    return dragOver(keyState);
}

platform::DropEffect CGuiDropTarget::dragOver(uint32_t keyState) {
    if (!acceptable_)
        return platform::DropEffect::None;
    return (keyState & platform::kDropKeyControl) ? platform::DropEffect::Copy : platform::DropEffect::Move;
}

void CGuiDropTarget::dragLeave() {}

void CGuiDropTarget::drop(const platform::DropPayload& payload) {
    if (!frame_)
        return;
    CGuiPoint point;
    frame_->readMousePoint(point);
    if (payload.kind == platform::DropPayload::Kind::Text) {
        if (payload.textSize == 0)
            return;
        // The count of a text drop is the size of the memory block that held it, in bytes. A view
        // may read that many, so the text goes over in a block of that size, zero after its end.
        const size_t count = std::min<size_t>(payload.textSize, INT_MAX);
        std::string block;
        try {
            block = payload.text;
            block.resize(std::max(count, block.size()));
        } catch (const std::bad_alloc&) {
            return;
        }
        const char* text = block.c_str();
        frame_->onFilesDropped(&text, static_cast<int>(count), kDropText, point);
        return;
    }
    std::vector<const char*> names;
    names.reserve(payload.files.size());
    for (const std::string& name : payload.files)
        names.push_back(name.c_str());
    frame_->onFilesDropped(names.data(), static_cast<int>(names.size()), kDropFileNames, point);
}
