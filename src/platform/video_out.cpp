// Converting finished pictures to 0x00RRGGBB, keeping the last one for
// screenshots and handing it to the backend to show.
#include "platform/video_out.h"

#include <algorithm>

#include "platform/internal/backend.h"
#include "platform/internal/core.h"
#include "platform/internal/desktop_keys.h"

namespace platform {

namespace {
constexpr int kMaxSide = 8192;

bool SaneSize(int width, int height, int pitch) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && pitch >= width;
}

void Show(internal::PresentedPicture& picture) {
    if (internal::Backend* backend = internal::CurrentBackendPtr())
        backend->Present(picture.pixels.data(), picture.width, picture.height);
}
}  // namespace

void PresentIndexed(const uint8_t* pixels, int width, int height, int pitch, const PaletteEntry palette[256]) {
    if (!pixels || !palette || !SaneSize(width, height, pitch)) return;
    internal::PresentedPicture& picture = internal::GetCore().picture;
    if (!picture.lutValid || !std::equal(palette, palette + 256, picture.palette.begin())) {
        for (int i = 0; i < 256; ++i) {
            picture.palette[i] = palette[i];
            picture.lut[i] = (uint32_t(palette[i].red) << 16) | (uint32_t(palette[i].green) << 8) | palette[i].blue;
        }
        picture.lutValid = true;
    }
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(size_t(width) * size_t(height));
    const uint32_t* lut = picture.lut.data();
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = pixels + size_t(y) * size_t(pitch);
        uint32_t* dst = picture.pixels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) dst[x] = lut[src[x]];
    }
    Show(picture);
}

void PresentRgb32(const uint32_t* pixels, int width, int height, int pitchPixels) {
    if (!pixels || !SaneSize(width, height, pitchPixels)) return;
    internal::PresentedPicture& picture = internal::GetCore().picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = pixels + size_t(y) * size_t(pitchPixels);
        uint32_t* dst = picture.pixels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) dst[x] = src[x] & 0x00FFFFFFu;
    }
    Show(picture);
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
