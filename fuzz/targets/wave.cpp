// A WAVE file, both ways the game reads one: as a sound effect (a buffer
// played through the sound card) and as an instrument's samples (a note
// played by the synthesiser).
#include "audio/fx_player.h"
#include "audio/sequencer.h"
#include "audio/virtual_synth.h"
#include "fuzz_support.h"
#include "fuzz_targets.h"
#include "platform/dsound.h"

#include <vector>

namespace tw_fuzz {

int Wave(const uint8_t* data, size_t size) {
    Environment& env = Env();
    if (!env.directSound) return 0;
    const std::string wave = WriteInput("sound.wav", data, size);
    const std::string fxLibrary = "0 " + wave + "\n";
    const std::string fxPath =
        WriteInput("wave_fxlib.txt", reinterpret_cast<const uint8_t*>(fxLibrary.data()), fxLibrary.size());
    {
        FxPlayer effects(env.window, env.directSound, 2);
        if (effects.LoadFXLib(fxPath.c_str())) {
            const int slot = effects.FxPlayer_Load(0);
            if (slot >= 0) {
                effects.FxPlayer_SetPitch(slot, 700);
                effects.FxPlayer_Play(slot, 1);
                RunFor(100);
            }
            effects.FxPlayer_Clear();
        }
    }
    const std::string instruments = "0 0 " + wave + " 60 0 0 0 200 1 20\n";
    const std::string libraryPath =
        WriteInput("wave_wavelib.txt", reinterpret_cast<const uint8_t*>(instruments.data()), instruments.size());
    env.directSound->AddRef();
    {
        Sequencer seq(env.window, env.directSound);
        SoundFormat format;
        format.outputRate = 22050;
        if (seq.SQ_CreateVirtualSynth(format) && seq.SQ_LoadInstrumentLibrary(libraryPath.c_str())) {
            VirtualSynth* synth = seq.Synth();
            if (synth->VS_load_instrument(0, 0)) {
                synth->VS_set_channel(0, 1.0f, 0.0f);
                synth->VS_note_on(0, 67, 127, 0, 0, 0, 2000);
                synth->VS_note_on(0, 52, 100, 0, 0, 100, 2000);
                std::vector<int16_t> segment(size_t(synth->SegmentFrames()) * 2 + 2);
                for (int i = 0; i < 4; ++i) synth->VS_mix_segment(segment.data());
                synth->VS_unload_instrument(0, 0);
            }
        }
    }
    ForgetBoxes();
    return 0;
}

}  // namespace tw_fuzz
