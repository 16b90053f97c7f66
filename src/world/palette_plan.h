#pragma once
// The palette plan shared by every place of the world (the six lands, the
// three sub-rooms, the main sub-room and the den) and by every picture shown
// in more than one of them (the dog, the cat, icons, keys, sparkles, flags,
// lock pieces, the loading animation).
//
// Pixels are copied into surfaces byte for byte, so a picture looks the same
// everywhere only when the entries it uses hold the same colours in every
// place's palette. Each place palette therefore has three parts:
//
//   entry 0           black (0, 0, 0): the display's colour key, also the fill
//                     of empty map cells; never used for visible pixels
//   entry 1           pure green (0, 255, 0): the key of most sprites; never
//                     used for visible pixels
//   entries 2..113    the common block: 14 colour ramps of 8 shades each,
//                     identical in every place palette
//   entries 114..254  the place block: the place's own scenery colours
//   entry 255         white (255, 255, 255): the key of white-keyed pictures
//
// Black, pure green and white appear exactly once in every palette; visible
// outlines use the darkest grey of the common block instead of black.
// In the wetland palette entries 114..118 are the water colours that the land
// screen cycles; only water uses them there.
#include <array>
#include <cstddef>
#include <cstdint>

namespace world::palette_plan {

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr int kBlack = 0;
inline constexpr int kGreenKey = 1;
inline constexpr int kWhite = 255;

inline constexpr int kCommonFirst = 2;
inline constexpr int kShades = 8;
inline constexpr int kRampCount = 14;
inline constexpr int kCommonLast = kCommonFirst + kRampCount * kShades - 1;  // 113
inline constexpr int kPlaceFirst = kCommonLast + 1;                          // 114
inline constexpr int kPlaceLast = 254;
inline constexpr int kPlaceCount = kPlaceLast - kPlaceFirst + 1;             // 141

// Wetland water: the five entries the land screen rotates.
inline constexpr int kWaterFirst = 114;
inline constexpr int kWaterCount = 5;

// The common ramps, darkest shade 0 to lightest shade 7.
enum class Ramp : int {
    Grey = 0,    // shade 0 is the near-black used for outlines, 7 near-white
    Red,
    Orange,
    Yellow,
    Leaf,        // greens; never the pure key green
    Teal,
    Sky,
    Blue,
    Purple,
    Pink,
    Brown,
    Fur,         // warm tan for the dog, skin and wood
    Gold,
    Slate,       // blue-grey for metal and stone
};

// Palette entry of a common colour; shade is clamped to 0..7.
constexpr uint8_t Common(Ramp ramp, int shade) {
    if (shade < 0) shade = 0;
    if (shade >= kShades) shade = kShades - 1;
    return static_cast<uint8_t>(kCommonFirst + static_cast<int>(ramp) * kShades + shade);
}

inline constexpr uint8_t kOutline = Common(Ramp::Grey, 0);

// Each ramp runs dark -> base (shade 3) -> light (shade 7).
struct RampEnds {
    Rgb dark, base, light;
};
inline constexpr std::array<RampEnds, kRampCount> kRampEnds{{
    {{22, 20, 26}, {110, 108, 116}, {246, 246, 244}},   // Grey
    {{70, 12, 18}, {214, 48, 52}, {255, 196, 190}},      // Red
    {{96, 40, 8}, {240, 136, 40}, {255, 222, 170}},      // Orange
    {{104, 84, 10}, {246, 214, 60}, {255, 248, 196}},    // Yellow
    {{14, 54, 20}, {68, 160, 64}, {200, 240, 170}},      // Leaf
    {{8, 60, 64}, {40, 164, 160}, {190, 240, 232}},      // Teal
    {{26, 70, 120}, {96, 170, 232}, {214, 238, 254}},    // Sky
    {{16, 20, 84}, {56, 80, 200}, {184, 196, 250}},      // Blue
    {{46, 18, 74}, {140, 76, 190}, {226, 204, 250}},     // Purple
    {{96, 24, 64}, {236, 112, 170}, {255, 214, 232}},    // Pink
    {{44, 24, 12}, {130, 80, 42}, {222, 184, 140}},      // Brown
    {{92, 60, 30}, {214, 160, 100}, {252, 232, 204}},    // Fur
    {{90, 62, 6}, {222, 170, 30}, {255, 236, 150}},      // Gold
    {{30, 38, 52}, {108, 122, 146}, {214, 222, 234}},    // Slate
}};

// a + (b - a) * step / steps, rounded down.
constexpr uint8_t Mix(uint8_t a, uint8_t b, int step, int steps) {
    return static_cast<uint8_t>(a + (static_cast<int>(b) - static_cast<int>(a)) * step / steps);
}
constexpr Rgb MixRgb(Rgb a, Rgb b, int step, int steps) {
    return {Mix(a.red, b.red, step, steps), Mix(a.green, b.green, step, steps), Mix(a.blue, b.blue, step, steps)};
}

// The colour of common entry kCommonFirst + ramp * 8 + shade.
constexpr Rgb CommonColour(int ramp, int shade) {
    const RampEnds& e = kRampEnds[static_cast<size_t>(ramp)];
    return shade <= 3 ? MixRgb(e.dark, e.base, shade, 3) : MixRgb(e.base, e.light, shade - 3, 4);
}

using Palette = std::array<Rgb, 256>;

// A palette with the fixed entries and the common block filled in and the
// place block set to a soft grey ramp (for pictures that use only the common
// block). Places overwrite entries kPlaceFirst..kPlaceLast.
constexpr Palette CommonPalette() {
    Palette p{};
    p[kBlack] = {0, 0, 0};
    p[kGreenKey] = {0, 255, 0};
    p[kWhite] = {255, 255, 255};
    for (int r = 0; r < kRampCount; ++r) {
        for (int s = 0; s < kShades; ++s) p[static_cast<size_t>(kCommonFirst + r * kShades + s)] = CommonColour(r, s);
    }
    for (int i = 0; i < kPlaceCount; ++i) {
        const uint8_t v = static_cast<uint8_t>(40 + i * 180 / kPlaceCount);
        p[static_cast<size_t>(kPlaceFirst + i)] = {v, v, static_cast<uint8_t>(v + 4)};
    }
    return p;
}

}  // namespace world::palette_plan
