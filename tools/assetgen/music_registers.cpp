#include "assetgen/music_registers.h"

#include <algorithm>

#include "assetgen/music_instruments.h"

namespace assetgen::music {

namespace {

// The part's channel playing `program`, added when there is none yet.
int ChannelFor(Part& part, int program) {
    int highest = -1;
    for (const auto& [channel, p] : part.programs) {
        if (p == program) return channel;
        highest = std::max(highest, channel);
    }
    part.programs.push_back({highest + 1, program});
    return highest + 1;
}

}  // namespace

void FitRegisters(Part& part) {
    const std::vector<std::pair<int, int>> written = part.programs;
    for (Note& n : part.notes) {
        int program = -1;
        for (const auto& [channel, p] : written)
            if (channel == n.channel) program = p;
        const InstrumentDef* instrument = FindInstrument(program);
        if (!instrument || instrument->percussion) continue;
        while (n.pitch < kLowestNote) n.pitch += 12;
        const int root = instrument->root;
        if (n.pitch >= root - 12) continue;
        const InstrumentDef* low = FindInstrument(program + kLowRegister);
        if (!low) {
            while (n.pitch < root - 12) n.pitch += 12;
            continue;
        }
        while (n.pitch < low->root - 12) n.pitch += 12;
        n.channel = ChannelFor(part, low->program);
    }
}

void FitRegisters(Song& song) {
    for (Part& part : song.parts) FitRegisters(part);
}

}  // namespace assetgen::music
