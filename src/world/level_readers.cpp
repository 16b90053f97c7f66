// The four readers: each one's section table, limits and special rules.
#include <algorithm>
#include <memory>

#include "platform/clock.h"
#include "platform/crt_random.h"
#include "sprites/loading_animation.h"
#include "world/land_record.h"
#include "world/level_load.h"
#include "world/pedestal_strip.h"

namespace world {

namespace {

using platform::RECT;
constexpr int kLemonLightOff = -500;

std::vector<lnd::Spot> ReadSpots(LevelStream& in, uint32_t count) {
    std::vector<lnd::Spot> spots;
    spots.reserve(std::min<uint64_t>(count, in.Remaining() / lnd::kSpotSize));
    for (uint32_t i = 0; i < count && in.Ok(); ++i) {
        lnd::Spot spot;
        spot.x = in.I32();
        spot.y = in.I32();
        if (in.Ok()) spots.push_back(spot);
    }
    return spots;
}

// Thirty random swaps from a generator seeded with the calendar time.
void ShuffleSpots(std::vector<lnd::Spot>& spots) {
    platform::srand(static_cast<unsigned>(platform::CalendarSeconds()));
    const int64_t last = static_cast<int64_t>(spots.size()) - 1;
    for (int n = 0; n < 30; ++n) {
        const int64_t i = platform::rand() * last / platform::RAND_MAX_VALUE;
        const int64_t j = platform::rand() * last / platform::RAND_MAX_VALUE;
        // With fewer than two spots there is nothing to swap.
        if (last >= 1) std::swap(spots[i], spots[j]);
    }
}

// A fresh icon table (first slot at location 100) takes its 24 positions from
// the spots and draws the land's eight categories.
void SeedIconTable(LandRecord* record, const std::vector<lnd::Spot>& spots) {
    if (!record || record->icon[0].location != 100) return;
    for (int i = 0; i < lnd::kLandIconSlots; ++i) {
        // A level with fewer than 24 spots reuses them rather than inventing
        // positions; one without spots puts the icons at the map's corner.
        const lnd::Spot spot = spots.empty() ? lnd::Spot{} : spots[i % spots.size()];
        record->icon[i] = LandEntry{-1, spot.x, spot.y, 0};
    }
    platform::srand(platform::timeGetTime());
    int32_t* c = record->category;
    for (int k = 0; k < 4; ++k) {
        bool repeated;
        do {
            c[k] = platform::rand() % 6;
            repeated = std::find(c, c + k, c[k]) != c + k;
        } while (repeated);
    }
    for (int k = 4; k < 8; ++k) c[k] = platform::rand() % 6;
}

const char* DifficultyName(int difficulty, const char* easy, const char* medium, const char* hard) {
    return difficulty == 3 ? hard : difficulty == 2 ? medium : easy;
}

}  // namespace

std::string PostFlagBitmap(uint32_t kind, int difficulty, const int32_t* categories, int32_t* frameCount) {
    static const char* const kFirst[6] = {
        "..\\..\\icons\\balls\\tbalflag.bmp",  "..\\..\\icons\\Crockery\\TpotFlag.bmp",
        "..\\..\\icons\\footware\\hHeelflg.bmp", "..\\..\\icons\\fruit\\applflag.bmp",
        "..\\..\\icons\\hats\\tophtflg.bmp",   "..\\..\\icons\\Sweets\\cndyflag.bmp"};
    static const char* const kSecond[6] = {
        "..\\..\\icons\\balls\\ballflag.bmp",  "..\\..\\icons\\Crockery\\crockflg.bmp",
        "..\\..\\icons\\footware\\shoeflag.bmp", "..\\..\\icons\\fruit\\fruitflg.bmp",
        "..\\..\\icons\\hats\\hatflag.bmp",    "..\\..\\icons\\Sweets\\sweetflg.bmp"};
    int which = 0;
    if (difficulty != 3 && kind >= lnd::actor::kIconPostFirst) which = static_cast<int>(kind - lnd::actor::kIconPostFirst);
    int32_t category = categories ? categories[std::clamp(which, 0, 2)] : 0;
    if (category < 0 || category > 5) category = 0;  // a damaged record
    if (frameCount) *frameCount = difficulty == 1 ? 7 : 5;
    return difficulty == 1 ? kFirst[category] : kSecond[category];
}

int LoadLand(const char* fileName, sprites::LoadingAnimation* loading, const LandContext& context,
             LandPlace* place) {
    LevelLoad load(fileName, context.world, lnd::Reader::Land, place);
    load.footprintCheck = true;
    if (!load.Opening(loading, 370, 670)) return 0;
    LevelStream& in = load.In();
    const int32_t* categories = context.record ? context.record->category : nullptr;

    const bool clean = load.Sections([&](uint32_t type, uint32_t count) {
        switch (type) {
            case lnd::kIconSpots: {
                in.Skip(lnd::kNameSize);
                place->iconSpots = ReadSpots(in, count);
                place->iconBitmap = load.Folder() + DifficultyName(context.difficulty, "\\icons\\easyico.bmp",
                                                                   "\\icons\\medico.bmp", "\\icons\\hardico.bmp");
                if (!in.Ok()) return;
                ShuffleSpots(place->iconSpots);
                SeedIconTable(context.record, place->iconSpots);
                break;
            }
            case lnd::kDoors:
                place->doorCount = 0;
                load.ReadRecords(count, lnd::kDoorRecordSize, lnd::kMaxDoorRecords, [&](uint32_t) {
                    const RECT area = in.Rect();
                    const uint32_t isDoor = in.U32();
                    const std::string name = in.Name();
                    if (!in.Ok()) return;
                    if (isDoor == 0) {
                        place->startArea = area;
                    } else if (place->doorCount < 3) {
                        place->doors[place->doorCount++] = DoorSlot{area, name};
                    } else {
                        // The fourth door (and any after it) is the main door.
                        place->mainDoor = DoorSlot{area, name};
                    }
                });
                break;
            case lnd::kAnimations:
                load.ReadAnimations(count, lnd::kMaxLandAnimPlacements);
                break;
            case lnd::kActors:
                load.ReadRecords(count, lnd::kActorRecordSize, lnd::kMaxActorRecords, [&](uint32_t) {
                    const ActorRecord actor = ReadActor(in);
                    if (!in.Ok()) return;
                    if (actor.kind == lnd::actor::kProximity) {
                        const Strip strip = load.LoadStrip(actor.bitmap, actor.frameCount);
                        const RECT foot{0, strip.height - 5, strip.width / strip.count, strip.height};
                        place->proximity = load.MakeAnimated(strip, actor.x, actor.y, foot, 100, true);
                    } else if (actor.kind == lnd::actor::kWatcher) {
                        if (place->watcherCount >= lnd::kMaxLandWatchers) return;
                        const Strip strip = load.LoadStrip(actor.bitmap, actor.frameCount);
                        auto* watcher = load.MakeAnimated(strip, actor.x, actor.y, RECT{0, 100, 0, 101}, 100, false);
                        watcher->paused = true;
                        place->watchers[place->watcherCount++] = watcher;
                    } else if (actor.kind >= 10 && actor.kind <= 12) {
                        const Strip post = load.LoadStrip(actor.bitmap, 1);
                        auto* sprite = new sprites::Sprite(load.World(), actor.x, actor.y, &post.frames[0], 0);
                        load.Place(sprite, RECT{0, post.height - 5, post.width, post.height});
                        int32_t flagFrames = 0;
                        const std::string flagName =
                            PostFlagBitmap(actor.kind, context.difficulty, categories, &flagFrames);
                        const Strip flag = load.LoadStrip(flagName, flagFrames);
                        auto* flagSprite =
                            new sprites::AnimatedSprite(load.World(), actor.x - 67, actor.y, &flag.frames[0], 0);
                        flagSprite->frames = flag.frames;
                        flagSprite->frameCount = flag.count;
                        flagSprite->frameDelay = 100;
                        flagSprite->hitBox = RECT{0, 0, 0, 0};
                        flagSprite->depth = sprite->depth;
                        load.Group()->Insert(flagSprite);
                        place->posts.push_back(IconPost{sprite, flagSprite});
                    }
                });
                break;
            case lnd::kZones:
                place->doorCount = 0;
                place->hotSpotCount = 0;
                load.ReadRecords(count, lnd::kZoneRecordSize, count, [&](uint32_t) {
                    const RECT area = in.Rect();
                    const uint32_t kind = in.U32();
                    if (!in.Ok()) return;
                    if (kind >= 1 && kind <= 3) {
                        place->doors[kind - 1].area = area;
                        place->doorCount = std::max(place->doorCount, static_cast<int>(kind));
                    } else if (kind == lnd::zone::kMainDoor) {
                        place->mainDoor.area = area;
                    } else if (kind == lnd::zone::kHotSpot && place->hotSpotCount < lnd::kMaxLandHotSpots) {
                        place->hotSpots[place->hotSpotCount++] = HotSpot{area, static_cast<int32_t>(kind)};
                    }
                });
                break;
        }
    });
    place->complete = clean ? 1 : 0;
    return place->complete;
}

namespace {

// Sections common to the two room readers; `zones` handles one zone record.
template <typename ActorFn, typename ZoneFn>
bool RoomSections(LevelLoad& load, RoomPlace* place, const std::string& iconBitmapFromName, bool nameGivesIcon,
                  ActorFn actors, ZoneFn zones) {
    LevelStream& in = load.In();
    return load.Sections([&](uint32_t type, uint32_t count) {
        switch (type) {
            case lnd::kIconSpots: {
                const std::string name = in.Name();
                place->iconSpots = ReadSpots(in, count);
                place->iconBitmap = load.Folder() + (nameGivesIcon ? name : iconBitmapFromName);
                break;
            }
            case lnd::kDoors:
                load.ReadRecords(count, lnd::kDoorRecordSize, lnd::kMaxDoorRecords, [&](uint32_t i) {
                    const RECT area = in.Rect();
                    in.Skip(4 + lnd::kNameSize);
                    if (in.Ok() && i == 0) place->exitArea = area;
                });
                break;
            case lnd::kAnimations:
                load.ReadAnimations(count, lnd::kMaxOtherAnimPlacements);
                break;
            case lnd::kActors:
                load.ReadRecords(count, lnd::kActorRecordSize, lnd::kMaxActorRecords, [&](uint32_t) {
                    const ActorRecord actor = ReadActor(in);
                    if (in.Ok()) actors(actor);
                });
                break;
            case lnd::kZones:
                load.ReadRecords(count, lnd::kZoneRecordSize, count, [&](uint32_t) {
                    const RECT area = in.Rect();
                    const uint32_t kind = in.U32();
                    if (in.Ok()) zones(area, kind);
                });
                break;
        }
    });
}

}  // namespace

int LoadSubRoom(const char* fileName, const RoomContext& context, RoomPlace* place) {
    LevelLoad load(fileName, context.world, lnd::Reader::SubRoom, place);
    load.absoluteReloadPath = true;
    if (!load.Opening(nullptr, 0, 0)) return 0;
    const std::string icon = DifficultyName(context.difficulty, "\\icons\\easyicon.bmp", "\\icons\\medicon.bmp",
                                            "\\icons\\hardicon.bmp");
    const bool clean = RoomSections(
        load, place, icon, false,
        [&](const ActorRecord& actor) {
            if (actor.kind == lnd::actor::kLockFish) {
                const Strip glow = load.LoadStrip(".\\graphics\\lockstuff\\fishglow.bmp", 3, true);
                const Strip quarters = load.LoadStrip(".\\graphics\\lockstuff\\fishclos.bmp", 4, true);
                sprites::FrameRecord* closed = load.NewFrames(9);
                for (int k = 0; k < 9; ++k) closed[k] = quarters.frames[k % 4];
                const RECT foot{0, 34, glow.width / 3, glow.height};
                auto* fish = load.MakeAnimated(glow, actor.x, actor.y, foot, 150, true);
                if (context.fishDone) {
                    fish->frames = closed;
                    fish->frameCount = 3;
                    fish->frameIndex = 3;
                    fish->frame = &closed[3];
                    fish->paused = true;
                    fish->FrameChanged(0);
                }
                place->fish = fish;
            } else if (actor.kind == lnd::actor::kPedestal) {
                // Four frames side by side: the rest frame and the finishing run.
                const Strip peds = load.LoadStrip(".\\graphics\\icons\\peds.bmp", pedestal::kFrames, true);
                auto* stand = new sprites::Sprite(load.World(), actor.x, actor.y, &peds.frames[pedestal::kRestFrame], 0);
                load.Place(stand, RECT{0, 16, peds.width / pedestal::kFrames, peds.height});
                place->pedestal = stand;
                place->pedestalFrames = peds.frames;
            }
        },
        [&](const RECT& area, uint32_t kind) {
            if (kind == lnd::zone::kHotSpot) place->hotSpot = area;
        });
    // The sign telling the room's set (by difficulty) lies centred on each
    // icon spot; it has no footprint, so it never blocks the dog.
    if (!place->iconSpots.empty()) {
        const Strip sign = load.LoadStrip(place->iconBitmap, 1, true);
        for (size_t i = 0; sign.frames[0].surface && i < place->iconSpots.size(); ++i) {
            const lnd::Spot& spot = place->iconSpots[i];
            auto* picture = new sprites::Sprite(load.World(), spot.x - sign.width / 2, spot.y - sign.height / 2,
                                                &sign.frames[0], 0);
            load.Place(picture, RECT{0, 0, 0, 0});
            place->sign = picture;
        }
    }
    place->complete = clean ? 1 : 0;
    return place->complete;
}

int LoadMainSubRoom(const char* fileName, const RoomContext& context, RoomPlace* place) {
    LevelLoad load(fileName, context.world, lnd::Reader::MainSubRoom, place);
    load.absoluteReloadPath = true;
    if (!load.Opening(nullptr, 0, 0)) return 0;
    const bool clean = RoomSections(
        load, place, std::string(), true,
        [&](const ActorRecord& actor) {
            if (actor.kind == lnd::actor::kLemon) {
                const Strip lemon = load.LoadStrip(".\\graphics\\lockstuff\\lemon.bmp", 1, true);
                auto* sprite = new sprites::Sprite(load.World(), actor.x, actor.y, &lemon.frames[0], 0);
                load.Place(sprite, RECT{0, lemon.height - 10, lemon.width, lemon.height});
                place->lemon = sprite;
                const Strip red = load.LoadStrip(".\\graphics\\lockstuff\\redlight.bmp", 1, true);
                const Strip green = load.LoadStrip(".\\graphics\\lockstuff\\greenlight.bmp", 1, true);
                for (int k = 0; k < 4; ++k) {
                    auto* light = new sprites::Sprite(load.World(), kLemonLightOff, actor.y + 6,
                                                      k == 0 ? &red.frames[0] : &green.frames[0],
                                                      sprite->depth + (k == 0 ? 1 : 2));
                    light->hitBox = RECT{0, 0, 0, 0};
                    load.Group()->Insert(light);
                    place->lights[k] = light;
                }
            } else if (actor.kind == lnd::actor::kLever) {
                const Strip lever = load.LoadStrip(".\\graphics\\lockstuff\\lever.bmp", 4, true);
                auto* sprite = new sprites::Sprite(load.World(), actor.x, actor.y, &lever.frames[0], 0);
                load.Place(sprite, RECT{0, lever.height - 10, lever.width, lever.height});
                place->lever = sprite;
                place->leverFrames = lever.frames;
            } else {
                const Strip strip = load.LoadStrip(actor.bitmap, actor.frameCount);
                const RECT foot{0, strip.height - 15, strip.width / strip.count, strip.height};
                auto* sprite = load.MakeAnimated(strip, actor.x, actor.y, foot, 100, true);
                (actor.kind == lnd::actor::kStripB ? place->stripB : place->stripA) = sprite;
            }
        },
        [&](const RECT& area, uint32_t kind) {
            if (kind == lnd::zone::kDenExit) place->denExitArea = area;
            else if (kind == lnd::zone::kRoomExit) place->exitArea = area;
            else if (kind == lnd::zone::kHotSpot) place->hotSpot = area;
        });
    static const char* const kFish[7] = {"FishA.bmp", "FishB.bmp", "FishC.bmp", "FishD.bmp",
                                         "FishE.bmp", "FishF.bmp", "FishG.bmp"};
    for (int k = 0; k < 7; ++k) {
        const Strip fish = load.LoadStrip(std::string(".\\graphics\\lockstuff\\") + kFish[k], 1, true);
        place->fishFrames[k] = fish.frames[0];
    }
    place->complete = clean ? 1 : 0;
    return place->complete;
}

int LoadDen(const char* fileName, sprites::SpriteWorld* world, DenPlace* place) {
    LevelLoad load(fileName, world, lnd::Reader::Den, place);
    // The den's image surfaces go to its group too, so they are released
    // with the den rather than left behind.
    load.registerImages = false;
    auto loading = std::make_unique<sprites::LoadingAnimation>();
    if (!load.Opening(world && world->display ? loading.get() : nullptr, 400, 670)) return 0;
    LevelStream& in = load.In();
    const bool clean = load.Sections([&](uint32_t type, uint32_t count) {
        switch (type) {
            case lnd::kAnimations:
                load.ReadAnimations(count, lnd::kMaxOtherAnimPlacements);
                break;
            case lnd::kActors:
                load.ReadRecords(count, lnd::kActorRecordSize, count, [&](uint32_t) {
                    const ActorRecord actor = ReadActor(in);
                    if (!in.Ok()) return;
                    if (actor.kind >= 20 && actor.kind <= 25) {
                        const Strip strip = load.LoadStrip(actor.bitmap, actor.frameCount);
                        const RECT foot{0, strip.height - 15, strip.width / strip.count, strip.height};
                        place->members[actor.kind - 20] = load.MakeAnimated(strip, actor.x, actor.y, foot, 100, true);
                    } else if (actor.kind >= 10 && actor.kind <= 15) {
                        const Strip piece = load.LoadStrip(actor.bitmap, 1);
                        auto* sprite = new sprites::Sprite(load.World(), actor.x, actor.y, &piece.frames[0], 0);
                        load.Place(sprite, RECT{0, piece.height - 1, piece.width, piece.height});
                        place->pieces[actor.kind - 10] = sprite;
                    }
                });
                break;
            case lnd::kZones:
                load.ReadRecords(count, lnd::kZoneRecordSize, count, [&](uint32_t) {
                    const RECT area = in.Rect();
                    const uint32_t kind = in.U32();
                    if (in.Ok() && kind >= 1 && kind <= lnd::kDenZoneCount) place->rects[kind - 1] = area;
                });
                break;
        }
    });
    place->complete = clean ? 1 : 0;
    return place->complete;
}

}  // namespace world
