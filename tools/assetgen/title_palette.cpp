#include "assetgen/title_art.h"

namespace assetgen::title {
namespace {

namespace plan = world::palette_plan;

plan::Palette Build() {
    plan::Palette p = plan::CommonPalette();
    // A night-blue curtain deepening to violet where the lights fall.
    const plan::Rgb top{18, 16, 52}, bottom{92, 48, 120};
    for (int i = 0; i < kBackdropCount; ++i)
        p[size_t(kBackdropFirst + i)] = plan::MixRgb(top, bottom, i, kBackdropCount - 1);
    return p;
}

}  // namespace

const Palette& TitlePalette() {
    static const Palette palette = Build();
    return palette;
}

uint8_t Backdrop(int step) {
    return uint8_t(kBackdropFirst + (step < 0 ? 0 : step >= kBackdropCount ? kBackdropCount - 1 : step));
}

}  // namespace assetgen::title
