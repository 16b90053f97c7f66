// wavelib.txt: a fresh synthesiser loads the library (and the WAVE files it
// names, from the data folder), then a real song plays on it for a moment.
#include "audio/sequencer.h"
#include "fuzz_support.h"
#include "fuzz_targets.h"
#include "platform/dsound.h"

namespace tw_fuzz {

int InstrumentLibrary(const uint8_t* data, size_t size) {
    Environment& env = Env();
    if (!env.directSound) return 0;
    const std::string path = WriteInput("wavelib.txt", data, size);
    env.directSound->AddRef();
    {
        Sequencer seq(env.window, env.directSound);
        SoundFormat format;
        format.outputRate = 22050;
        if (seq.SQ_CreateVirtualSynth(format) && seq.SQ_LoadInstrumentLibrary(path.c_str()) &&
            seq.SQ_LoadSequenceFile(".\\seq\\maze.xmi")) {
            for (uint32_t n = 0; n < seq.SequenceCount() && n < 8; ++n) {
                const int id = seq.SQ_CreateTrack(n);
                if (id < 0) continue;
                seq.SQ_RestartTrack(id);
                seq.SQ_SetTrackChannel(id, id);
            }
            seq.SQ_UnloadSequenceFile();
            seq.SQ_LoadTrackInstruments();
            seq.SQ_Play();
            RunFor(300);
            seq.SQ_Stop();
        }
    }
    ForgetBoxes();
    return 0;
}

}  // namespace tw_fuzz
