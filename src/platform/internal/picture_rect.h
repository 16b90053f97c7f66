#pragma once
// Where the game's picture goes in a window of a given size: the largest
// rectangle of the picture's shape that fits, centred, with black bars on the
// two other sides. Whole-step mode keeps the largest whole multiple of the
// picture instead (sharper, smaller); a window smaller than the picture
// shrinks it in both modes.

namespace platform::internal {

struct PictureRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

PictureRect FitPicture(int outWidth, int outHeight, int pictureWidth, int pictureHeight, bool wholeSteps);

// The whole factor a picture is first enlarged by (nearest neighbour) before
// a smooth step takes it to `rect`: the smallest one that reaches the
// rectangle in both directions, so the smooth step only ever shrinks and
// pixel edges stay within one screen pixel. Never above maxFactor.
int PreScaleFactor(const PictureRect& rect, int pictureWidth, int pictureHeight, int maxFactor);

}  // namespace platform::internal
