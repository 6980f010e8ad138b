// What of a surface was written since its backend last showed it: a few rectangles, merged when
// they touch and when more would not fit, so that a window's put sends the controls that were
// painted and not the band or the box around them.
#pragma once

#include "platform/platform.h"

namespace platform::soft {

class ChangedArea {
public:
    static constexpr int kMostRects = 4;

    // Adds columns left..right-1 and rows top..bottom-1; an empty rectangle adds nothing.
    void add(const Rect& rect);
    void clear() { count_ = 0; }
    bool empty() const { return count_ == 0; }
    int count() const { return count_; }
    const Rect& operator[](int index) const { return rects_[index]; }
    Rect bounds() const;  // the box around them all; empty when nothing changed

private:
    void remove(int index);

    Rect rects_[kMostRects];
    int count_ = 0;
    int lastAdded_ = 0;  // where the next pixel of a run most likely lies
};

}  // namespace platform::soft
