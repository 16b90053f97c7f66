#pragma once
// A picture drawn at a place partly off the screen: the destination is cut to
// the screen and the source by the same amounts, so the part that shows is
// the part that would have been there.
#include "platform/win_types.h"

namespace display {

// Cuts `dst` to (0, 0, width, height) and `src` alike. false when nothing
// of it is left on the screen.
inline bool ClipToScreen(platform::RECT* src, platform::RECT* dst, int width, int height) {
    if (dst->left < 0) src->left -= dst->left, dst->left = 0;
    if (dst->top < 0) src->top -= dst->top, dst->top = 0;
    if (dst->right > width) src->right -= dst->right - width, dst->right = width;
    if (dst->bottom > height) src->bottom -= dst->bottom - height, dst->bottom = height;
    return dst->left < dst->right && dst->top < dst->bottom;
}

}  // namespace display
