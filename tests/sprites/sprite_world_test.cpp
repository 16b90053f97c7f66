// The sprite world: groups and depth order, draw lists and their capacity,
// full and partial redrawing, scrolling, dirty rectangles, reloading lost
// surfaces and tearing everything down.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/ddraw_emulation.h"
#include "sprites/animated_sprite.h"
#include "support/sprites_support.h"

using namespace sprites;
using platform::RECT;
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
    // Sprites are deleted by the group; the test keeps plain pointers.
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
    // A one-tile map of value `value` over the whole world.
    void SolidMap(uint8_t value) {
        Surface* tile = Picture(32, 32, value);
        W().background->SetTileSet(tile, "", 32, 32);
        W().background->SetCells(40, 40, std::vector<int32_t>(1600, 0));
    }
    SpriteGroup* group_ = nullptr;
};

TEST_F(World, GroupsCountFromOneAndUnknownNumbersGiveNothing) {
    EXPECT_EQ(W().AddGroup(), 2);
    EXPECT_EQ(W().groupCount, 2);
    EXPECT_EQ(W().GetGroup(0), group_);
    EXPECT_EQ(W().GetGroup(1), group_);
    EXPECT_NE(W().GetGroup(2), group_);
    EXPECT_EQ(W().GetGroup(3), nullptr);
    Sprite loose(&W(), 0, 0, nullptr, 1);
    EXPECT_EQ(W().InsertSprite(3, &loose), 0);
    EXPECT_EQ(loose.prev, nullptr);
}

TEST_F(World, NewSpritesGoUnderEqualDepthsAndResortMovesBothWays) {
    FrameRecord* red = Square(10, 1);
    FrameRecord* blue = Square(10, 2);
    Sprite* first = Add(100, 100, red, 5);
    Add(0, 0, nullptr, 3);
    Sprite* second = Add(100, 100, blue, 5);
    Add(0, 0, nullptr, 9);
    EXPECT_EQ(Depths(), (std::vector<int>{3, 5, 5, 9}));
    EXPECT_EQ(first->prev, second);
    // Drawn in list order: the later insertion is underneath.
    W().DrawAll();
    EXPECT_EQ(Back(105, 105), 1);

    second->depth = 10;
    second->Resort();
    EXPECT_EQ(Depths(), (std::vector<int>{3, 5, 9, 10}));
    EXPECT_EQ(second->next, nullptr);
    second->depth = 0;
    second->Resort();
    EXPECT_EQ(Depths(), (std::vector<int>{0, 3, 5, 9}));
    EXPECT_EQ(second->prev, group_->head.get());
    // The anchor stays first even for a depth below its own.
    second->depth = -4;
    second->Resort();
    EXPECT_EQ(group_->head->next, second);
    for (Sprite* s = group_->First(); s && s->next; s = s->next) EXPECT_EQ(s->next->prev, s);

    group_->Unlink(first);
    EXPECT_EQ(first->prev, nullptr);
    EXPECT_EQ(Depths(), (std::vector<int>{-4, 3, 9}));
    delete first;
}

TEST_F(World, TheDrawListTakesSpritesTouchingTheViewButTheyDrawNothing) {
    FrameRecord* frame = Square(10, 4);
    W().background->scrollX = 50;
    Sprite* touching = Add(40, 0, frame, 1);    // right edge on the view's left
    Sprite* inside = Add(60, 0, frame, 1);
    Add(29, 0, frame, 1);                       // a pixel further out
    group_->BuildDrawList();
    ASSERT_EQ(group_->DrawCount(), 2);
    EXPECT_EQ(group_->drawList[0], inside);     // list (depth) order
    EXPECT_EQ(group_->drawList[1], touching);
    EXPECT_EQ(group_->drawList[2], nullptr);
    // A blit of the lost picture would show up as a reload; only the sprite
    // inside the view tries one.
    frame->surface->MarkLost();
    Debug().Clear();
    W().DrawAll();
    EXPECT_EQ(Debug().Count("Got lost one..."), 1);
}

