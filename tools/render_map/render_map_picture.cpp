#include "render_map/render_map_picture.h"

#include <algorithm>
#include <cstdio>

#include "display/bitmap_file.h"
#include "platform/files.h"
#include "platform/video_out.h"

namespace render_map {

bool LoadBitmap(const std::string& path, Bitmap* out) {
    FILE* file = platform::OpenFile(path.c_str(), "rb");
    if (!file) return false;
    display::BitmapHeaders headers;
    uint8_t table[1024] = {};
    bool ok = display::ReadBitmapHeaders(file, &headers) && headers.biBitCount == 8 && headers.biWidth > 0 &&
              headers.biHeight > 0 && headers.biWidth <= 16384 && headers.biHeight <= 16384 &&
              std::fread(table, 1, sizeof table, file) == sizeof table;
    display::PixelBlock block;
    ok = ok && display::ReadPixelBlock(file, headers, &block);
    std::fclose(file);
    if (!ok) return false;
    out->width = headers.biWidth;
    out->height = headers.biHeight;
    out->pixels.assign(size_t(out->width) * out->height, 0);
    display::CopyRowsBottomUp(block, out->height, out->pixels.data(), out->width, out->width);
    out->paletteRgb.resize(768);
    for (int i = 0; i < 256; ++i) {
        out->paletteRgb[size_t(i) * 3] = table[i * 4 + 2];
        out->paletteRgb[size_t(i) * 3 + 1] = table[i * 4 + 1];
        out->paletteRgb[size_t(i) * 3 + 2] = table[i * 4];
    }
    return true;
}

Canvas::Canvas(int width, int height, const std::vector<uint8_t>& paletteRgb)
    : width_(width), height_(height), palette_(paletteRgb), rgb_(size_t(width) * height * 3, 0) {
    palette_.resize(768, 0);
}

void Canvas::Put(int x, int y, uint8_t red, uint8_t green, uint8_t blue) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    uint8_t* p = &rgb_[(size_t(y) * width_ + x) * 3];
    p[0] = red;
    p[1] = green;
    p[2] = blue;
}

void Canvas::Blit(const Bitmap& b, int sx, int sy, int w, int h, int x, int y, bool keyed) {
    int key = -1;
    for (int i = 0; i < 256 && keyed; ++i)
        if (b.paletteRgb[size_t(i) * 3] == 0 && b.paletteRgb[size_t(i) * 3 + 1] == 255 && b.paletteRgb[size_t(i) * 3 + 2] == 0) {
            key = i;
            break;
        }
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) {
            const int bx = sx + xx, by = sy + yy;
            if (bx < 0 || by < 0 || bx >= b.width || by >= b.height) continue;
            const uint8_t v = b.pixels[size_t(by) * b.width + bx];
            if (v == key) continue;
            // Pixel bytes go through the place's palette, as on the screen.
            Put(x + xx, y + yy, palette_[size_t(v) * 3], palette_[size_t(v) * 3 + 1], palette_[size_t(v) * 3 + 2]);
        }
}

void Canvas::FillRect(const world::lnd::Rect& r, uint8_t red, uint8_t green, uint8_t blue) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) Put(x, y, red, green, blue);
}

void Canvas::FrameRect(const world::lnd::Rect& r, uint8_t red, uint8_t green, uint8_t blue, int t) {
    FillRect({r.left, r.top, r.right, r.top + t}, red, green, blue);
    FillRect({r.left, r.bottom - t, r.right, r.bottom}, red, green, blue);
    FillRect({r.left, r.top, r.left + t, r.bottom}, red, green, blue);
    FillRect({r.right - t, r.top, r.right, r.bottom}, red, green, blue);
}

void Canvas::Ring(int cx, int cy, int radius, uint8_t red, uint8_t green, uint8_t blue) {
    for (int y = -radius; y <= radius; ++y)
        for (int x = -radius; x <= radius; ++x) {
            const int d = x * x + y * y;
            if (d <= radius * radius && d >= (radius - 3) * (radius - 3)) Put(cx + x, cy + y, red, green, blue);
        }
}

int Canvas::WritePng(const std::string& path, int shrink) const {
    shrink = std::max(1, shrink);
    platform::Screenshot shot;
    shot.width = width_ / shrink;
    shot.height = height_ / shrink;
    shot.rgb.resize(size_t(shot.width) * shot.height * 3);
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < shrink; ++dy)
                    for (int dx = 0; dx < shrink; ++dx) sum += rgb_[(size_t(y * shrink + dy) * width_ + x * shrink + dx) * 3 + c];
                shot.rgb[(size_t(y) * shot.width + x) * 3 + c] = uint8_t(sum / (shrink * shrink));
            }
    return platform::WritePng(shot, path);
}

}  // namespace render_map
