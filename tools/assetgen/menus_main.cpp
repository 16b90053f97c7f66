// Writes the options menu's pictures into graphics/options, all with the
// one menu palette (the menu takes its palette from mainopts2.bmp).
#include <cstdio>

#include "assetgen/art_bmp_writer.h"
#include "assetgen/generators.h"
#include "assetgen/menus_art.h"
#include "assetgen/menus_layout.h"
#include "assetgen/menus_palette.h"

namespace assetgen {

namespace menus {

std::vector<MenuPicture> DrawAllMenuPictures() {
    std::vector<MenuPicture> all = DrawMenuScreens();
    for (auto* more : {&DrawHelpPages, &DrawMenuSprites})
        for (MenuPicture& m : more()) all.push_back(std::move(m));
    return all;
}

}  // namespace menus

int WriteMenus(const std::string& dataDir) {
    int ok = 1;
    for (const menus::MenuPicture& m : menus::DrawAllMenuPictures()) {
        const Picture& p = m.picture;
        ok &= WriteBmp8(dataDir + "/" + menus::kFolder + m.name, p.width(), p.height(), p.pixels(), menus::MenuPalette());
    }
    return ok;
}

}  // namespace assetgen
