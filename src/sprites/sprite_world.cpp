#include "sprites/sprite_world.h"

#include "sprites/rect_math.h"

namespace sprites {

namespace {

// Whether rectangles (in map coordinates), clipped to the view, add up to
// more pixels than the view has. Repainting them one by one would then cost
// more than one repaint of the view: every sprite is drawn into each.
bool CoverMoreThanTheView(const RECT* rects, int32_t count, int scrollX, int scrollY, const RECT& view) {
    const int64_t viewArea = int64_t(view.right - view.left) * (view.bottom - view.top);
    int64_t area = 0;
    for (int32_t i = 0; i < count; ++i) {
        const RECT r = Offset(rects[i], -scrollX, -scrollY);
        if (!Overlaps(r, view)) continue;
        const RECT in = Intersection(r, view);
        area += int64_t(in.right - in.left) * (in.bottom - in.top);
        if (area > viewArea) return true;
    }
    return false;
}

}  // namespace

SpriteWorld::SpriteWorld(display::Display* display)
    : display(display), background(std::make_unique<sprites::Background>(display)) {
    RefreshView();
}

SpriteWorld::~SpriteWorld() {
    tearingDown_ = true;
    background.reset();
    // Animated sprites that no group holds may outlive the world: they must
    // not call back into it. (Emptying the list also makes the removals of
    // the sprites the groups delete free.)
    for (void* item = animated.First(); item; item = animated.Next()) static_cast<Sprite*>(item)->world = nullptr;
    animated.Clear();
    for (auto& group : groups) group.reset();
    groups.clear();
}

void SpriteWorld::RefreshView() {
    view = display ? display->gameRect : RECT{0, 0, 640, 480};
    if (background) background->view = view;
}

int SpriteWorld::AddGroup() {
    groups.push_back(std::make_unique<SpriteGroup>(this));
    groupCount = static_cast<int32_t>(groups.size());
    return groupCount;
}

SpriteGroup* SpriteWorld::GetGroup(int n) {
    if (groups.empty() || n > groupCount) return nullptr;
    return groups[n <= 1 ? 0 : n - 1].get();
}

int SpriteWorld::InsertSprite(int n, Sprite* sprite) {
    SpriteGroup* group = GetGroup(n);
    return group ? group->Insert(sprite) : 0;
}

int SpriteWorld::AddAnimated(Sprite* sprite) {
    animated.PushBack(sprite);
    return 1;
}

int SpriteWorld::RemoveAnimated(Sprite* sprite) {
    animated.Remove(sprite);
    return 1;
}

int SpriteWorld::AnimateAll(uint32_t now) {
    for (void* item = animated.First(); item; item = animated.Next()) {
        static_cast<Sprite*>(item)->Animate(now);
    }
    return 1;
}

int SpriteWorld::AddDirty(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (dirtyCount >= kDirtyCapacity) {
        dirtyOverflow_ = true;
        return 1;
    }
    dirty[dirtyCount++] = RECT{left, top, right, bottom};
    return 1;
}

int SpriteWorld::DrawAll() {
    RefreshView();
    int ok = background->Draw();
    for (auto& group : groups) {
        group->BuildDrawList();
        if (!group->DrawSprites()) ok = 0;
    }
    return ok;
}

int SpriteWorld::RedrawRect(const RECT& rect, int screenFlag) {
    RECT r = screenFlag ? rect : Offset(rect, -ScrollX(), -ScrollY());
    if (!Overlaps(r, view)) return 1;
    r = Intersection(r, view);
    int ok = background->DrawCellsIn(r);
    for (auto& group : groups) {
        if (!group->RedrawRect(r, 1)) ok = 0;
    }
    return ok;
}

int SpriteWorld::Scroll(int dx, int dy) {
    RefreshView();
    const bool scrolled = display && display->GPScroll(dx, dy);
    for (auto& group : groups) group->BuildDrawList();
    if (!scrolled) {
        // The back buffer does not hold the last picture moved: strips alone
        // would leave an older frame showing, so paint the whole view.
        return RedrawRect(view, 1);
    }
    int ok = 1;
    if (dx < 0) ok &= RedrawRect(RECT{view.right + dx, view.top, view.right, view.bottom}, 1);
    if (dx > 0) ok &= RedrawRect(RECT{view.left, view.top, view.left + dx, view.bottom}, 1);
    if (dy < 0) ok &= RedrawRect(RECT{view.left, view.bottom + dy, view.right, view.bottom}, 1);
    if (dy > 0) ok &= RedrawRect(RECT{view.left, view.top, view.right, view.top + dy}, 1);
    // The corner under the frame-rate counter.
    ok &= RedrawRect(RECT{0, 0, 40, 20}, 1);
    return ok;
}

int SpriteWorld::RedrawDirty() {
    int ok = 1;
    if (dirtyOverflow_ || CoverMoreThanTheView(dirty, dirtyCount, ScrollX(), ScrollY(), view)) {
        // More changes than the list holds, or than the view shows: one
        // repaint covers them all.
        ok = RedrawRect(view, 1);
    } else {
        for (int32_t i = 0; i < dirtyCount; ++i) ok &= RedrawRect(dirty[i], 0);
    }
    dirtyCount = 0;
    dirtyOverflow_ = false;
    return ok;
}

void SpriteWorld::ClearDirty() {
    dirtyCount = 0;
    dirtyOverflow_ = false;
}

void SpriteWorld::Forget(const Sprite* sprite) {
    animated.Remove(sprite);
    if (tearingDown_) return;
    for (auto& group : groups) group->Forget(sprite);
}

}  // namespace sprites
