// The title on the generated data: which channels a step draws by the two
// switches, the pace of the steps, the band, the title menu on a key, and
// the demo after twenty idle seconds (menu time not counted), refused when
// its file is missing or damaged.
#include <fstream>

#include "den_fixture.h"
#include "platform/video_out.h"
#include "screens/intro_screen.h"
#include "screens/splash.h"
#include "world/chars/title_tables.h"
#include "world/demo_file.h"
#include "world/game_services.h"

namespace {

using screens::IntroScreen;

// A title menu that only counts what it is asked.
struct CountingMenu final : world::TitleMenu {
    int* ticks;
    std::function<void()> leave;
    explicit CountingMenu(int* counter) : ticks(counter) {}
    int Open() override { return 1; }
    void Tick() override { ++*ticks; }
    void OnLeaveTitle(std::function<void()> handler) override { leave = std::move(handler); }
};

class IntroTest : public den_test::DenTest {
protected:
    void TearDown() override {
        intro.reset();  // before the sound it uses
        DenTest::TearDown();
    }
    void OpenTitle(int animateSplash = 1, int animateIn = 0) {
        intro = std::make_unique<IntroScreen>();
        intro->switches = screens::TitleSwitches{animateSplash, animateIn};
        intro->Setup(&game);
    }
    void TitleTicks(int count, uint32_t step = 40) {
        for (int i = 0; i < count; ++i) {
            platform::manual_clock::Advance(step);
            intro->Tick();
        }
    }
    // Demo files of the three names in a copy of the data folder.
    void WriteDemos(const std::vector<uint8_t>& bytes) {
        UseDataWithout({});
        for (int which = 0; which < 3; ++which) {
            std::ofstream(test_support::InGameFolder(world::DemoFileName(which)), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
    }
    static std::vector<uint8_t> Demo(int land, int difficulty) {
        world::SavedSlot start;
        start.difficulty = difficulty;
        start.land = land;
        start.x = 300;
        start.y = 400;
        start.room = -1;
        for (auto& record : start.records) world::InitLandRecord(&record);
        std::vector<uint8_t> bytes(world::kDemoBytes, 0);
        world::WriteDemoHeader(start, bytes.data());
        return bytes;
    }
    std::unique_ptr<IntroScreen> intro;
};

TEST_F(IntroTest, StepsDrawTheChannelsTheSwitchesAllowOncePer100Ms) {
    OpenTitle(1, 0);
    intro->inputCountdown = 0;
    TitleTicks(3);  // 120 ms: the first step
    ASSERT_EQ(intro->stepsDrawn, 1);
    std::vector<int> expected;
    for (int c = 0; c < 32; ++c) {
        if (c != world::chars::kEntranceChannel && world::chars::GetTitleTables().channels[c].cell[0] != 0) {
            expected.push_back(c);
        }
    }
    EXPECT_EQ(intro->lastChannels, expected) << "everything but the entrance piece";

    // One step per 100 ms however fast the ticks come.
    TitleTicks(250, 4);  // 1000 ms
    EXPECT_GE(intro->stepsDrawn, 10);
    EXPECT_LE(intro->stepsDrawn, 11);
    intro.reset();

    OpenTitle(0, 1);
    TitleTicks(3);
    for (int c : intro->lastChannels) EXPECT_GE(c, world::chars::kBandPictureChannel) << "only the band";
    intro.reset();

    OpenTitle(1, 1);
    TitleTicks(3);
    EXPECT_EQ(std::count(intro->lastChannels.begin(), intro->lastChannels.end(), world::chars::kEntranceChannel), 1);
    // The steps wrap after 163.
    intro->step = world::chars::kTitleSteps - 1;
    TitleTicks(3);
    EXPECT_EQ(intro->step, 0);
}

TEST_F(IntroTest, TheBandPlaysPartOneOfEveryMember) {
    OpenTitle();
    ASSERT_EQ(intro->trackIds.size(), 36u);
    for (int t = 0; t < 36; ++t) {
        SeqTrack* track = Music()->Track(intro->trackIds[static_cast<size_t>(t)]);
        ASSERT_NE(track, nullptr);
        EXPECT_EQ(track->mute.load(), t % 6 == 1 ? 0u : 1u) << t;
        EXPECT_EQ(track->pan.load(), (t / 6) * 1000 - 2500) << t;
    }
    intro.reset();
    EXPECT_EQ(Music()->TrackCount(), 0) << "the title takes its song away";
}

TEST_F(IntroTest, AKeyOpensTheTitleMenuAndMenuTimeDoesNotCountTowardsTheDemo) {
    WriteDemos(Demo(world::kFunland, 2));
    int menuTicks = 0;
    CountingMenu* open = nullptr;
    game.makeTitleMenu = [&] {
        auto menu = std::make_unique<CountingMenu>(&menuTicks);
        open = menu.get();
        return menu;
    };
    OpenTitle();
    TitleTicks(20);  // past the input countdown
    game.input.anyInput = 1;
    TitleTicks(1);
    ASSERT_EQ(intro->menuState, 1);
    EXPECT_EQ(game.titleMenus, 1);
    TitleTicks(750);  // 30 s in the menu
    EXPECT_GE(menuTicks, 749);
    EXPECT_EQ(game.demosStarted, 0);
    // Escape in the menu: back to the title, whose idle clock starts now.
    open->leave();
    TitleTicks(1);
    EXPECT_EQ(intro->menuState, 0);
    EXPECT_EQ(intro->menu, nullptr);
    TitleTicks(490);  // 19.6 s
    EXPECT_EQ(game.demosStarted, 0);
    int ticks = 0;
    while (game.demosStarted == 0 && ticks < 50) {
        TitleTicks(1);
        ++ticks;
    }
    ASSERT_EQ(game.demosStarted, 1);
    EXPECT_LE(ticks, 12) << "twenty seconds after the menu closed";
    EXPECT_EQ(game.requestedState, world::kStateLand);
    EXPECT_EQ(game.requestedLand, world::kFunland);
    EXPECT_EQ(game.difficulty, 2);
    EXPECT_EQ(game.restoreX, 300);
    EXPECT_EQ(game.restoreRoom, -1);
    EXPECT_EQ(game.demoStart, 1);
}

TEST_F(IntroTest, AMissingShortOrDamagedDemoNeverStarts) {
    auto idleToDemo = [this] {
        OpenTitle();
        game.demosStarted = 0;
        for (int i = 0; i < 520 && game.demosStarted == 0; ++i) TitleTicks(1);  // up to 20.8 s
        const int started = game.demosStarted;
        intro.reset();
        return started;
    };
    UseDataWithout({"1.demo", "2.demo", "3.demo"});
    EXPECT_EQ(idleToDemo(), 0) << "no demo files";
    std::vector<uint8_t> bytes = Demo(world::kCeltic, 1);
    bytes.resize(world::kDemoBytes - 1);
    WriteDemos(bytes);
    EXPECT_EQ(idleToDemo(), 0) << "cut short";
    bytes = Demo(-1, 1);
    WriteDemos(bytes);
    EXPECT_EQ(idleToDemo(), 0) << "a demo in the den";
    bytes = Demo(world::kCeltic, 7);
    WriteDemos(bytes);
    EXPECT_EQ(idleToDemo(), 0) << "difficulty 7";
    bytes = Demo(world::kCeltic, 1);
    bytes[280 + 584 * 2 + 40] = 9;  // celtic's band word
    WriteDemos(bytes);
    EXPECT_EQ(idleToDemo(), 0) << "a record out of range";
    WriteDemos(Demo(world::kCeltic, 1));
    EXPECT_EQ(idleToDemo(), 1);
    EXPECT_EQ(game.requestedLand, world::kCeltic);
}

}  // namespace

namespace {

using SplashTest = den_test::DenTest;

TEST_F(SplashTest, TheMakersMarkFadesInWithItsOwnPaletteAndOutToBlack) {
    screens::Splash splash(&D());
    ASSERT_EQ(splash.Show(), 1);
    EXPECT_STREQ(D().paletteFile, screens::Splash::kPicture);
    const platform::Screenshot shown = platform::CaptureScreen();
    size_t lit = 0;
    for (uint8_t v : shown.rgb) lit += v > 40;
    EXPECT_GT(lit, shown.rgb.size() / 4) << "the picture is on the screen, faded in";
    splash.End();
    const platform::Screenshot after = platform::CaptureScreen();
    lit = 0;
    for (uint8_t v : after.rgb) lit += v > 40;
    EXPECT_EQ(lit, 0u) << "faded out to a cleared screen";
}

}  // namespace
