#include "sprites/sprite_group.h"

#include <cstdio>
#include <cstring>

#include "platform/system.h"
#include "sprites/rect_math.h"
#include "sprites/sprite_world.h"

namespace sprites {

using platform::OutputDebugString;

SpriteGroup::SpriteGroup(SpriteWorld* world)
    : head(std::make_unique<Sprite>(world, 0, 0, nullptr, 0)), world(world) {
    // The anchor is no member of any list the world keeps.
    head->world = nullptr;
}

SpriteGroup::~SpriteGroup() {
    DeleteAll();
    head.reset();
    ReleaseSurfaces();
    FreeFrameTables();
}

int SpriteGroup::Insert(Sprite* sprite) {
    if (!sprite || sprite == head.get()) return 0;
    Sprite* before = head.get();
    while (before->next && before->next->depth < sprite->depth) before = before->next;
    sprite->prev = before;
    sprite->next = before->next;
    if (before->next) before->next->prev = sprite;
    before->next = sprite;
    if (sprite->world == world) sprite->MarkArea();
    return 1;
}

int SpriteGroup::Unlink(Sprite* sprite) {
    if (!sprite || !sprite->prev) return 1;
    if (sprite->world == world) sprite->MarkArea();
    sprite->prev->next = sprite->next;
    if (sprite->next) sprite->next->prev = sprite->prev;
    sprite->next = sprite->prev = nullptr;
    Forget(sprite);
    return 1;
}

int SpriteGroup::DeleteAll() {
    while (Sprite* sprite = head->next) {
        Unlink(sprite);
        delete sprite;
    }
    drawList[0] = nullptr;
    drawCount_ = 0;
    return 1;
}

int SpriteGroup::AddSurface(Surface* surface, const char* fileName) {
    if (!surface) return 0;
    SurfaceEntry entry;
    entry.surface = surface;
    std::strncpy(entry.fileName, fileName ? fileName : "", sizeof entry.fileName - 1);
    surfaces.push_back(entry);
    return 1;
}

FrameRecord* SpriteGroup::AddFrameTable(std::unique_ptr<FrameRecord[]> table) {
    FrameRecord* raw = table.get();
    if (raw) frameTables.push_back(std::move(table));
    return raw;
}

int SpriteGroup::BuildDrawList() {
    const RECT view = Offset(world->view, world->ScrollX(), world->ScrollY());
    drawCount_ = 0;
    drawOverflow_ = 0;
    for (Sprite* s = head->next; s; s = s->next) {
        if (!Touches(s->rect, view)) continue;
        // A full list keeps the sprites found first (the deepest ones); the
        // rest are counted and left undrawn this frame.
        if (drawCount_ < kDrawListCapacity) {
            drawList[drawCount_++] = s;
        } else {
            ++drawOverflow_;
        }
    }
    drawList[drawCount_] = nullptr;
    if (drawOverflow_ > 0) {
        char text[96];
        std::snprintf(text, sizeof text, "HDMGroup: draw list full, %d sprites not drawn.\n", drawOverflow_);
        OutputDebugString(text);
    }
    return 1;
}

int SpriteGroup::DrawSprites() {
    int ok = 1;
    for (int i = 0; i < drawCount_; ++i) {
        Sprite* sprite = drawList[i];
        if (sprite->Draw()) continue;
        if (ReloadLost(0) && sprite->Draw()) continue;
        OutputDebugString("HDMGroup: Can't Blt Sprite.");
        ok = 0;
    }
    return ok;
}

int SpriteGroup::RedrawRect(const RECT& screenRect, int) {
    int ok = 1;
    for (int i = 0; i < drawCount_; ++i) {
        Sprite* sprite = drawList[i];
        if (sprite->DrawClipped(screenRect)) continue;
        ReloadLost(0);
        if (!sprite->DrawClipped(screenRect)) ok = 0;
    }
    return ok;
}

int SpriteGroup::Reload(SurfaceEntry& entry) {
    if (world && world->display && world->display->GPLoadBitmapIntoSurface(entry.surface, entry.fileName, 0, 0)) {
        OutputDebugString("...reloaded.\n");
        return 1;
    }
    OutputDebugString("...RELOAD FAILED.\n");
    return 0;
}

int SpriteGroup::ReloadLost(int force) {
    int ok = 1;
    for (SurfaceEntry& entry : surfaces) {
        if (entry.surface->IsLost() == platform::dd::DDERR_SURFACELOST) {
            OutputDebugString("Got lost one...");
            if (entry.surface->Restore() != platform::dd::DD_OK) {
                OutputDebugString("...RESTORE FAILED. \n");
                ok = 0;
                continue;
            }
            OutputDebugString("...restored...");
            if (!Reload(entry)) ok = 0;
        } else if (force) {
            OutputDebugString("Forcing reload...");
            if (!Reload(entry)) ok = 0;
        }
    }
    return ok;
}

int SpriteGroup::ReleaseSurfaces() {
    OutputDebugString("Deleting DD Surfaces");
    for (SurfaceEntry& entry : surfaces) {
        if (entry.surface->Release() == 0) OutputDebugString(".");
    }
    surfaces.clear();
    OutputDebugString("Done.\n");
    return 1;
}

int SpriteGroup::FreeFrameTables() {
    frameTables.clear();
    OutputDebugString("Done deleting frames.\n");
    return 1;
}

void SpriteGroup::Forget(const Sprite* sprite) {
    int kept = 0;
    for (int i = 0; i < drawCount_; ++i) {
        if (drawList[i] != sprite) drawList[kept++] = drawList[i];
    }
    drawCount_ = kept;
    drawList[drawCount_] = nullptr;
}

}  // namespace sprites
