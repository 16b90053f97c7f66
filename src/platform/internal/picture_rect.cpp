#include "platform/internal/picture_rect.h"

#include <algorithm>

namespace platform::internal {

PictureRect FitPicture(int outWidth, int outHeight, int pictureWidth, int pictureHeight, bool wholeSteps) {
    PictureRect rect;
    if (outWidth <= 0 || outHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return rect;
    const int steps = std::min(outWidth / pictureWidth, outHeight / pictureHeight);
    if (wholeSteps && steps >= 1) {
        rect.width = pictureWidth * steps;
        rect.height = pictureHeight * steps;
    } else if (int64_t(outWidth) * pictureHeight <= int64_t(outHeight) * pictureWidth) {
        // The width decides; the height follows the picture's shape.
        rect.width = outWidth;
        rect.height = int(int64_t(outWidth) * pictureHeight / pictureWidth);
    } else {
        rect.height = outHeight;
        rect.width = int(int64_t(outHeight) * pictureWidth / pictureHeight);
    }
    rect.width = std::max(1, rect.width);
    rect.height = std::max(1, rect.height);
    rect.x = (outWidth - rect.width) / 2;
    rect.y = (outHeight - rect.height) / 2;
    return rect;
}

int PreScaleFactor(const PictureRect& rect, int pictureWidth, int pictureHeight, int maxFactor) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return 1;
    const int across = (rect.width + pictureWidth - 1) / pictureWidth;
    const int down = (rect.height + pictureHeight - 1) / pictureHeight;
    return std::clamp(std::max(across, down), 1, std::max(1, maxFactor));
}

}  // namespace platform::internal
