#include "audio/land_sprite.h"

#include <cmath>

#include "audio/sequencer.h"
#include "platform/system.h"
#include "sprites/sprite_world.h"

using sprites::RECT;

namespace {

int32_t Distance(int32_t dx, int32_t dy) {
    return static_cast<int32_t>(std::sqrt(double(dx) * dx + double(dy) * dy));
}

// Placed icons are heard at a fixed level while the player is in the room
// part of the map (left of x 3000).
constexpr int32_t kPlacedVolume = -900;
constexpr int32_t kPlacedAudibleBelowX = 3000;
constexpr int32_t kSilent = -10000;

}  // namespace

LandSprite::LandSprite(sprites::SpriteWorld* world, int32_t x, int32_t y, sprites::FrameRecord* frame,
                       Sequencer* sequencer, int32_t iconIndex, int32_t homeValue,
                       sprites::FrameRecord* sparkleFrames)
    : Sprite(world, x, y, frame, 0), iconIndex(iconIndex), homeValue(homeValue), sequencer(sequencer) {
    if (frame) {
        width = frame->Width();
        height = frame->Height();
    }
    offsetX = width / 2;
    offsetY = height / 2;
    // The hit box of a centred sprite starts half its size before the centre.
    hitBox = RECT{-offsetX, -offsetY, width - offsetX, height - offsetY};
    if (sparkleFrames) {
        sparkle = std::make_unique<sprites::AnimatedSprite>(world, x, y, &sparkleFrames[0], depth);
        sparkle->frames = sparkleFrames;
        sparkle->frameCount = kSparkleFrames;
        sparkle->frameDelay = kSparklePeriod;
        sparkle->pingPong = false;
    }
    LandSprite::SetPosition(x, y);
}

LandSprite::~LandSprite() = default;

void LandSprite::PlaceSparkle() {
    if (!sparkle) return;
    const int32_t w = sparkle->frame ? sparkle->frame->Width() : 0;
    const int32_t h = sparkle->frame ? sparkle->frame->Height() : 0;
    sparkle->SetPosition(x - w / 2, y - h / 2);
}

int LandSprite::SetPosition(int32_t newX, int32_t newY) {
    // The old area (with its sparkle) must be repainted where it was.
    MarkArea();
    x = newX;
    y = newY;
    if (frame) {
        // Centred on whatever frame it shows now (a key in the lock turns to
        // larger pictures).
        width = frame->Width();
        height = frame->Height();
        offsetX = width / 2;
        offsetY = height / 2;
    }
    rect = RECT{x - offsetX, y - offsetY, x - offsetX + width, y - offsetY + height};
    PlaceSparkle();
    MarkArea();
    dirty = 1;
    return 1;
}

int LandSprite::UpdateScreenPos() {
    screenX = x - offsetX - ScrollX();
    screenY = y - offsetY - ScrollY();
    if (sparkle) sparkle->UpdateScreenPos();
    return 1;
}

int LandSprite::Draw() {
    const int result = Sprite::Draw();
    if (sparkle && !placed) {
        PlaceSparkle();
        sparkle->Draw();
    }
    return result;
}

int LandSprite::DrawClipped(const RECT& clip) {
    const int result = Sprite::DrawClipped(clip);
    if (sparkle && !placed) {
        PlaceSparkle();
        sparkle->DrawClipped(clip);
    }
    return result;
}

int LandSprite::GetRect(RECT* out) {
    *out = rect;
    return 1;
}

int LandSprite::GetRectOnScreen(RECT* out) {
    *out = RECT{rect.left - ScrollX(), rect.top - ScrollY(), rect.right - ScrollX(), rect.bottom - ScrollY()};
    return 1;
}

void LandSprite::Silence() {
    if (!sequencer || track < 0) return;
    sequencer->SQ_SetTrackMute(track, 1);
    sequencer->SQ_SetTrackVolume(track, kSilent);
}

void LandSprite::Unsilence() {
    if (sequencer && track >= 0) sequencer->SQ_SetTrackMute(track, 0);
}

void LandSprite::MarkArea() {
    if (!world) return;
    world->AddDirty(rect.left, rect.top, rect.right, rect.bottom);
    if (sparkle) world->AddDirty(sparkle->rect.left, sparkle->rect.top, sparkle->rect.right, sparkle->rect.bottom);
}

void LandSprite::MarkDirty() {
    if (world) {
        world->AddDirty(rect.left, rect.top, rect.right, rect.bottom);
        if (sparkle) {
            const RECT& s = sparkle->rect;
            world->AddDirty(s.left, s.top, s.right, s.bottom);
        }
    }
    dirty = 0;
}

int32_t LandSprite::VolumeFor(int32_t distance, bool isPlaced, int32_t playerX, bool isNotTakeable) {
    int32_t volume;
    if (isPlaced) {
        volume = playerX < kPlacedAudibleBelowX ? kPlacedVolume : kSilent;
    } else {
        volume = distance > 50 ? (-120 - distance) * 5 : -17 * distance;
    }
    if (isNotTakeable) volume = static_cast<int32_t>(volume * 1.5);
    return volume;
}

int32_t LandSprite::UpdateSound(int32_t px, int32_t py) {
    const int32_t dx = x - px;
    const int32_t dy = y + hitBox.top - py;
    const int32_t d = Distance(dx, dy);
    const int32_t volume = VolumeFor(d, placed != 0, px, notTakeable != 0);
    if (sequencer && track >= 0) {
        sequencer->SQ_SetTrackPan(track, dx * 20);
        sequencer->SQ_SetTrackVolume(track, volume);
    }
    return d;
}

void LandSprite::SetSequence(int32_t newTrack) { track = newTrack; }

LandKey::LandKey(sprites::SpriteWorld* world, int32_t x, int32_t y, sprites::FrameRecord* frame,
                 sprites::FrameRecord* sparkleFrames)
    : LandSprite(world, x, y, frame, nullptr, -1, 0, sparkleFrames) {
    track = -1;
    taken = 0;
}

int LandKey::GetHitBox(RECT* out) {
    if (taken) {
        *out = RECT{0, 0, 0, 0};
        return 1;
    }
    *out = rect;
    return 1;
}

void LandKey::MarkDirty() {
    LandSprite::MarkDirty();
    taken = 0;
}

int32_t LandKey::UpdateSound(int32_t px, int32_t py) { return Distance(x - px, y - py); }

void LandKey::SetSequence(int32_t) { platform::OutputDebugString("Keys carry no music part.\n"); }
