// An .xmi song: loaded, every sequence made a track with its instruments,
// and played for a second.
#include "audio/sequencer.h"
#include "fuzz_support.h"
#include "fuzz_targets.h"

namespace tw_fuzz {

int Xmidi(const uint8_t* data, size_t size) {
    Sequencer* seq = Env().sequencer;
    if (!seq) return 0;
    const std::string path = WriteInput("song.xmi", data, size);
    if (!seq->SQ_LoadSequenceFile(path.c_str())) return 0;
    std::vector<int> ids;
    for (uint32_t n = 0; n < seq->SequenceCount() && n < 16; ++n) {
        const int id = seq->SQ_CreateTrack(n);
        if (id < 0) continue;
        seq->SQ_RestartTrack(id);
        seq->SQ_SetTrackLoops(id, 0);
        seq->SQ_SetTrackChannel(id, id);
        ids.push_back(id);
    }
    seq->SQ_UnloadSequenceFile();
    seq->SQ_LoadTrackInstruments();
    seq->SQ_LimitAudibleTracks(8);
    seq->SQ_Play();
    RunFor(1000);
    seq->SQ_Stop();
    for (int id : ids) seq->SQ_DeleteTrack(id);
    seq->SQ_LoadTrackInstruments();
    ForgetBoxes();
    return 0;
}

}  // namespace tw_fuzz
