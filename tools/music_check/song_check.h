#pragma once
// Measures one generated song against its plan (key, beats and chords from
// the generator): how much of it is in the key, how often random mixes of
// its parts clash on a beat, how far apart the parts are in short-term
// loudness through the game's synthesiser, whether the parts loop together,
// and each part's range. Needs a running headless platform with the data
// folder as the current folder (as render::RenderSong does).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "assetgen/music_score.h"
#include "assetgen/sound_dsp.h"
#include "music_check/song_notes.h"
#include "render/song_render.h"

namespace music_check {

constexpr int kFirstDrumProgram = 100;
constexpr int kLowestBassNote = 28;  // E1: lower, a bass turns to mud
constexpr int kMixes = 200;

struct PartReport {
    std::string name;
    assetgen::music::Role role = assetgen::music::Role::kBackground;
    bool pitched = false;
    int lowest = 127, highest = 0;   // pitched notes only
    int stretchDown = 0, stretchUp = 0;  // largest distance below / above a sample's root
    double loudnessDb = -200;        // short-term loudness alone at a placed icon's volume
    int beatsSounding = 0;           // beats on which the part sounds a pitched note
    int beatsOffChord = 0;           // ... a note outside the chord
};

struct SongReport {
    std::string file;
    bool isBand = false;
    double loopSeconds = 0;
    bool loopsTogether = false;      // every sequence ends on the same tick
    double keyConformity = 0;        // share of pitched note time in the key
    double clashRate = 0;            // share of beats with a clash, over the mixes
    double mixesWithClash = 0;       // share of mixes with at least one
    double loudnessSpreadDb = 0;     // loudest part minus quietest
    double memberSpreadDb = 0;       // band: the largest spread within one member
    std::vector<PartReport> parts;
};

// Short-term loudness (dsp::LoudnessDb) of the left channel of stereo frames.
inline double ChannelLoudness(const std::vector<int16_t>& frames) {
    assetgen::dsp::Signal left;
    left.reserve(frames.size() / 2);
    for (size_t i = 0; i < frames.size(); i += 2) left.push_back(float(frames[i]) / 32768.0f);
    return assetgen::dsp::LoudnessDb(left);
}

namespace detail {

inline int PitchClass(int p) { return ((p % 12) + 12) % 12; }

// Pitched notes of one sequence sounding at each beat.
using BeatNotes = std::vector<std::vector<int>>;

inline BeatNotes NotesOnBeats(const Sequence& s, uint32_t beatTicks, int beats) {
    BeatNotes on(static_cast<size_t>(beats));
    for (const FileNote& n : s.notes) {
        if (n.program >= kFirstDrumProgram) continue;
        const uint32_t first = (n.start + beatTicks - 1) / beatTicks;
        for (uint32_t b = first; b < uint32_t(beats) && b * beatTicks < n.start + n.length; ++b)
            on[b].push_back(n.pitch);
    }
    return on;
}

// A semitone, major seventh or tritone between two parts with at least one
// of the two notes outside the chord.
inline bool Clash(const assetgen::music::Frame& f, const assetgen::music::Chord& chord, int a, int b) {
    const int d = PitchClass(a - b);
    if (d != 1 && d != 11 && d != 6) return false;
    return !assetgen::music::IsChordTone(f, chord, a) || !assetgen::music::IsChordTone(f, chord, b);
}

}  // namespace detail

inline SongReport CheckSong(const assetgen::music::Song& plan, bool measureLoudness = true) {
    using namespace assetgen::music;
    SongReport r;
    r.file = plan.file;
    const std::vector<Sequence> sequences = ReadSong(plan.file);
    r.isBand = sequences.size() == 36;
    const std::map<int, int> roots = ReadRoots();
    const Frame& f = plan.frame;
    if (sequences.empty() || f.chords.empty()) return r;

    const uint32_t loop = sequences[0].endTick;
    r.loopSeconds = loop / 120.0;
    r.loopsTogether = std::all_of(sequences.begin(), sequences.end(),
                                  [&](const Sequence& s) { return s.wellFormed && s.endTick == loop; });

    const uint32_t beatTicks = f.BeatTicks();
    const int beats = int(loop / beatTicks);
    std::vector<detail::BeatNotes> onBeats;
    double inKey = 0, allTime = 0;
    for (size_t n = 0; n < sequences.size(); ++n) {
        PartReport p;
        if (n < plan.parts.size()) {
            p.name = plan.parts[n].name;
            p.role = plan.parts[n].role;
        }
        for (const FileNote& note : sequences[n].notes) {
            if (note.program >= kFirstDrumProgram) continue;
            p.pitched = true;
            p.lowest = std::min(p.lowest, note.pitch);
            p.highest = std::max(p.highest, note.pitch);
            const auto root = roots.find(note.program);
            if (root != roots.end()) {
                p.stretchDown = std::max(p.stretchDown, root->second - note.pitch);
                p.stretchUp = std::max(p.stretchUp, note.pitch - root->second);
            }
            const bool key = std::any_of(f.scale.begin(), f.scale.end(), [&](int degree) {
                return detail::PitchClass(note.pitch - f.tonic - degree) == 0;
            });
            allTime += note.length;
            if (key) inKey += note.length;
        }
        onBeats.push_back(detail::NotesOnBeats(sequences[n], beatTicks, beats));
        for (int b = 0; b < beats; ++b) {
            const auto& notes = onBeats.back()[size_t(b)];
            if (notes.empty()) continue;
            ++p.beatsSounding;
            const Chord& chord = f.ChordAt(int(uint32_t(b) * beatTicks / f.stepTicks));
            if (std::any_of(notes.begin(), notes.end(), [&](int q) { return !IsChordTone(f, chord, q); }))
                ++p.beatsOffChord;
        }
        r.parts.push_back(p);
    }
    r.keyConformity = allTime > 0 ? inKey / allTime : 1;

    // Random mixes: eight parts of a land, or a part or none per band member.
    std::mt19937 rng(20);  // the same 200 mixes every run
    long clashing = 0, judged = 0;
    int mixesWithClash = 0;
    for (int mix = 0; mix < kMixes; ++mix) {
        std::vector<size_t> chosen;
        if (r.isBand) {
            for (size_t member = 0; member < 6; ++member) {
                const size_t pick = rng() % 7;
                if (pick < 6) chosen.push_back(6 * member + pick);
            }
        } else {
            std::vector<size_t> all(sequences.size());
            for (size_t i = 0; i < all.size(); ++i) all[i] = i;
            std::shuffle(all.begin(), all.end(), rng);
            chosen.assign(all.begin(), all.begin() + long(std::min<size_t>(8, all.size())));
        }
        bool any = false;
        for (int b = 0; b < beats; ++b) {
            const Chord& chord = f.ChordAt(int(uint32_t(b) * beatTicks / f.stepTicks));
            bool clash = false;
            for (size_t i = 0; i < chosen.size() && !clash; ++i)
                for (size_t j = i + 1; j < chosen.size() && !clash; ++j)
                    for (int a : onBeats[chosen[i]][size_t(b)])
                        for (int c : onBeats[chosen[j]][size_t(b)])
                            if (detail::Clash(f, chord, a, c)) clash = true;
            ++judged;
            if (clash) ++clashing, any = true;
        }
        mixesWithClash += any ? 1 : 0;
    }
    r.clashRate = judged ? double(clashing) / double(judged) : 0;
    r.mixesWithClash = double(mixesWithClash) / kMixes;

    if (measureLoudness) {
        const unsigned ms = unsigned(loop * 1000 / 120);
        for (size_t n = 0; n < r.parts.size(); ++n) {
            std::string error;
            const auto frames = render::RenderSong(plan.file, {{int(n), -900, 0}}, ms, 22050, &error);
            r.parts[n].loudnessDb = error.empty() ? ChannelLoudness(frames) : -200;
        }
        auto spread = [&](size_t from, size_t to) {
            double lo = 0, hi = -400;
            for (size_t n = from; n < to; ++n) {
                lo = std::min(lo, r.parts[n].loudnessDb);
                hi = std::max(hi, r.parts[n].loudnessDb);
            }
            return hi - lo;
        };
        r.loudnessSpreadDb = spread(0, r.parts.size());
        if (r.isBand)
            for (size_t member = 0; member < 6; ++member)
                r.memberSpreadDb = std::max(r.memberSpreadDb, spread(6 * member, 6 * member + 6));
    }
    return r;
}

}  // namespace music_check
