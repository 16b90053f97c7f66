#include "sprites/sprite.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "sprites/rect_math.h"
#include "sprites/sprite_world.h"

namespace sprites {

namespace {

// A far edge: positions come from files and may lie at the end of the
// range, where adding the frame's size would overflow.
int32_t EdgeAfter(int32_t at, int32_t size) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t(at) + size, INT32_MIN, INT32_MAX));
}

}  // namespace

Sprite::Sprite(SpriteWorld* world, int32_t x, int32_t y, FrameRecord* frame, int32_t depth)
    : rect{x, y, x, y}, world(world), frame(frame), x(x), y(y), depth(depth) {
    if (frame) {
        rect.right = EdgeAfter(x, frame->Width());
        rect.bottom = EdgeAfter(y, frame->Height());
        hitBox = RECT{0, 0, frame->Width(), frame->Height()};
    }
}

Sprite::~Sprite() {
    // A sprite deleted while still listed would leave dangling pointers in
    // its group and in the world's lists.
    if (prev) {
        prev->next = next;
        if (next) next->prev = prev;
    }
    if (world) world->Forget(this);
}

int Sprite::SetPosition(int32_t newX, int32_t newY) {
    const RECT old = rect;
    x = newX;
    y = newY;
    if (frame) rect = RECT{x, y, EdgeAfter(x, frame->Width()), EdgeAfter(y, frame->Height())};
    MarkDirty(old);
    return 1;
}

void Sprite::ShowFrame(FrameRecord* shown) {
    frame = shown;
    SetPosition(x, y);
}

void Sprite::MarkArea() {
    if (world) world->AddDirty(rect.left, rect.top, rect.right, rect.bottom);
}

int32_t Sprite::ScrollX() const { return world ? world->ScrollX() : 0; }
int32_t Sprite::ScrollY() const { return world ? world->ScrollY() : 0; }

int Sprite::UpdateScreenPos() {
    screenX = x - ScrollX();
    screenY = y - ScrollY();
    return 1;
}

int Sprite::BlitFrame(const FrameRecord& source, const RECT& sourceRect, const RECT& dest) {
    if (!world || !world->display || !source.surface) return 1;
    return world->display->GPBlt(source.surface, &sourceRect, nullptr, &dest, 1);
}

int Sprite::BlitClipped(const FrameRecord& source, RECT dest, const RECT& clip) {
    RECT sourceRect = source.rect;
    if (!ClipPair(&dest, &sourceRect, clip)) return 1;
    return BlitFrame(source, sourceRect, dest);
}

int Sprite::Draw() {
    if (!frame || !world) return 1;
    RECT dest;
    if (!ClipToView(&dest, world->view)) return 1;
    return BlitFrame(*frame, frame->rect, dest);
}

int Sprite::DrawClipped(const RECT& clip) {
    if (!frame) return 1;
    RECT dest;
    GetRectOnScreen(&dest);
    return BlitClipped(*frame, dest, clip);
}

int Sprite::Animate(uint32_t) { return 1; }

int Sprite::GetFrame(FrameRecord* out) {
    if (!out) return 0;
    *out = frame ? *frame : FrameRecord{};
    return frame ? 1 : 0;
}


int Sprite::GetHitBox(RECT* out) {
    *out = Offset(hitBox, x, y);
    return 1;
}

int Sprite::GetHitBoxOnScreen(RECT* out) {
    GetHitBox(out);
    *out = Offset(*out, -ScrollX(), -ScrollY());
    return 1;
}

int Sprite::GetRect(RECT* out) {
    *out = rect;
    return 1;
}

int Sprite::GetRectOnScreen(RECT* out) {
    *out = Offset(rect, -ScrollX(), -ScrollY());
    return 1;
}

int Sprite::GetRectVirtual(RECT* out) { return GetRect(out); }
int Sprite::GetRectOnScreenVirtual(RECT* out) { return GetRectOnScreen(out); }

int Sprite::ClipToView(RECT* out, const RECT& view) {
    GetRectOnScreen(out);
    return Overlaps(*out, view) ? 1 : 0;
}

void Sprite::MarkDirty(const RECT& old) {
    dirtyRect = Union(old, rect);
    if (world) world->AddDirty(dirtyRect.left, dirtyRect.top, dirtyRect.right, dirtyRect.bottom);
}

void Sprite::SwapWithNext() {
    Sprite* after = next;
    Sprite* before = prev;
    Sprite* beyond = after->next;
    before->next = after;
    after->prev = before;
    after->next = this;
    prev = after;
    next = beyond;
    if (beyond) beyond->prev = this;
}

void Sprite::Resort() {
    if (!prev) return;   // not in a depth list
    if (next && next->depth < depth) {
        while (next && next->depth < depth) SwapWithNext();
        return;
    }
    // The anchor (the only node without a previous link) always stays first.
    while (prev->prev && prev->depth > depth) prev->SwapWithNext();
}

}  // namespace sprites
