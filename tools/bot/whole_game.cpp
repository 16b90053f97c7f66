#include "bot/whole_game.h"

#include <deque>
#include <memory>

#include "bot/game_steps.h"
#include "bot/land_pilot.h"
#include "land/land_screen.h"
#include "land/room.h"
#include "menus/options_menu.h"
#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/headless.h"
#include "platform/messages.h"
#include "screens/den_screen.h"
#include "screens/intro_screen.h"
#include "shell/app_state.h"
#include "shell/entry.h"
#include "shell/game_app.h"
#include "world/game_services.h"
#include "world/player_dog.h"

namespace bot {
namespace {

constexpr uint32_t kFrameMs = 40;
constexpr unsigned kSeed = 5;
constexpr int kMoviePassesBeforeKey = 20;
constexpr uint64_t kLandFrames = 15 * 60 * 1000 / kFrameMs;

// One thing the child does at the keyboard, then waits a few frames.
struct Action {
    int key = 0;       // tapped, or 0
    int wait = 4;      // frames after it
    std::string shot;  // taken after the wait, or ""
};

Action Tap(int key, int wait = 4, const char* shot = "") { return Action{key, wait, shot}; }
Action Wait(int frames, const char* shot) { return Action{0, frames, shot}; }

class Driver {
public:
    WholeGame out;

    // Each pass of the main loop; a frame of the game follows when nothing waits.
    void Pass() {
        shell::AppState& app = shell::App();
        if (app.moviePhase != shell::kNoMovie) {
            Note(app.moviePhase == shell::kLogoMovie ? "logo movie" : "main movie");
            if (app.moviePhase != moviePhase_) {
                moviePhase_ = app.moviePhase;
                moviePasses_ = 0;
            }
            // A child who has seen it before skips it.
            if (++moviePasses_ == kMoviePassesBeforeKey) {
                platform::headless::KeyDown(platform::VK_ESCAPE);
                platform::headless::KeyUp(platform::VK_ESCAPE);
            }
            return;
        }
        if (!app.game || !app.active || done_) return;
        platform::MSG waiting;
        if (platform::PeekMessage(&waiting, nullptr, 0, 0, platform::PM_NOREMOVE)) return;
        if (!seeded_) {
            platform::srand(kSeed);  // start-up seeded it by the clock
            seeded_ = true;
        }
        platform::manual_clock::Advance(kFrameMs);
        shell::GameApp& game = *app.game;
        Note(StateName(game));
        ++stepFrames_;
        Step(game);
    }

private:
    static std::string StateName(shell::GameApp& game) {
        if (game.optionsMenu) return "game menu";
        switch (game.currentState) {
            case world::kStateIntro:
                return game.introScreen && game.introScreen->menuState == 1 ? "title menu" : "title";
            case world::kStateDen: return "den";
            case world::kStateLand: return "land";
            default: return "";
        }
    }
    void Note(const std::string& name) {
        if (!name.empty() && (out.states.empty() || out.states.back() != name)) out.states.push_back(name);
    }
    void Shot(const std::string& name) { out.shots.push_back({name, platform::CaptureScreen()}); }
    void Next() {
        ++step_;
        stepFrames_ = 0;
    }
    void Fail(const std::string& why) {
        if (out.error.empty()) out.error = why;
        Quit();
    }
    void Quit() {
        done_ = true;
        hands_.ReleaseAll();
        platform::headless::RequestClose();
    }
    // Plays the queued actions; true when they are all done.
    bool Play() {
        hands_.BeforeFrame();
        if (actions_.empty()) return true;
        Action& a = actions_.front();
        if (a.key) {
            hands_.Tap(a.key);
            a.key = 0;
        } else if (--a.wait <= 0) {
            if (!a.shot.empty()) Shot(a.shot);
            actions_.pop_front();
        }
        return false;
    }
    void Queue(std::initializer_list<Action> actions) { actions_.insert(actions_.end(), actions); }