TEST_F(World, AFullDrawListKeepsTheDeepestSpritesAndSaysSo) {
    FrameRecord* frame = Square(2, 4);
    const int total = SpriteGroup::kDrawListCapacity + 6;
    for (int i = 0; i < total; ++i) Add(i % 600, i / 600, frame, i);
    Debug().Clear();
    group_->BuildDrawList();
    EXPECT_EQ(group_->DrawCount(), SpriteGroup::kDrawListCapacity);
    EXPECT_EQ(group_->DrawOverflow(), 6);
    EXPECT_EQ(group_->drawList[SpriteGroup::kDrawListCapacity], nullptr);
    EXPECT_EQ(group_->drawList[SpriteGroup::kDrawListCapacity - 1]->depth, SpriteGroup::kDrawListCapacity - 1);
    EXPECT_EQ(Debug().Count("HDMGroup: draw list full, 6 sprites not drawn.\n"), 1);
}

TEST_F(World, DirtyRectanglesRepaintGroundAndSpritesInsideTheViewOnly) {
    SolidMap(50);
    W().background->scrollX = 100;
    FrameRecord* frame = Square(10, 7);
    Add(200, 100, frame, 1);
    W().DrawAll();
    PaintBack(99);
    W().AddDirty(195, 95, 205, 105);       // half over the sprite
    W().AddDirty(-300, 0, -200, 40);       // wholly left of the view
    EXPECT_EQ(W().RedrawDirty(), 1);
    EXPECT_EQ(W().dirtyCount, 0);
    EXPECT_EQ(Back(95, 95), 50);           // ground
    EXPECT_EQ(Back(100, 100), 7);          // sprite
    EXPECT_EQ(Back(105, 100), 99);         // outside the rectangle
    EXPECT_EQ(Back(0, 0), 99);             // the far rectangle drew nothing
}

TEST_F(World, MoreDirtyRectanglesThanTheListHoldsRepaintTheWholeView) {
    SolidMap(50);
    for (int i = 0; i < SpriteWorld::kDirtyCapacity; ++i) W().AddDirty(0, 0, 1, 1);
    EXPECT_FALSE(W().DirtyOverflow());
    EXPECT_EQ(W().AddDirty(600, 400, 610, 410), 1);
    EXPECT_EQ(W().dirtyCount, SpriteWorld::kDirtyCapacity);
    EXPECT_TRUE(W().DirtyOverflow());
    PaintBack(99);
    EXPECT_EQ(W().RedrawDirty(), 1);
    EXPECT_EQ(Back(605, 405), 50);
    EXPECT_EQ(Back(300, 300), 50);
    EXPECT_EQ(W().dirtyCount, 0);
    EXPECT_FALSE(W().DirtyOverflow());
}

class Scrolling : public World {
protected:
    // The shown picture is ground 50 with a sprite of 7; afterwards the
    // ground's tile says 60, so whatever is repainted reads 60.
    void ShowFirstFrame() {
        SolidMap(50);
        sprite_ = Add(300, 200, Square(20, 7), 1);
        W().DrawAll();
        D().GPPageFlip();
        std::fill(W().background->tileSurface->Pixels(), W().background->tileSurface->Pixels() + 32 * 32, 60);
    }
    Sprite* sprite_ = nullptr;
};

TEST_F(Scrolling, ScrollZeroRepaintsOnlyTheCounterCorner) {
    ShowFirstFrame();
    EXPECT_EQ(W().Scroll(0, 0), 1);
    EXPECT_EQ(Back(39, 19), 60);
    EXPECT_EQ(Back(40, 0), 50);
    EXPECT_EQ(Back(0, 20), 50);
    EXPECT_EQ(Back(639, 479), 50);
    EXPECT_EQ(Back(310, 210), 7);
}

TEST_F(Scrolling, UncoveredStripsAreRepaintedWithTheSpritesInThem) {
    ShowFirstFrame();
    // The view moves right by 8 and down by 5: the picture moves by (-8, -5).
    W().background->scrollX += 8;
    W().background->scrollY += 5;
    sprite_->SetPosition(628, 200);   // now straddles the right strip
    EXPECT_EQ(W().Scroll(-8, -5), 1);
    EXPECT_EQ(Back(631, 100), 50);    // moved picture
    EXPECT_EQ(Back(632, 100), 60);    // right strip
    EXPECT_EQ(Back(300, 474), 50);
    EXPECT_EQ(Back(300, 475), 60);    // bottom strip
    EXPECT_EQ(Back(292, 195), 7);     // the old sprite, moved with the picture
    EXPECT_EQ(Back(632, 195), 7);     // the sprite's part inside the strip
    EXPECT_EQ(Back(625, 195), 50);    // its part outside the strip is not drawn
}

