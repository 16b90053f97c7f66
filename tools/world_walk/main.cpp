// world_walk: walks the dog through a land (or a sub-room) headless, with the
// cat and the land's icons carrying the parts of its song, before the land
// screen exists. The arrow keys go through the input state as the window's
// key messages would deliver them; the view follows the dog; screenshots and
// the sound that came out are written to the output folder.
//
//   world_walk <data folder> <out folder> [--land 0..5 | --room 1..3 | --all]
//              [--difficulty 1..3] [--seconds s] [--shots n]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/headless_stage.h"
#include "audio/fx_player.h"
#include "audio/land_sprite.h"
#include "audio/sequencer.h"
#include "display/display.h"
#include "land/land_record.h"
#include "platform/clock.h"
#include "platform/ddraw_emulation.h"
#include "platform/dsound.h"
#include "platform/dsound_card.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/video_out.h"
#include "shell/game_app.h"
#include "sprites/loading_animation.h"
#include "sprites/sprite_world.h"
#include "world/actor_rules.h"
#include "world/player_dog.h"
#include "world/roaming_cat.h"

namespace {

constexpr unsigned kRate = 22050;
constexpr uint32_t kFrameMs = 40;

struct Options {
    std::string data, out;
    std::vector<int> lands;  // 0..5 lands, 11..13 sub-rooms
    int difficulty = 1;
    double seconds = 24;
    int shots = 4;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: world_walk <data folder> <out folder> [--land 0..5 | --room 1..3 | --all]\n"
                 "                  [--difficulty 1..3] [--seconds s] [--shots n]\n");
    return 2;
}

// The walk: each arrow combination held for a while, turning round the map.
struct Leg {
    int keys[2];
    uint32_t ms;
};
const Leg kWalk[] = {
    {{platform::VK_RIGHT, 0}, 3000}, {{platform::VK_DOWN, 0}, 2500}, {{platform::VK_RIGHT, platform::VK_DOWN}, 2000},
    {{0, 0}, 1500},                  {{platform::VK_LEFT, 0}, 3500}, {{platform::VK_UP, platform::VK_LEFT}, 2000},
    {{platform::VK_UP, 0}, 2500},    {{platform::VK_RIGHT, platform::VK_UP}, 2500}, {{0, 0}, 1000},
};

class Scene {
public:
    Scene(const Options& options, platform::HWND window, display::Display* display, platform::IDirectSound* ds)
        : options_(options), window_(window), display_(display), ds_(ds), game_(window) {}

