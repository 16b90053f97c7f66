#pragma once
// A depth-ordered list of sprites behind an anchor, with the surfaces and
// frame tables the group owns, and the draw list of the sprites that meet the
// view this frame.
#include <cstdint>
#include <memory>
#include <vector>

#include "sprites/sprite.h"

namespace sprites {

class SpriteGroup {
public:
    // At most this many sprites are drawn per group and frame (the last
    // entry of the table is the terminating null).
    static constexpr int kDrawListCapacity = 999;

    explicit SpriteGroup(SpriteWorld* world);
    ~SpriteGroup();
    SpriteGroup(const SpriteGroup&) = delete;
    SpriteGroup& operator=(const SpriteGroup&) = delete;

    // A new sprite goes before the first one of equal or greater depth, so
    // under existing sprites of the same depth.
    int Insert(Sprite* sprite);
    // Joins the sprite's neighbours and clears its links; a sprite without a
    // previous link is left alone.
    int Unlink(Sprite* sprite);
    int DeleteAll();
    // Takes over one reference of the surface; it is reloaded from `fileName`
    // after a loss and released with the group. Null surfaces are refused.
    int AddSurface(Surface* surface, const char* fileName);
    // Takes over a frame table; returns it for the caller's use.
    FrameRecord* AddFrameTable(std::unique_ptr<FrameRecord[]> table);
    int BuildDrawList();
    // Draws the draw list; a sprite that meets lost surfaces is drawn once
    // more after a reload. 0 when one still failed.
    int DrawSprites();
    int RedrawRect(const RECT& screenRect, int screenFlag);
    int ReloadLost(int force);
    int ReleaseSurfaces();
    int FreeFrameTables();

    // Drops a sprite that is going away from the draw list.
    void Forget(const Sprite* sprite);

    Sprite* First() const { return head->next; }
    int DrawCount() const { return drawCount_; }
    // Sprites left out of the last draw list because it was full.
    int DrawOverflow() const { return drawOverflow_; }

    struct SurfaceEntry {
        Surface* surface = nullptr;
        char fileName[260] = {};
    };

    std::unique_ptr<Sprite> head;
    std::vector<SurfaceEntry> surfaces;
    std::vector<std::unique_ptr<FrameRecord[]>> frameTables;
    Sprite* drawList[kDrawListCapacity + 1] = {};
    SpriteWorld* world;

private:
    int Reload(SurfaceEntry& entry);
    int drawCount_ = 0;
    int drawOverflow_ = 0;
};

}  // namespace sprites