TEST_F(Scrolling, AFailedScrollRepaintsTheWholeView) {
    ShowFirstFrame();
    emu::FailNext(emu::Op::Blt, platform::dd::DDERR_GENERIC);
    EXPECT_EQ(W().Scroll(-8, 0), 1);
    EXPECT_EQ(Back(100, 100), 60);
    EXPECT_EQ(Back(310, 210), 7);
}

TEST_F(World, ALostGroupSurfaceIsReloadedDuringDrawAll) {
    WriteBitmap("pic.bmp", 4, 4, std::vector<uint8_t>(16, 9));
    Surface* picture = D().GPLoadBitmap(".\\pic.bmp", 1, 0);
    ASSERT_NE(picture, nullptr);
    group_->AddSurface(picture, ".\\pic.bmp");
    FrameRecord frame{picture, RECT{0, 0, 4, 4}};
    Add(10, 10, &frame, 1);
    picture->MarkLost();
    Debug().Clear();
    EXPECT_EQ(W().DrawAll(), 1);
    EXPECT_EQ(Back(11, 11), 9);
    EXPECT_EQ(Debug().Texts(), (std::vector<std::string>{"Got lost one...", "...restored...", "...reloaded.\n"}));

    // The reload fails: the frame goes on and the failure is written.
    std::remove("pic.bmp");
    picture->MarkLost();
    Debug().Clear();
    EXPECT_EQ(W().DrawAll(), 0);
    EXPECT_EQ(Debug().Texts(), (std::vector<std::string>{"Got lost one...", "...restored...", "...RELOAD FAILED.\n",
                                                         "HDMGroup: Can't Blt Sprite."}));

    Debug().Clear();
    EXPECT_EQ(group_->ReloadLost(1), 0);
    EXPECT_EQ(Debug().Texts(), (std::vector<std::string>{"Forcing reload...", "...RELOAD FAILED.\n"}));
    picture->MarkLost();
    emu::FailNext(emu::Op::Restore, platform::dd::DDERR_GENERIC);
    Debug().Clear();
    EXPECT_EQ(group_->ReloadLost(0), 0);
    EXPECT_EQ(Debug().Texts(), (std::vector<std::string>{"Got lost one...", "...RESTORE FAILED. \n"}));
}

// Counts its own destruction.
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
    FrameRecord* frame = Square(4, 3);
    Surface* shared = Picture(4, 4, 3);
    shared->AddRef();   // somebody else still holds it
    group_->AddSurface(shared, "");
    for (int i = 0; i < 3; ++i) group_->Insert(new Counted(&W(), &deaths));
    Add(0, 0, frame, 2);
    EXPECT_EQ(W().animated.Size(), 3u);
    Debug().Clear();
    DropWorld();
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(Debug().Texts(), (std::vector<std::string>{"Deleting DD Surfaces", ".", "Done.\n",
                                                         "Done deleting frames.\n"}));
    EXPECT_EQ(emu::LiveSurfaceCount(), before + 1);
    shared->Release();
    EXPECT_EQ(emu::LiveSurfaceCount(), before);
}

TEST_F(World, ASpriteDeletedMidLifeLeavesNoTraceInTheLists) {
    SolidMap(50);
    FrameRecord* frame = Square(4, 3);
    auto* doomed = new AnimatedSprite(&W(), 10, 10, frame, 1);
    doomed->frames = frame;
    doomed->frameCount = 1;
    group_->Insert(doomed);
    Sprite* kept = Add(20, 10, frame, 2);
    W().DrawAll();
    ASSERT_EQ(group_->DrawCount(), 2);
    delete doomed;
    EXPECT_EQ(group_->DrawCount(), 1);
    EXPECT_EQ(group_->drawList[0], kept);
    EXPECT_EQ(group_->First(), kept);
    EXPECT_EQ(kept->prev, group_->head.get());
    EXPECT_TRUE(W().animated.Empty());
    W().AddDirty(0, 0, 40, 40);
    EXPECT_EQ(W().AnimateAll(500), 1);
    EXPECT_EQ(W().RedrawDirty(), 1);
}

}  // namespace
