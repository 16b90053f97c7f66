#pragma once
// The base of everything drawn in a sprite world: a position in world
// coordinates, a current frame, a hit box, a depth and the links of its
// group's depth list. Character classes override the drawing, animation and
// rectangle operations in part.
#include <algorithm>
#include <cstdint>

#include "sprites/frame_record.h"

namespace sprites {

class SpriteWorld;
class SpriteGroup;

class Sprite {
public:
    Sprite(SpriteWorld* world, int32_t x, int32_t y, FrameRecord* frame, int32_t depth);
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // Moving marks the old and the new area dirty, so a screen that repaints
    // only what changed repaints both.
    virtual int SetPosition(int32_t x, int32_t y);
    // Shows another frame in place (its area and the old one become dirty).
    void ShowFrame(FrameRecord* frame);
    // Adds what the sprite covers to its world's dirty list (called when it
    // joins or leaves a group).
    virtual void MarkArea();
    // Frames and surfaces belong to the group; the sprite only leaves the
    // lists that point at it.
    virtual ~Sprite();
    virtual int UpdateScreenPos();
    // 0 when the blit met lost surfaces (the group reloads and retries).
    virtual int Draw();
    virtual int DrawClipped(const RECT& clip);
    virtual int Animate(uint32_t now);
    virtual int GetFrame(FrameRecord* out);
    virtual int CollideBoxes(SpriteGroup* group, int32_t* dx, int32_t* dy);
    virtual int CollidePixels(SpriteGroup* group, int32_t* dx, int32_t* dy);
    virtual int32_t PixelGapRight(Sprite* other, int32_t dx, int* hit);
    virtual int GetHitBox(RECT* out);
    virtual int GetHitBoxOnScreen(RECT* out);
    virtual int GetRect(RECT* out);
    virtual int GetRectOnScreen(RECT* out);
    virtual int GetRectVirtual(RECT* out);
    virtual int GetRectOnScreenVirtual(RECT* out);
    virtual int ClipToView(RECT* out, const RECT& view);

    // Moves the sprite along its depth list after its depth changed.
    void Resort();

    RECT rect;
    Sprite* next = nullptr;
    Sprite* prev = nullptr;
    SpriteWorld* world;
    FrameRecord* frame;
    int32_t x, y;
    int32_t screenX = 0, screenY = 0;
    RECT hitBox;
    RECT dirtyRect;
    int32_t depth;

protected:
    int32_t ScrollX() const;
    int32_t ScrollY() const;
    // Blits the frame keyed into the back buffer at dest.
    int BlitFrame(const FrameRecord& source, const RECT& sourceRect, const RECT& dest);
    // The part of `dest` inside `clip`, with `source` cut the same way, blitted.
    int BlitClipped(const FrameRecord& source, RECT dest, const RECT& clip);
    // Union of the old and the current rect, added to the world's dirty list.
    void MarkDirty(const RECT& old);

private:
    void SwapWithNext();
};

// Depth key of a sprite standing with its footprint at (left, top) inside
// its frame.
// Computed wide and clamped to the 32-bit range, so that absurd coordinates
// from a file sort first or last instead of overflowing.
inline int32_t DepthKey(int32_t x, int32_t y, int32_t footLeft, int32_t footTop) {
    const int64_t key = (int64_t(y) + footTop) * 3000 + int64_t(x) + footLeft;
    return int32_t(std::clamp<int64_t>(key, INT32_MIN, INT32_MAX));
}

}  // namespace sprites
