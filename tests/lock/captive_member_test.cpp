// The captive band member: its state table on the manual clock, the hum, the
// freeing sound's slot and the finished report.
#include "screens/captive_member.h"

#include "lock/lock_fixture.h"

namespace {

using screens::CaptiveMember;
namespace chars = world::chars;

class CaptiveMemberTest : public lock_test::LockTest {
protected:
    std::unique_ptr<CaptiveMember> Make(int land) {
        WriteMemberSheet(land);
        auto m = CaptiveMember::ForLand(land, &W(), nullptr, fx.get());
        m->Animate(now);
        return m;
    }
    // Animates every 10 ms up to `end`.
    void RunTo(CaptiveMember& m, uint32_t end) {
        for (; now < end; now += 10) m.Animate(now);
    }
    int Index(CaptiveMember& m) { return m.sequence ? m.sequence->GetIndex() : -1; }
    uint32_t now = 1000;
};

TEST_F(CaptiveMemberTest, StartsIdleBAndEveryLandHasItsOwnSheet) {
    for (int land = 0; land < chars::kCaptiveCount; ++land) {
        auto m = Make(land);
        EXPECT_EQ(m->State(), CaptiveMember::kIdleB);
        EXPECT_EQ(m->Land(), land);
        EXPECT_EQ(m->frameCount, chars::kCaptiveLayouts[land].records);
        EXPECT_STREQ(m->bitmapFile, chars::kCaptiveLayouts[land].file);
        EXPECT_EQ(m->frameDelay, 100);
        EXPECT_NE(m->frame, nullptr) << "idle pose shows a picture";
    }
    EXPECT_EQ(Make(9)->Land(), 0) << "an unknown land gets land 0's member";
}

TEST_F(CaptiveMemberTest, HumPlaysOnceAndReturnsToTheIdleItStartedFrom) {
    auto m = Make(1);  // hum from B has 5 entries
    m->Hum();
    EXPECT_EQ(m->State(), CaptiveMember::kHumFromB);
    RunTo(*m, now + 250);
    EXPECT_EQ(Index(*m), 2);
    m->Hum();  // from B goes to the hum from A, restarted
    EXPECT_EQ(m->State(), CaptiveMember::kHumFromA);
    EXPECT_EQ(Index(*m), 0);
    RunTo(*m, now + 250);
    m->Hum();
    EXPECT_EQ(Index(*m), 0) << "humming again restarts the gesture";
    EXPECT_EQ(m->State(), CaptiveMember::kHumFromA);
    RunTo(*m, now + 1000);
    EXPECT_EQ(m->State(), CaptiveMember::kIdleA);
    RunTo(*m, now + 1000);
    EXPECT_EQ(m->State(), CaptiveMember::kIdleA) << "idle is static";
}

TEST_F(CaptiveMemberTest, FreeingReleasesItsSoundExactlyAtTheLastEntryAndReportsOnce) {
    auto m = Make(1);  // 23 freeing entries
    const uint32_t start = now;
    m->Free();
    const int slot = m->EffectSlot();
    ASSERT_GE(slot, 0);
    EXPECT_EQ(fx->Slot(slot)->effect, CaptiveMember::kFreeingEffect);
    EXPECT_EQ(Playing(slot), 1);
    uint32_t finishedAt = 0;
    for (; now < start + 4000 && !finishedAt; now += 10) {
        const bool beforeLast = Index(*m) == 21;
        m->Animate(now);
        if (m->State() == CaptiveMember::kFreed) {
            EXPECT_TRUE(beforeLast) << "freed straight after the entry before the last";
            finishedAt = now;
        } else {
            ASSERT_NE(fx->Slot(slot)->buffer, nullptr) << "sound kept while the animation runs, at " << now;
        }
    }
    ASSERT_NE(finishedAt, 0u);
    EXPECT_NEAR(double(finishedAt - start), 2200.0, 20.0);
    EXPECT_EQ(fx->Slot(slot)->buffer, nullptr) << "slot released";
    EXPECT_EQ(m->EffectSlot(), -1);
    EXPECT_EQ(m->TakeFinished(), 1);
    EXPECT_EQ(m->TakeFinished(), 0);
    m->Hum();
    EXPECT_EQ(m->State(), CaptiveMember::kFreed) << "a freed member does not hum";
}

TEST_F(CaptiveMemberTest, InterruptedFreeingNeverLeaksItsSlot) {
    auto m = Make(0);
    m->Free();
    const int first = m->EffectSlot();
    m->Hum();
    EXPECT_EQ(m->State(), CaptiveMember::kFreeing) << "hum cannot cut the freeing short";
    m->Free();
    EXPECT_EQ(fx->Slot(first)->buffer != nullptr, m->EffectSlot() == first) << "the first slot was given back";
    m->SetFreed();
    EXPECT_EQ(m->State(), CaptiveMember::kFreed);
    EXPECT_EQ(m->EffectSlot(), -1);
    EXPECT_EQ(m->TakeFinished(), 0) << "only a completed freeing reports finished";
    m->Free();
    const int held = m->EffectSlot();
    ASSERT_GE(held, 0);
    m.reset();
    EXPECT_EQ(fx->Slot(held)->buffer, nullptr) << "deleting the member releases its sound";
}

TEST_F(CaptiveMemberTest, WithoutAnEffectPlayerTheFreeingStillFinishes) {
    WriteMemberSheet(2);
    auto m = CaptiveMember::ForLand(2, &W(), nullptr, nullptr);
    m->Free();
    EXPECT_EQ(m->EffectSlot(), -1);
    RunTo(*m, now + 2500);
    EXPECT_EQ(m->TakeFinished(), 1);
}

}  // namespace
