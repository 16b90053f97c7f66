#pragma once
// The class of the game's characters: it loads its own bitmap (registered
// with its group for reloading), and shows the frames of an AnimSequence,
// each placed by the sequence's offsets.
#include "sprites/anim_sequence.h"
#include "sprites/sprite.h"

namespace sprites {

class CharacterSprite : public Sprite {
public:
    CharacterSprite(SpriteWorld* world, SpriteGroup* group, int32_t x, int32_t y, const char* bitmapFile,
                    int32_t depth, int32_t frameDelay);

    int UpdateScreenPos() override;
    int Draw() override;
    int DrawClipped(const RECT& clip) override;
    int Animate(uint32_t now) override;
    virtual int TimeDue(uint32_t now);
    virtual int FrameChanged(uint32_t now);
    // Called after the new frame is chosen, before the rectangle moves.
    virtual int FrameHook(uint32_t now);

    // The frame table a derived class built over `surface`; frame numbers
    // outside it leave the sprite without a picture.
    void SetFrames(FrameRecord* table, int32_t count) {
        frames = table;
        frameCount = count;
    }

    Surface* surface = nullptr;
    char bitmapFile[260] = {};
    FrameRecord* frames = nullptr;
    int32_t frameCount = 0;
    int32_t frameDelay;
    uint32_t lastTime = 0;
    int16_t offsetX = 0, offsetY = 0, frameNumber = 0;
    AnimSequence* sequence = nullptr;
    SpriteGroup* group;

protected:
    FrameRecord* FrameAt(int16_t number) const;
};

// A character drawn from two frames of its table, each placed by its own
// sequence; frame number 0 in the second sequence means no second part.
class TwoPartSprite : public CharacterSprite {
public:
    using CharacterSprite::CharacterSprite;

    int UpdateScreenPos() override;
    int Draw() override;
    int DrawClipped(const RECT& clip) override;
    int Animate(uint32_t now) override;
    int FrameChanged(uint32_t now) override;

    FrameRecord* secondFrame = nullptr;
    int32_t secondScreenX = 0, secondScreenY = 0;
    int16_t secondOffsetX = 0, secondOffsetY = 0, secondFrameNumber = 0;
    AnimSequence* secondSequence = nullptr;
};

}  // namespace sprites
