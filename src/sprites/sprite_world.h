#pragma once
// The sprite world of one screen: its groups (drawn in order of creation),
// the animated sprites, the dirty rectangles of this frame and the tile map
// underneath. Each frame the screen animates the world and then either draws
// it whole or scrolls the last picture and repaints only what changed.
#include <cstdint>
#include <memory>
#include <vector>

#include "display/display.h"
#include "sprites/background.h"
#include "sprites/ptr_list.h"
#include "sprites/sprite_group.h"

namespace sprites {

class SpriteWorld {
public:
    static constexpr int kDirtyCapacity = 1000;

    explicit SpriteWorld(display::Display* display);
    ~SpriteWorld();
    SpriteWorld(const SpriteWorld&) = delete;
    SpriteWorld& operator=(const SpriteWorld&) = delete;

    // Returns the new group's number (groups count from 1).
    int AddGroup();
    // The n-th group; n of 1 or less gives the first, null past the last.
    SpriteGroup* GetGroup(int n);
    // 0 when group n does not exist.
    int InsertSprite(int n, Sprite* sprite);
    int AddAnimated(Sprite* sprite);
    int RemoveAnimated(Sprite* sprite);
    int AnimateAll(uint32_t now);
    // When the list is full the rectangle is not stored; the next RedrawDirty
    // repaints the whole view instead, so nothing changed is left unpainted.
    int AddDirty(int32_t left, int32_t top, int32_t right, int32_t bottom);
    int DrawAll();
    int RedrawRect(const RECT& rect, int screenFlag);
    int Scroll(int dx, int dy);
    int RedrawDirty();
    // Forgets the dirty rectangles (a whole picture has just been drawn).
    void ClearDirty();

    // Called by a sprite's destructor: it leaves the animated list and every
    // draw list.
    void Forget(const Sprite* sprite);

    // (0 while the world is being torn down and the map is gone.)
    int32_t ScrollX() const { return background ? background->scrollX : 0; }
    int32_t ScrollY() const { return background ? background->scrollY : 0; }
    bool DirtyOverflow() const { return dirtyOverflow_; }

    PtrList animated;
    std::vector<std::unique_ptr<SpriteGroup>> groups;
    int32_t groupCount = 0;
    RECT dirty[kDirtyCapacity];
    int32_t dirtyCount = 0;
    display::Display* display;
    std::unique_ptr<sprites::Background> background;
    RECT view;

private:
    void RefreshView();
    bool dirtyOverflow_ = false;
    bool tearingDown_ = false;
};

}  // namespace sprites
