#pragma once
// One picture of a frame table: a surface and the rectangle on it. Frame
// tables are arrays of these; frame 0 of every character table is empty.
#include "platform/ddraw.h"
#include "platform/win_types.h"

namespace sprites {

using platform::RECT;
using platform::dd::Surface;

struct FrameRecord {
    Surface* surface = nullptr;
    RECT rect;

    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

}  // namespace sprites
