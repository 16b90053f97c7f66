// The sprite world: groups and depth order, draw lists and their capacity,
// full and partial redrawing, scrolling, dirty rectangles, reloading lost
// surfaces and tearing everything down.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ddraw_emulation.h"
#include "sprites/animated_sprite.h"
#include "support/game_folder.h"
#include "support/sprites_support.h"

using namespace sprites;
using platform::RECT;
using Texts = std::vector<std::string>;
namespace emu = platform::dd::emulation;

namespace {

class World : public ::testing::Test, public sprites_support::SpriteTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWorld());
        ASSERT_EQ(W().AddGroup(), 1);
        group_ = W().GetGroup(1);
    }
    // A solid square picture owned by the group, and a frame over it.
    FrameRecord* Square(int size, uint8_t value) {
        auto table = std::make_unique<FrameRecord[]>(1);
        table[0] = FrameRecord{Picture(size, size, value), RECT{0, 0, size, size}};
        group_->AddSurface(table[0].surface, "");
        return group_->AddFrameTable(std::move(table));
    }
    // The group deletes its sprites; the test keeps plain pointers.
    Sprite* Add(int x, int y, FrameRecord* frame, int depth) {
        auto* s = new Sprite(&W(), x, y, frame, depth);
        group_->Insert(s);
        return s;
    }
    std::vector<int> Depths() {
        std::vector<int> out;
        for (Sprite* s = group_->First(); s; s = s->next) out.push_back(s->depth);
        return out;
    }
    // A 1280 x 1280 map whose one tile has the given value.
    void SolidMap(uint8_t value) {
        W().background->SetTileSet(Picture(32, 32, value), "", 32, 32);
        W().background->SetCells(40, 40, std::vector<int32_t>(1600, 0));
    }
    SpriteGroup* group_ = nullptr;
};

TEST_F(World, GroupsCountFromOneAndUnknownNumbersGiveNothing) {
    EXPECT_EQ(W().AddGroup(), 2);
    EXPECT_EQ(W().GetGroup(0), group_);
    EXPECT_NE(W().GetGroup(2), group_);
    EXPECT_EQ(W().GetGroup(3), nullptr);
    Sprite loose(&W(), 0, 0, nullptr, 1);
    EXPECT_EQ(W().InsertSprite(3, &loose), 0);
}

TEST_F(World, NewSpritesGoUnderEqualDepthsAndResortMovesBothWays) {
    Sprite* first = Add(100, 100, Square(10, 1), 5);
    Add(0, 0, nullptr, 3);
    Sprite* second = Add(100, 100, Square(10, 2), 5);
    Add(0, 0, nullptr, 9);
    EXPECT_EQ(Depths(), (std::vector<int>{3, 5, 5, 9}));
    EXPECT_EQ(first->prev, second);
    W().DrawAll();
    EXPECT_EQ(Back(105, 105), 1);   // the later one is underneath

    second->depth = 10;
    second->Resort();
    EXPECT_EQ(Depths(), (std::vector<int>{3, 5, 9, 10}));
    second->depth = -4;             // the anchor still stays first
    second->Resort();
    EXPECT_EQ(Depths(), (std::vector<int>{-4, 3, 5, 9}));
    EXPECT_EQ(second->prev, group_->head.get());
    for (Sprite* s = group_->First(); s->next; s = s->next) EXPECT_EQ(s->next->prev, s);
}

TEST_F(World, TheDrawListTakesSpritesTouchingTheViewButTheyDrawNothing) {
    FrameRecord* frame = Square(10, 4);
    W().background->scrollX = 50;
    Sprite* touching = Add(40, 0, frame, 1);   // right edge on the view's left
    Sprite* inside = Add(60, 0, frame, 1);
    Add(29, 0, frame, 1);
    group_->BuildDrawList();
    ASSERT_EQ(group_->DrawCount(), 2);
    EXPECT_EQ(group_->drawList[0], inside);
    EXPECT_EQ(group_->drawList[1], touching);
    // A blit of the lost picture would show up as a reload: only one sprite
    // tries one.
    frame->surface->MarkLost();
    W().DrawAll();
    EXPECT_EQ(Debug().Count("Got lost one..."), 1);
}

TEST_F(World, AFullDrawListKeepsTheDeepestSpritesAndSaysSo) {
    FrameRecord* frame = Square(2, 4);
    for (int i = 0; i < SpriteGroup::kDrawListCapacity + 6; ++i) Add(i % 600, i / 600, frame, i);
    group_->BuildDrawList();
    EXPECT_EQ(group_->DrawCount(), SpriteGroup::kDrawListCapacity);
    EXPECT_EQ(group_->drawList[SpriteGroup::kDrawListCapacity - 1]->depth, SpriteGroup::kDrawListCapacity - 1);
    EXPECT_EQ(group_->drawList[SpriteGroup::kDrawListCapacity], nullptr);
    EXPECT_EQ(Debug().Count("HDMGroup: draw list full, 6 sprites not drawn.\n"), 1);
}

