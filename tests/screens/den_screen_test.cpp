// The den on the generated data: where the dog appears, which members show
// and play, the band mix, the doors, the song by difficulty, the den without
// its songs, and the dirty redraw against a full one.
#include <cstring>

#include "den_fixture.h"
#include "display/display.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/den_band.h"
#include "world/player_dog.h"

namespace {

using den_test::DenTest;
using screens::DenScreen;

SeqTrack* TrackOf(Sequencer* music, const DenScreen& den, int t) {
    return music->Track(den.trackIds[static_cast<size_t>(t)]);
}

TEST_F(DenTest, JoinedMembersShowAndPlayTheirPartsOthersStayHidden) {
    MemberWord(0) = 2;  // plays part 2
    MemberWord(3) = 6;  // joined, plays nothing
    ASSERT_EQ(Open(), 1);
    EXPECT_EQ(den->trackCount, 36);
    EXPECT_EQ(den->MemberCount(), 1);
    EXPECT_EQ(game.redrawFrames, 2);
    for (int k = 0; k < DenScreen::kMembers; ++k) {
        const world::MemberState& state = den->band->State(k);
        EXPECT_EQ(state.shown, k == 0 || k == 3 ? 1 : 0) << k;
        EXPECT_EQ(state.playing, k == 0 ? 1 : 0) << k;
        // A joined member stands where its instrument lay.
        EXPECT_EQ(den->place.pieces[k] == nullptr, k == 0 || k == 3) << k;
    }
    // Only track 2 sounds: member 0, far left, ten decibels down.
    for (int t = 0; t < 36; ++t) {
        SeqTrack* track = TrackOf(Music(), *den, t);
        ASSERT_NE(track, nullptr);
        EXPECT_EQ(track->mute.load(), t == 2 ? 0u : 1u) << t;
        EXPECT_EQ(track->volume.load(), -1000) << t;
        EXPECT_EQ(track->pan.load(), (t / 6) * 1000 - 2500) << t;
    }
    // The mix follows a changed value in the next tick.
    den->memberValues[3] = 1;
    Frames(1);
    EXPECT_EQ(TrackOf(Music(), *den, 19)->mute.load(), 0u);
    EXPECT_EQ(TrackOf(Music(), *den, 2)->mute.load(), 0u);
}

TEST_F(DenTest, TheDogAppearsAtTheRestoredPlaceElseBesideTheLandsDoorElseInTheMiddle) {
    ASSERT_EQ(Open(), 1);
    EXPECT_EQ(den->dog->x, 320);
    EXPECT_EQ(den->dog->y, 380);
    const platform::RECT door3 = den->place.rects[3];
    den.reset();

    game.currentLand = world::kJazzland;
    ASSERT_EQ(Open(), 1);
    EXPECT_EQ(den->dog->x, door3.left + 20);
    EXPECT_EQ(den->dog->y, door3.bottom + 20);
    den.reset();

    game.restoreX = 500;
    game.restoreY = 400;
    ASSERT_EQ(Open(), 1);
    EXPECT_EQ(den->dog->x, 500);
    EXPECT_EQ(den->dog->y, 400);
    EXPECT_EQ(game.restoreX, 0);
    EXPECT_EQ(game.restoreY, 0);
}

TEST_F(DenTest, OpenDoorsSwingOpenAndStayOpenTheOthersStayShut) {
    game.openDenDoors = 1;
    ASSERT_EQ(Open(), 1);
    Frames(100);
    for (int k = 0; k < 6; ++k) {
        sprites::AnimatedSprite* door = den->place.members[k];
        ASSERT_NE(door, nullptr) << k;
        EXPECT_EQ(door->frameIndex, k == 0 ? door->frameCount - 1 : 0) << k;
    }
    den.reset();
    game.openDenDoors = 7;
    ASSERT_EQ(Open(), 1);
    Frames(100);
    for (int k = 0; k < 6; ++k) {
        sprites::AnimatedSprite* door = den->place.members[k];
        EXPECT_EQ(door->frameIndex, door->frameCount - 1) << k;
    }
}

TEST_F(DenTest, EachDifficultyPlaysItsOwnBandSong) {
    // Only the medium song is left: easy fails, medium plays.
    UseDataWithout({"seq/easyband.xmi", "seq/hardband.xmi"});
    game.difficulty = 1;
    EXPECT_EQ(Open(), 0);
    den.reset();
    game.difficulty = 3;
    EXPECT_EQ(Open(), 0);
    den.reset();
    game.difficulty = 2;
    MemberWord(2) = 4;
    ASSERT_EQ(Open(), 1);
    for (int t = 12; t < 18; ++t) {
        SeqTrack* track = TrackOf(Music(), *den, t);
        EXPECT_EQ(track->mute.load(), t == 16 ? 0u : 1u) << t;
        EXPECT_EQ(track->pan.load(), -500);
        EXPECT_EQ(track->volume.load(), -1000);
    }
}

TEST_F(DenTest, WithoutItsSongsTheDenStillRunsAndKeepsTheRecords) {
    UseDataWithout({"seq/easyband.xmi", "seq/medband.xmi", "seq/hardband.xmi"});
    MemberWord(1) = 3;
    MemberWord(4) = 6;
    ASSERT_EQ(Open(), 0);
    EXPECT_TRUE(den->trackIds.empty());
    EXPECT_EQ(Music()->TrackCount(), 0);
    const int32_t startX = den->dog->x;
    game.input.left = 1;
    Frames(50);
    game.input.left = 0;
    EXPECT_LT(den->dog->x, startX - 20) << "the dog walks";
    den->dog->panelOpen = 1;  // the panel has nobody to show
    Frames(200);              // ten seconds in all
    EXPECT_EQ(den->dog->panelOpen, 0);
    den.reset();
    // Nothing was read, so nothing is written over the records.
    EXPECT_EQ(MemberWord(1), 3);
    EXPECT_EQ(MemberWord(4), 6);
    EXPECT_EQ(MemberWord(0), -1);
}

TEST_F(DenTest, TheDirtyRedrawShowsWhatAFullRedrawShows) {
    for (int k = 0; k < 6; ++k) MemberWord(k) = k;
    game.openDenDoors = 7;
    ASSERT_EQ(Open(), 1);
    sprites::SpriteWorld* world = den->World();
    std::vector<uint8_t> shown(640 * 480), full(640 * 480);
    auto copy = [](platform::dd::Surface* surface, std::vector<uint8_t>* out) {
        for (int y = 0; y < 480; ++y) {
            std::memcpy(out->data() + y * 640, surface->Pixels() + y * surface->Pitch(), 640);
        }
    };
    int dirtyFrames = 0;
    for (int f = 0; f < 120; ++f) {
        // The dog walks a square while the band plays and the doors open.
        const int leg = (f / 30) % 4;
        game.input.left = leg == 0;
        game.input.up = leg == 1;
        game.input.right = leg == 2;
        game.input.down = leg == 3;
        const bool dirty = game.redrawFrames == 0;
        Frames(1);
        if (!dirty) continue;
        ++dirtyFrames;
        copy(D().frontBuffer, &shown);
        D().GPFillBufferRGB(nullptr, nullptr, platform::RGB(0, 0, 0));
        world->DrawAll();
        copy(D().backBuffer, &full);
        size_t differing = 0;
        for (size_t i = 0; i < shown.size(); ++i) differing += shown[i] != full[i];
        ASSERT_EQ(differing, 0u) << "frame " << f;
    }
    EXPECT_GT(dirtyFrames, 100);
}

}  // namespace
