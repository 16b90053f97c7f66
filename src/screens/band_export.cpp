#include "screens/band_export.h"

#include <cstdio>
#include <utility>

#include "audio/band_render.h"
#include "audio/fx_player.h"
#include "platform/user_files.h"
#include "sprites/sprite.h"
#include "sprites/sprite_group.h"
#include "world/game_services.h"

namespace screens {

namespace {
constexpr int kNameTries = 99;
constexpr int32_t kEffectVolume = -600;  // as the dog's own effects
}  // namespace

std::vector<std::string> BandFileNames(const platform::CalendarTime& when) {
    char stem[64];
    std::snprintf(stem, sizeof stem, "Tunewander band %04d-%02d-%02d %02d-%02d", when.year, when.month, when.day,
                  when.hour, when.minute);
    std::vector<std::string> names{std::string(stem) + ".wav"};
    for (int n = 2; n <= kNameTries; ++n) names.push_back(std::string(stem) + " (" + std::to_string(n) + ").wav");
    return names;
}

std::string BandSongFolder() {
    return platform::MusicFolder() + "/Tunewander";
}

BandExport::BandExport(world::GameServices* game, sprites::SpriteWorld* world, sprites::SpriteGroup* layer,
                       sprites::FrameRecord savedPicture, sprites::FrameRecord failedPicture)
    : game_(game), layer_(layer), savedPicture_(savedPicture), failedPicture_(failedPicture) {
    picture_ = std::make_unique<sprites::Sprite>(world, kPictureX, kPictureY, &savedPicture_, kPictureDepth);
    FxPlayer* fx = game_ ? game_->Effects() : nullptr;
    if (!fx) return;
    for (auto [slot, effect] : {std::pair{&savedSlot_, kSavedEffect}, std::pair{&notYetSlot_, kNotYetEffect},
                                std::pair{&failedSlot_, kFailedEffect}}) {
        *slot = fx->FxPlayer_Load(effect);
        if (*slot >= 0) fx->FxPlayer_SetVolume(*slot, kEffectVolume);
    }
}

BandExport::~BandExport() {
    // A render cut short by leaving the den writes nothing.
    render_.reset();
    if (shown_ && layer_) layer_->Unlink(picture_.get());
    picture_.reset();
    FxPlayer* fx = game_ ? game_->Effects() : nullptr;
    if (!fx) return;
    for (int slot : {savedSlot_, notYetSlot_, failedSlot_}) {
        if (slot >= 0) fx->FxPlayer_Release(slot);
    }
}

void BandExport::Begin(const int (&values)[audio::kBandMembers], int difficulty, uint32_t now) {
    if (render_) return;
    int playing = 0;
    for (int value : values) playing += value >= 0 && value < audio::kBandParts ? 1 : 0;
    if (playing == 0) {
        outcome_ = Outcome::NotYet;
        Play(notYetSlot_);
        return;
    }
    // The name tells when the child pressed the key, not when it was done.
    startedAt_ = platform::CalendarNow();
    render_ = std::make_unique<audio::BandRender>();
    if (!render_->Open(values, difficulty)) {
        render_.reset();
        outcome_ = Outcome::Failed;
        Show(false, now);
        Play(failedSlot_);
    }
}

void BandExport::Tick(uint32_t now) {
    if (render_ && !render_->Step(kSegmentsPerFrame)) Finish(now);
    if (shown_ && now - shownAt_ >= kShowMs) Hide();
}

void BandExport::Finish(uint32_t now) {
    std::vector<uint8_t> bytes;
    if (render_->Done()) bytes = audio::StereoWaveBytes(render_->Frames(), render_->Rate());
    render_.reset();
    lastFile_ = bytes.empty()
                    ? std::string()
                    : platform::PublishNewUserFile(BandSongFolder(), BandFileNames(startedAt_), bytes.data(),
                                                   bytes.size());
    const bool saved = !lastFile_.empty();
    outcome_ = saved ? Outcome::Saved : Outcome::Failed;
    Show(saved, now);
    Play(saved ? savedSlot_ : failedSlot_);
}

void BandExport::Show(bool saved, uint32_t now) {
    picture_->frame = saved ? &savedPicture_ : &failedPicture_;
    picture_->SetPosition(kPictureX, kPictureY);
    if (!shown_ && layer_) layer_->Insert(picture_.get());
    shown_ = true;
    shownAt_ = now;
    if (game_) game_->SetRedrawFrames(2);
}

void BandExport::Hide() {
    if (layer_) layer_->Unlink(picture_.get());
    shown_ = false;
    if (game_) game_->SetRedrawFrames(2);
}

void BandExport::Play(int slot) {
    FxPlayer* fx = game_ ? game_->Effects() : nullptr;
    if (fx && slot >= 0) fx->FxPlayer_Play(slot, 0);
}

}  // namespace screens
