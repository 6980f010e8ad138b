#include "platform/drawing/changed_area.h"

#include <algorithm>
#include <cstdint>

namespace platform::soft {
namespace {

// Overlapping or sharing an edge or a corner: the two make one rectangle without a gap between.
bool touching(const Rect& a, const Rect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool containing(const Rect& outer, const Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

Rect united(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

int64_t area(const Rect& rect) { return int64_t(rect.right - rect.left) * (rect.bottom - rect.top); }

}  // namespace

void ChangedArea::add(const Rect& rect) {
    if (rect.left >= rect.right || rect.top >= rect.bottom) return;
    // Plots and row spans land inside or beside what was just added: checked first.
    if (count_ > 0 && containing(rects_[lastAdded_], rect)) return;
    Rect merged = rect;
    for (;;) {
        int into = -1;
        for (int i = 0; i < count_ && into < 0; ++i) {
            if (touching(rects_[i], merged)) into = i;
        }
        if (into < 0 && count_ == kMostRects) {
            // No room: it joins the rectangle that grows least by taking it.
            int64_t leastGrowth = INT64_MAX;
            for (int i = 0; i < count_; ++i) {
                const int64_t growth = area(united(rects_[i], merged)) - area(rects_[i]);
                if (growth < leastGrowth) {
                    leastGrowth = growth;
                    into = i;
                }
            }
        }
        if (into < 0) break;
        merged = united(rects_[into], merged);
        remove(into);  // the union may now touch others: looked at again
    }
    rects_[count_] = merged;
    lastAdded_ = count_++;
}

Rect ChangedArea::bounds() const {
    if (count_ == 0) return {0, 0, 0, 0};
    Rect box = rects_[0];
    for (int i = 1; i < count_; ++i) box = united(box, rects_[i]);
    return box;
}

void ChangedArea::remove(int index) {
    rects_[index] = rects_[count_ - 1];
    --count_;
    lastAdded_ = 0;
}

}  // namespace platform::soft
