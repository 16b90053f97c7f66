// One frame of a scrolling screen with about 300 animated sprites over a
// tile map: scrolling the last picture and repainting the strips and dirty
// rectangles, against drawing the whole view.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench_display.h"
#include "platform/platform.h"
#include "sprites/animated_sprite.h"
#include "sprites/sprite_world.h"

namespace {

using platform::RECT;
using platform::dd::Surface;

class Scene {
public:
    static constexpr int kSprites = 300;

    Scene() {
        if (!bench_.Ok()) return;
        display_ = bench_.Get();
        world_ = std::make_unique<sprites::SpriteWorld>(display_);
        BuildMap();
        BuildSprites();
        world_->DrawAll();
        display_->GPPageFlip();
        ok_ = true;
    }
    ~Scene() { world_.reset(); }
    bool Ok() const { return ok_; }

    // Moves the view 2 pixels along a back-and-forth path and the clock on
    // by one 30 ms frame; returns the scroll change.
    int Advance() {
        now_ += 30;
        const int step = scrollStep_;
        world_->background->scrollX += step;
        if (world_->background->scrollX <= 0 || world_->background->scrollX >= 1280 - 640) scrollStep_ = -scrollStep_;
        return step;
    }
    // Returns the dirty rectangles the frame repainted.
    int DirtyFrame() {
        const int dx = Advance();
        world_->AnimateAll(now_);
        const int dirty = world_->dirtyCount;
        world_->Scroll(-dx, 0);
        world_->RedrawDirty();
        return dirty;
    }
    void FullFrame() {
        Advance();
        world_->AnimateAll(now_);
        world_->DrawAll();
        world_->dirtyCount = 0;   // a full redraw covers every change
    }

private:
    void BuildMap() {
        Surface* tiles = display_->GPCreateSurface(128, 32, 1, 0);
        for (int i = 0; i < 128 * 32; ++i) tiles->Pixels()[i] = static_cast<uint8_t>(16 + i % 128 / 32);
        world_->background->SetTileSet(tiles, "", 32, 32);
        std::vector<int32_t> cells(40 * 30);
        for (size_t i = 0; i < cells.size(); ++i) cells[i] = static_cast<int32_t>(i % 4);
        world_->background->SetCells(40, 30, std::move(cells));
    }
    void BuildSprites() {
        world_->AddGroup();
        sprites::SpriteGroup* group = world_->GetGroup(1);
        Surface* sheet = display_->GPCreateSurface(96, 24, 1, 1);
        for (int i = 0; i < 96 * 24; ++i) sheet->Pixels()[i] = static_cast<uint8_t>(i % 7 == 0 ? 0 : 40 + i % 96 / 24);
        const platform::dd::ColorKey key{0, 0};
        sheet->SetColorKey(platform::dd::DDCKEY_SRCBLT, &key);
        group->AddSurface(sheet, "");
        auto table = std::make_unique<sprites::FrameRecord[]>(4);
        for (int i = 0; i < 4; ++i) table[i] = sprites::FrameRecord{sheet, RECT{i * 24, 0, i * 24 + 24, 24}};
        sprites::FrameRecord* frames = group->AddFrameTable(std::move(table));
        for (int i = 0; i < kSprites; ++i) {
            const int x = (i * 197) % 1250, y = (i * 131) % 930;
            auto* s = new sprites::AnimatedSprite(world_.get(), x, y, &frames[0], sprites::DepthKey(x, y, 0, 24));
            s->frames = frames;
            s->frameCount = 4;
            s->frameDelay = 90 + i % 5 * 10;
            group->Insert(s);
        }
    }

    bench::BenchDisplay bench_;
    display::Display* display_ = nullptr;
    std::unique_ptr<sprites::SpriteWorld> world_;
    uint32_t now_ = 1000;
    int scrollStep_ = 2;
    bool ok_ = false;
};

void BM_ScrollAndRedrawDirty(benchmark::State& state) {
    platform::ScopedHeadless headless;
    Scene scene;
    if (!scene.Ok()) {
        state.SkipWithError("display set-up failed");
        return;
    }
    int64_t dirty = 0;
    for (auto _ : state) dirty += scene.DirtyFrame();
    state.counters["dirty_rects"] = benchmark::Counter(static_cast<double>(dirty), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ScrollAndRedrawDirty)->Unit(benchmark::kMicrosecond);

void BM_DrawAll(benchmark::State& state) {
    platform::ScopedHeadless headless;
    Scene scene;
    if (!scene.Ok()) {
        state.SkipWithError("display set-up failed");
        return;
    }
    for (auto _ : state) scene.FullFrame();
}
BENCHMARK(BM_DrawAll)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
