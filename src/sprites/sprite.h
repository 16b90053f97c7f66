#pragma once
// The base of everything drawn in a sprite world: a position in world
// coordinates, a current frame, a hit box, a depth and the links of its
// group's depth list. The virtual operations are declared in their fixed slot
// order; character classes override them in part.
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

    virtual int SetPosition(int32_t x, int32_t y);                                  // 0
    // Frames and surfaces belong to the group; the sprite only leaves the
    // lists that point at it.
    virtual ~Sprite();                                                             // 1
    virtual int UpdateScreenPos();                                                 // 2
    // 0 when the blit met lost surfaces (the group reloads and retries).
    virtual int Draw();                                                            // 3
    virtual int DrawClipped(const RECT& clip);                                     // 4
    virtual int Animate(uint32_t now);                                             // 5
    virtual int GetFrame(FrameRecord* out);                                        // 6
    virtual int CollideBoxes(SpriteGroup* group, int32_t* dx, int32_t* dy);        // 7
    virtual int CollidePixels(SpriteGroup* group, int32_t* dx, int32_t* dy);       // 8
    virtual int32_t PixelGapRight(Sprite* other, int32_t dx, int* hit);            // 9
    virtual int HookA(int a, int b, int* out);                                     // 10
    virtual int HookB(int a, int b, int* out);                                     // 11
    virtual int HookC(int a, int b, int* out);                                     // 12
    virtual int GetHitBox(RECT* out);                                              // 13
    virtual int GetHitBoxOnScreen(RECT* out);                                      // 14
    virtual int GetRect(RECT* out);                                                // 15
    virtual int GetRectOnScreen(RECT* out);                                        // 16
    virtual int GetRectVirtual(RECT* out);                                         // 17
    virtual int GetRectOnScreenVirtual(RECT* out);                                 // 18
    virtual int ClipToView(RECT* out, const RECT& view);                           // 19

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
inline int32_t DepthKey(int32_t x, int32_t y, int32_t footLeft, int32_t footTop) {
    return (y + footTop) * 3000 + x + footLeft;
}

}  // namespace sprites
