// kblogo.bmp: the project's own mark shown at start-up: a paw print with a
// note in a round badge over a soft sky, and the name under it.
#include "assetgen/menus_font.h"
#include "assetgen/title_art.h"
#include "assetgen/title_letters.h"

namespace assetgen::title {
namespace {

namespace plan = world::palette_plan;
using plan::Common;
using plan::Ramp;

constexpr int kSkyFirst = 114, kSkyCount = 32;

plan::Palette BuildMaker() {
    plan::Palette p = plan::CommonPalette();
    const plan::Rgb top{250, 236, 200}, bottom{252, 200, 150};
    for (int i = 0; i < kSkyCount; ++i) p[size_t(kSkyFirst + i)] = plan::MixRgb(top, bottom, i, kSkyCount - 1);
    return p;
}

}  // namespace

const Palette& MakerPalette() {
    static const Palette palette = BuildMaker();
    return palette;
}

Picture DrawMakerMark() {
    constexpr int kW = 640, kH = 480, cx = 320, cy = 190;
    Picture pic(kW, kH, 0);
    for (int y = 0; y < kH; ++y) pic.FillRect(0, y, kW, 1, uint8_t(kSkyFirst + y * kSkyCount / kH));
    // The badge: a ring of sky blue round a cream face.
    pic.FillEllipse(cx, cy + 6, 128, 128, Common(Ramp::Brown, 4));
    pic.FillEllipse(cx, cy, 128, 128, Common(Ramp::Grey, 0));
    pic.ShadedEllipse(cx, cy, 124, 124, Ramp::Sky, 3, 6);
    pic.FillEllipse(cx, cy, 100, 100, Common(Ramp::Grey, 0));
    pic.FillEllipse(cx, cy, 97, 97, Common(Ramp::Yellow, 7));
    // A paw print: the big pad and four toes.
    const uint8_t pad = Common(Ramp::Fur, 2), padLight = Common(Ramp::Fur, 4);
    pic.FillEllipse(cx - 14, cy + 34, 40, 32, pad);
    pic.FillEllipse(cx - 22, cy + 26, 18, 12, padLight);
    constexpr int kToes[4][2] = {{-66, -8}, {-38, -44}, {6, -48}, {36, -20}};
    for (const auto& toe : kToes) {
        pic.FillEllipse(cx - 14 + toe[0] + 10, cy + toe[1] + 2, 15, 18, pad);
        pic.FillEllipse(cx - 14 + toe[0] + 7, cy + toe[1] - 4, 6, 7, padLight);
    }
    // A note jumping out of the paw.
    DrawQuaver(pic, cx + 46, cy - 80, 40, 84, Ramp::Red);
    menus::DrawCentred(pic, "Tunewander", cx, 375, 7, Common(Ramp::Blue, 1), 3, Common(Ramp::Grey, 7));
    menus::DrawCentred(pic, "a music adventure", cx, 440, 3, Common(Ramp::Red, 2));
    return pic;
}

}  // namespace assetgen::title
