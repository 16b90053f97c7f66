// The musical lock on the manual clock: turning keys, the note each sounds,
// the lever check, the opening, the hints and the keys that turn themselves.
#include "land/lock_mechanism.h"

#include <cmath>
#include <cstring>

#include "lock/lock_fixture.h"
#include "screens/captive_member.h"

namespace {

using land::LockMechanism;
using platform::RECT;

class LockMechanismTest : public lock_test::LockTest {
protected:
    void SetUp() override {
        LockTest::SetUp();
        record = FreshRecord();
        for (int k = 0; k < 3; ++k) record.slot[k] = -1;
        const int scale[7] = {0, 2, 4, 5, 7, 9, 11};
        for (int i = 0; i < 7; ++i) record.scale[i] = scale[i];
        record.target[0] = 3;
        record.target[1] = 5;
        record.target[2] = 1;
        record.bandWord = -1;
        for (int p = 0; p < 7; ++p) keyFrames[p].rect = RECT{0, 0, 10 + p, 20};
        lock = std::make_unique<LockMechanism>(&record, fx.get());
        LockMechanism::Parts parts;
        parts.lemon = &lemon;
        parts.pointer = &pointer;
        for (int k = 0; k < 3; ++k) parts.lights[k] = &lights[k];
        parts.keyFrames = keyFrames;
        lock->Attach(parts);
        lock->LoadVoices();
    }
    void TearDown() override {
        lock.reset();
        LockTest::TearDown();
    }
    // Turns slot k until its position is p (each turn 600 ms apart).
    void TurnTo(int k, int p) {
        while (record.slot[k] != p) {
            now += 600;
            ASSERT_EQ(lock->TurnKey(k + 1, now), 1);
        }
    }
    void InsertAll() {
        for (int k = 0; k < 3; ++k) lock->InsertKey(k, &keys[k]);
    }
    // Runs the lever check every 50 ms until it ends.
    void RunCheck() {
        lock->AdvanceCheck(now, &demonstrated);
        for (int i = 0; i < 100 && lock->checkStep; ++i) {
            now += 50;
            lock->AdvanceCheck(now, &demonstrated);
        }
    }
    uint32_t Frequency(int voice) {
        platform::DWORD f = 0;
        fx->Slot(voice)->buffer->GetFrequency(&f);
        return f;
    }
    bool Lit(int k) const { return lights[k].x == lock->LightX(k); }

