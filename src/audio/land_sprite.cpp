#include "audio/land_sprite.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "audio/sequencer.h"
#include "platform/system.h"
#include "sprites/sprite_world.h"

using sprites::RECT;

namespace {

// Positions come from level files and saved records, so differences are
// taken in 64 bits and results clamped: absurd values give far away and
// silent, never an overflow.
constexpr double kFarthest = 1e9;

int32_t Distance(int64_t dx, int64_t dy) {
    const double d = std::sqrt(double(dx) * double(dx) + double(dy) * double(dy));
    return static_cast<int32_t>(std::min(d, kFarthest));
}

int32_t ClampTo32(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

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
    // Drawing places the sparkle too: marking an unmoved sparkle dirty there
    // would add to the dirty list being redrawn, frame after frame.
    if (sparkle->x == x - w / 2 && sparkle->y == y - h / 2) return;
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
    int64_t volume;
    if (isPlaced) {
        volume = playerX < kPlacedAudibleBelowX ? kPlacedVolume : kSilent;
    } else {
        volume = distance > 50 ? (-120 - int64_t(distance)) * 5 : -17 * int64_t(distance);
    }
    if (isNotTakeable) volume = volume * 3 / 2;
    return ClampTo32(volume);
}

int32_t LandSprite::UpdateSound(int32_t px, int32_t py) {
    const int64_t dx = int64_t(x) - px;
    const int64_t dy = int64_t(y) + hitBox.top - py;
    const int32_t d = Distance(dx, dy);
    const int32_t volume = VolumeFor(d, placed != 0, px, notTakeable != 0);
    if (sequencer && track >= 0) {
        sequencer->SQ_SetTrackPan(track, int32_t(std::clamp<int64_t>(dx * 20, -10000, 10000)));
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

int32_t LandKey::UpdateSound(int32_t px, int32_t py) { return Distance(int64_t(x) - px, int64_t(y) - py); }

void LandKey::SetSequence(int32_t) { platform::OutputDebugString("Keys carry no music part.\n"); }
