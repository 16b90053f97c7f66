#pragma once
// The small copy of an icon or key that the dog holds in its mouth: the
// sprite's own picture shrunk to the carried size, so the child sees which
// thing is being carried. Shrinking keeps the picture's outline: the edge of
// the small shape is drawn from the edge pixels of the large one.
#include <cstdint>
#include <vector>

#include "sprites/frame_record.h"

namespace display {
class Display;
}

namespace world {

// Pixels of a keyed picture, one value per pixel (a palette index, or a
// packed colour on a deeper surface), row by row.
struct KeyedPixels {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Shrinks a picture to fit a square of maxSide pixels (a picture already that
// small is copied as it is). A pixel is the key when most of the pixels it
// covers are; the shape's edge takes the commonest edge colour it covers,
// its inside the commonest inside colour.
KeyedPixels ShrinkKeyed(const KeyedPixels& source, uint32_t key, int maxSide);

class CarriedPicture {
public:
    // The longest side of a carried picture, about the pup's head and body.
    static constexpr int kCarriedSize = 26;

    CarriedPicture() = default;
    ~CarriedPicture();
    CarriedPicture(const CarriedPicture&) = delete;
    CarriedPicture& operator=(const CarriedPicture&) = delete;

    // Makes the small copy of source on a surface of its own. False (and no
    // picture) when the source cannot be read or the surface not made.
    bool Make(display::Display* display, const sprites::FrameRecord& source);
    // True when the copy was made from this very picture.
    bool MadeFrom(const sprites::FrameRecord& source) const;
    sprites::FrameRecord* Frame() { return frame_.surface ? &frame_ : nullptr; }

private:
    void Release();
    sprites::FrameRecord frame_;
    sprites::FrameRecord source_;
};

}  // namespace world
