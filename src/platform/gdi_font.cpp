// Fonts through SDL_ttf. Every face is drawn with Comic Neue, a rounded
// sans-serif close to what the overlays were designed with.
#include <SDL_ttf.h>

#include "platform/gdi.h"

namespace platform::gdi {
namespace {

const char* const kRegular[] = {"/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf",
                                "/usr/share/fonts/truetype/comic-neue/ComicNeue-Regular.ttf",
                                "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};
const char* const kBold[] = {"/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf",
                             "/usr/share/fonts/truetype/comic-neue/ComicNeue-Bold.ttf",
                             "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};

TTF_Font* OpenAtCellHeight(const char* path, int height) {
    TTF_Font* font = TTF_OpenFont(path, height);
    if (!font) return nullptr;
    // The height asked for is the whole cell (ascent plus descent).
    const int cell = TTF_FontHeight(font);
    if (cell > height) {
        const int size = height * height / cell;
        if (TTF_Font* smaller = size > 0 ? TTF_OpenFont(path, size) : nullptr) {
            TTF_CloseFont(font);
            font = smaller;
        }
    }
    return font;
}

}  // namespace

Font::~Font() {
    if (native_) TTF_CloseFont(native_);
}

HFONT CreateFont(int height, int weight, DWORD, const char* face) {
    if (height <= 0 || height > 512) return nullptr;
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    const auto& candidates = weight >= 700 ? kBold : kRegular;
    TTF_Font* native = nullptr;
    for (const char* path : candidates) {
        if ((native = OpenAtCellHeight(path, height))) break;
    }
    if (!native) return nullptr;
    auto* font = new Font();
    font->height_ = height;
    font->face_ = face ? face : "";
    font->native_ = native;
    return font;
}

void DeleteFont(HFONT font) { delete font; }

}  // namespace platform::gdi