TEST_F(World, DirtyRectanglesRepaintGroundAndSpritesInsideTheViewOnly) {
    SolidMap(50);
    W().background->scrollX = 100;
    Add(200, 100, Square(10, 7), 1);
    W().DrawAll();
    W().ClearDirty();  // the whole picture holds the sprite's arrival
    PaintBack(99);
    W().AddDirty(195, 95, 205, 105);    // half over the sprite
    W().AddDirty(-300, 0, -200, 40);    // wholly left of the view
    EXPECT_EQ(W().RedrawDirty(), 1);
    EXPECT_EQ(W().dirtyCount, 0);
    EXPECT_EQ(Back(95, 95), 50);
    EXPECT_EQ(Back(100, 100), 7);
    EXPECT_EQ(Back(105, 100), 99);
    EXPECT_EQ(Back(0, 0), 99);
}

TEST_F(World, MovingShowingAnotherFrameJoiningAndLeavingMarkWhatToRepaint) {
    SolidMap(50);
    Sprite* s = Add(100, 100, Square(10, 7), 1);
    EXPECT_EQ(W().dirtyCount, 1);
    EXPECT_EQ(W().dirty[0], (RECT{100, 100, 110, 110})) << "joining its group";
    W().DrawAll();
    W().ClearDirty();
    s->SetPosition(130, 100);
    ASSERT_EQ(W().dirtyCount, 1);
    EXPECT_EQ(W().dirty[0], (RECT{100, 100, 140, 110})) << "where it was and where it is";
    s->ShowFrame(Square(20, 8));
    ASSERT_EQ(W().dirtyCount, 2);
    EXPECT_EQ(W().dirty[1], (RECT{130, 100, 150, 120}));
    group_->BuildDrawList();
    EXPECT_EQ(W().RedrawDirty(), 1);
    EXPECT_EQ(Back(105, 105), 50) << "the old place shows the ground again";
    EXPECT_EQ(Back(145, 115), 8);
    group_->Unlink(s);
    ASSERT_EQ(W().dirtyCount, 1);
    EXPECT_EQ(W().dirty[0], (RECT{130, 100, 150, 120})) << "leaving its group";
    EXPECT_EQ(W().RedrawDirty(), 1);
    EXPECT_EQ(Back(145, 115), 50);
    delete s;
}

TEST_F(World, MoreDirtyRectanglesThanTheListHoldsRepaintTheWholeView) {
    SolidMap(50);
    for (int i = 0; i <= SpriteWorld::kDirtyCapacity; ++i) W().AddDirty(0, 0, 1, 1);
    EXPECT_EQ(W().dirtyCount, SpriteWorld::kDirtyCapacity);
    PaintBack(99);
    EXPECT_EQ(W().RedrawDirty(), 1);
    EXPECT_EQ(Back(300, 300), 50);
    EXPECT_FALSE(W().DirtyOverflow());
}

TEST_F(World, DirtyRectanglesCoveringMoreThanTheViewRepaintItOnce) {
    // Two rectangles of three quarters of the view each: more area than the
    // view, so the whole view is repainted (here: also a pixel in neither).
    SolidMap(50);
    PaintBack(99);
    W().AddDirty(0, 0, 480, 480);
    W().AddDirty(0, 0, 480, 480);
    EXPECT_EQ(W().RedrawDirty(), 1);
    EXPECT_EQ(Back(600, 10), 50);
    PaintBack(99);
    W().AddDirty(0, 0, 480, 300);  // less than the view: only itself
    EXPECT_EQ(W().RedrawDirty(), 1);
    EXPECT_EQ(Back(600, 10), 99);
    EXPECT_EQ(Back(10, 10), 50);
}

class Scrolling : public World {
protected:
    // Shows ground 50 with a sprite of 7; afterwards the tile says 60, so
    // whatever is repainted reads 60.
    void SetUp() override {
        World::SetUp();
        SolidMap(50);
        sprite_ = Add(300, 200, Square(20, 7), 1);
        W().DrawAll();
        D().GPPageFlip();
        std::fill_n(W().background->tileSurface->Pixels(), 32 * 32, 60);
    }
    Sprite* sprite_ = nullptr;
};

TEST_F(Scrolling, ScrollZeroRepaintsOnlyTheCounterCorner) {
    EXPECT_EQ(W().Scroll(0, 0), 1);
    EXPECT_EQ(Back(39, 19), 60);
    EXPECT_EQ(Back(40, 0), 50);
    EXPECT_EQ(Back(0, 20), 50);
    EXPECT_EQ(Back(310, 210), 7);
}

