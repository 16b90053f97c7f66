// The shipped demos replay through the real game to their end without the
// dog leaving the recorded track, carry icons into sub-rooms, and the
// recorder gives the same bytes again. Screenshots of each replay go to
// <build>/demos for review.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "audio/land_sprite.h"
#include "land/land_screen.h"
#include "platform/video_out.h"
#include "shell/game_flow_fixture.h"
#include "world/demo_file.h"
#include "world/player_dog.h"

namespace {

using namespace game_flow;

int32_t ReadI32(const uint8_t* at) {
    int32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

struct Step {
    int32_t x, y, input, frame;
};

std::vector<Step> Steps(const uint8_t* demo) {
    std::vector<Step> steps;
    for (int i = 0; i < world::kDemoSteps; ++i) {
        const uint8_t* r = demo + world::kDemoStepsOffset + world::kDemoStepBytes * i;
        if (ReadI32(r + 12) == -1) break;
        steps.push_back({ReadI32(r), ReadI32(r + 4), ReadI32(r + 8), ReadI32(r + 12)});
    }
    return steps;
}

std::vector<char> Bytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class DemoReplay : public GameFlow, public ::testing::WithParamInterface<int> {};

TEST_P(DemoReplay, PlaysToItsEndOnTheRecordedTrackAndCarriesIcons) {
    const int which = GetParam();
    world::SavedSlot start;
    std::unique_ptr<uint8_t[]> demo = world::LoadDemo(world::DemoFileName(which).c_str(), &start);
    ASSERT_TRUE(demo) << world::DemoFileName(which);
    const std::vector<Step> steps = Steps(demo.get());
    // At least a minute of play at one step per 95 ms.
    ASSERT_GE(steps.size(), 632u);
    const int land = start.land;
    auto iconsInRooms = [](const world::LandRecord& record) {
        int count = 0;
        for (const world::LandEntry& icon : record.icon) count += icon.location >= 0 && icon.location <= 2;
        return count;
    };
    ASSERT_EQ(iconsInRooms(start.records[land]), 0);

    Game().StartDemo(std::move(demo), start);
    const auto shots = ShotFolder("demos");
    int lastIndex = 0, shot = 0, ticks = 0, roomsEntered = 0, previousRoom = -1;
    std::set<int> iconsNear;
    std::vector<int> roomAtStep(steps.size(), -2);  // where the replay played each step
    const int maxTicks = static_cast<int>(steps.size()) * 4 + 200;
    while (Game().currentState == world::kStateLand || Game().requestedState == world::kStateLand) {
        ASSERT_LT(++ticks, maxTicks) << "the demo did not end";
        Ticks(1);
        if (!Game().landScreen || !Game().landScreen->player) continue;
        const land::LandScreen& screen = *Game().landScreen;
        const world::PlayerDog& dog = *screen.player;
        if (dog.recordingIndex != lastIndex) {
            // The step just played put the dog exactly on the recorded point
            // (a dog walking through a door or down a hole moves on by itself).
            lastIndex = dog.recordingIndex;
            ASSERT_LE(lastIndex, static_cast<int>(steps.size()));
            const Step& step = steps[static_cast<size_t>(lastIndex - 1)];
            roomAtStep[static_cast<size_t>(lastIndex - 1)] = screen.currentRoom;
            if (dog.mode != world::PlayerDog::kDoor && dog.mode != world::PlayerDog::kHoleDown) {
                ASSERT_EQ(dog.x, step.x) << "step " << lastIndex - 1;
                ASSERT_EQ(dog.y, step.y) << "step " << lastIndex - 1;
            }
        }
        if (dog.nearest && dog.nearestDistance < dog.reach) iconsNear.insert(dog.nearest->iconIndex);
        if (screen.currentRoom != previousRoom && screen.currentRoom >= 0 && screen.currentRoom <= 2) ++roomsEntered;
        previousRoom = screen.currentRoom;
        if (ticks % 250 == 0) {  // every 10 s
            const auto path = shots / ("demo" + std::to_string(which + 1) + "_" + std::to_string(++shot) + ".png");
            EXPECT_EQ(platform::WritePng(platform::CaptureScreen(), path.string()), 1);
        }
    }
    // Played to the last recorded step, then back to the title (the frame of
    // the last step already ends the land, so the one before is the last seen).
    EXPECT_EQ(lastIndex, static_cast<int>(steps.size()) - 1);
    EXPECT_EQ(Game().currentState, world::kStateIntro);
    // The replay went through the doors where the recording did: a leap of
    // the recorded track is a change of room in the replay, and back.
    for (size_t k = 1; k + 1 < steps.size(); ++k) {
        const bool leap = std::abs(steps[k].x - steps[k - 1].x) + std::abs(steps[k].y - steps[k - 1].y) > 200;
        EXPECT_EQ(leap, roomAtStep[k] != roomAtStep[k - 1]) << "step " << k;
    }
    EXPECT_GE(iconsNear.size(), 3u);
    EXPECT_GE(roomsEntered, 1);
    // The land's record kept what the replay did: icons were carried into rooms.
    EXPECT_GE(iconsInRooms(Game().Record(land)), 1);
}

INSTANTIATE_TEST_SUITE_P(EachShippedDemo, DemoReplay, ::testing::Values(0, 1, 2));

TEST(DemoRecorder, RecordsTheSameBytesEveryRun) {
    test_support::ScratchDir out;
    const std::string command = std::string(TW_BINARY_DIR) + "/demogen \"" + DataDir() + "\" \"" + out.Path().string() +
                                "\" > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (int which = 0; which < 3; ++which) {
        const std::string name = world::DemoFileName(which);
        const std::vector<char> again = Bytes(out.Path() / name);
        EXPECT_EQ(again.size(), world::kDemoBytes) << name;
        EXPECT_TRUE(again == Bytes(std::filesystem::path(DataDir()) / name)) << name << " differs";
    }
}

}  // namespace
