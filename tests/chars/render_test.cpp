// The solid-shape renderer the characters are drawn with, and the shared
// projection that places heads and overlays on bodies.
#include <gtest/gtest.h>

#include "assetgen/chars_render.h"
#include "world/chars/poses.h"
#include "world/palette_plan.h"

namespace {

using assetgen::Picture;
using assetgen::Ramp;
using assetgen::chars::Blob;
using assetgen::chars::Figure;
namespace plan = world::palette_plan;

constexpr uint8_t kKey = plan::kGreenKey;

Blob Ball(double f, double s, double h, double r, Ramp ramp = Ramp::Red, uint8_t flat = 0) {
    Blob b;
    b.centre = {f, s, h};
    b.radius = {r, r, r};
    b.ramp = ramp;
    b.lo = 1;
    b.hi = 6;
    b.flat = flat;
    return b;
}

TEST(Renderer, ABallSitsAboveItsStandingPointShadedAndOutlined) {
    Picture pic(40, 40, kKey);
    Figure f;
    f.Add(Ball(0, 0, 8, 6));
    f.Render(pic, {0, 0, 40, 40}, 20, 30, 4);
    // A sphere of radius 6 whose centre is 8 up: 8 * cos(35 deg) = 6.6
    // pixels above the standing point, 13 pixels across with the outline.
    int left = 40, right = -1, top = 40, bottom = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (pic.At(x, y) != kKey) left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_NEAR((left + right) / 2.0, 20, 1);
    EXPECT_NEAR((top + bottom) / 2.0, 30 - 6.6, 1);
    EXPECT_NEAR(right - left + 1, 14, 2);
    // Outline all round, only red shades inside, lit from the upper left.
    EXPECT_EQ(pic.At(left, (top + bottom) / 2), plan::kOutline);
    EXPECT_EQ(pic.At((left + right) / 2, top), plan::kOutline);
    const int cy = (top + bottom) / 2;
    const uint8_t upperLeft = pic.At(20 - 3, cy - 3), lowerRight = pic.At(20 + 3, cy + 3);
    for (uint8_t v : {upperLeft, lowerRight}) {
        EXPECT_GE(v, plan::Common(Ramp::Red, 1));
        EXPECT_LE(v, plan::Common(Ramp::Red, 6));
    }
    EXPECT_GT(upperLeft, lowerRight);
}

TEST(Renderer, NearerShapesHideFartherOnesWithALineBetween) {
    // Seen from the front, a ball nearer the viewer (further "forward" for a
    // figure facing the viewer) covers one behind it, whatever the order
    // they were added in.
    for (int order = 0; order < 2; ++order) {
        Picture pic(60, 40, kKey);
        Figure f;
        const Blob nearBall = Ball(6, 0, 8, 6, Ramp::Blue), farBall = Ball(-6, 3, 8, 6, Ramp::Leaf);
        if (order == 0) f.Add(nearBall), f.Add(farBall);
        else f.Add(farBall), f.Add(nearBall);
        f.Render(pic, {0, 0, 60, 40}, 30, 30, 4);
        // Facing the viewer, forward is down the screen and right is screen left.
        const int nearX = 30, nearY = 30 - int(6 * world::chars::kViewSin * -1 + 8 * world::chars::kViewCos);
        const uint8_t atNear = pic.At(nearX, nearY);
        EXPECT_GE(atNear, plan::Common(Ramp::Blue, 0));
        EXPECT_LE(atNear, plan::Common(Ramp::Blue, 7));
        int lines = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x) {
                const bool outlineInside = pic.At(x, y) == plan::kOutline && pic.At(x - 1, y) != kKey && pic.At(x + 1, y) != kKey &&
                                           pic.At(x, y - 1) != kKey && pic.At(x, y + 1) != kKey;
                lines += outlineInside;
            }
        EXPECT_GT(lines, 3) << "no line where the near ball overlaps the far one";
    }
}

TEST(Renderer, StaysInsideItsRectangleAndHidesWhatIsBelowTheGround) {
    Picture pic(50, 50, kKey);
    Figure f;
    f.Add(Ball(0, 0, 0, 14));  // half of it under the ground
    f.ClipBelow(0);
    f.Render(pic, {10, 10, 40, 40}, 15, 29, 4);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            if (x < 10 || y < 10 || x >= 40 || y >= 40) {
                ASSERT_EQ(pic.At(x, y), kKey) << x << "," << y;
            }
    // The buried half would show below the standing point's row; the top
    // half (above the ground) shows.
    int below = 0, above = 0;
    for (int y = 10; y < 40; ++y)
        for (int x = 10; x < 40; ++x)
            if (pic.At(x, y) != kKey && pic.At(x, y) != plan::kOutline) (y > 10 + 29 + 2 ? below : above)++;
    EXPECT_EQ(below, 0);
    EXPECT_GT(above, 50);
}

TEST(Projection, ForwardRightAndUpOnTheScreen) {
    using world::chars::ProjectLocal;
    // Facing the viewer, forward comes down the screen, foreshortened.
    EXPECT_EQ(ProjectLocal(4, 10, 0, 0).x, 0);
    EXPECT_EQ(ProjectLocal(4, 10, 0, 0).y, 6);
    // Facing right, forward is screen right and the right side is nearer.
    EXPECT_EQ(ProjectLocal(2, 10, 0, 0).x, 10);
    EXPECT_EQ(ProjectLocal(2, 0, 10, 0).y, 6);
    // Facing up, forward goes up the screen; height always goes up.
    EXPECT_EQ(ProjectLocal(0, 10, 0, 0).y, -6);
    EXPECT_EQ(ProjectLocal(0, 0, 0, 10).y, -8);
    EXPECT_EQ(ProjectLocal(8 + 2, 10, 0, 0).x, 10);  // facing counts in eighths
}

}  // namespace
