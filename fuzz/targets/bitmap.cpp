// A .bmp as a picture (loaded into a surface and drawn) and as a palette.
#include "display/display.h"
#include "fuzz_support.h"
#include "fuzz_targets.h"

namespace tw_fuzz {

int Bitmap(const uint8_t* data, size_t size) {
    Environment& env = Env();
    if (!env.display) return 0;
    display::Display& d = *env.display;
    const std::string path = WriteInput("picture.bmp", data, size);
    for (int systemMemory = 0; systemMemory < 2; ++systemMemory) {
        if (platform::dd::Surface* surface = d.GPLoadBitmap(path.c_str(), systemMemory, systemMemory)) {
            d.GPBlt(surface, nullptr, d.backBuffer, nullptr, systemMemory);
            surface->Release();
        }
    }
    d.GPLoadPalette(path.c_str());
    if (platform::dd::Palette* palette = d.GPLoadPaletteFile(path.c_str())) palette->Release();
    d.GPPageFlip();
    ForgetBoxes();
    return 0;
}

}  // namespace tw_fuzz
