#include "world/carried_picture.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "display/display.h"

namespace world {
namespace {

using namespace platform::dd;

// A non-key pixel with the key or the picture's border beside it.
bool OnEdge(const KeyedPixels& p, uint32_t key, int x, int y) {
    if (p.At(x, y) == key) return false;
    static const int kN[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& n : kN) {
        const int nx = x + n[0], ny = y + n[1];
        if (nx < 0 || ny < 0 || nx >= p.width || ny >= p.height || p.At(nx, ny) == key) return true;
    }
    return false;
}

uint32_t Commonest(const std::map<uint32_t, int>& counts, uint32_t fallback) {
    uint32_t best = fallback;
    int most = 0;
    for (const auto& [value, count] : counts)
        if (count > most) most = count, best = value;
    return best;
}

int BytesPerPixel(const SurfaceDesc& desc) { return desc.bitsPerPixel >= 32 ? 4 : 1; }

uint32_t ReadPixel(const uint8_t* at, int bytes) {
    if (bytes == 1) return *at;
    uint32_t v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

}  // namespace

KeyedPixels ShrinkKeyed(const KeyedPixels& source, uint32_t key, int maxSide) {
    const int longest = std::max(source.width, source.height);
    if (longest <= 0 || maxSide <= 0 || longest <= maxSide) return source;
    KeyedPixels out;
    out.width = std::max(1, source.width * maxSide / longest);
    out.height = std::max(1, source.height * maxSide / longest);
    out.pixels.assign(static_cast<size_t>(out.width) * out.height, key);
    // First the shape: where most covered pixels are opaque.
    for (int ty = 0; ty < out.height; ++ty)
        for (int tx = 0; tx < out.width; ++tx) {
            const int x0 = tx * source.width / out.width, x1 = std::max(x0 + 1, (tx + 1) * source.width / out.width);
            const int y0 = ty * source.height / out.height, y1 = std::max(y0 + 1, (ty + 1) * source.height / out.height);
            int opaque = 0, all = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) opaque += source.At(x, y) != key, ++all;
            if (2 * opaque > all) out.pixels[static_cast<size_t>(ty) * out.width + tx] = key + 1;  // marked
        }
    // Then the colours: edge pixels from the source's edge, the rest from its inside.
    KeyedPixels shape = out;
    for (int ty = 0; ty < out.height; ++ty)
        for (int tx = 0; tx < out.width; ++tx) {
            if (shape.At(tx, ty) == key) continue;
            const bool edge = OnEdge(shape, key, tx, ty);
            int x0 = tx * source.width / out.width, x1 = std::max(x0 + 1, (tx + 1) * source.width / out.width);
            int y0 = ty * source.height / out.height, y1 = std::max(y0 + 1, (ty + 1) * source.height / out.height);
            if (edge) {
                // The small edge may fall just inside the large one: look one
                // block further round for the outline.
                const int bw = x1 - x0, bh = y1 - y0;
                x0 = std::max(0, x0 - bw), x1 = std::min(source.width, x1 + bw);
                y0 = std::max(0, y0 - bh), y1 = std::min(source.height, y1 + bh);
            }
            std::map<uint32_t, int> wanted, any;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    const uint32_t v = source.At(x, y);
                    if (v == key) continue;
                    ++any[v];
                    if (OnEdge(source, key, x, y) == edge) ++wanted[v];
                }
            out.pixels[static_cast<size_t>(ty) * out.width + tx] = Commonest(wanted.empty() ? any : wanted, key);
        }
    return out;
}

CarriedPicture::~CarriedPicture() { Release(); }

void CarriedPicture::Release() {
    if (frame_.surface) frame_.surface->Release();
    frame_ = {};
    source_ = {};
}

bool CarriedPicture::MadeFrom(const sprites::FrameRecord& source) const {
    return frame_.surface && source.surface == source_.surface && source.rect.left == source_.rect.left &&
           source.rect.top == source_.rect.top && source.rect.right == source_.rect.right &&
           source.rect.bottom == source_.rect.bottom;
}

bool CarriedPicture::Make(display::Display* display, const sprites::FrameRecord& source) {
    Release();
    if (!display || !source.surface || source.Width() <= 0 || source.Height() <= 0) return false;
    ColorKey key;
    if (source.surface->GetColorKey(DDCKEY_SRCBLT, &key) != DD_OK) return false;
    KeyedPixels big;
    int bytes = 1;
    {
        SurfaceDesc desc;
        if (source.surface->Lock(nullptr, &desc, DDLOCK_WAIT) != DD_OK) return false;
        bytes = BytesPerPixel(desc);
        const int left = std::max(0, static_cast<int>(source.rect.left)), top = std::max(0, static_cast<int>(source.rect.top));
        big.width = std::max(0, std::min(static_cast<int>(source.rect.right), desc.width) - left);
        big.height = std::max(0, std::min(static_cast<int>(source.rect.bottom), desc.height) - top);
        big.pixels.resize(static_cast<size_t>(big.width) * big.height);
        const auto* base = static_cast<const uint8_t*>(desc.surface);
        for (int y = 0; y < big.height; ++y)
            for (int x = 0; x < big.width; ++x)
                big.pixels[static_cast<size_t>(y) * big.width + x] =
                    ReadPixel(base + static_cast<size_t>(top + y) * desc.pitch + static_cast<size_t>(left + x) * bytes, bytes);
        source.surface->Unlock(nullptr);
    }
    if (big.width <= 0 || big.height <= 0) return false;
    const uint32_t keyValue = bytes == 1 ? (key.low & 0xFF) : (key.low & 0xFFFFFF);
    const KeyedPixels small = ShrinkKeyed(big, keyValue, kCarriedSize);
    Surface* surface = display->GPCreateSurface(small.width, small.height, 1, 0);
    if (!surface) return false;
    SurfaceDesc desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT) != DD_OK || BytesPerPixel(desc) != bytes) {
        if (desc.surface) surface->Unlock(nullptr);
        surface->Release();
        return false;
    }
    auto* base = static_cast<uint8_t*>(desc.surface);
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x) {
            const uint32_t v = small.At(x, y);
            std::memcpy(base + static_cast<size_t>(y) * desc.pitch + static_cast<size_t>(x) * bytes, &v, static_cast<size_t>(bytes));
        }
    surface->Unlock(nullptr);
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
    frame_ = {surface, {0, 0, small.width, small.height}};
    source_ = source;
    return true;
}

}  // namespace world
