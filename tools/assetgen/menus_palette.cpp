#include "assetgen/menus_palette.h"

namespace assetgen::menus {
namespace {

namespace plan = world::palette_plan;

plan::Palette Build() {
    plan::Palette p = plan::CommonPalette();
    // A soft daytime sky, deeper at the top of the page.
    const plan::Rgb top{84, 146, 218}, bottom{196, 228, 250};
    for (int i = 0; i < kSkyCount; ++i) p[size_t(kSkyFirst + i)] = plan::MixRgb(top, bottom, i, kSkyCount - 1);
    // Paper for boards and slots: a warm brown edge up to cream.
    const plan::Rgb edge{122, 84, 48}, base{226, 196, 140}, light{255, 248, 226};
    for (int s = 0; s < 8; ++s)
        p[size_t(kPaperFirst + s)] = s <= 3 ? plan::MixRgb(edge, base, s, 3) : plan::MixRgb(base, light, s - 3, 4);
    return p;
}

}  // namespace

const world::palette_plan::Palette& MenuPalette() {
    static const plan::Palette palette = Build();
    return palette;
}

}  // namespace assetgen::menus
