// The band panel, driven by the keys as the keyboard holds them: opening,
// the selection over joined members only, the parts, the 200 ms pace, the
// cloud and icons, closing, and the values written back to the records.
#include "den_fixture.h"
#include "platform/devices.h"
#include "platform/headless.h"
#include "screens/band_panel.h"
#include "sprites/sprite.h"
#include "world/den_band.h"
#include "world/player_dog.h"

namespace {

using screens::BandPanel;
using screens::DenScreen;

class BandPanelTest : public den_test::DenTest {
protected:
    // The dog asks for the panel; the next tick opens it. (The den has run
    // a moment first: the panel takes no action in the clock's first 200 ms.)
    void OpenPanel() {
        Frames(6);
        den->dog->panelOpen = 1;
        Frames(1);
    }
    // Holds a key for `ms` (whole ticks of 40 ms), then lets it go.
    void Hold(int key, uint32_t ms) {
        platform::headless::KeyDown(key);
        Frames(static_cast<int>(ms / 40));
        platform::headless::KeyUp(key);
    }
    // One action: the key held through one due tick, then a pause long
    // enough for the next action to be taken.
    void Tap(int key) {
        Hold(key, 200);
        Frames(5);
    }
    BandPanel& Panel() { return *den->panel; }
    bool InLayer(const sprites::Sprite* s) const { return s->prev != nullptr; }
};

TEST_F(BandPanelTest, WithNobodyJoinedThePanelClosesInTheSameTickAndShowsNothing) {
    ASSERT_EQ(Open(), 1);
    Frames(10);
    game.redrawFrames = 0;
    OpenPanel();
    EXPECT_EQ(den->dog->panelOpen, 0);
    EXPECT_EQ(Panel().active, 0);
    EXPECT_FALSE(InLayer(den->cloud.get()));
    EXPECT_FALSE(InLayer(den->icons[0].get()));
    EXPECT_EQ(game.redrawFrames, 0) << "nothing was drawn for it";
}

TEST_F(BandPanelTest, LeftAndRightWrapOverJoinedMembersOnly) {
    MemberWord(0) = 2;
    MemberWord(3) = 6;
    ASSERT_EQ(Open(), 1);
    Frames(10);
    OpenPanel();
    ASSERT_EQ(den->dog->panelOpen, 1);
    EXPECT_EQ(Panel().selected, 0);
    EXPECT_TRUE(InLayer(den->cloud.get()));
    EXPECT_TRUE(InLayer(den->bubble.get()));
    Frames(5);
    Tap(platform::VK_LEFT);
    EXPECT_EQ(Panel().selected, 3);
    Tap(platform::VK_LEFT);
    EXPECT_EQ(Panel().selected, 0);
    Tap(platform::VK_RIGHT);
    EXPECT_EQ(Panel().selected, 3);
    Tap(platform::VK_RIGHT);
    EXPECT_EQ(Panel().selected, 0);
    Tap(platform::VK_RIGHT);

    // Over member 3: its cloud, its bubble, and "none" lit (value 6).
    ASSERT_EQ(Panel().selected, 3);
    EXPECT_EQ(den->cloud->x, 218);
    EXPECT_EQ(den->cloud->y, 55);
    EXPECT_EQ(den->bubble->x, 302);
    EXPECT_EQ(den->bubble->y, 200);
    EXPECT_EQ(den->bubble->frame, &den->bubbleFrames[3]);
    EXPECT_EQ(den->icons[0]->frame, &den->iconFrames[21]);
    EXPECT_EQ(den->icons[0]->x, 218 + 34);
    EXPECT_EQ(den->icons[0]->y, 55 + 10);
    EXPECT_EQ(den->icons[6]->frame, &den->litIconFrames[27]);
    EXPECT_EQ(den->icons[6]->x, 218 + 125);
    EXPECT_EQ(den->icons[6]->y, 55 + 113);
    // The icon sheets are cut in six rows of seven.
    EXPECT_EQ(den->iconFrames[27].rect.left, 6 * den->iconFrames[0].Width());
    EXPECT_EQ(den->iconFrames[27].rect.top, 3 * den->iconFrames[0].Height());
}

TEST_F(BandPanelTest, UpAndDownChangeThePartWithinNoneAndPartZero) {
    MemberWord(0) = 6;
    MemberWord(5) = 0;
    ASSERT_EQ(Open(), 1);
    OpenPanel();
    Frames(5);
    Tap(platform::VK_DOWN);
    EXPECT_EQ(den->memberValues[0], 6) << "nothing below none";
    EXPECT_EQ(den->band->State(0).playing, 0);
    Tap(platform::VK_UP);
    EXPECT_EQ(den->memberValues[0], 5);
    EXPECT_EQ(den->band->State(0).playing, 1);
    EXPECT_EQ(Music()->Track(den->trackIds[5])->mute.load(), 0u) << "heard in the same tick";
    EXPECT_EQ(den->icons[5]->frame, &den->litIconFrames[5]);
    EXPECT_EQ(den->icons[6]->frame, &den->iconFrames[6]);

    Tap(platform::VK_LEFT);  // wraps to member 5
    ASSERT_EQ(Panel().selected, 5);
    Tap(platform::VK_UP);
    EXPECT_EQ(den->memberValues[5], 0) << "nothing above part 0";
}

TEST_F(BandPanelTest, AHeldKeyActsOnceEvery200Milliseconds) {
    MemberWord(2) = 0;
    ASSERT_EQ(Open(), 1);
    OpenPanel();  // the panel's clock starts at this tick
    platform::headless::KeyDown(platform::VK_DOWN);
    Frames(4);  // 160 ms
    EXPECT_EQ(den->memberValues[2], 0);
    Frames(1);  // 200 ms
    EXPECT_EQ(den->memberValues[2], 1);
    Frames(19);  // 960 ms
    EXPECT_EQ(den->memberValues[2], 4);
    Frames(1);  // 1000 ms
    EXPECT_EQ(den->memberValues[2], 5);
    platform::headless::KeyUp(platform::VK_DOWN);
}

TEST_F(BandPanelTest, EnterClosesAndTheChoicesGoBackToEachLandsRecord) {
    // Every member joined, member k playing part k.
    for (int k = 0; k < 6; ++k) MemberWord(k) = k;
    ASSERT_EQ(Open(), 1);
    OpenPanel();
    Frames(5);
    Tap(platform::VK_DOWN);   // member 0: part 1
    Tap(platform::VK_RIGHT);  // member 1
    Tap(platform::VK_UP);     // member 1: part 0
    Tap(platform::VK_RIGHT);
    Tap(platform::VK_RIGHT);
    Tap(platform::VK_RIGHT);  // member 4
    Hold(platform::VK_DOWN, 440);  // part 6: none
    Frames(5);
    game.redrawFrames = 0;
    platform::headless::KeyDown(platform::VK_RETURN);
    Frames(1);
    platform::headless::KeyUp(platform::VK_RETURN);
    // Two whole pictures wipe the panel away; this tick drew the first.
    EXPECT_EQ(game.redrawFrames, 1);
    EXPECT_EQ(Panel().active, 0);
    EXPECT_EQ(den->dog->panelOpen, 0);
    EXPECT_FALSE(InLayer(den->cloud.get()));
    EXPECT_FALSE(InLayer(den->bubble.get()));
    for (const auto& icon : den->icons) EXPECT_FALSE(InLayer(icon.get()));
    EXPECT_EQ(den->MemberCount(), 5);
    den.reset();
    // Member k's land: aussie, eastern, celtic, wetland, funland, jazzland.
    EXPECT_EQ(game.Record(world::kAussie).bandWord, 1);
    EXPECT_EQ(game.Record(world::kEastern).bandWord, 0);
    EXPECT_EQ(game.Record(world::kCeltic).bandWord, 2);
    EXPECT_EQ(game.Record(world::kWetland).bandWord, 3);
    EXPECT_EQ(game.Record(world::kFunland).bandWord, 6);
    EXPECT_EQ(game.Record(world::kJazzland).bandWord, 5);
}

}  // namespace
