#pragma once
// A collectable icon of a land that carries one part of the land's song: its
// track is heard louder the nearer the player is and panned to its side. The
// sprite is centred on its position and may have a sparkle drawn over it.
// LandKey is the variant for mini keys: the same sprite without music.
#include <cstdint>
#include <memory>

#include "sprites/animated_sprite.h"

class Sequencer;

class LandSprite : public sprites::Sprite {
public:
    static constexpr int32_t kSparkleFrames = 18;
    static constexpr int32_t kSparklePeriod = 70;

    // `sparkleFrames` (18 records) or null for no sparkle.
    LandSprite(sprites::SpriteWorld* world, int32_t x, int32_t y, sprites::FrameRecord* frame, Sequencer* sequencer,
               int32_t iconIndex, int32_t homeValue, sprites::FrameRecord* sparkleFrames);
    ~LandSprite() override;

    int SetPosition(int32_t x, int32_t y) override;
    int UpdateScreenPos() override;
    int Draw() override;
    int DrawClipped(const sprites::RECT& clip) override;
    int GetRect(sprites::RECT* out) override;
    int GetRectOnScreen(sprites::RECT* out) override;
    virtual void Silence();
    virtual void Unsilence();
    // Hands its own and the sparkle's area to the world's dirty list.
    virtual void MarkDirty();
    void MarkArea() override;
    // Sets the track's volume and pan for a player at (px, py); returns the
    // distance from the player to the icon's top edge.
    virtual int32_t UpdateSound(int32_t px, int32_t py);
    virtual void SetSequence(int32_t track);

    // The distance law: volume in hundredths of a decibel for a free icon at
    // distance d, or a placed one heard while the player is left of x 3000.
    static int32_t VolumeFor(int32_t distance, bool placed, int32_t playerX, bool notTakeable);

    int dirty = 1;
    std::unique_ptr<sprites::AnimatedSprite> sparkle;
    int placed = 0;
    int32_t location = -1;
    int32_t iconIndex;
    int32_t homeValue;
    int32_t track = -1;
    int notTakeable = 0;
    int revealed = 0;  // a key: shown on its room's pedestal (or in the lock from the start)
    Sequencer* sequencer;
    int32_t width = 0, height = 0;
    int32_t offsetX = 0, offsetY = 0;
    int centred = 1;

protected:
    using sprites::Sprite::MarkDirty;
    void PlaceSparkle();
};

class LandKey : public LandSprite {
public:
    LandKey(sprites::SpriteWorld* world, int32_t x, int32_t y, sprites::FrameRecord* frame,
            sprites::FrameRecord* sparkleFrames);

    int GetHitBox(sprites::RECT* out) override;  // empty while taken
    void Silence() override {}
    void Unsilence() override {}
    void MarkDirty() override;
    int32_t UpdateSound(int32_t px, int32_t py) override;
    void SetSequence(int32_t track) override;

    int taken = 0;
};
