#include "demogen/demo_recording.h"

#include <cstring>
#include <vector>

#include "bot/hands.h"
#include "bot/land_pilot.h"
#include "land/land_screen.h"
#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "shell/app_state.h"
#include "shell/game_app.h"
#include "shell/prefs_file.h"
#include "shell/startup_prefs.h"
#include "world/demo_file.h"
#include "world/game_services.h"
#include "world/land_file_format.h"
#include "world/land_file_reader.h"
#include "world/land_files.h"
#include "world/land_record.h"
#include "world/player_dog.h"

namespace demogen {
namespace {

constexpr uint32_t kFrameMs = 40;
// Steps recorded: the record after the last one keeps the end mark.
constexpr int kSteps = world::kDemoSteps - 10;
constexpr int kMaxFrames = 6000;
constexpr unsigned kSeed = 7;

platform::LRESULT QuietWindow(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                              platform::LPARAM lParam) {
    return platform::DefWindowProc(window, message, wParam, lParam);
}

platform::HWND MakeWindow() {
    platform::WNDCLASS cls;
    cls.lpfnWndProc = QuietWindow;
    cls.lpszClassName = "Tunewander";
    platform::RegisterClass(cls);
    return platform::CreateWindowEx(0, "Tunewander", "Tunewander", platform::WS_POPUP | platform::WS_SYSMENU, 0, 0,
                                    640, 480);
}

// A frame as the main loop runs it: the waiting messages, then the tick.
void Frame(shell::GameApp& game) {
    platform::manual_clock::Advance(kFrameMs);
    platform::MSG message;
    while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
        game.HandleMessage(message.hwnd, message.message, message.wParam, message.lParam);
    }
    game.Tick();
}

void WriteI32(uint8_t* at, int32_t value) { std::memcpy(at, &value, 4); }

// Fills the land's record as a first visit would, but with the icons on the
// level's spots in file order and fixed categories (a first visit shuffles
// them by the calendar). Returns the start: the land's own start position,
// in the open land.
bool PrepareStart(shell::GameApp& game, const DemoPlan& plan, world::SavedSlot* start, std::string* error) {
    std::string level, song;
    world::LevelFiles(plan.land, plan.difficulty, &level, &song);
    world::lnd::LandFileData data;
    if (!world::lnd::ReadLandFile(level, &data, error)) return false;
    std::vector<world::lnd::Spot> spots;
    const world::lnd::Door* home = nullptr;
    for (const world::lnd::Section& section : data.sections) {
        spots.insert(spots.end(), section.spots.begin(), section.spots.end());
        for (const world::lnd::Door& door : section.doors) {
            if (!door.isDoor && !home) home = &door;
        }
    }
    if (spots.empty() || !home) {
        *error = level + " has no icon spots or no start area";
        return false;
    }
    world::LandRecord& record = game.Record(plan.land);
    for (int i = 0; i < world::kMaxIcons; ++i) {
        const world::lnd::Spot& spot = spots[i % spots.size()];
        record.icon[i] = world::LandEntry{world::kInLand, spot.x, spot.y, 0};
    }
    for (int k = 0; k < 8; ++k) record.category[k] = (plan.land + k) % 6;
    start->marker = "Demo";
    start->difficulty = plan.difficulty;
    start->land = plan.land;
    start->x = home->area.left + 20;
    start->y = home->area.bottom + 50;
    start->room = -1;
    for (int land = 0; land < world::kLandCount; ++land) start->records[land] = game.Record(land);
    return true;
}

// Plays the demo's land from `start` with the pilot at the keys until the
// recording is full, and takes the demo buffer with its end mark.
void RecordSteps(shell::GameApp& game, const world::SavedSlot& start, RecordedDemo* out, std::string* error) {
    auto demo = std::make_unique<uint8_t[]>(world::kDemoBytes);
    std::memset(demo.get(), 0, world::kDemoBytes);
    world::WriteDemoHeader(start, demo.get());
    // Started as the intro starts a demo, so that the land screen sets the
    // demo up as for playback (the cat sits it out) ...
    game.StartDemo(std::move(demo), start);
    Frame(game);
    // ... and then recorded instead of played.
    game.demoRunning = 0;
    game.demoScratch = 1;
    platform::srand(kSeed);  // the level reader seeded it by the calendar
    bot::Hands hands;
    bot::LandPilot pilot(&hands, false);
    for (int frame = 0; frame < kMaxFrames && game.landScreen && game.landScreen->player; ++frame) {
        if (game.landScreen->player->recordingIndex >= kSteps) break;
        pilot.Steer(*game.landScreen);
        Frame(game);
    }
    game.demoScratch = 0;
    for (int key : {platform::VK_UP, platform::VK_DOWN, platform::VK_LEFT, platform::VK_RIGHT, platform::VK_SPACE}) {
        platform::headless::KeyUp(key);
    }
    out->steps = game.landScreen && game.landScreen->player ? game.landScreen->player->recordingIndex : 0;
    if (out->steps < kSteps) {
        *error = "the recording stopped after " + std::to_string(out->steps) + " steps";
        return;
    }
    out->iconsPickedUp = pilot.Tally().iconsCarried;
    out->iconsDelivered = pilot.Tally().iconsPlaced;
    out->bytes = std::move(game.demoData);
    uint8_t* end = out->bytes.get() + world::kDemoStepsOffset + world::kDemoStepBytes * out->steps;
    std::memset(end, 0, world::kDemoStepBytes);
    WriteI32(end + 12, -1);
}

}  // namespace

RecordedDemo RecordDemo(const DemoPlan& plan, std::string* error) {
    RecordedDemo out;
    shell::ResetApp();
    shell::App().prefs = std::make_unique<shell::PrefsFile>("prefs.ini");
    shell::App().startup = shell::ReadStartupPrefs(*shell::App().prefs, nullptr);
    platform::SetCursorPos(320, 240);
    platform::HWND window = MakeWindow();
    {
        shell::GameApp game(window);
        world::SavedSlot start;
        if (!game.Init()) {
            *error = "the game could not start";
        } else {
            // Records drawn from a fixed seed, not from how long start-up took.
            platform::srand(kSeed);
            for (int land = 0; land < world::kLandCount; ++land) world::InitLandRecord(&game.Record(land));
            if (PrepareStart(game, plan, &start, error)) RecordSteps(game, start, &out, error);
        }
    }
    platform::DestroyWindow(window);
    shell::ResetApp();
    return out;
}

}  // namespace demogen
