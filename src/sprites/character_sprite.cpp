#include "sprites/character_sprite.h"

#include <cstring>

#include "sprites/animated_sprite.h"
#include "sprites/rect_math.h"
#include "sprites/sprite_world.h"

namespace sprites {

namespace {
constexpr platform::COLORREF kKeyGreen = platform::RGB(0, 255, 0);
}

CharacterSprite::CharacterSprite(SpriteWorld* world, SpriteGroup* group, int32_t x, int32_t y,
                                 const char* file, int32_t depth, int32_t frameDelay)
    : Sprite(world, x, y, nullptr, depth), frameDelay(frameDelay), group(group) {
    std::strncpy(bitmapFile, file ? file : "", sizeof bitmapFile - 1);
    if (world && world->display && file) {
        surface = world->display->GPLoadBitmap(bitmapFile, 1, 1);
        // Without a picture (the "Could not load" box has been shown) there
        // is nothing to key or to reload; keying a null surface would change
        // the display's own key instead.
        if (surface) {
            world->display->GPSetColorKey(surface, kKeyGreen);
            if (group) {
                group->AddSurface(surface, bitmapFile);
            }
        }
    }
    if (world) world->AddAnimated(this);
}

FrameRecord* CharacterSprite::FrameAt(int16_t number) const {
    if (!frames || number < 0 || number >= frameCount) return nullptr;
    return &frames[number];
}

int CharacterSprite::UpdateScreenPos() {
    screenX = rect.left - ScrollX();
    screenY = rect.top - ScrollY();
    return 1;
}

int CharacterSprite::Draw() {
    if (!frame || !world) return 1;
    RECT dest;
    GetRectOnScreen(&dest);
    if (!Overlaps(dest, world->view)) return 1;
    return BlitFrame(*frame, frame->rect, dest);
}

int CharacterSprite::DrawClipped(const RECT& clip) {
    if (!frame) return 1;
    RECT dest;
    GetRectOnScreen(&dest);
    return BlitClipped(*frame, dest, clip);
}

int CharacterSprite::Animate(uint32_t now) {
    if (TimeDue(now)) {
        if (sequence) sequence->Set(AnimSequence::kNext);
        FrameChanged(now);
    }
    return 1;
}

int CharacterSprite::TimeDue(uint32_t now) { return TimeDueStep(now, frameDelay, &lastTime); }

int CharacterSprite::FrameChanged(uint32_t now) {
    if (sequence) sequence->Get(&frameNumber, &offsetX, &offsetY);
    frame = FrameAt(frameNumber);
    FrameHook(now);
    const RECT old = rect;
    const int32_t left = x + offsetX, top = y + offsetY;
    rect = frame ? RECT{left, top, left + frame->Width(), top + frame->Height()} : RECT{left, top, left, top};
    MarkDirty(old);
    return 1;
}

int CharacterSprite::FrameHook(uint32_t) { return 1; }

int TwoPartSprite::UpdateScreenPos() {
    const int32_t sx = ScrollX(), sy = ScrollY();
    screenX = x + offsetX - sx;
    screenY = y + offsetY - sy;
    secondScreenX = x + secondOffsetX - sx;
    secondScreenY = y + secondOffsetY - sy;
    return 1;
}

int TwoPartSprite::Draw() {
    if (!world) return 1;
    UpdateScreenPos();
    int first = 1;
    if (frame) {
        const RECT dest{screenX, screenY, screenX + frame->Width(), screenY + frame->Height()};
        if (Touches(dest, world->view)) first = BlitFrame(*frame, frame->rect, dest);
    }
    if (!secondFrame) return first;
    const RECT dest{secondScreenX, secondScreenY, secondScreenX + secondFrame->Width(),
                    secondScreenY + secondFrame->Height()};
    if (!Overlaps(dest, world->view)) return 1;
    return first | BlitFrame(*secondFrame, secondFrame->rect, dest);
}

int TwoPartSprite::DrawClipped(const RECT& clip) {
    UpdateScreenPos();
    int first = 1;
    if (frame) {
        const RECT dest{screenX, screenY, screenX + frame->Width(), screenY + frame->Height()};
        first = BlitClipped(*frame, dest, clip);
    }
    if (!secondFrame) return first;
    const RECT dest{secondScreenX, secondScreenY, secondScreenX + secondFrame->Width(),
                    secondScreenY + secondFrame->Height()};
    BlitClipped(*secondFrame, dest, clip);
    return 1;
}

int TwoPartSprite::Animate(uint32_t now) {
    if (TimeDue(now)) {
        if (sequence) sequence->Set(AnimSequence::kNext);
        if (secondSequence) secondSequence->Set(AnimSequence::kNext);
        FrameChanged(now);
    }
    return 1;
}

int TwoPartSprite::FrameChanged(uint32_t now) {
    if (sequence) sequence->Get(&frameNumber, &offsetX, &offsetY);
    if (secondSequence) secondSequence->Get(&secondFrameNumber, &secondOffsetX, &secondOffsetY);
    frame = FrameAt(frameNumber);
    FrameHook(now);
    const RECT old = rect;
    const int32_t left = x + offsetX, top = y + offsetY;
    rect = frame ? RECT{left, top, left + frame->Width(), top + frame->Height()} : RECT{left, top, left, top};
    secondFrame = secondFrameNumber == 0 ? nullptr : FrameAt(secondFrameNumber);
    if (secondFrame) {
        const int32_t left2 = x + secondOffsetX, top2 = y + secondOffsetY;
        const RECT second{left2, top2, left2 + secondFrame->Width(), top2 + secondFrame->Height()};
        rect = frame ? Union(rect, second) : second;
    }
    MarkDirty(old);
    return 1;
}

}  // namespace sprites
