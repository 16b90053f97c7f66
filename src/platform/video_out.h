#pragma once
// Presenting a finished picture in the window: the one place where pixels
// reach the screen (the display's flip and the movie player use it). An 8-bit
// picture is converted through a 256-entry lookup table rebuilt only when the
// palette changes, and shown as large as the window holds at its shape,
// sharply (whole-number enlargement, then a smooth step), with black bars. On a desktop presenting is paced to the refresh rate.
// Headless, the last picture is kept for screenshots.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct PaletteEntry {
    uint8_t red = 0, green = 0, blue = 0, flags = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// How far the last presented picture was moved to start the new one (a
// scroll): rows that still match it are copied from what was converted then.
struct PictureMove {
    int dx = 0, dy = 0;
};

// pixels: height rows of width bytes, rows pitch bytes apart.
void PresentIndexed(const uint8_t* pixels, int width, int height, int pitch,
                    const PaletteEntry palette[256], const PictureMove* moved = nullptr);
// 32-bit 0x00RRGGBB pixels (windowed mode on a true-colour desktop).
void PresentRgb32(const uint32_t* pixels, int width, int height, int pitchPixels);

// What the window shows now, as RGB rows (3 bytes a pixel), at the picture's
// own size (before scaling). Empty when nothing was presented yet.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
};
Screenshot CaptureScreen();
// Writes a PNG (8-bit RGB, no interlace). Returns 1 / 0. PNG paths are host
// paths (relative ones start at the process's working directory).
int WritePng(const Screenshot& shot, const std::string& path);
// The same with transparency: width x height pixels of 4 bytes (R, G, B, A).
int WritePngRgba(int width, int height, const std::vector<uint8_t>& rgba, const std::string& path);
// Reads a PNG written by WritePng (used by golden-image tests). Returns 1 / 0.
int ReadPng(const std::string& path, Screenshot* shot);

// Full-screen desktop toggle (what F11 and Alt+Enter do).
void ToggleDesktopFullscreen();

}  // namespace platform
