// Converting finished pictures to 0x00RRGGBB, keeping the last one for
// screenshots and handing it to the backend to show.
#include "platform/video_out.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/internal/backend.h"
#include "platform/internal/core.h"
#include "platform/internal/desktop_keys.h"

namespace platform {

namespace {
constexpr int kMaxSide = 8192;

bool SaneSize(int width, int height, int pitch) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && pitch >= width;
}

void Show(internal::PresentedPicture& picture, const RECT& changed, bool everyStep) {
    if (internal::Backend* backend = internal::CurrentBackendPtr())
        backend->Present(picture.pixels.data(), picture.width, picture.height, changed, everyStep);
}

void Convert(const uint8_t* from, uint32_t* to, int count, const uint32_t* lut) {
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        to[x] = lut[from[x]];
        to[x + 1] = lut[from[x + 1]];
        to[x + 2] = lut[from[x + 2]];
        to[x + 3] = lut[from[x + 3]];
    }
    for (; x < count; ++x) to[x] = lut[from[x]];
}

// The first and one past the last column where two rows differ; false when
// they are equal.
bool ChangedSpan(const uint8_t* row, const uint8_t* old, int width, int* first, int* end) {
    if (std::memcmp(row, old, size_t(width)) == 0) return false;
    int left = 0;
    while (left + 8 <= width && std::memcmp(row + left, old + left, 8) == 0) left += 8;
    while (row[left] == old[left]) ++left;
    int right = width;
    while (right - 8 > left && std::memcmp(row + right - 8, old + right - 8, 8) == 0) right -= 8;
    while (row[right - 1] == old[right - 1]) --right;
    *first = left;
    *end = right;
    return true;
}
// The new picture is the last one moved by `move`, with strips and sprites
// drawn over it: a row whose moved part still matches the kept 8-bit row
// takes the converted pixels of that row; the rest is converted. Nothing is
// taken on trust: every reused span is compared first.
void PresentMoved(internal::PresentedPicture& picture, const uint8_t* pixels, int pitch,
                  const PictureMove& move, const uint32_t* lut) {
    const int width = picture.width, height = picture.height;
    const size_t area = size_t(width) * size_t(height);
    picture.sparePixels.resize(area);
    picture.spareIndexed.resize(area);
    // Columns of a new row that come from the old row, at old column x - dx.
    const int keptLeft = std::max(0, move.dx), keptRight = std::min(width, width + move.dx);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = pixels + size_t(y) * size_t(pitch);
        uint32_t* out = picture.sparePixels.data() + size_t(y) * size_t(width);
        std::memcpy(picture.spareIndexed.data() + size_t(y) * size_t(width), src, size_t(width));
        const int oldY = y - move.dy;
        const size_t oldRow = size_t(oldY) * size_t(width) + size_t(keptLeft - move.dx);
        if (oldY >= 0 && oldY < height && keptLeft < keptRight &&
            std::memcmp(src + keptLeft, picture.indexed.data() + oldRow, size_t(keptRight - keptLeft)) == 0) {
            std::memcpy(out + keptLeft, picture.pixels.data() + oldRow,
                        size_t(keptRight - keptLeft) * sizeof(uint32_t));
            Convert(src, out, keptLeft, lut);
            Convert(src + keptRight, out + keptRight, width - keptRight, lut);
        } else {
            Convert(src, out, width, lut);
        }
    }
    picture.pixels.swap(picture.sparePixels);
    picture.indexed.swap(picture.spareIndexed);
}
}  // namespace

void PresentIndexed(const uint8_t* pixels, int width, int height, int pitch, const PaletteEntry palette[256],
                    const PictureMove* moved) {
    if (!pixels || !palette || !SaneSize(width, height, pitch)) return;
    internal::PresentedPicture& picture = internal::GetCore().picture;
    const bool newPalette = !picture.lutValid || !std::equal(palette, palette + 256, picture.palette.begin());
    if (newPalette) {
        for (int i = 0; i < 256; ++i) {
            picture.palette[i] = palette[i];
            picture.lut[i] = (uint32_t(palette[i].red) << 16) | (uint32_t(palette[i].green) << 8) | palette[i].blue;
        }
        picture.lutValid = true;
    }
    const size_t area = size_t(width) * size_t(height);
    // Everything is converted after a palette or size change; otherwise only
    // the columns of each row that differ from the previous picture.
    const bool whole = newPalette || picture.width != width || picture.height != height ||
                       picture.indexed.size() != area || picture.pixels.size() != area;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(area);
    picture.indexed.resize(area);
    const uint32_t* lut = picture.lut.data();
    if (!whole && moved && (moved->dx || moved->dy) && std::abs(moved->dx) < width &&
        std::abs(moved->dy) < height) {
        PresentMoved(picture, pixels, pitch, *moved, lut);
        Show(picture, RECT{0, 0, width, height}, false);
        return;
    }
    RECT changed{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = pixels + size_t(y) * size_t(pitch);
        uint8_t* kept = picture.indexed.data() + size_t(y) * size_t(width);
        int first = 0, end = width;
        if (!whole && !ChangedSpan(src, kept, width, &first, &end)) continue;
        Convert(src + first, picture.pixels.data() + size_t(y) * size_t(width) + first, end - first, lut);
        std::memcpy(kept + first, src + first, size_t(end - first));
        changed = RECT{std::min<LONG>(changed.left, first), std::min<LONG>(changed.top, y),
                       std::max<LONG>(changed.right, end), y + 1};
    }
    if (changed.left >= changed.right) changed = RECT{0, 0, 0, 0};
    Show(picture, changed, newPalette);
}

void PresentRgb32(const uint32_t* pixels, int width, int height, int pitchPixels) {
    if (!pixels || !SaneSize(width, height, pitchPixels)) return;
    internal::PresentedPicture& picture = internal::GetCore().picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(size_t(width) * size_t(height));
    picture.indexed.clear();
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = pixels + size_t(y) * size_t(pitchPixels);
        uint32_t* dst = picture.pixels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) dst[x] = src[x] & 0x00FFFFFFu;
    }
    Show(picture, RECT{0, 0, width, height}, true);
}

Screenshot CaptureScreen() {
    const internal::PresentedPicture& picture = internal::GetCore().picture;
    Screenshot shot;
    if (picture.width <= 0 || picture.pixels.empty()) return shot;
    shot.width = picture.width;
    shot.height = picture.height;
    shot.rgb.resize(picture.pixels.size() * 3);
    uint8_t* out = shot.rgb.data();
    for (uint32_t p : picture.pixels) {
        *out++ = uint8_t(p >> 16);
        *out++ = uint8_t(p >> 8);
        *out++ = uint8_t(p);
    }
    return shot;
}

void ToggleDesktopFullscreen() {
    internal::SetDesktopFullscreen(!internal::GetCore().desktop.fullscreen);
}

}  // namespace platform
