#include "platform/avi_rle8.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::avi::DecodeRle8;
using platform::avi::EncodeRle8;

struct Picture {
    const char* name;
    int width, height;
    std::vector<uint8_t> pixels;
};

std::vector<uint8_t> Noise(int count, uint32_t seed, int colours) {
    std::vector<uint8_t> v(static_cast<size_t>(count));
    for (uint8_t& p : v) {
        seed = seed * 1103515245u + 12345u;
        p = uint8_t((seed >> 16) % uint32_t(colours));
    }
    return v;
}

std::vector<Picture> Pictures() {
    std::vector<Picture> all;
    all.push_back({"noise", 37, 11, Noise(37 * 11, 1, 256)});
    all.push_back({"few colours", 64, 9, Noise(64 * 9, 2, 3)});  // short runs among literals
    all.push_back({"long runs", 600, 3, std::vector<uint8_t>(600 * 3, 42)});  // runs of 255 and more
    std::vector<uint8_t> pairs(41 * 4);
    for (size_t i = 0; i < pairs.size(); ++i) pairs[i] = uint8_t((i / 2) % 5);  // runs of two
    all.push_back({"pairs", 41, 4, pairs});
    std::vector<uint8_t> mixed(300 * 2, 0);
    for (int i = 0; i < 300; ++i) mixed[size_t(i)] = i < 3 ? 9 : i < 260 ? uint8_t(i) : 7;  // odd literals, long literal
    for (int i = 0; i < 300; ++i) mixed[size_t(300 + i)] = uint8_t(i % 2 ? 1 : i);
    all.push_back({"mixed", 300, 2, mixed});
    all.push_back({"one pixel", 1, 1, {200}});
    all.push_back({"one column", 1, 7, {1, 2, 2, 2, 3, 0, 0}});
    all.push_back({"zeros", 5, 5, std::vector<uint8_t>(25, 0)});  // colour 0 runs look like escapes
    return all;
}

TEST(Rle8, CompletePicturesRoundTripExactly) {
    for (const Picture& p : Pictures()) {
        SCOPED_TRACE(p.name);
        const std::vector<uint8_t> codes = EncodeRle8(p.pixels.data(), nullptr, p.width, p.height);
        std::vector<uint8_t> out(p.pixels.size(), 0xEE);
        ASSERT_TRUE(DecodeRle8(codes.data(), codes.size(), out.data(), p.width, p.height, p.width));
        EXPECT_EQ(out, p.pixels);
    }
}

TEST(Rle8, ChangesOverAPreviousPictureRoundTripAndSkipWhatStayed) {
    for (const Picture& p : Pictures()) {
        SCOPED_TRACE(p.name);
        std::vector<uint8_t> next = p.pixels;
        for (size_t i = 0; i < next.size(); i += 7) next[i] = uint8_t(next[i] + 1);
        const std::vector<uint8_t> codes = EncodeRle8(next.data(), p.pixels.data(), p.width, p.height);
        std::vector<uint8_t> out = p.pixels;
        ASSERT_TRUE(DecodeRle8(codes.data(), codes.size(), out.data(), p.width, p.height, p.width));
        EXPECT_EQ(out, next);

        // An unchanged picture is nothing but the end-of-bitmap code.
        const std::vector<uint8_t> same = EncodeRle8(p.pixels.data(), p.pixels.data(), p.width, p.height);
        EXPECT_EQ(same, (std::vector<uint8_t>{0, 1}));
    }
    // One changed pixel in the top row of a tall picture is reached with a delta.
    std::vector<uint8_t> before(300 * 300, 3), after = before;
    after[150] = 4;
    EXPECT_LT(EncodeRle8(after.data(), before.data(), 300, 300).size(), 16u);
}

// Decodes into the middle of a guarded buffer; the guard must stay untouched.
struct Guarded {
    static constexpr int kWidth = 4, kHeight = 3, kPitch = 8, kGuard = 16;
    std::vector<uint8_t> buffer = std::vector<uint8_t>(kGuard * 2 + kPitch * kHeight, 0xAA);

    bool Decode(const std::vector<uint8_t>& codes) {
        return DecodeRle8(codes.data(), codes.size(), buffer.data() + kGuard, kWidth, kHeight, kPitch);
    }
    uint8_t At(int x, int topDownRow) const { return buffer[size_t(kGuard + topDownRow * kPitch + x)]; }
    bool GuardIntact() const {
        for (int i = 0; i < kGuard; ++i)
            if (buffer[size_t(i)] != 0xAA || buffer[buffer.size() - 1 - size_t(i)] != 0xAA) return false;
        for (int row = 0; row < kHeight; ++row)
            for (int x = kWidth; x < kPitch; ++x)
                if (At(x, row) != 0xAA) return false;
        return true;
    }
};

TEST(Rle8, DecoderFollowsEndOfLineDeltaLiteralAndEndOfBitmapCodes) {
    Guarded g;
    const std::vector<uint8_t> codes = {
        2, 5,              // bottom row: two 5s
        0, 0,              // end of line
        0, 2, 1, 1,        // delta: right 1, up 1 -> x 1 of the top row
        0, 3, 7, 8, 9, 0,  // literal of three, padded to a word
        0, 1,              // end of bitmap
        4, 6,              // ignored: after the end
    };
    ASSERT_TRUE(g.Decode(codes));
    EXPECT_EQ(g.At(0, 2), 5);
    EXPECT_EQ(g.At(1, 2), 5);
    EXPECT_EQ(g.At(2, 2), 0xAA);  // skipped pixels keep their value
    EXPECT_EQ(g.At(0, 1), 0xAA);  // the middle row was never touched
    EXPECT_EQ(g.At(0, 0), 0xAA);
    EXPECT_EQ(g.At(1, 0), 7);
    EXPECT_EQ(g.At(3, 0), 9);
    EXPECT_TRUE(g.GuardIntact());
}

TEST(Rle8, MalformedCodesFailWithoutWritingOutsideThePicture) {
    const struct {
        const char* why;
        std::vector<uint8_t> codes;
    } bad[] = {
        {"run past the row end", {5, 1}},
        {"run after a full row", {4, 1, 1, 1}},
        {"literal past the row end", {1, 1, 0, 4, 1, 2, 3, 4}},
        {"literal cut short", {0, 3, 1, 2}},
        {"delta past the right edge", {0, 2, 5, 0}},
        {"delta past the top", {0, 2, 0, 4}},
        {"write above the top row", {0, 2, 0, 3, 1, 1}},
        {"end of line above the top", {0, 0, 0, 0, 0, 0, 0, 0}},
        {"delta cut short", {0, 2, 1}},
        {"a lone byte", {3}},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.why);
        Guarded g;
        EXPECT_FALSE(g.Decode(b.codes));
        EXPECT_TRUE(g.GuardIntact());
    }
    Guarded g;
    EXPECT_TRUE(g.Decode({4, 1, 0, 0, 4, 2}));  // no end-of-bitmap code: accepted
    EXPECT_EQ(g.At(3, 1), 2);
}

}  // namespace
