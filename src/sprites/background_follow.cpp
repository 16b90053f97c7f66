// The view that follows the player over the map.
#include "sprites/background.h"

namespace sprites {

namespace {

constexpr int32_t kEdgeMargin = 100;

// One axis of the follow rule. p is the player's world coordinate, scroll
// the scroll position, low the view's first screen pixel, size its length.
int32_t FollowAxis(int32_t p, int32_t scroll, int32_t low, int32_t size) {
    const int32_t s = p - scroll;
    if (p < scroll + kEdgeMargin) return s - kEdgeMargin;
    if (p > scroll + size - kEdgeMargin) return s - size + kEdgeMargin;
    return (s - (size / 2 + low)) / 20;
}

// Keeps the scroll position inside [-low, mapSize - high], correcting the
// reported change by what the clamp took back.
void ClampAxis(int32_t* scroll, int32_t* change, int32_t low, int32_t high, int32_t mapSize) {
    if (*scroll < -low) {
        *change += -low - *scroll;
        *scroll = -low;
    } else if (*scroll > mapSize - high) {
        *change -= *scroll - (mapSize - high);
        *scroll = mapSize - high;
    }
}

}  // namespace

void Background::Follow(int32_t px, int32_t py, int32_t* dx, int32_t* dy) {
    const int32_t width = view.right - view.left, height = view.bottom - view.top;
    int32_t changeX = FollowAxis(px, scrollX, view.left, width);
    int32_t changeY = FollowAxis(py, scrollY, view.top, height);
    scrollX += changeX;
    scrollY += changeY;
    ClampAxis(&scrollX, &changeX, view.left, view.right, MapWidth());
    ClampAxis(&scrollY, &changeY, view.top, view.bottom, MapHeight());
    if (dx) *dx = changeX;
    if (dy) *dy = changeY;
}

void Background::CentreOn(int32_t x, int32_t y) {
    scrollX = x - (view.right - view.left) / 2 - view.left;
    scrollY = y - (view.bottom - view.top) / 2 - view.top;
}

}  // namespace sprites
