#include "world/level_load.h"

#include <algorithm>
#include <memory>

#include "platform/files.h"
#include "platform/system.h"
#include "sprites/loading_animation.h"

namespace world {

namespace {

constexpr platform::COLORREF kGreenKey = 0xFF00;
// A strip with more frames than this is a corrupt record.
constexpr int32_t kMaxStripFrames = 4096;

std::string FolderOf(const std::string& name) {
    const size_t cut = name.find_last_of("\\/");
    return cut == std::string::npos ? std::string(".") : name.substr(0, cut);
}

std::string CurrentDirectory() {
    char buffer[1024] = {};
    return platform::GetCurrentDirectory(sizeof buffer, buffer) ? std::string(buffer) : std::string(".");
}

}  // namespace

ActorRecord ReadActor(LevelStream& in) {
    ActorRecord actor;
    actor.kind = in.U32();
    actor.bitmap = in.Name();
    actor.frameCount = in.I32();
    actor.x = in.I32();
    actor.y = in.I32();
    return actor;
}

LevelLoad::LevelLoad(const char* fileName, sprites::SpriteWorld* world, lnd::Reader reader, PlaceCommon* place)
    : in_(fileName), world_(world), reader_(reader), place_(place) {
    place_->complete = 0;
    place_->folder = FolderOf(fileName ? fileName : "");
    if (!in_.Open() || !world_) return;
    changedDirectory_ = directory_.Enter(place_->folder.c_str()) != 0;
}

// directory_ puts the folder of the moment of construction back.
LevelLoad::~LevelLoad() = default;

sprites::FrameRecord* LevelLoad::NewFrames(int32_t count) {
    auto table = std::make_unique<sprites::FrameRecord[]>(static_cast<size_t>(std::max(count, 1)));
    return Group()->AddFrameTable(std::move(table));
}

platform::dd::Surface* LevelLoad::LoadKeyed(const std::string& name) {
    display::Display* display = world_->display;
    if (!display) return nullptr;
    platform::dd::Surface* surface = display->GPLoadBitmap(name.c_str(), 1, 1);
    if (!surface) return nullptr;
    display->GPSetColorKey(surface, kGreenKey);
    // The group holds the one reference and reloads it after a loss.
    if (!Group()->AddSurface(surface, name.c_str())) {
        surface->Release();
        return nullptr;
    }
    return surface;
}

platform::dd::Surface* LevelLoad::LoadKeyedFromGame(const std::string& name) {
    if (!changedDirectory_) return LoadKeyed(name);
    platform::ScopedCurrentDirectory placeFolder;  // back to the place's folder afterwards
    placeFolder.Enter(directory_.Saved().c_str());
    return LoadKeyed(name);
}

Strip LevelLoad::LoadStrip(const std::string& name, int32_t frameCount, bool fromGame) {
    Strip strip;
    platform::dd::Surface* surface = fromGame ? LoadKeyedFromGame(name) : LoadKeyed(name);
    strip.count = std::clamp(frameCount, 1, kMaxStripFrames);
    if (surface) {
        strip.width = surface->Width();
        strip.height = surface->Height();
    }
    strip.frames = NewFrames(strip.count);
    const int32_t n = strip.count, w = strip.width;
    for (int32_t k = 0; k < n; ++k) {
        const int32_t left = ((k % n) * w) / n;
        strip.frames[k] = sprites::FrameRecord{surface, platform::RECT{left, 0, left + w / n, strip.height}};
    }
    return strip;
}

void LevelLoad::Place(sprites::Sprite* sprite, const platform::RECT& footprint) {
    sprite->hitBox = footprint;
    sprite->depth = sprites::DepthKey(sprite->x, sprite->y, footprint.left, footprint.top);
    Group()->Insert(sprite);
}

sprites::AnimatedSprite* LevelLoad::MakeAnimated(const Strip& strip, int32_t x, int32_t y,
                                                 const platform::RECT& footprint, int32_t period,
                                                 bool backAndForth) {
    auto* sprite = new sprites::AnimatedSprite(world_, x, y, &strip.frames[0], 0);
    sprite->frames = strip.frames;
    sprite->frameCount = strip.count;
    sprite->frameDelay = period;
    sprite->pingPong = backAndForth;
    Place(sprite, footprint);
    return sprite;
}

bool LevelLoad::Opening(sprites::LoadingAnimation* loading, int32_t imageTarget, int32_t placementTarget) {
    if (!in_.Open() || !world_) return false;
    display::Display* display = world_->display;

    in_.Skip(lnd::kFileHeaderSize);
    place_->groupNumber = world_->AddGroup();
    place_->group = world_->GetGroup(place_->groupNumber);

    // The tile map.
    const std::string tileName = in_.Name();
    const int32_t tileWidth = in_.I32(), tileHeight = in_.I32();
    const int32_t columns = in_.I32(), rows = in_.I32();
    if (!in_.Ok()) return false;
    sprites::Background& map = *world_->background;
    map.Clear();
    if (display) display->GPLoadPalette(tileName.c_str());
    platform::dd::Surface* tiles = display ? display->GPLoadBitmap(tileName.c_str(), 0, 0) : nullptr;
    const platform::HWND window = display ? display->window : nullptr;
    if (tiles) {
        DebugTrace(window, 0, "Tiles are in video memory");
    } else {
        DebugTrace(window, 0, "Tiles aren't in video memory");
        tiles = display ? display->GPLoadBitmap(tileName.c_str(), 1, 0) : nullptr;
    }
    const std::string folder = absoluteReloadPath ? CurrentDirectory() : place_->folder;
    const std::string reloadPath = folder + "\\" + tileName;
    if (!tiles || !map.SetTileSet(tiles, reloadPath.c_str(), tileWidth, tileHeight)) {
        if (tiles) tiles->Release();
        // Without a usable tile set the map still has its size (cells show
        // black) so the view can follow the player over it.
        std::snprintf(map.reloadPath, sizeof map.reloadPath, "%s", reloadPath.c_str());
        map.tileWidth = std::max(tileWidth, 0);
        map.tileHeight = std::max(tileHeight, 0);
    }
    if (columns < 0 || rows < 0 || !in_.Fits(uint64_t(columns) * uint64_t(rows), 4)) return false;
    std::vector<int32_t> cells(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    for (auto& cell : cells) cell = in_.I32();
    if (!in_.Ok()) return false;
    map.SetCells(columns, rows, std::move(cells));

    // The image table.
    in_.Skip(lnd::kImageCountOffset);
    const uint32_t imageCount = in_.U32();
    if (!in_.Ok()) return false;
    // The table holds no more records than the rest of the file could.
    const uint32_t imageRoom =
        static_cast<uint32_t>(std::min<uint64_t>(imageCount, in_.Remaining() / lnd::kImageRecordSize));
    if (loading) loading->Start(display, static_cast<int32_t>(imageRoom), imageTarget);
    sprites::FrameRecord* images = NewFrames(static_cast<int32_t>(imageRoom));
    std::vector<platform::RECT> footprints(imageRoom);
    for (uint32_t i = 0; i < imageCount; ++i) {
        if (i >= imageRoom) return in_.Skip(lnd::kImageRecordSize);  // fails: the file is too short
        if (loading) loading->Step();
        const std::string name = in_.Name();
        platform::RECT footprint = in_.Rect();
        if (!in_.Ok()) return false;
        platform::dd::Surface* surface = nullptr;
        if (registerImages) {
            surface = LoadKeyed(name);
        } else if (display && (surface = display->GPLoadBitmap(name.c_str(), 1, 1))) {
            display->GPSetColorKey(surface, kGreenKey);
            // Kept by the group all the same, so that it is released with it.
            Group()->AddSurface(surface, name.c_str());
        }
        const int32_t w = surface ? surface->Width() : 0, h = surface ? surface->Height() : 0;
        images[i] = sprites::FrameRecord{surface, platform::RECT{0, 0, w, h}};
        if (footprintCheck) {
            const auto outside = [](int32_t v) { return v < 0 || v > lnd::kLandFootprintMax; };
            if (outside(footprint.left) || outside(footprint.top) || outside(footprint.right) ||
                outside(footprint.bottom)) {
                footprint = platform::RECT{0, 0, w, h};
            }
        }
        footprints[i] = footprint;
    }

    // The placements.
    const uint32_t placementCount = in_.U32();
    if (!in_.Ok()) return false;
    if (loading) {
        const uint64_t room = std::min<uint64_t>(placementCount, in_.Remaining() / lnd::kPlacementSize);
        loading->SetProgress(static_cast<int32_t>(room), placementTarget);
    }
    for (uint32_t i = 0; i < placementCount; ++i) {
        if (loading) loading->Step();
        const uint32_t image = in_.U32();
        const int32_t x = in_.I32(), y = in_.I32();
        if (!in_.Ok()) return false;
        if (image >= imageRoom) continue;  // names no image: nothing to show
        Place(new sprites::Sprite(world_, x, y, &images[image], 0), footprints[image]);
    }
    return true;
}

void LevelLoad::ReadAnimations(uint32_t count, int32_t placementLimit) {
    std::vector<Strip> strips;
    ReadRecords(count, lnd::kStripRecordSize, count, [&](uint32_t) {
        const std::string name = in_.Name();
        const platform::RECT footprint = in_.Rect();
        const int32_t frames = in_.I32();
        if (!in_.Ok()) return;
        Strip strip = LoadStrip(name, frames);
        strip.footprint = footprint;
        strips.push_back(strip);
    });
    const uint32_t placements = in_.U32();
    ReadRecords(placements, lnd::kAnimPlacementSize, static_cast<uint32_t>(placementLimit), [&](uint32_t) {
        const uint32_t index = in_.U32();
        const int32_t x = in_.I32(), y = in_.I32(), period = in_.I32(), flag = in_.I32();
        if (!in_.Ok() || index >= strips.size()) return;
        const Strip& strip = strips[index];
        MakeAnimated(strip, x, y, strip.footprint, period, flag == 1);
    });
}

bool LevelLoad::Sections(const std::function<void(uint32_t type, uint32_t count)>& handle) {
    while (in_.Ok()) {
        if (in_.AtEnd()) return true;
        in_.Skip(lnd::kSectionTypeOffset);
        const uint32_t type = in_.U32();
        const uint32_t count = in_.U32();
        if (!in_.Ok()) break;
        // The payload of a type this reader does not know cannot be skipped.
        if (!lnd::Accepts(reader_, type)) {
            in_.Fail();
            break;
        }
        handle(type, count);
    }
    return false;
}

}  // namespace world