    world::LandRecord record{};
    sprites::FrameRecord keyFrames[7] = {};
    sprites::Sprite lemon{nullptr, 200, 100, nullptr, 5000};
    sprites::Sprite pointer{nullptr, -500, 90, nullptr, 0};
    sprites::Sprite lights[3] = {{nullptr, -500, 80, nullptr, 0}, {nullptr, -500, 80, nullptr, 0},
                                 {nullptr, -500, 80, nullptr, 0}};
    sprites::Sprite keys[3] = {{nullptr, 0, 0, nullptr, 0}, {nullptr, 0, 0, nullptr, 0}, {nullptr, 0, 0, nullptr, 0}};
    std::unique_ptr<LockMechanism> lock;
    int demonstrated = 0;
    uint32_t now = 10000;
};

TEST_F(LockMechanismTest, SevenTurnsComeBackAndEachTurnSoundsItsNote) {
    keys[1].hitBox = RECT{-5, -5, 5, 5};
    ASSERT_EQ(lock->InsertKey(1, &keys[1]), 1);
    EXPECT_EQ(record.slot[1], 0);
    EXPECT_EQ(keys[1].x, 200 + 84 + 14);
    EXPECT_EQ(keys[1].y, 100 + 31);
    EXPECT_EQ(keys[1].depth, 5001);
    EXPECT_EQ(keys[1].hitBox.right - keys[1].hitBox.left, 0) << "an inserted key cannot be picked up";
    const int voice = lock->NoteVoice(1);
    ASSERT_GE(voice, 0);
    for (int turn = 1; turn <= 7; ++turn) {
        now += 500;
        ASSERT_EQ(lock->TurnKey(2, now), 1);
        const int p = turn % 7;
        EXPECT_EQ(record.slot[1], p);
        EXPECT_EQ(keys[1].frame, &keyFrames[p]);
        EXPECT_EQ(keys[1].x, 200 + 84 + LockMechanism::kKeyX[p]);
        EXPECT_EQ(keys[1].y, 100 + LockMechanism::kKeyY[p]);
        EXPECT_EQ(Playing(voice), 1);
        const double expected = 22050.0 * std::pow(2.0, record.scale[p] / 12.0);
        EXPECT_NEAR(Frequency(voice), expected, 2.0) << "position " << p;
        EXPECT_EQ(pointer.x, 200 + 85 + 34) << "pointer over the slot";
    }
    EXPECT_EQ(record.slot[1], 0);
    now += LockMechanism::kPointerShownMs;
    lock->HidePointerIfDue(now);
    EXPECT_EQ(pointer.x, LockMechanism::kOffScreen);
}

TEST_F(LockMechanismTest, EmptySlotsAndQuickTurnsAreIgnored) {
    EXPECT_EQ(lock->TurnKey(1, now), 0) << "no key in the slot";
    EXPECT_EQ(record.slot[0], -1);
    EXPECT_EQ(lock->TurnKey(0, now), 0);
    EXPECT_EQ(lock->TurnKey(4, now), 0);
    lock->InsertKey(0, &keys[0]);
    ASSERT_EQ(lock->TurnKey(1, now), 1);
    EXPECT_EQ(lock->TurnKey(1, now + 499), 0) << "within 500 ms of the last turn";
    EXPECT_EQ(record.slot[0], 1);
    EXPECT_EQ(lock->TurnKey(1, now + 500), 1);
    EXPECT_EQ(record.slot[0], 2);
}

TEST_F(LockMechanismTest, TwoRightSlotsLightTwoAndDoNotOpen) {
    InsertAll();
    TurnTo(0, 3);
    TurnTo(1, 5);
    TurnTo(2, 2);  // wrong: the target is 1
    RunCheck();
    EXPECT_TRUE(Lit(0));
    EXPECT_TRUE(Lit(1));
    EXPECT_FALSE(Lit(2));
    EXPECT_EQ(lock->solvedPending, 0);
    EXPECT_EQ(demonstrated, 1);
    now += 5000;
    EXPECT_EQ(lock->OpenIfDue(now), 0);
    EXPECT_EQ(record.freed, 0);
    EXPECT_EQ(record.bandWord, -1);
}

TEST_F(LockMechanismTest, ARightCheckPlaysOneNoteASecondAndOpensHalfASecondAfterTheLast) {
    InsertAll();
    TurnTo(0, 3);
    TurnTo(1, 5);
    TurnTo(2, 1);
    const uint32_t lastTurn = now;
    std::vector<uint32_t> notes;
    lock->AdvanceCheck(now, &demonstrated);
    for (int i = 0; i < 400 && lock->checkStep; ++i) {
        now += 10;
        const uint32_t before = lock->pointerTime;
        lock->AdvanceCheck(now, &demonstrated);
        if (lock->pointerTime != before) notes.push_back(now - lastTurn);
    }
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0], 1000u);
    EXPECT_EQ(notes[1], 2000u);
    EXPECT_EQ(notes[2], 3000u);
    EXPECT_EQ(lock->solvedPending, 1);
    EXPECT_EQ(lock->OpenIfDue(now + 499), 0) << "not before 500 ms";
    const int progress = record.progress;
    EXPECT_EQ(lock->OpenIfDue(now + 500), 1);
    EXPECT_EQ(record.freed, 1);
    EXPECT_EQ(record.bandWord, 6);
    EXPECT_EQ(record.progress, progress + 1);
    lock->solvedPending = 1;
    EXPECT_EQ(lock->OpenIfDue(now + 5000), 0) << "a member already in the band is not freed again";
    EXPECT_EQ(record.progress, progress + 1);
}

