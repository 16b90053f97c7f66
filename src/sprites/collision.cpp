// The three move tests of a sprite: hit boxes, opaque pixels of the other
// sprites' pictures, and the pixel gap to one sprite on the right.
#include <algorithm>
#include <string>

#include "display/display.h"
#include "platform/system.h"
#include "sprites/locked_picture.h"
#include "sprites/rect_math.h"
#include "sprites/sprite.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"

namespace sprites {

namespace {

void Report(const char* what, platform::HRESULT code) {
    platform::OutputDebugString((std::string(what) + display::Display::GPErrorText(code)).c_str());
}

// Sweep strips of a move: the area the hit box passes through.
RECT HorizontalStrip(const RECT& b, int32_t dx) {
    if (dx < 0) return RECT{b.left + dx, b.top, b.left, b.bottom};
    if (dx > 0) return RECT{b.right, b.top, b.right + dx, b.bottom};
    return RECT{};
}
RECT VerticalStrip(const RECT& b, int32_t dy) {
    if (dy < 0) return RECT{b.left, b.top + dy, b.right, b.top};
    if (dy > 0) return RECT{b.left, b.bottom, b.right, b.bottom + dy};
    return RECT{};
}

// Limits one axis of a move so that pos + d stays in [low, high). Maps not
// yet loaded (size 0) set no limit.
int32_t ClampAxis(int32_t pos, int32_t d, int32_t low, int32_t high, int32_t mapSize) {
    if (mapSize <= 0) return d;
    if (pos + d < low) return low - pos;
    if (pos + d >= high) return high - pos;
    return d;
}

}  // namespace

int Sprite::CollideBoxes(SpriteGroup* group, int32_t* dx, int32_t* dy) {
    RECT b;
    GetHitBox(&b);
    const RECT hStrip = HorizontalStrip(b, *dx), vStrip = VerticalStrip(b, *dy);
    int hit = 0;
    for (Sprite* other = group ? group->First() : nullptr; other; other = other->next) {
        if (other == this) continue;
        RECT o;
        other->GetHitBox(&o);
        if (*dx != 0 && Overlaps(hStrip, o)) {
            const RECT i = Intersection(hStrip, o);
            *dx = *dx < 0 ? std::max<int32_t>(*dx, i.right - b.left) : std::min<int32_t>(*dx, i.left - b.right);
            hit = 1;
        }
        if (*dy != 0 && Overlaps(vStrip, o)) {
            const RECT i = Intersection(vStrip, o);
            *dy = *dy < 0 ? std::max<int32_t>(*dy, i.bottom - b.top) : std::min<int32_t>(*dy, i.top - b.bottom);
            hit = 1;
        }
    }
    if (world && world->background) {
        const sprites::Background& map = *world->background;
        *dx = ClampAxis(x, *dx, 0, map.MapWidth(), map.MapWidth());
        *dy = ClampAxis(y, *dy, 0, map.MapHeight(), map.MapHeight());
    }
    return hit;
}

int Sprite::CollidePixels(SpriteGroup* group, int32_t* dx, int32_t* dy) {
    int32_t newDx = *dx, newDy = *dy;
    bool hHit = false, vHit = false;
    RECT b;
    GetHitBox(&b);
    const RECT hStrip = HorizontalStrip(b, *dx), vStrip = VerticalStrip(b, *dy);
    const int32_t leadColumn = *dx < 0 ? b.left : b.right - 1;
    const int32_t leadRow = *dy < 0 ? b.top : b.bottom - 1;

    const int count = group ? group->DrawCount() : 0;
    for (int n = 0; n < count; ++n) {
        Sprite* other = group->drawList[n];
        if (other == this || !other->frame || !other->frame->surface) continue;
        RECT s, o;
        other->GetRect(&s);
        other->GetHitBox(&o);
        const bool horizontal = *dx != 0 && Overlaps(hStrip, o);
        const bool vertical = *dy != 0 && Overlaps(vStrip, o);
        if (!horizontal && !vertical) continue;

        LockedPicture picture;
        LockedPicture::Step failed;
        if (const platform::HRESULT code = picture.Open(*other->frame, &failed)) {
            Report(failed == LockedPicture::Step::ColourKey ? " get colorkey failed " : " lock failed ", code);
            return 0;
        }
        if (horizontal) {
            const RECT i = Intersection(hStrip, o);
            const int r0 = i.top - s.top, r1 = i.bottom - s.top;
            if (!picture.ColumnClear(leadColumn - s.left, r0, r1)) {
                platform::OutputDebugString("Stuck\n");
                newDx = *dx < 0 ? 1 : -1;
            } else if (*dx < 0) {
                int32_t allowed = i.right - b.left;
                for (int c = i.right - s.left - 1; c >= i.left - s.left && !hHit; --c) {
                    if (picture.ColumnClear(c, r0, r1)) --allowed;
                    else hHit = true;
                }
                newDx = std::max(newDx, allowed);
            } else {
                int32_t allowed = i.left - b.right;
                for (int c = i.left - s.left; c <= i.right - s.left - 1 && !hHit; ++c) {
                    if (picture.ColumnClear(c, r0, r1)) ++allowed;
                    else hHit = true;
                }
                newDx = std::min(newDx, allowed);
            }
        }
        if (vertical) {
            const RECT i = Intersection(vStrip, o);
            const int c0 = i.left - s.left, c1 = i.right - s.left;
            if (!picture.RowClear(leadRow - s.top, c0, c1)) {
                if (*dy > 0) platform::OutputDebugString("stuck\n");
                newDy = *dy < 0 ? 1 : -1;
            } else if (*dy < 0) {
                int32_t allowed = i.bottom - b.top;
                for (int r = i.bottom - s.top - 1; r >= i.top - s.top && !vHit; --r) {
                    if (picture.RowClear(r, c0, c1)) --allowed;
                    else vHit = true;
                }
                newDy = std::max(newDy, allowed);
            } else {
                int32_t allowed = i.top - b.bottom;
                for (int r = i.top - s.top; r <= i.bottom - s.top - 1 && !vHit; ++r) {
                    if (picture.RowClear(r, c0, c1)) ++allowed;
                    else vHit = true;
                }
                newDy = std::min(newDy, allowed);
            }
        }
    }
    *dx = newDx;
    *dy = newDy;
    if (world && world->background) {
        // Characters keep a margin from the map's edges.
        const sprites::Background& map = *world->background;
        *dx = ClampAxis(x, *dx, 30, map.MapWidth() - 30, map.MapWidth());
        *dy = ClampAxis(y, *dy, 60, map.MapHeight() - 10, map.MapHeight());
    }
    return (hHit || vHit) ? 1 : 0;
}

int32_t Sprite::PixelGapRight(Sprite* other, int32_t dx, int* hit) {
    *hit = 0;
    if (!other) return dx;
    RECT m, o;
    GetHitBox(&m);
    other->GetHitBox(&o);
    if (m.top >= o.bottom || m.bottom <= o.top || o.left < m.right) return dx;
    const int32_t gap = o.left - m.right;
    if (gap >= dx) return dx;
    if (!frame || !frame->surface) {
        *hit = 1;
        return gap;
    }
    LockedPicture picture;
    LockedPicture::Step failed;
    if (const platform::HRESULT code = picture.Open(*frame, &failed)) {
        Report(failed == LockedPicture::Step::ColourKey ? "CheckCollisionPixelsLeft get colorkey failed "
                                                         : "CheckCollisionPixelsLeft lock failed ",
               code);
        *hit = 1;
        return gap;
    }
    int32_t result = gap;
    const int r0 = std::max(m.top, o.top) - rect.top, r1 = std::min(m.bottom, o.bottom) - rect.top;
    for (int c = m.right - rect.left; c >= m.left - rect.left; --c) {
        if (!picture.ColumnClear(c, r0, r1)) {
            *hit = 1;
            break;
        }
        ++result;
    }
    return result;
}

}  // namespace sprites
