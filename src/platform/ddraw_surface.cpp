#include <algorithm>
#include <cstring>

#include "platform/ddraw.h"
#include "platform/ddraw_emulation.h"
#include "platform/ddraw_pixels.h"
#include "platform/ddraw_state.h"
#include "platform/gdi.h"
#include "platform/messages.h"

namespace platform::dd {

using emulation::Op;
using emulation::TakeFault;

unsigned RefCounted::Release() {
    if (refs_ == 0) return 0;
    unsigned left = --refs_;
    if (left == 0) delete this;
    return left;
}

Surface::Surface(int width, int height, int bitsPerPixel, DWORD caps, bool countsVideoMemory)
    : width_(width), height_(height), bitsPerPixel_(bitsPerPixel),
      pitch_(detail::PitchFor(width, bitsPerPixel)), caps_(caps),
      countsVideoMemory_(countsVideoMemory),
      pixels_(static_cast<size_t>(pitch_) * static_cast<size_t>(height)) {
    auto& state = detail::GetState();
    state.surfaces.push_back(this);
    if (countsVideoMemory_) state.videoMemoryUsed += static_cast<DWORD>(pixels_.size());
}

Surface::~Surface() {
    auto& state = detail::GetState();
    delete dc_;
    if (palette_) palette_->Release();
    if (clipper_) clipper_->Release();
    for (size_t i = 1; i < chain_.size(); ++i) {
        chain_[i]->chainHead_ = nullptr;
        chain_[i]->Release();
    }
    if (countsVideoMemory_) state.videoMemoryUsed -= static_cast<DWORD>(pixels_.size());
    std::erase(state.surfaces, this);
    if (state.primary == this) {
        state.primary = nullptr;
        state.presentedPalette = nullptr;
    }
}

uint32_t Surface::ReadPixel(int x, int y) const {
    const uint8_t* row = pixels_.data() + static_cast<size_t>(y) * pitch_;
    if (bitsPerPixel_ == 8) return row[x];
    uint32_t value;
    std::memcpy(&value, row + x * 4, 4);
    return value;
}

void Surface::WritePixel(int x, int y, uint32_t value) {
    uint8_t* row = pixels_.data() + static_cast<size_t>(y) * pitch_;
    if (bitsPerPixel_ == 8) {
        row[x] = static_cast<uint8_t>(value);
    } else {
        std::memcpy(row + x * 4, &value, 4);
    }
}

void Surface::MarkLost() {
    lost_ = true;
    std::fill(pixels_.begin(), pixels_.end(), uint8_t{0});
}

const PaletteEntry* Surface::EffectivePalette() const {
    if (palette_) return palette_->Entries();
    const Surface* primary = detail::GetState().primary;
    if (primary && primary->palette_) return primary->palette_->Entries();
    return emulation::StartupPalette();
}

POINT Surface::WindowOrigin() const {
    const auto& state = detail::GetState();
    POINT origin;
    if (IsPrimary() && state.object && !state.object->Exclusive() && state.object->Window()) {
        ClientToScreen(state.object->Window(), &origin);
    }
    return origin;
}

HRESULT Surface::Lock(const RECT* rect, SurfaceDesc* desc, DWORD) {
    if (HRESULT fault = TakeFault(Op::Lock)) return fault;
    if (!desc) return DDERR_INVALIDPARAMS;
    if (lost_) return DDERR_SURFACELOST;
    if (Busy()) return DDERR_SURFACEBUSY;
    RECT area{0, 0, width_, height_};
    if (rect) {
        if (rect->left >= rect->right || rect->top >= rect->bottom ||
            !detail::Contains(area, *rect)) {
            return DDERR_INVALIDRECT;
        }
        area = *rect;
    }
    GetSurfaceDesc(desc);
    desc->flags |= DDSD_LPSURFACE;
    desc->surface = pixels_.data() + static_cast<size_t>(area.top) * pitch_ +
                    static_cast<size_t>(area.left) * (bitsPerPixel_ / 8);
    ++lockCount_;
    return DD_OK;
}

HRESULT Surface::Unlock(const void*) {
    if (lockCount_ == 0) return DDERR_NOTLOCKED;
    --lockCount_;
    PresentIfPrimary();
    return DD_OK;
}

HRESULT Surface::Blt(const RECT* destRect, Surface* source, const RECT* sourceRect, DWORD flags,
                     const BltFx* fx) {
    if (HRESULT fault = TakeFault(Op::Blt)) return fault;
    const bool fill = (flags & DDBLT_COLORFILL) != 0;
    if ((fill && !fx) || (!fill && !source)) return DDERR_INVALIDPARAMS;
    if (lost_ || (!fill && source->lost_)) return DDERR_SURFACELOST;
    if (Busy() || (!fill && source != this && source->Busy())) return DDERR_SURFACEBUSY;
    if (!fill && source->bitsPerPixel_ != bitsPerPixel_) return DDERR_INVALIDPIXELFORMAT;

    const RECT bounds{0, 0, width_, height_};
    const RECT dest = destRect ? *destRect : bounds;
    if (dest.left >= dest.right || dest.top >= dest.bottom) return DDERR_INVALIDRECT;
    if (!clipper_ && !detail::Contains(bounds, dest)) return DDERR_INVALIDRECT;

    std::vector<RECT> clips;
    if (clipper_) {
        for (const RECT& rect : clipper_->EffectiveRects(*this)) {
            RECT inBounds, part;
            if (detail::Intersect(rect, bounds, &inBounds) && detail::Intersect(inBounds, dest, &part)) {
                clips.push_back(part);
            }
        }
    } else {
        clips.push_back(dest);
    }

    const detail::PixelView destView{pixels_.data(), pitch_, bitsPerPixel_};
    if (fill) {
        const uint32_t value = bitsPerPixel_ == 8 ? (fx->fillColor & 0xFF) : fx->fillColor;
        for (const RECT& clip : clips) detail::FillRect(destView, clip, value);
    } else {
        const RECT sourceBounds{0, 0, source->width_, source->height_};
        const RECT from = sourceRect ? *sourceRect : sourceBounds;
        if (from.left >= from.right || from.top >= from.bottom ||
            !detail::Contains(sourceBounds, from)) {
            return DDERR_INVALIDRECT;
        }
        detail::KeyRange sourceKey, destKey;
        if ((flags & DDBLT_KEYSRC) && source->hasSrcKey_) {
            sourceKey = {true, source->srcKey_.low, source->srcKey_.high};
        }
        if ((flags & DDBLT_KEYDEST) && hasDestKey_) destKey = {true, destKey_.low, destKey_.high};
        // A blit within one surface reads from a copy so overlapping areas
        // come out as if the source had been read first.
        std::vector<uint8_t> copy;
        detail::PixelView sourceView{source->pixels_.data(), source->pitch_, source->bitsPerPixel_};
        if (source == this) {
            copy = pixels_;
            sourceView.pixels = copy.data();
        }
        for (const RECT& clip : clips) {
            detail::CopyRect(destView, dest, clip, sourceView, from, sourceKey, destKey);
        }
        const bool unscaled = dest.right - dest.left == from.right - from.left &&
                              dest.bottom - dest.top == from.bottom - from.top;
        if (source == chainHead_ && source != this && unscaled) {
            movedFromFront_ = PictureMove{dest.left - from.left, dest.top - from.top};
            hasMove_ = true;
        }
    }
    PresentIfPrimary();
    return DD_OK;
}

HRESULT Surface::BltFast(int x, int y, Surface* source, const RECT* sourceRect, DWORD flags) {
    if (HRESULT fault = TakeFault(Op::BltFast)) return fault;
    if (!source) return DDERR_INVALIDPARAMS;
    if (lost_ || source->lost_) return DDERR_SURFACELOST;
    if (Busy() || (source != this && source->Busy())) return DDERR_SURFACEBUSY;
    if (clipper_) return DDERR_BLTFASTCANTCLIP;
    if (source->bitsPerPixel_ != bitsPerPixel_) return DDERR_INVALIDPIXELFORMAT;
    const RECT sourceBounds{0, 0, source->width_, source->height_};
    const RECT from = sourceRect ? *sourceRect : sourceBounds;
    if (from.left >= from.right || from.top >= from.bottom || !detail::Contains(sourceBounds, from)) {
        return DDERR_INVALIDRECT;
    }
    const RECT dest{x, y, x + (from.right - from.left), y + (from.bottom - from.top)};
    if (!detail::Contains(RECT{0, 0, width_, height_}, dest)) return DDERR_INVALIDRECT;
    detail::KeyRange sourceKey, destKey;
    if ((flags & DDBLTFAST_SRCCOLORKEY) && source->hasSrcKey_) {
        sourceKey = {true, source->srcKey_.low, source->srcKey_.high};
    }
    if ((flags & DDBLTFAST_DESTCOLORKEY) && hasDestKey_) destKey = {true, destKey_.low, destKey_.high};
    std::vector<uint8_t> copy;
    detail::PixelView sourceView{source->pixels_.data(), source->pitch_, source->bitsPerPixel_};
    if (source == this) {
        copy = pixels_;
        sourceView.pixels = copy.data();
    }
    detail::CopyRect({pixels_.data(), pitch_, bitsPerPixel_}, dest, dest, sourceView, from,
                     sourceKey, destKey);
    PresentIfPrimary();
    return DD_OK;
}

HRESULT Surface::Flip(Surface*, DWORD) {
    if (HRESULT fault = TakeFault(Op::Flip)) return fault;
    if (chain_.size() < 2) return DDERR_NOTFLIPPABLE;
    for (const Surface* member : chain_) {
        if (member->lost_) return DDERR_SURFACELOST;
        if (member->Busy()) return DDERR_SURFACEBUSY;
    }
    // A back buffer started from the front one moved lets the present reuse
    // what it converted last time.
    Surface* back = chain_[1];
    const PictureMove moved = back->movedFromFront_;
    const bool hasMove = back->hasMove_ && chain_.size() == 2;
    back->hasMove_ = false;
    for (size_t i = 0; i + 1 < chain_.size(); ++i) std::swap(chain_[i]->pixels_, chain_[i + 1]->pixels_);
    PresentIfPrimary(hasMove ? &moved : nullptr);
    return DD_OK;
}

HRESULT Surface::GetAttachedSurface(DWORD caps, Surface** out) {
    if (HRESULT fault = TakeFault(Op::GetAttachedSurface)) return fault;
    if (!out) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (!(caps & DDSCAPS_BACKBUFFER) || chain_.size() < 2) return DDERR_NOTFOUND;
    *out = chain_[1];
    chain_[1]->AddRef();
    return DD_OK;
}

HRESULT Surface::GetColorKey(DWORD which, ColorKey* key) const {
    if (!key) return DDERR_INVALIDPARAMS;
    if (which == DDCKEY_SRCBLT && hasSrcKey_) {
        *key = srcKey_;
        return DD_OK;
    }
    if (which == DDCKEY_DESTBLT && hasDestKey_) {
        *key = destKey_;
        return DD_OK;
    }
    return which == DDCKEY_SRCBLT || which == DDCKEY_DESTBLT ? DDERR_NOCOLORKEY : DDERR_INVALIDPARAMS;
}

HRESULT Surface::SetColorKey(DWORD which, const ColorKey* key) {
    if (HRESULT fault = TakeFault(Op::SetColorKey)) return fault;
    if (lost_) return DDERR_SURFACELOST;
    if (which == DDCKEY_SRCBLT) {
        hasSrcKey_ = key != nullptr;
        if (key) srcKey_ = *key;
    } else if (which == DDCKEY_DESTBLT) {
        hasDestKey_ = key != nullptr;
        if (key) destKey_ = *key;
    } else {
        return DDERR_INVALIDPARAMS;
    }
    return DD_OK;
}

HRESULT Surface::SetPalette(Palette* palette) {
    if (HRESULT fault = TakeFault(Op::SetPalette)) return fault;
    if (lost_) return DDERR_SURFACELOST;
    if (palette && bitsPerPixel_ != 8) return DDERR_NOTPALETTIZED;
    if (palette) palette->AddRef();
    if (palette_) palette_->Release();
    palette_ = palette;
    if (IsPrimary()) detail::GetState().presentedPalette = nullptr;   // shows at the next present
    return DD_OK;
}

HRESULT Surface::GetPalette(Palette** out) const {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = palette_;
    if (!palette_) return DDERR_NOPALETTEATTACHED;
    palette_->AddRef();
    return DD_OK;
}

HRESULT Surface::SetClipper(Clipper* clipper) {
    if (HRESULT fault = TakeFault(Op::SetClipper)) return fault;
    if (!clipper && !clipper_) return DDERR_NOCLIPPERATTACHED;
    if (clipper) clipper->AddRef();
    if (clipper_) clipper_->Release();
    clipper_ = clipper;
    return DD_OK;
}

HRESULT Surface::GetClipper(Clipper** out) const {
    if (!out) return DDERR_INVALIDPARAMS;
    *out = clipper_;
    if (!clipper_) return DDERR_NOCLIPPERATTACHED;
    clipper_->AddRef();
    return DD_OK;
}

HRESULT Surface::IsLost() const { return lost_ ? DDERR_SURFACELOST : DD_OK; }

HRESULT Surface::Restore() {
    if (HRESULT fault = TakeFault(Op::Restore)) return fault;
    // Restoring a flipping chain restores all of its buffers; the pictures
    // stay discarded.
    for (Surface* member : chain_) member->lost_ = false;
    lost_ = false;
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(SurfaceDesc* desc) const {
    if (!desc) return DDERR_INVALIDPARAMS;
    *desc = SurfaceDesc{};
    desc->flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->width = width_;
    desc->height = height_;
    desc->pitch = pitch_;
    desc->bitsPerPixel = bitsPerPixel_;
    desc->caps = caps_;
    if (!chain_.empty()) {
        desc->flags |= DDSD_BACKBUFFERCOUNT;
        desc->backBufferCount = static_cast<DWORD>(chain_.size() - 1);
    }
    if (hasSrcKey_) {
        desc->flags |= DDSD_CKSRCBLT;
        desc->srcColorKey = srcKey_;
    }
    if (hasDestKey_) {
        desc->flags |= DDSD_CKDESTBLT;
        desc->destColorKey = destKey_;
    }
    return DD_OK;
}

HRESULT Surface::GetDC(gdi::DeviceContext** dc) {
    if (HRESULT fault = TakeFault(Op::GetDC)) return fault;
    if (!dc) return DDERR_INVALIDPARAMS;
    *dc = nullptr;
    if (lost_) return DDERR_SURFACELOST;
    if (Busy()) return DDERR_SURFACEBUSY;
    dc_ = new gdi::DeviceContext(this);
    *dc = dc_;
    return DD_OK;
}

HRESULT Surface::ReleaseDC(gdi::DeviceContext* dc) {
    if (!dc || dc != dc_) return DDERR_NODC;
    delete dc_;
    dc_ = nullptr;
    PresentIfPrimary();
    return DD_OK;
}

}  // namespace platform::dd
