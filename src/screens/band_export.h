#pragma once
// Keeping the band's song: in the den a key saves the band as it plays now
// as a sound file in the player's music folder. The song is rendered apart
// from the music that plays (its own sequencer and synthesiser), a few
// segments a frame so the den never stalls, and published whole under a
// name with the date and time. A cassette with a tick (or, when the file
// could not be written, with a cross) shows for two seconds with a sound;
// with nobody playing nothing is written and a gentle "not yet" sounds.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/band_mix.h"
#include "platform/clock.h"
#include "sprites/frame_record.h"

namespace audio {
class BandRender;
}
namespace sprites {
class Sprite;
class SpriteGroup;
class SpriteWorld;
}
namespace world {
class GameServices;
}

namespace screens {

// "Tunewander band 2026-12-06 15-04.wav", then the same with " (2)",
// " (3)" ... for when a file of that minute exists already.
std::vector<std::string> BandFileNames(const platform::CalendarTime& when);
// The folder the songs go to: "Tunewander" in the player's music folder.
std::string BandSongFolder();

class BandExport {
public:
    enum class Outcome { None, Saved, Failed, NotYet };
    // Effect numbers: the pick-up blips, the gentle "not yet", the failure.
    static constexpr int kSavedEffect = 16, kNotYetEffect = 17, kFailedEffect = 18;
    static constexpr uint32_t kSegmentsPerFrame = 24;  // about 1.1 s of song a frame
    static constexpr uint32_t kShowMs = 2000;
    // Top right of the screen, clear of the doors' animations.
    static constexpr int32_t kPictureX = 560, kPictureY = 8;
    static constexpr int32_t kPictureDepth = 2106000;  // above the band panel

    // The pictures are the den's (empty frames draw nothing); the sprite
    // goes into `layer` while it shows.
    BandExport(world::GameServices* game, sprites::SpriteWorld* world, sprites::SpriteGroup* layer,
               sprites::FrameRecord savedPicture, sprites::FrameRecord failedPicture);
    ~BandExport();
    BandExport(const BandExport&) = delete;
    BandExport& operator=(const BandExport&) = delete;

    // The key was pressed: begins a render of the band as it plays now, or
    // answers "not yet" when no member plays a part. Ignored while a render
    // runs. Needs the game's folder current (it reads the song).
    void Begin(const int (&values)[audio::kBandMembers], int difficulty, uint32_t now);
    // Once a frame: the next share of the render, publishing the file at
    // its end, and the picture's time.
    void Tick(uint32_t now);

    bool Rendering() const { return render_ != nullptr; }
    bool PictureShown() const { return shown_; }
    Outcome LastOutcome() const { return outcome_; }
    // The file written by the last render ("" when none).
    const std::string& LastFile() const { return lastFile_; }

private:
    void Finish(uint32_t now);
    void Show(bool saved, uint32_t now);
    void Hide();
    void Play(int slot);

    world::GameServices* game_;
    sprites::SpriteGroup* layer_;
    sprites::FrameRecord savedPicture_, failedPicture_;
    std::unique_ptr<sprites::Sprite> picture_;
    std::unique_ptr<audio::BandRender> render_;
    platform::CalendarTime startedAt_{};
    int savedSlot_ = -1, notYetSlot_ = -1, failedSlot_ = -1;
    bool shown_ = false;
    uint32_t shownAt_ = 0;
    Outcome outcome_ = Outcome::None;
    std::string lastFile_;
};

}  // namespace screens