    void Step(shell::GameApp& game) {
        screens::DenScreen* den = game.denScreen.get();
        switch (step_) {
            case 0:  // the title, its animation under way
                if (game.currentState == world::kStateIntro && stepFrames_ >= 75) {
                    Shot("01_title.png");
                    Queue({Tap('A', 10, "02_title_menu.png"), Tap(platform::VK_RETURN, 60, "03_den.png")});
                    Next();
                } else if (stepFrames_ > 500) {
                    Fail("the title never came");
                }
                return;
            case 1:
                if (!Play()) return;
                if (game.currentState != world::kStateDen || !den) return Fail("the new game did not open the den");
                door_ = std::make_unique<DenDoorStep>(world::kCeltic);
                Next();
                return;
            case 2: {
                bool failed = false;
                if (door_->Steer(game, hands_, &failed)) {
                    Queue({Wait(50, "04_lock_room.png")});
                    pilot_ = std::make_unique<LandPilot>(&hands_, true);
                    Next();
                } else if (failed || stepFrames_ > 1500) {
                    Fail("no way through the den to the celtic door");
                }
                return;
            }
            case 3: {
                if (!Play()) return;
                if (game.currentState == world::kStateDen) {
                    out.celtic.land = world::kCeltic;
                    out.celtic.finished = true;
                    out.celtic.tally = pilot_->Tally();
                    out.celtic.minutes = stepFrames_ * kFrameMs / 60000.0;
                    Queue({Wait(60, "07_den_member_joined.png")});
                    Next();
                    return;
                }
                land::LandScreen* land = game.landScreen.get();
                if (!land || stepFrames_ > kLandFrames || !pilot_->GaveUp().empty()) {
                    out.celtic.reason = pilot_->GaveUp().empty() ? "out of time" : pilot_->GaveUp();
                    return Fail("the celtic land was not finished: " + out.celtic.reason);
                }
                pilot_->Steer(*land);
                // Pictures along the way: the open land a little after the
                // dog first walks out, a sub-room just after its first icon.
                const bool open = !land->activeRoom && land->player && land->player->mode != world::PlayerDog::kDoor;
                openFrames_ = open ? openFrames_ + 1 : 0;
                if (openFrames_ == 50 && !shotLand_) {
                    shotLand_ = true;
                    Shot("05_land.png");
                }
                if (!shotRoom_ && land->activeRoom && land->currentRoom >= 0 && land->currentRoom < 3 &&
                    land->activeRoom->PlacedCount() >= 1 && ++roomFrames_ == 20) {
                    shotRoom_ = true;
                    Shot("06_sub_room.png");
                }
                return;
            }
            case 4:
                if (!Play()) return;
                if (!MemberShown(game, world::kCeltic)) return Fail("the celtic member is not in the den");
                // The panel: the member takes part 5.
                Queue({Tap(platform::VK_SPACE, 8), Tap(platform::VK_UP, 6), Tap(platform::VK_RETURN, 30, "08_den_member_playing.png")});
                Next();
                return;
            case 5:
                if (!Play()) return;
                if (!den || den->MemberCount() != 1) return Fail("the member does not play in the den");
                // Escape, save into the first slot, quit to the title.
                Queue({Tap(platform::VK_ESCAPE, 6, "09_game_menu.png"),
                       Tap(platform::VK_DOWN),
                       Tap(platform::VK_RETURN, 6, "10_save.png"),
                       Tap(platform::VK_RETURN, 6),
                       Tap(platform::VK_DOWN),
                       Tap(platform::VK_DOWN),
                       Tap(platform::VK_DOWN),
                       Tap(platform::VK_RETURN),
                       Tap(platform::VK_RETURN, 20)});
                Next();
                return;
            case 6:
                if (!Play()) return;
                if (game.currentState != world::kStateIntro) {
                    return Fail("quit to title did not reach the title (menu " +
                                std::to_string(game.optionsMenu ? game.optionsMenu->menuState : -1) + ", panel " +
                                std::to_string(den && den->dog ? den->dog->panelOpen : -1) + ")");
                }
                // The title's menu: load the first slot.
                Queue({Tap('A', 6), Tap(platform::VK_DOWN), Tap(platform::VK_RETURN, 6), Tap(platform::VK_RETURN, 40, "11_den_loaded.png")});
                Next();
                return;
            case 7:
                if (!Play()) return;
                if (game.currentState != world::kStateDen || !den) return Fail("loading did not open the den");
                if (den->MemberCount() != 1) return Fail("the loaded den lost the playing member");
                // Escape and quit.
                Queue({Tap(platform::VK_ESCAPE, 6), Tap(platform::VK_DOWN), Tap(platform::VK_DOWN), Tap(platform::VK_DOWN),
                       Tap(platform::VK_DOWN), Tap(platform::VK_DOWN), Tap(platform::VK_RETURN), Tap(platform::VK_RETURN, 10)});
                Next();
                return;
            case 8:
                if (!Play()) return;
                if (stepFrames_ > 200) Fail("quit did not end the game");
                return;
        }
    }

    Hands hands_;
    std::deque<Action> actions_;
    std::unique_ptr<DenDoorStep> door_;
    std::unique_ptr<LandPilot> pilot_;
    int step_ = 0;
    uint64_t stepFrames_ = 0;
    int moviePhase_ = -1, moviePasses_ = 0, openFrames_ = 0, roomFrames_ = 0;
    bool seeded_ = false, done_ = false, shotLand_ = false, shotRoom_ = false;
};

}  // namespace

std::vector<std::string> ExpectedWholeGameStates() {
    return {"logo movie", "main movie", "title", "title menu", "den",  "land",
            "den",        "game menu",  "title", "title menu", "den", "game menu"};
}

WholeGame PlayWholeGame() {
    Driver driver;
    shell::RunOptions options;
    options.headless = true;
    options.maxVirtualMs = 40 * 60 * 1000;
    options.eachPass = [&driver] { driver.Pass(); };
    driver.out.exitCode = shell::RunGame(options);
    return std::move(driver.out);
}

}  // namespace bot
