// Icons carrying song parts: the distance and pan laws, placed and carried
// icons, and keys that carry nothing.
#include <gtest/gtest.h>

#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "audio/xmidi_format.h"
#include "world/world_fixture.h"

namespace {

class LandSpriteTest : public world_test::WorldTest, public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWorld());
        picture = sprites::FrameRecord{Picture(20, 20, 5), platform::RECT{0, 0, 20, 20}};
    }
    void TearDown() override {
        if (picture.surface) picture.surface->Release();
    }
    sprites::FrameRecord picture;
};

TEST_F(LandSpriteTest, AFreeIconFollowsTheDistanceLaw) {
    // The distance is measured to the icon's top edge, 10 above its centre.
    LandSprite icon(&W(), 500, 510, &picture, nullptr, 0, 0, nullptr);
    EXPECT_EQ(100, icon.UpdateSound(400, 500));
    EXPECT_EQ(-170, LandSprite::VolumeFor(10, false, 400, false));
    EXPECT_EQ(-850, LandSprite::VolumeFor(50, false, 400, false));
    // The sprite is centred on its position.
    EXPECT_EQ((platform::RECT{490, 500, 510, 520}), icon.rect);
    platform::RECT hit;
    icon.GetHitBox(&hit);
    EXPECT_EQ(500, hit.top);
}

TEST_F(LandSpriteTest, ATrackTakesTheVolumeAndPanOfTheIconOrIsSilenced) {
    Sequencer sequencer(nullptr, nullptr);
    xmidi::XmidiSequence song;
    song.events = {0xFF, 0x2F, 0x00};
    ASSERT_EQ(1, xmidi::WriteFileBytes("song.xmi", xmidi::SongFile({song})));
    ASSERT_EQ(1, sequencer.SQ_LoadSequenceFile("song.xmi"));
    const int track = sequencer.SQ_CreateTrack(0);
    ASSERT_GE(track, 0);
    LandSprite icon(&W(), 500, 510, &picture, &sequencer, 3, 0, nullptr);
    icon.SetSequence(track);
    icon.UpdateSound(400, 500);  // 100 pixels to the icon's left, level with its top
    EXPECT_EQ(-1100, sequencer.Track(track)->volume.load());
    EXPECT_EQ(2000, sequencer.Track(track)->pan.load());
    icon.notTakeable = 1;
    icon.UpdateSound(400, 500);
    EXPECT_EQ(-1650, sequencer.Track(track)->volume.load());
    icon.notTakeable = 0;
    icon.UpdateSound(1000, 500);  // far to the right: panned fully left
    EXPECT_EQ(-10000, sequencer.Track(track)->pan.load());
    icon.placed = 1;
    icon.UpdateSound(2999, 5000);
    EXPECT_EQ(-900, sequencer.Track(track)->volume.load());
    icon.UpdateSound(3000, 500);
    EXPECT_EQ(-10000, sequencer.Track(track)->volume.load());
    icon.Silence();
    EXPECT_EQ(1u, sequencer.Track(track)->mute.load());
    icon.Unsilence();
    EXPECT_EQ(0u, sequencer.Track(track)->mute.load());

    // A key changes no track.
    LandKey key(&W(), 100, 100, &picture, nullptr);
    key.SetSequence(track);
    EXPECT_EQ(-1, key.track);
}

TEST_F(LandSpriteTest, KeysMeasureFromTheirCentreAndAreNotHitWhileTaken) {
    LandKey key(&W(), 100, 100, &picture, nullptr);
    EXPECT_EQ(5, key.UpdateSound(103, 104));
    EXPECT_EQ(-1, key.track);
    key.taken = 1;
    platform::RECT hit;
    key.GetHitBox(&hit);
    EXPECT_EQ((platform::RECT{0, 0, 0, 0}), hit);
    key.MarkDirty();
    EXPECT_EQ(0, key.taken);
    key.GetHitBox(&hit);
    EXPECT_EQ((platform::RECT{90, 90, 110, 110}), hit);
}

TEST_F(LandSpriteTest, RedrawingAnIconWithItsSparkleLeavesNothingNewToRedraw) {
    // Drawing places the sparkle over the icon; an unmoved sparkle must not
    // put its area back on the dirty list while that list is being redrawn.
    sprites::FrameRecord sparkles[18];
    for (auto& frame : sparkles) frame = picture;
    LandSprite icon(&W(), 300, 200, &picture, nullptr, 0, 0, sparkles);
    const platform::RECT everywhere{-10000, -10000, 10000, 10000};
    icon.DrawClipped(everywhere);
    W().ClearDirty();
    icon.DrawClipped(everywhere);
    icon.Draw();
    EXPECT_EQ(0, W().dirtyCount);
    icon.SetPosition(320, 200);  // moving it still hands both areas over
    EXPECT_GT(W().dirtyCount, 0);
}

}  // namespace
