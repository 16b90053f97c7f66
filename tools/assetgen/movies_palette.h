#pragma once
// Palette layout shared by both start-up movies: background ramps first,
// then the figures' colours from kWhite on.
#include <cstdint>

namespace assetgen::movie_palette {

constexpr uint8_t kBackdrop = 1;      // 48-step background ramp
constexpr int kBackdropSteps = 48;
constexpr uint8_t kHills = 49;        // 32-step ramp of greens
constexpr int kHillSteps = 32;
constexpr uint8_t kWhite = 100, kYellow = 101, kOrange = 102, kRed = 103, kPink = 104,
                  kPurple = 105, kBlue = 106, kCyan = 107, kGreen = 108, kBrown = 109,
                  kDark = 110, kCream = 111, kLightBrown = 112, kStarDim = 113, kSun = 114,
                  kSunRay = 115;

}  // namespace assetgen::movie_palette
