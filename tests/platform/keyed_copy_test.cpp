// The fast and the portable keyed row copies give the same pixels for every
// width, alignment and kind of key.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/ddraw_pixels.h"

namespace {

using platform::RECT;
using platform::dd::detail::CopyRect;
using platform::dd::detail::KeyRange;
using platform::dd::detail::PixelView;
using platform::dd::detail::RowPath;

std::vector<uint8_t> Noise(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    // Few distinct values so that keys match often, in runs and alone.
    for (auto& b : bytes) b = static_cast<uint8_t>(random() % 7 == 0 ? random() : random() % 4);
    return bytes;
}

TEST(KeyedCopy, FastAndPortablePathsAgreeOnEveryWidthAlignmentAndKey) {
    constexpr int kPitch = 104, kHeight = 3;
    const KeyRange none;
    const struct {
        KeyRange source, dest;
    } keys[] = {
        {KeyRange{true, 0, 0}, none},          // the sprites' single key
        {KeyRange{true, 1, 3}, none},          // a range
        {KeyRange{true, 200, 255}, none},      // the top of the byte range
        {none, KeyRange{true, 2, 2}},          // destination key only
        {KeyRange{true, 0, 1}, KeyRange{true, 0, 2}},
        {KeyRange{true, 0, 300}, none},        // bounds beyond a byte
    };
    int cases = 0;
    for (const auto& key : keys) {
        for (int width = 1; width <= 70; ++width) {
            for (int left = 0; left < 17; ++left) {
                const auto source = Noise(size_t(kPitch) * kHeight, uint32_t(width * 31 + left));
                auto fast = Noise(size_t(kPitch) * kHeight, uint32_t(width * 17 + left + 5));
                auto portable = fast;
                const RECT from{3, 0, 3 + width, kHeight};
                const RECT to{left, 0, left + width, kHeight};
                CopyRect(PixelView{fast.data(), kPitch, 8}, to, to,
                         PixelView{const_cast<uint8_t*>(source.data()), kPitch, 8}, from, key.source,
                         key.dest, RowPath::Best);
                CopyRect(PixelView{portable.data(), kPitch, 8}, to, to,
                         PixelView{const_cast<uint8_t*>(source.data()), kPitch, 8}, from, key.source,
                         key.dest, RowPath::Portable);
                ASSERT_EQ(fast, portable) << "width " << width << " left " << left;
                ++cases;
            }
        }
    }
    EXPECT_EQ(cases, 6 * 70 * 17);
}

TEST(KeyedCopy, KeyedPixelsKeepTheDestinationAndOthersAreCopied) {
    for (RowPath path : {RowPath::Best, RowPath::Portable}) {
        std::vector<uint8_t> source(40), dest(40, 9);
        for (int i = 0; i < 40; ++i) source[i] = static_cast<uint8_t>(i % 3 == 0 ? 0 : 100 + i);
        const RECT rect{0, 0, 40, 1};
        CopyRect(PixelView{dest.data(), 40, 8}, rect, rect, PixelView{source.data(), 40, 8}, rect,
                 KeyRange{true, 0, 0}, KeyRange{}, path);
        for (int i = 0; i < 40; ++i) EXPECT_EQ(dest[i], i % 3 == 0 ? 9 : 100 + i) << i;
    }
}

}  // namespace