TEST_F(Scrolling, UncoveredStripsAreRepaintedWithTheSpritesInThem) {
    W().background->scrollX += 8;      // the picture moves by (-8, -5)
    W().background->scrollY += 5;
    sprite_->SetPosition(628, 200);    // now straddles the right strip
    EXPECT_EQ(W().Scroll(-8, -5), 1);
    EXPECT_EQ(Back(631, 100), 50);
    EXPECT_EQ(Back(632, 100), 60);
    EXPECT_EQ(Back(300, 474), 50);
    EXPECT_EQ(Back(300, 475), 60);
    EXPECT_EQ(Back(292, 195), 7);      // the old sprite, moved with the picture
    EXPECT_EQ(Back(632, 195), 7);      // the new one, inside the strip only
    EXPECT_EQ(Back(625, 195), 50);
}

TEST_F(Scrolling, AFailedScrollRepaintsTheWholeView) {
    emu::FailNext(emu::Op::Blt, platform::dd::DDERR_GENERIC);
    EXPECT_EQ(W().Scroll(-8, 0), 1);
    EXPECT_EQ(Back(100, 100), 60);
    EXPECT_EQ(Back(310, 210), 7);
}

TEST_F(World, ALostGroupSurfaceIsReloadedDuringDrawAll) {
    WriteBitmap("pic.bmp", 4, 4, std::vector<uint8_t>(16, 9));
    Surface* picture = D().GPLoadBitmap(".\\pic.bmp", 1, 0);
    group_->AddSurface(picture, ".\\pic.bmp");
    FrameRecord frame{picture, RECT{0, 0, 4, 4}};
    Add(10, 10, &frame, 1);
    picture->MarkLost();
    Debug().Clear();
    EXPECT_EQ(W().DrawAll(), 1);
    EXPECT_EQ(Back(11, 11), 9);
    EXPECT_EQ(Debug().Texts(), (Texts{"Got lost one...", "...restored...", "...reloaded.\n"}));

    std::filesystem::remove(test_support::InGameFolder("pic.bmp"));  // now the reload fails; the frame goes on
    picture->MarkLost();
    Debug().Clear();
    EXPECT_EQ(W().DrawAll(), 0);
    EXPECT_EQ(Debug().Texts(),
              (Texts{"Got lost one...", "...restored...", "...RELOAD FAILED.\n", "HDMGroup: Can't Blt Sprite."}));
    picture->MarkLost();
    emu::FailNext(emu::Op::Restore, platform::dd::DDERR_GENERIC);
    Debug().Clear();
    EXPECT_EQ(group_->ReloadLost(0), 0);
    EXPECT_EQ(Debug().Texts(), (Texts{"Got lost one...", "...RESTORE FAILED. \n"}));
}

class Counted : public AnimatedSprite {
public:
    Counted(SpriteWorld* world, int* deaths) : AnimatedSprite(world, 0, 0, nullptr, 1), deaths_(deaths) {}
    ~Counted() override { ++*deaths_; }

private:
    int* deaths_;
};

TEST_F(World, TearingDownReleasesSpritesSurfacesAndFrameTables) {
    const int before = emu::LiveSurfaceCount();
    int deaths = 0;
    Add(0, 0, Square(4, 3), 2);
    Surface* shared = Picture(4, 4, 3);
    shared->AddRef();   // somebody else still holds it: no "."
    group_->AddSurface(shared, "");
    for (int i = 0; i < 3; ++i) group_->Insert(new Counted(&W(), &deaths));
    auto* outsider = new AnimatedSprite(&W(), 0, 0, nullptr, 1);
    Debug().Clear();
    DropWorld();
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(Debug().Texts(), (Texts{"Deleting DD Surfaces", ".", "Done.\n", "Done deleting frames.\n"}));
    EXPECT_EQ(emu::LiveSurfaceCount(), before + 1);
    shared->Release();
    // A sprite no group held outlives the world without calling back.
    delete outsider;
}

TEST_F(World, ASpriteDeletedMidLifeLeavesNoTraceInTheLists) {
    SolidMap(50);
    FrameRecord* frame = Square(4, 3);
    auto* doomed = new AnimatedSprite(&W(), 10, 10, frame, 1);
    group_->Insert(doomed);
    Sprite* kept = Add(20, 10, frame, 2);
    W().DrawAll();
    delete doomed;
    EXPECT_EQ(group_->DrawCount(), 1);
    EXPECT_EQ(group_->drawList[0], kept);
    EXPECT_EQ(kept->prev, group_->head.get());
    EXPECT_TRUE(W().animated.Empty());
    W().AddDirty(0, 0, 40, 40);
    EXPECT_EQ(W().AnimateAll(500), 1);
    EXPECT_EQ(W().RedrawDirty(), 1);
}

}  // namespace
