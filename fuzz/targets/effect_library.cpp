// fxlib.txt: a fresh effect player loads the library, then loads and plays
// the first few effects it names (from the data folder).
#include "audio/fx_player.h"
#include "fuzz_support.h"
#include "fuzz_targets.h"
#include "platform/dsound.h"

namespace tw_fuzz {

int EffectLibrary(const uint8_t* data, size_t size) {
    Environment& env = Env();
    if (!env.directSound) return 0;
    const std::string path = WriteInput("fxlib.txt", data, size);
    {
        FxPlayer effects(env.window, env.directSound, 8);
        if (effects.LoadFXLib(path.c_str())) {
            int played = 0;
            for (int effect = 0; effect < 256 && played < 4; ++effect) {
                if (!effects.EffectName(effect)) continue;
                const int slot = effects.FxPlayer_Load(effect);
                if (slot < 0) continue;
                ++played;
                effects.FxPlayer_SetPitch(slot, 300 * played);
                effects.FxPlayer_Play(slot, 0);
            }
            RunFor(100);
            effects.FxPlayer_Clear();
        }
    }
    ForgetBoxes();
    return 0;
}

}  // namespace tw_fuzz