    int Run(int which) {
        const bool room = which >= 11;
        std::string level, song;
        if (room) {
            const int n = which - 10;
            level = ".\\Subroom" + std::to_string(n) + "\\subroom" + std::to_string(n) + ".lnd";
            song = ".\\seq\\maze.xmi";
        } else if (!shell::LevelFiles(which, options_.difficulty, &level, &song)) {
            std::fprintf(stderr, "world_walk: no land %d\n", which);
            return 1;
        }
        const std::string name = room ? "subroom" + std::to_string(which - 10) : "land" + std::to_string(which);
        std::printf("%s: %s with %s\n", name.c_str(), level.c_str(), song.c_str());

        Sequencer sequencer(window_, ds_);
        ds_->AddRef();  // the synthesiser releases the device it was given
        SoundFormat format;
        format.outputRate = kRate;
        if (!sequencer.SQ_CreateVirtualSynth(format) || !sequencer.SQ_LoadInstrumentLibrary(".\\seq\\wavelib.txt") ||
            !sequencer.SQ_LoadSequenceFile(song.c_str())) {
            std::fprintf(stderr, "world_walk: the song %s could not be set up\n", song.c_str());
            return 1;
        }
        std::vector<int> tracks;
        for (uint32_t n = 0; n < sequencer.SequenceCount() && tracks.size() < 24; ++n) {
            const int id = sequencer.SQ_CreateTrack(n);
            sequencer.SQ_RestartTrack(id);
            sequencer.SQ_SetTrackLoops(id, 0);
            sequencer.SQ_SetTrackChannel(id, id);
            sequencer.SQ_SetTrackMute(id, 1);
            sequencer.SQ_SetTrackVolume(id, -10000);
            tracks.push_back(id);
        }
        sequencer.SQ_UnloadSequenceFile();
        sequencer.SQ_LoadTrackInstruments();
        FxPlayer effects(window_, ds_, 30);
        effects.LoadFXLib(".\\seq\\fxlib.txt");
        game_.effectsPlayer = &effects;
        game_.difficulty = options_.difficulty;

        int result = 0;
        {
            sprites::SpriteWorld world(display_);
            land::LandRecord record{};
            record.icon[0].location = 100;
            world::LandPlace landPlace;
            world::RoomPlace roomPlace;
            world::PlaceCommon* common = room ? static_cast<world::PlaceCommon*>(&roomPlace) : &landPlace;
            int loaded;
            if (room) {
                loaded = world::LoadSubRoom(level.c_str(), world::RoomContext{&world, options_.difficulty, 0},
                                            &roomPlace);
            } else {
                sprites::LoadingAnimation loading;
                loaded = world::LoadLand(level.c_str(), &loading,
                                         world::LandContext{&world, options_.difficulty, &record}, &landPlace);
            }
            if (!common->group) {
                std::fprintf(stderr, "world_walk: %s could not be read\n", level.c_str());
                game_.effectsPlayer = nullptr;
                return 1;
            }
            if (!loaded) std::printf("  (the level file ended early; walking what was read)\n");
            result = Walk(name, world, room, landPlace, roomPlace, record, sequencer, tracks);
            // Sprites of the scene go with the world's groups.
        }
        sequencer.SQ_Stop();
        sequencer.SQ_Destroy();
        game_.effectsPlayer = nullptr;
        return result;
    }

private:
    int Walk(const std::string& name, sprites::SpriteWorld& world, bool room, world::LandPlace& landPlace,
             world::RoomPlace& roomPlace, land::LandRecord& record, Sequencer& sequencer,
             const std::vector<int>& tracks) {
        world::PlaceCommon& common = room ? static_cast<world::PlaceCommon&>(roomPlace) : landPlace;
        sprites::SpriteGroup* group = common.group;
        world::Background& map = *world.background;

        // The icons: one per track, at the icon table's places (the room's
        // spots in a sub-room), each with the sparkle over it.
        sprites::FrameRecord* iconFrame = nullptr;
        if (platform::dd::Surface* s = display_->GPLoadBitmap(common.iconBitmap.c_str(), 1, 1)) {
            display_->GPSetColorKey(s, 0xFF00);
            group->AddSurface(s, common.iconBitmap.c_str());
            auto table = std::make_unique<sprites::FrameRecord[]>(1);
            table[0] = sprites::FrameRecord{s, platform::RECT{0, 0, s->Width(), s->Height()}};
            iconFrame = group->AddFrameTable(std::move(table));
        }
        sprites::FrameRecord* sparkles = nullptr;
        if (platform::dd::Surface* s = display_->GPLoadBitmap(".\\graphics\\icons\\sparkles.bmp", 1, 1)) {
            display_->GPSetColorKey(s, 0xFF00);
            group->AddSurface(s, ".\\graphics\\icons\\sparkles.bmp");
            auto table = std::make_unique<sprites::FrameRecord[]>(LandSprite::kSparkleFrames);
            const int w = s->Width() / LandSprite::kSparkleFrames;
            for (int k = 0; k < LandSprite::kSparkleFrames; ++k) {
                table[k] = sprites::FrameRecord{s, platform::RECT{k * w, 0, k * w + w, s->Height()}};
            }
            sparkles = group->AddFrameTable(std::move(table));
        }
        std::vector<LandSprite*> icons;
        for (size_t i = 0; i < tracks.size(); ++i) {
            int32_t x = 0, y = 0;
            if (room) {
                // A room's own icons are the ones placed on its pedestal: six
                // in a row, each heard at the placed level.
                if (i >= 6) break;
                x = map.MapWidth() * static_cast<int32_t>(i + 1) / 7;
                y = map.MapHeight() / 3;
            } else {
                x = record.icon[i % 24].x;
                y = record.icon[i % 24].y;
            }
            auto* icon = new LandSprite(&world, x, y, iconFrame, &sequencer, static_cast<int32_t>(i), 0, sparkles);
            icon->depth = sprites::DepthKey(x, y, icon->hitBox.left, icon->hitBox.top);
            icon->SetSequence(tracks[i]);
            icon->location = room ? 0 : -1;
            icon->placed = room ? 1 : 0;
            group->Insert(icon);
            icons.push_back(icon);
        }

        // The dog, the cat, and the view.
        world::DogSurroundings around;
        around.kind = room ? world::DogPlace::Room : world::DogPlace::Land;
        around.land = room ? nullptr : &landPlace;
        around.room = room ? &roomPlace : nullptr;
        around.spriteGroup = group;
        around.offerToRoom = [](LandSprite*) { return false; };
        const platform::RECT start = room ? roomPlace.exitArea : landPlace.startArea;
        int32_t startX = start.left + 20, startY = start.bottom + (room ? 20 : 50);
        if (room && start.right == 0) {
            startX = map.MapWidth() / 2;
            startY = map.MapHeight() / 2;
        }
        const bool wet = !room && name == "land5";
        auto* dog = new world::PlayerDog(&world, group, &game_, startX, startY,
                                         wet ? ".\\Graphics\\chars\\jetdog.bmp" : ".\\Graphics\\chars\\mangopup.bmp",
                                         wet ? world::chars::DogLayout::Jet : world::chars::DogLayout::Ordinary,
                                         around);
        group->Insert(dog);
        dog->roomIndex = room ? 0 : -1;
        world::RoamingCat* cat = nullptr;
        if (!room) {
            cat = new world::RoamingCat(&world, group, 1325, 1550,
                                        wet ? ".\\Graphics\\chars\\blooncat.bmp" : ".\\Graphics\\chars\\sourpuss.bmp",
                                        wet ? world::chars::CatLayout::Balloon : world::chars::CatLayout::Ordinary);
            cat->dog = dog;
            group->Insert(cat);
            map.scrollX = map.scrollY = 0;
            map.CentreOn(dog->x, dog->y);
            dog->Arrive();
        } else {
            map.scrollX = world::kSubRoomScrollX;
            map.scrollY = world::kSubRoomScrollY;
        }

        platform::sound_card::StartCapture();
        sequencer.SQ_Play();
        const uint32_t total = static_cast<uint32_t>(options_.seconds * 1000);
        const uint32_t shotEvery = options_.shots > 0 ? total / static_cast<uint32_t>(options_.shots) : total + 1;
        uint32_t elapsed = 0, legEnd = 0, nextShot = shotEvery / 2, nextReport = 0;
        size_t leg = 0;
        int held[2] = {0, 0};
        int shot = 0;
        while (elapsed < total) {
            if (elapsed >= legEnd) {
                for (int key : held) {
                    if (key) game_.input.KeyUp(key);
                }
                const Leg& next = kWalk[leg++ % (sizeof kWalk / sizeof kWalk[0])];
                for (int k = 0; k < 2; ++k) {
                    held[k] = next.keys[k];
                    if (held[k]) game_.input.KeyDown(held[k]);
                }
                legEnd = elapsed + next.ms;
            }
            platform::manual_clock::Advance(kFrameMs);
            elapsed += kFrameMs;
            const uint32_t now = platform::timeGetTime();

            // What the land screen does each frame.
            world.AnimateAll(now);
            if (!room) {
                platform::RECT foot;
                dog->GetHitBox(&foot);
                world::UpdateProximity(landPlace.proximity, foot);
                for (int k = 0; k < landPlace.watcherCount; ++k) {
                    world::UpdateWatcher(landPlace.watchers[k], dog->x, dog->y);
                }
            }
            LandSprite* nearest = nullptr;
            int32_t nearestDistance = 0x7FFFFFFF;
            for (LandSprite* icon : icons) {
                if (icon->location != (room ? 0 : -1) || icon == dog->carried) {
                    if (icon != dog->carried) icon->Silence();
                    continue;
                }
                icon->Unsilence();
                const int32_t d = icon->UpdateSound(dog->x, dog->y);
                if (d < nearestDistance) {
                    nearestDistance = d;
                    nearest = icon;
                }
            }
            dog->nearest = nearest;
            dog->nearestDistance = nearestDistance;
            sequencer.SQ_LimitAudibleTracks(8);
            if (!room) {
                int32_t dx = 0, dy = 0;
                map.Follow(dog->x, dog->y, &dx, &dy);
            }
            world.DrawAll();
            display_->GPPageFlip();

            if (elapsed >= nextReport) {
                nextReport += 2000;
                const SeqTrack* t = nearest ? sequencer.Track(nearest->track) : nullptr;
                std::printf("  %5.1f s  dog (%d, %d) mode %d  view (%d, %d)  nearest icon %d at %d px: volume %d pan %d",
                            elapsed / 1000.0, dog->x, dog->y, dog->mode, map.scrollX, map.scrollY,
                            nearest ? nearest->iconIndex : -1, nearest ? nearestDistance : -1,
                            t ? t->volume.load() : 0, t ? t->pan.load() : 0);
                if (cat) std::printf("  cat (%d, %d) mode %d", cat->x, cat->y, cat->mode);
                std::printf("\n");
            }
            if (elapsed >= nextShot && shot < options_.shots) {
                nextShot += shotEvery;
                const std::string path = options_.out + "/" + name + "_" + std::to_string(++shot) + ".png";
                if (platform::WritePng(platform::dd::emulation::CaptureFrontBuffer(), path)) {
                    std::printf("  wrote %s\n", path.c_str());
                }
            }
        }
        for (int key : held) {
            if (key) game_.input.KeyUp(key);
        }
        sequencer.SQ_Stop();
        const std::vector<int16_t> frames = platform::sound_card::StopCapture();
        const std::string wave = options_.out + "/" + name + ".wav";
        if (!platform::sound_card::WriteCaptureWave(wave, frames, kRate)) {
            std::fprintf(stderr, "world_walk: cannot write %s\n", wave.c_str());
            return 1;
        }
        // Loudness of each second, so the walk can be read without listening.
        std::printf("  wrote %s (%.1f s); loudness per second (RMS, left/right):\n   ", wave.c_str(),
                    frames.size() / 2.0 / kRate);
        for (size_t second = 0; (second + 1) * kRate * 2 <= frames.size(); ++second) {
            double left = 0, right = 0;
            for (size_t i = second * kRate * 2; i < (second + 1) * kRate * 2; i += 2) {
                left += double(frames[i]) * frames[i];
                right += double(frames[i + 1]) * frames[i + 1];
            }
            std::printf(" %.0f/%.0f", std::sqrt(left / kRate), std::sqrt(right / kRate));
        }
        std::printf("\n");
        return 0;
    }

