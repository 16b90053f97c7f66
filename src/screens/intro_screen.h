#pragma once
// The title screen (state 8): the band picture with its musicians playing,
// the mascot and the title letters bobbing, over the band song with every
// member on part 1. Any key or click opens the title menu over it; twenty
// seconds on the title without one start a recorded demo.
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/band_mix.h"
#include "platform/ddraw.h"

namespace world {
class GameServices;
class TitleMenu;
}

namespace screens {

// Two switches of the preferences.
struct TitleSwitches {
    int animateSplash = 1;  // the mascot and the letters are drawn
    int animateIn = 0;      // with the mascot's entrance piece
};

class IntroScreen {
public:
    static constexpr uint32_t kStepMs = 100;
    static constexpr uint32_t kDemoAfterMs = 20000;
    static constexpr int kInputCountdown = 15;
    static constexpr int kMemberPart = 1;

    IntroScreen() = default;
    ~IntroScreen();
    IntroScreen(const IntroScreen&) = delete;
    IntroScreen& operator=(const IntroScreen&) = delete;

    // 1, or 0 when a picture or the band song is missing (the title then
    // runs on what it has).
    int Setup(world::GameServices* game);
    void Tick();
    // One step of the title animation, when 100 ms have passed since the
    // last one.
    void AnimationStep(uint32_t now);
    // Loads a demo at random and hands it to the game; false when the file
    // is missing or damaged (the title stays and tries again later).
    bool StartDemo();

    world::GameServices* game = nullptr;
    TitleSwitches switches;
    platform::dd::Surface* urlSurface = nullptr;
    platform::dd::Surface* splashSurface = nullptr;
    platform::dd::Surface* titleSurface = nullptr;
    platform::dd::Surface* mascotSurface = nullptr;
    std::unique_ptr<world::TitleMenu> menu;
    std::vector<int> trackIds;
    int memberValues[audio::kBandMembers] = {};
    uint32_t idleStart = 0;
    uint32_t lastStepTime = 0;
    int step = 0;
    int inputCountdown = 0;
    int menuState = 0;  // 0 the title, 1 the menu
    int frames = 0;
    int stepsDrawn = 0;
    // The channels drawn by the last step (for tests).
    std::vector<int> lastChannels;

private:
    void DrawChannel(int channel);
    void ApplyBandMix();
    void OpenMenu();
};

}  // namespace screens
