#include "assetgen/music_levels.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "assetgen/music_instruments.h"
#include "assetgen/music_mixdown.h"

namespace assetgen::music {

namespace {

// The loudest note of a part after levelling sits this far under 127, so an
// accent still has somewhere to go.
constexpr double kVelocityRoomDb = 1.0;

}  // namespace

void LevelSongs(std::vector<Song>& songs, double loudnessDb, double peakDb) {
    // Loudness is linear in velocity and in gain, so one measurement per part
    // at the instruments' own gains tells how far each has to move.
    struct Measured {
        Part* part;
        double scaleDb;  // how much louder the part must become
    };
    std::vector<Measured> measured;
    std::map<int, double> needDb;  // program -> gain its loudest part needs
    for (Song& song : songs)
        for (Part& part : song.parts) {
            const dsp::Signal placed = PlacedLoop(part, song.loopTicks);
            const double now = dsp::LoudnessDb(placed);
            if (now <= -200) continue;
            float peak = 0;
            for (float v : placed) peak = std::max(peak, std::fabs(v));
            const double scaleDb = std::min(loudnessDb - now, peakDb - 20 * std::log10(double(peak)));
            int loudest = 1;
            for (const Note& n : part.notes) loudest = std::max(loudest, n.velocity);
            const double topDb = 20 * std::log10(loudest / 127.0) + scaleDb + kVelocityRoomDb;
            for (const auto& [channel, program] : part.programs)
                needDb[program] = needDb.count(program) ? std::max(needDb[program], topDb) : topDb;
            measured.push_back({&part, scaleDb});
        }
    std::map<int, int> changeDb;  // program -> whole decibels added to its gain
    for (const auto& [program, need] : needDb) {
        const InstrumentDef* instrument = FindInstrument(program);
        if (!instrument) continue;
        const int gain = std::clamp(int(std::ceil(instrument->gain + need)), -30, 30);
        changeDb[program] = gain - instrument->gain;
        SetInstrumentGain(program, gain);
    }
    for (const Measured& m : measured) {
        // Every program of a part moved by its own change; the notes make up
        // the rest, each on its channel's program.
        for (Note& n : m.part->notes) {
            int program = -1;
            for (const auto& [channel, p] : m.part->programs)
                if (channel == n.channel) program = p;
            const double db = m.scaleDb - (changeDb.count(program) ? changeDb[program] : 0);
            n.velocity = std::clamp(int(std::lround(n.velocity * std::pow(10.0, db / 20))), 1, 127);
        }
    }
}

}  // namespace assetgen::music