TEST_F(LockMechanismTest, HintsHumTheCombinationOneSecondApartEveryThirteenSeconds) {
    WriteMemberSheet(0);
    auto member = screens::CaptiveMember::ForLand(0, &W(), nullptr, fx.get());
    lock->hintTime = now;
    std::vector<std::pair<uint32_t, int>> heard;  // time, hint voice
    const uint32_t start = now;
    for (; now < start + 27000; now += 10) {
        const int before = lock->hintState;
        lock->Hint(now, member.get());
        if (lock->hintState != before && lock->hintState) {
            heard.emplace_back(now - start, lock->hintState - 1);
            EXPECT_TRUE(member->State() == screens::CaptiveMember::kHumFromA ||
                        member->State() == screens::CaptiveMember::kHumFromB);
            const int voice = lock->HintVoice(lock->hintState - 1);
            const double expected =
                22050.0 * std::pow(2.0, record.scale[record.target[lock->hintState - 1]] / 12.0);
            EXPECT_NEAR(Frequency(voice), expected, 2.0);
        }
    }
    ASSERT_EQ(heard.size(), 6u);
    EXPECT_EQ(heard[1].first - heard[0].first, 1010u);
    EXPECT_EQ(heard[2].first - heard[1].first, 1010u);
    EXPECT_NEAR(double(heard[3].first - heard[0].first), 13000.0, 50.0);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(heard[i].second, i % 3);
}

TEST_F(LockMechanismTest, KeysTheLandDidNotAskForTurnBackAndPlayOnceOnAFirstVisit) {
    lock->InsertKey(0, &keys[0]);
    lock->InsertKey(1, &keys[1]);
    for (int i = 0; i < 200; ++i, now += 100) lock->SelfRun(now, 1, &demonstrated);
    EXPECT_EQ(record.slot[0], 3);
    EXPECT_EQ(record.slot[1], 5);
    EXPECT_TRUE(Lit(0));
    EXPECT_TRUE(Lit(1));
    EXPECT_EQ(demonstrated, 1) << "the lock played itself once";
    EXPECT_EQ(lock->solvedPending, 0) << "the third slot is still empty";

    demonstrated = 1;
    record.slot[0] = 0;
    for (int i = 0; i < 200; ++i, now += 100) lock->SelfRun(now, 2, &demonstrated);
    EXPECT_EQ(record.slot[0], 3);
}

TEST_F(LockMechanismTest, WithThreeKeysNeededTheLockNeverPlaysItself) {
    InsertAll();
    demonstrated = 1;
    const auto before = record;
    for (int i = 0; i < 300; ++i, now += 100) lock->SelfRun(now, 3, &demonstrated);
    EXPECT_EQ(std::memcmp(&before, &record, sizeof record), 0);
    EXPECT_EQ(lock->checkStep, 0);
    EXPECT_EQ(lock->pointerTime, 0u) << "no note sounded";
}

TEST_F(LockMechanismTest, VoicesThatFailToLoadStaySilentAndAllAreReleased) {
    lock.reset();
    FxPlayer small(nullptr, nullptr, 0);
    LockMechanism quiet(&record, &small);
    quiet.LoadVoices();
    quiet.InsertKey(0, &keys[0]);
    EXPECT_EQ(quiet.TurnKey(1, now), 1) << "the key turns without a voice";
    EXPECT_EQ(quiet.NoteVoice(0), -1);

    LockMechanism loud(&record, fx.get());
    loud.LoadVoices();
    EXPECT_EQ(HeldVoices(), 8);
    loud.ReleaseVoices();
    EXPECT_EQ(HeldVoices(), 0);
}

}  // namespace
