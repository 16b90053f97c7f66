#include "screens/den_screen.h"

#include <algorithm>

#include "audio/sequencer.h"
#include "display/display.h"
#include "platform/clock.h"
#include "platform/devices.h"
#include "platform/system.h"
#include "screens/band_export.h"
#include "screens/band_panel.h"
#include "sprites/background.h"
#include "sprites/sprite.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/den_band.h"
#include "world/game_services.h"
#include "world/input_state.h"
#include "world/land_record.h"
#include "world/player_dog.h"

namespace screens {

namespace {

constexpr const char* kDenLevel = ".\\graphics\\den\\den.lnd";
constexpr const char* kDogSheet = ".\\Graphics\\chars\\mangopup.bmp";
constexpr const char* kBandSheet = ".\\Graphics\\chars\\band.bmp";
constexpr const char* kCloud = ".\\graphics\\den\\cloud.bmp";
constexpr const char* kIcons = ".\\graphics\\den\\icons.bmp";
constexpr const char* kLitIcons = ".\\graphics\\den\\liticons.bmp";
constexpr const char* kTapeSaved = ".\\graphics\\den\\tapeok.bmp";
constexpr const char* kTapeFailed = ".\\graphics\\den\\tapefail.bmp";
// Members 4 and 5 think in the same bubble.
constexpr const char* kBubbles[DenScreen::kMembers] = {
    ".\\graphics\\den\\thobub02.bmp", ".\\graphics\\den\\thobub03.bmp", ".\\graphics\\den\\thobub05.bmp",
    ".\\graphics\\den\\thobu01.bmp",  ".\\graphics\\den\\thobub04.bmp", ".\\graphics\\den\\thobub04.bmp",
};
constexpr uint32_t kKeyGreen = 0xFF00;
// Where the dog stands in a den entered from nowhere in particular.
constexpr int32_t kDogHomeX = 320, kDogHomeY = 380;
// A dog coming back from a land stands this far right of and below its door.
constexpr int32_t kBesideDoor = 20;

}  // namespace

DenScreen::DenScreen(world::GameServices* owner, display::Display* screenDisplay)
    : game(owner), display(screenDisplay ? screenDisplay : owner ? owner->Screen() : nullptr) {}

DenScreen::~DenScreen() {
    if (destroyed_) return;
    destroyed_ = true;
    // The panel's sprites leave the layer before the group deletes what it
    // holds; they go before the world they were made in.
    if (layer) {
        if (cloud) layer->Unlink(cloud.get());
        if (bubble) layer->Unlink(bubble.get());
        for (auto& icon : icons) {
            if (icon) layer->Unlink(icon.get());
        }
    }
    keeper.reset();
    cloud.reset();
    bubble.reset();
    for (auto& icon : icons) icon.reset();
    panel.reset();
    band = nullptr;
    dog = nullptr;
    layer = nullptr;
    place.group = nullptr;
    world_.reset();

    // Values that were never read (no set-up, or a failed one) are not
    // written over the records' own, nor over records a load or a new game
    // has just put in place.
    if (game && !game->TakeKeepRecords()) WriteBack();
    ReleaseSong();
    if (display) display->GPPageFlipFadeOut(1);
}

void DenScreen::WriteBack() {
    if (!game || !membersRead) return;
    for (int k = 0; k < kMembers; ++k) game->Record(kMemberLand[k]).bandWord = memberValues[k];
}

const char* DenScreen::PaletteFile() const {
    if (!world_ || !world_->background) return "";
    return world_->background->reloadPath;
}

int DenScreen::MemberCount() const {
    int count = 0;
    for (int value : memberValues) count += value != audio::kBandNotJoined && value != audio::kBandSilent ? 1 : 0;
    return count;
}

int DenScreen::Setup() {
    if (!game || !display) return 0;
    platform::ShowGameCursor(false);
    platform::SetCursorPos(320, 300);
    scrollX = scrollY = 0;

    world_ = std::make_unique<sprites::SpriteWorld>(display);
    world::LoadDen(kDenLevel, world_.get(), &place);
    if (!place.group) place.group = world_->GetGroup(world_->AddGroup());
    layer = place.group;
    world_->background->scrollX = world::kDenScrollX;
    world_->background->scrollY = world::kDenScrollY;

    CreateDog();
    band = new world::DenBand(world_.get(), layer, kBandSheet);
    layer->Insert(dog);
    layer->Insert(band);

    cloudFrame = LoadPicture(kCloud);
    cloud = std::make_unique<sprites::Sprite>(world_.get(), 0, 0, &cloudFrame, kPanelDepth);
    for (int k = 0; k < kMembers; ++k) bubbleFrames[k] = LoadPicture(kBubbles[k]);
    bubble = std::make_unique<sprites::Sprite>(world_.get(), 0, 0, &bubbleFrames[0], kPanelDepth);
    CutIconSheet(kIcons, iconFrames);
    CutIconSheet(kLitIcons, litIconFrames);
    for (int j = 0; j < kIconColumns; ++j) {
        icons[j] = std::make_unique<sprites::Sprite>(world_.get(), 0, 0, &iconFrames[j], kIconDepth);
    }
    panel = std::make_unique<BandPanel>(game, this);
    tapeSavedFrame = LoadPicture(kTapeSaved);
    tapeFailedFrame = LoadPicture(kTapeFailed);
    keeper = std::make_unique<BandExport>(game, world_.get(), layer, tapeSavedFrame, tapeFailedFrame);

    if (!LoadBandSong()) {
        DebugTrace(game->Window(), 1, "DenScreen: the band song %s could not be loaded; the den stays silent",
                   audio::BandSongFile(game->Difficulty()));
        return 0;
    }
    BandSetup();
    game->Music()->SQ_Play();
    game->Input().Clear();
    display->GPFadeIn();
    return 1;
}

void DenScreen::CreateDog() {
    int32_t x = kDogHomeX, y = kDogHomeY;
    const world::RestorePosition restore = game->TakeRestorePosition();
    const int land = game->CurrentLand();
    if (restore.y != 0) {
        x = restore.x;
        y = restore.y;
    } else if (land >= 0 && land < world::lnd::kDenZoneCount) {
        const platform::RECT& door = place.rects[land];
        x = door.left + kBesideDoor;
        y = door.bottom + kBesideDoor;
    }
    world::DogSurroundings around;
    around.kind = world::DogPlace::Den;
    around.den = &place;
    around.spriteGroup = layer;
    around.landScreen = false;
    dog = new world::PlayerDog(world_.get(), layer, game, x, y, kDogSheet, world::chars::DogLayout::Ordinary,
                               around);
}

sprites::FrameRecord DenScreen::LoadPicture(const char* name) {
    platform::dd::Surface* surface = display->GPLoadBitmap(name, 1, 1);
    if (!surface) return sprites::FrameRecord{};
    layer->AddSurface(surface, name);
    display->GPSetColorKey(surface, kKeyGreen);
    return sprites::FrameRecord{surface, platform::RECT{0, 0, surface->Width(), surface->Height()}};
}

void DenScreen::CutIconSheet(const char* name, sprites::FrameRecord (&cells)[kIconCells]) {
    const sprites::FrameRecord sheet = LoadPicture(name);
    const int32_t w = sheet.Width() / kIconColumns, h = sheet.Height() / kIconRows;
    for (int r = 0; r < kIconRows; ++r) {
        for (int c = 0; c < kIconColumns; ++c) {
            cells[r * kIconColumns + c] =
                sprites::FrameRecord{sheet.surface, platform::RECT{c * w, r * h, (c + 1) * w, (r + 1) * h}};
        }
    }
}

int DenScreen::LoadBandSong() {
    Sequencer* music = game->Music();
    if (!music || !music->SQ_LoadSequenceFile(audio::BandSongFile(game->Difficulty()))) return 0;
    const int sequences = static_cast<int>(music->SequenceCount());
    for (int s = 0; s < sequences; ++s) {
        const int id = music->SQ_CreateTrack(static_cast<uint32_t>(s));
        music->SQ_SetTrackLoops(id, 0);
        music->SQ_SetTrackChannel(id, id);
        trackIds.push_back(id);
    }
    trackCount = sequences;
    music->SQ_UnloadSequenceFile();
    music->SQ_LoadTrackInstruments();
    songLoaded = 1;
    return 1;
}

void DenScreen::ReleaseSong() {
    Sequencer* music = game ? game->Music() : nullptr;
    if (!music) return;
    music->SQ_Stop();
    for (int id : trackIds) music->SQ_DeleteTrack(id);
    trackIds.clear();
    trackCount = 0;
    // With no track left this unloads every instrument.
    music->SQ_LoadTrackInstruments();
}

void DenScreen::BandSetup() {
    if (dog) dog->panelOpen = 0;
    for (int k = 0; k < kMembers; ++k) memberValues[k] = game->Record(kMemberLand[k]).bandWord;
    membersRead = 1;
    ApplyBandMix();
    for (int k = 0; k < kMembers; ++k) {
        // A joined member stands where its instrument lay.
        if (memberValues[k] != audio::kBandNotJoined && place.pieces[k]) {
            layer->Unlink(place.pieces[k]);
            delete place.pieces[k];
            place.pieces[k] = nullptr;
        }
    }
    ShowMembers();
    game->SetRedrawFrames(2);
}

void DenScreen::ShowMembers() {
    if (!band) return;
    for (int k = 0; k < kMembers; ++k) {
        if (memberValues[k] == audio::kBandNotJoined) {
            band->Hide(k);
            continue;
        }
        band->Show(k);
        if (memberValues[k] == audio::kBandSilent) band->Stop(k);
        else band->Play(k);
    }
}

void DenScreen::ApplyBandMix() {
    Sequencer* music = game ? game->Music() : nullptr;
    if (!songLoaded || !music) return;
    const auto mix = audio::BandMix(memberValues);
    const int tracks = std::min<int>({trackCount, audio::kBandMixTracks, static_cast<int>(trackIds.size())});
    for (int t = 0; t < tracks; ++t) {
        const int id = trackIds[static_cast<size_t>(t)];
        music->SQ_SetTrackMute(id, static_cast<uint32_t>(mix[static_cast<size_t>(t)].mute));
        music->SQ_SetTrackVolume(id, mix[static_cast<size_t>(t)].volume);
        music->SQ_SetTrackPan(id, mix[static_cast<size_t>(t)].pan);
    }
}

void DenScreen::Tick() {
    ++frames;
    if (!world_ || !dog) return;
    if (dog->panelOpen && panel) dog->panelOpen = panel->Update();
    CheckKeepKey();
    StepDoors();
    ApplyBandMix();
    // The dog dances while the band plays.
    dog->place.bandPlaying = band && band->AnyPlaying() ? 1 : 0;
    world_->AnimateAll(platform::timeGetTime());
    Draw();
    display->GPPageFlip();
}

void DenScreen::CheckKeepKey() {
    if (!keeper) return;
    world::InputState& input = game->Input();
    const bool pressed = input.lastCharacter == 'r' || input.lastCharacter == 'R';
    if (pressed) input.lastCharacter = 0;
    // The panel takes the keys while it is open; a den without its song has
    // nothing to keep.
    const uint32_t now = platform::timeGetTime();
    if (pressed && !dog->panelOpen && songLoaded) keeper->Begin(memberValues, game->Difficulty(), now);
    keeper->Tick(now);
}

void DenScreen::StepDoors() {
    const int open = game->OpenDenDoors();
    for (int k = 0; k < kMembers; ++k) {
        sprites::AnimatedSprite* door = place.members[k];
        if (!door) continue;
        if (k < open) {
            // Opens to its last frame and stays open.
            door->paused = door->frameIndex >= door->frameCount - 1;
        } else if (door->frameIndex == 0) {
            door->paused = true;  // closed, and stays so
        } else {
            door->paused = false;
        }
    }
}

void DenScreen::Draw() {
    if (game->RedrawFrames() == 0) {
        // The last picture with only what changed painted again.
        world_->Scroll(0, 0);
        world_->RedrawDirty();
        return;
    }
    display->GPFillBufferRGB(nullptr, nullptr, platform::RGB(0, 0, 0));
    world_->DrawAll();
    // What changed before this picture is in it already.
    world_->dirtyCount = 0;
    game->CountRedrawFrame();
}

}  // namespace screens
