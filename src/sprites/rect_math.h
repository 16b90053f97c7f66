#pragma once
// Rectangle helpers for right- and bottom-exclusive RECTs.
#include <algorithm>

#include "platform/win_types.h"

namespace sprites {

using platform::RECT;

inline RECT Offset(const RECT& r, int dx, int dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// True when the two share at least one pixel.
inline bool Overlaps(const RECT& a, const RECT& b) {
    return a.top < b.bottom && a.bottom > b.top && a.left < b.right && a.right > b.left;
}

// True when the two share a pixel or an edge.
inline bool Touches(const RECT& a, const RECT& b) {
    return !(a.top > b.bottom || a.bottom < b.top || a.left > b.right || a.right < b.left);
}

inline RECT Intersection(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

inline bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

// Bounding box of both; an empty rectangle adds nothing.
inline RECT Union(const RECT& a, const RECT& b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

// Cuts dest to clip and moves the matching sides of source by the same
// amounts (an unscaled blit stays pixel-for-pixel). False when nothing is left.
inline bool ClipPair(RECT* dest, RECT* source, const RECT& clip) {
    if (!Overlaps(*dest, clip)) return false;
    if (dest->left < clip.left) {
        source->left += clip.left - dest->left;
        dest->left = clip.left;
    }
    if (dest->top < clip.top) {
        source->top += clip.top - dest->top;
        dest->top = clip.top;
    }
    if (dest->right > clip.right) {
        source->right -= dest->right - clip.right;
        dest->right = clip.right;
    }
    if (dest->bottom > clip.bottom) {
        source->bottom -= dest->bottom - clip.bottom;
        dest->bottom = clip.bottom;
    }
    return true;
}

}  // namespace sprites
