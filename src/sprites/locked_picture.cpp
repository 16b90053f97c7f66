#include "sprites/locked_picture.h"

#include <algorithm>
#include <cstring>

namespace sprites {

using namespace platform::dd;
using platform::HRESULT;

LockedPicture::~LockedPicture() {
    if (surface_) surface_->Unlock(nullptr);
}

platform::HRESULT LockedPicture::Open(const FrameRecord& frame, Step* failedStep) {
    Surface* surface = frame.surface;
    if (!surface) {
        *failedStep = Step::ColourKey;
        return DDERR_INVALIDOBJECT;
    }
    ColorKey key;
    HRESULT result = surface->GetColorKey(DDCKEY_SRCBLT, &key);
    if (result != DD_OK) {
        *failedStep = Step::ColourKey;
        return result;
    }
    SurfaceDesc desc;
    result = surface->Lock(nullptr, &desc, DDLOCK_WAIT);
    if (result != DD_OK) {
        *failedStep = Step::Lock;
        return result;
    }
    surface_ = surface;
    pixels_ = static_cast<const uint8_t*>(desc.surface);
    pitch_ = desc.pitch;
    bytesPerPixel_ = desc.bitsPerPixel >= 32 ? 4 : 1;
    key_ = bytesPerPixel_ == 1 ? (key.low & 0xFF) : (key.low & 0xFFFFFF);
    // The frame's own rectangle on the surface, cut to the surface: frames of
    // a shared picture are read where they are, not at its corner.
    originX_ = std::max(0, static_cast<int>(frame.rect.left));
    originY_ = std::max(0, static_cast<int>(frame.rect.top));
    width_ = std::max(0, std::min(static_cast<int>(frame.rect.right), desc.width) - originX_);
    height_ = std::max(0, std::min(static_cast<int>(frame.rect.bottom), desc.height) - originY_);
    return DD_OK;
}

bool LockedPicture::Transparent(int c, int r) const {
    const uint8_t* at = pixels_ + static_cast<size_t>(originY_ + r) * pitch_ +
                        static_cast<size_t>(originX_ + c) * bytesPerPixel_;
    if (bytesPerPixel_ == 1) return *at == key_;
    uint32_t pixel;
    std::memcpy(&pixel, at, sizeof pixel);
    return (pixel & 0xFFFFFF) == key_;
}

bool LockedPicture::ColumnClear(int c, int r0, int r1) const {
    if (c < 0 || c >= width_) return true;
    for (int r = std::max(r0, 0); r < std::min(r1, height_); ++r) {
        if (!Transparent(c, r)) return false;
    }
    return true;
}

bool LockedPicture::RowClear(int r, int c0, int c1) const {
    if (r < 0 || r >= height_) return true;
    for (int c = std::max(c0, 0); c < std::min(c1, width_); ++c) {
        if (!Transparent(c, r)) return false;
    }
    return true;
}

}  // namespace sprites
