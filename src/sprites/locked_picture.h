#pragma once
// Read access to the pixels of one frame while its surface is locked, with
// the column and row tests of the pixel collisions. Coordinates are counted
// from the frame's top-left corner; anything outside the frame is clear.
#include <cstdint>

#include "sprites/frame_record.h"

namespace sprites {

class LockedPicture {
public:
    LockedPicture() = default;
    ~LockedPicture();
    LockedPicture(const LockedPicture&) = delete;
    LockedPicture& operator=(const LockedPicture&) = delete;

    enum class Step { ColourKey, Lock };
    // Reads the source colour key and locks the surface. On failure returns
    // the result code and sets *failedStep.
    platform::HRESULT Open(const FrameRecord& frame, Step* failedStep);

    // Column c, rows r0 up to r1: clear when every pixel there is the key.
    bool ColumnClear(int c, int r0, int r1) const;
    // Row r, columns c0 up to c1, the same way.
    bool RowClear(int r, int c0, int c1) const;

private:
    bool Transparent(int c, int r) const;
    Surface* surface_ = nullptr;
    const uint8_t* pixels_ = nullptr;
    int pitch_ = 0, bytesPerPixel_ = 1;
    int originX_ = 0, originY_ = 0, width_ = 0, height_ = 0;
    uint32_t key_ = 0;
};

}  // namespace sprites
