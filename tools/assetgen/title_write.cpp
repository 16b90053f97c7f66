// Writes the title's pictures into "graphics/splash".
#include <string>

#include "assetgen/art_bmp_writer.h"
#include "assetgen/generators.h"
#include "assetgen/title_art.h"

namespace assetgen {

int WriteTitle(const std::string& dataDir) {
    const std::string dir = dataDir + "/graphics/splash/";
    const title::Palette& palette = title::TitlePalette();
    struct Item {
        const char* name;
        Picture picture;
        const title::Palette* palette;
    };
    const Item items[] = {
        {"splash.bmp", title::DrawSplash(), &palette},
        {"Tunewander.bmp", title::DrawLetters(), &palette},
        {"MPupin.bmp", title::DrawMascot(), &palette},
        {"url.bmp", title::DrawProjectLine(), &palette},
        {"kblogo.bmp", title::DrawMakerMark(), &title::MakerPalette()},
    };
    int ok = 1;
    for (const Item& item : items)
        ok &= WriteBmp8(dir + item.name, item.picture.width(), item.picture.height(), item.picture.pixels(),
                        *item.palette);
    return ok;
}

}  // namespace assetgen