    const Options& options_;
    platform::HWND window_;
    display::Display* display_;
    platform::IDirectSound* ds_;
    shell::GameApp game_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    Options options;
    options.data = argv[1];
    options.out = std::filesystem::absolute(argv[2]).string();
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--all") {
            options.lands = {0, 1, 2, 3, 4, 5, 11};
        } else if (option == "--land" && hasValue) {
            options.lands.push_back(std::atoi(argv[++i]));
        } else if (option == "--room" && hasValue) {
            options.lands.push_back(10 + std::atoi(argv[++i]));
        } else if (option == "--difficulty" && hasValue) {
            options.difficulty = std::atoi(argv[++i]);
        } else if (option == "--seconds" && hasValue) {
            options.seconds = std::atof(argv[++i]);
        } else if (option == "--shots" && hasValue) {
            options.shots = std::atoi(argv[++i]);
        } else {
            return Usage();
        }
    }
    if (options.lands.empty()) options.lands = {0};
    if (options.difficulty < 1 || options.difficulty > 3 || options.seconds <= 0 || options.seconds > 600) {
        return Usage();
    }
    std::error_code ec;
    std::filesystem::create_directories(options.out, ec);

    tool_support::HeadlessStage stage;
    if (!stage.Open("world_walk", options.data, kRate)) return 1;
    platform::HWND window = stage.window;
    std::unique_ptr<display::Display>& display = stage.display;
    platform::IDirectSound* ds = stage.sound;

    int failures = 0;
    for (int which : options.lands) {
        Scene scene(options, window, display.get(), ds);
        failures += scene.Run(which) != 0;
    }
    ds->Release();
    display.reset();
    platform::DestroyWindow(window);
    return failures ? 1 : 0;
}
