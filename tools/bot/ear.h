#pragma once
// What the bot hears of the lock room: each effect voice that begins to
// sound, with its pitch. The member hums with one sound, a turned key sounds
// another; the pitch is heard against the voice's own natural rate, as an
// ear compares two instruments playing the same note.
#include <cstdint>
#include <vector>

class FxPlayer;

namespace bot {

struct HeardNote {
    int effect = -1;
    int32_t cents = 0;  // above the sound's own pitch
    uint32_t at = 0;    // ms
};

class Ear {
public:
    static constexpr int kHumEffect = 6, kKeyNoteEffect = 5;

    // The notes that began since the last call.
    std::vector<HeardNote> Listen(const FxPlayer* effects, uint32_t now);
    void Forget() { seen_.clear(); }

private:
    struct Seen {
        const void* buffer = nullptr;
        uint32_t starts = 0;
    };
    std::vector<Seen> seen_;
};

// The same note, give or take a quarter tone.
inline bool SameNote(int32_t a, int32_t b) { return a - b < 50 && b - a < 50; }

}  // namespace bot
