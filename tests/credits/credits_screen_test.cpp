// The credits' running order on the generated pictures: how long pages,
// the closing picture and the logos last, skipping, both captions of the
// two-caption page, and pictures that are missing.
#include <string>

#include "credits_fixture.h"
#include "display/display.h"
#include "platform/ddraw.h"

namespace {

using credits_test::CreditsTest;
using screens::CreditsScreen;
using world::chars::kCreditPages;

class Credits : public CreditsTest {
public:
    // Ticks every 10 ms until the credits report their end; the time taken.
    uint32_t RunToEnd(uint32_t limitMs) {
        const uint32_t from = now;
        while (now - from < limitMs)
            if (Tick(10)) return now - from;
        return 0;
    }
    void SkipToClosing() {
        for (int i = 0; i < kCreditPages; ++i) Tick(20, true);
        ASSERT_EQ(credits->PagesStarted(), kCreditPages);
        ASSERT_EQ(Tick(20, true), 0);
        ASSERT_EQ(credits->Phase(), CreditsScreen::kPhaseClosing);
    }
    uint8_t BackPixel(int x, int y) { return display_support::PixelAt(D().backBuffer, x, y); }
};

TEST_F(Credits, WithoutLogosTheyEndRightAfterTheClosingPicturesThreeSeconds) {
    Begin(0);
    SkipToClosing();
    const uint32_t took = RunToEnd(20000);
    EXPECT_GT(took, CreditsScreen::kClosingMs);
    EXPECT_LE(took, CreditsScreen::kClosingMs + 10);
}

TEST_F(Credits, TwoLogosFollowTheClosingPictureForFiveSecondsEach) {
    Begin(2);
    SkipToClosing();
    const uint32_t closingStart = now;
    uint32_t logo1 = 0, logo2 = 0;
    int ended = 0;
    while (!ended && now - closingStart < 20000) {
        ended = Tick(10);
        if (credits->Phase() == 2 && !logo1) logo1 = now - closingStart;
        if (credits->Phase() == 3 && !logo2) logo2 = now - closingStart;
    }
    ASSERT_EQ(ended, 1);
    EXPECT_NEAR(logo1, 3000.0, 10.0);
    EXPECT_NEAR(logo2, 8000.0, 20.0);
    EXPECT_NEAR(now - closingStart, 13000.0, 30.0);
}

TEST_F(Credits, AHeldKeySkipsOnePageOrLogoPerTick) {
    Begin(5);
    for (int page = 1; page <= kCreditPages; ++page) {
        EXPECT_EQ(Tick(20, true), 0);
        EXPECT_EQ(credits->PagesStarted(), page);
        EXPECT_EQ(credits->Phase(), CreditsScreen::kPhasePages);
    }
    for (int phase = 1; phase <= 6; ++phase) {
        EXPECT_EQ(Tick(20, true), 0);
        EXPECT_EQ(credits->Phase(), phase);
    }
    EXPECT_EQ(Tick(20, true), 1);
}

TEST_F(Credits, APageOf62StepsLastsAboutSixPointOneSeconds) {
    Begin(0);
    ASSERT_EQ(Tick(1), 0);
    ASSERT_EQ(credits->PagesStarted(), 1);
    const uint32_t pageStart = now;
    while (credits->PagesStarted() == 1 && now - pageStart < 10000) Tick(1);
    const uint32_t lasted = now - pageStart;
    // 61 steps, each taken once more than 100 ms have passed, then the
    // change at the next tick.
    EXPECT_GE(lasted, 6100u);
    EXPECT_LE(lasted, 6200u);
}

TEST_F(Credits, ThePageWithTwoCaptionsDrawsBoth) {
    Begin(0);
    for (int i = 0; i < 4; ++i) Tick(20, true);
    ASSERT_EQ(credits->PagesStarted(), 4);
    Tick(20);
    const world::chars::CreditsPage page = world::chars::MakeCreditsPage(3);
    ASSERT_FALSE(page.captionFile[1].empty());
    for (int i = 0; i < 2; ++i) {
        const auto& place = world::chars::CreditCaptionPlace(page.caption[i]);
        platform::dd::Surface* caption = D().GPLoadBitmap(page.captionFile[i].c_str(), 1, 0);
        ASSERT_NE(caption, nullptr) << page.captionFile[i];
        int compared = 0, equal = 0;
        for (int y = 0; y < place.h; ++y)
            for (int x = 0; x < place.w; ++x) {
                const uint8_t c = display_support::PixelAt(caption, x, y);
                if (c == 255) continue;  // the key
                ++compared;
                equal += BackPixel(place.x + x, place.y + y) == c;
            }
        caption->Release();
        EXPECT_GT(compared, place.w * place.h / 2) << page.captionFile[i];
        // The figures may stand in front of a corner of a caption.
        EXPECT_GT(equal, compared * 95 / 100) << page.captionFile[i];
    }
}

TEST_F(Credits, MissingSheetAndCaptionLeaveTheBackgroundAndTheCreditsRunOn) {
    UseCreditsWithout({"crewa.bmp", "graphics.bmp", "distlogo1.bmp"});
    Begin(1);
    Tick(20);
    Tick(500);
    ASSERT_EQ(credits->PagesStarted(), 1);
    // Page 1 shows nothing but the background: compare with it.
    platform::dd::Surface* background = D().GPLoadBitmap(world::chars::kCreditsBackground, 1, 0);
    ASSERT_NE(background, nullptr);
    int differ = 0;
    for (int y = 0; y < 480; y += 3)
        for (int x = 0; x < 640; x += 3) differ += BackPixel(x, y) != display_support::PixelAt(background, x, y);
    background->Release();
    EXPECT_EQ(differ, 0);
    // The page still lasts its time, and the rest follows.
    while (credits->PagesStarted() == 1) Tick(20);
    EXPECT_GT(credits->StepIndex(), -1);
    while (credits->Phase() == CreditsScreen::kPhasePages) Tick(20, true);
    EXPECT_EQ(RunToEnd(20000) > 0, true);
}

TEST_F(Credits, NothingLoadsWithoutThePicturesAndNothingBreaks) {
    UseCreditsWithout({"background.bmp", "crewb.bmp", "copycred.bmp", "audioprg.bmp"});
    Begin(1);
    int ended = 0;
    for (int i = 0; i < 40 && !ended; ++i) ended = Tick(20, i % 5 == 0);
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(BackPixel(320, 240), 0);  // black where the background would be
    while (!ended) ended = Tick(20, true);
    EXPECT_EQ(ended, 1);
}

}  // namespace
