// The den band: changes of animation while playing, and Stop, Play and Hide.
#include <gtest/gtest.h>

#include "platform/crt_random.h"
#include "world/den_band.h"
#include "world/world_fixture.h"

namespace {

using world::DenBand;

class DenBandTest : public world_test::WorldTest, public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWorld());
        platform::srand(7);
        band = std::make_unique<DenBand>(&W(), nullptr, "band.bmp");
    }
    void TearDown() override { band.reset(); }
    // Runs the band every 20 ms up to `end`; counts member k's changes.
    int RunTo(uint32_t end, int k) {
        int changes = 0;
        for (; now <= end; now += 20) {
            const uint32_t before = band->State(k).nextChange;
            band->Animate(now);
            if (band->State(k).nextChange > before) {
                ++changes;
                EXPECT_GE(band->MemberPeriod(k), 50);
                EXPECT_LE(band->MemberPeriod(k), 134);
            }
        }
        return changes;
    }
    int Step(int k) { return band->Member(k)->sequence ? band->Member(k)->sequence->GetIndex() : -1; }
    std::unique_ptr<DenBand> band;
    uint32_t now = 1000;
};

TEST_F(DenBandTest, APlayingMemberChangesEveryOneToThreeSeconds) {
    band->Show(4);
    band->Play(4);
    const int changes = RunTo(now + 10000, 4);
    EXPECT_GE(changes, 3);
    EXPECT_LE(changes, 10);
    EXPECT_EQ(0, RunTo(now, 0));  // not playing: never changes
    for (int i = 0; i < 50; ++i) {
        const int32_t p1 = DenBand::DrawPeriod(1), p2 = DenBand::DrawPeriod(2);
        EXPECT_TRUE(p1 >= 85 && p1 < 135);
        EXPECT_TRUE(p2 >= 50 && p2 < 135);
    }
}

TEST_F(DenBandTest, StopFreezesAMemberAndPlayResumesIt) {
    band->Show(2);
    band->Play(2);
    RunTo(now + 500, 2);
    band->Stop(2);
    const int frozen = Step(2);
    const uint32_t next = band->State(2).nextChange;
    RunTo(now + 5000, 2);
    EXPECT_EQ(frozen, Step(2));
    EXPECT_EQ(next, band->State(2).nextChange);
    band->Play(2);
    RunTo(now + 400, 2);
    EXPECT_NE(frozen, Step(2));
}

TEST_F(DenBandTest, AHiddenMemberIsNotDrawnNorAdvancedButItsTimerRuns) {
    band->Show(5);
    band->Play(5);
    RunTo(now + 300, 5);
    band->Hide(5);
    const int step = Step(5);
    const int changes = RunTo(now + 8000, 5);
    EXPECT_GE(changes, 2);
    if (Step(5) != 0) {
        EXPECT_EQ(step, Step(5));  // a change restarts it at 0
    }
    EXPECT_EQ(1, band->Member(5)->Draw());
    EXPECT_EQ(1, band->AnyPlaying());
    band->Stop(5);
    EXPECT_EQ(0, band->AnyPlaying());
}

}  // namespace
