// The band songs: "band.xmi" on the title screen and the den's
// "easyband.xmi", "medband.xmi" and "hardband.xmi". Six members, each with
// six alternative parts in one role (drums, bass, keys, guitar, horns, lead),
// all on the same chords so that any choice per member fits. Each song has a
// second section on other chords. The den's songs grow richer with the
// difficulty: more chords, sevenths, busier patterns and a quicker tempo.
#include "assetgen/music_songs.h"

namespace assetgen::music {

namespace {

struct BandPlan {
    const char* file;
    Frame frame;
    std::string tuneA, tuneB;  // the two written leads, through the whole loop
    int leadOctaveB = 0;
    bool rich = false;
};

// A and B sections: the frame's progression and the leads run A then B (then
// A again when the song is quick enough to need it for its length).
BandPlan Plan(int level) {
    switch (level) {
        case 1:
            return {"easyband.xmi", MakeFrame(60, kMajor, 34, 8, 8, "I IV I V I IV V I  IV I V I IV I V V"),
                    "5 - 3 - 1 - 3 -  4 - 6 - 6 - - -  5 - 3 - 5 - 1' -  7 - 5 - 2 - - -  "
                    "3 - 5 - 1' - 5 -  6 - 4 - 6 - 1' -  7 - 5 - 2 - 7, -  1 - - - - - . .  "
                    "6 - 4 - 1 - 4 -  5 - 3 - 5 - 1' -  7 - 5 - 2 - 5 -  3 - 1 - 3 - - -  "
                    "4 - 6 - 1' - 6 -  5 - 3 - 1 - 3 -  2 - 5 - 7 - 2' -  7 - - - 5 - . .",
                    "3 - - - 5 - - -  6 - - - 4 - - -  3 - - - 1 - - -  2 - - - 7, - - -  "
                    "5 - - - 3 - - -  4 - - - 6 - - -  5 - - - 7, - - -  1 - - - - - - -  "
                    "1 - - - 6 - - -  3 - - - 5 - - -  2 - - - 7, - - -  1 - - - 3 - - -  "
                    "6 - - - 4 - - -  3 - - - 5 - - -  5 - - - 2 - - -  7, - - - 2 - - -",
                    0, false};
        case 2:
            return {"medband.xmi", MakeFrame(55, kMajor, 30, 8, 8, "I vi IV V I vi IV V  IV V iii vi IV ii V V"),
                    "1' - 5 - 3 - 1 -  6 - 1' - 3 - - -  4 - 6 - 1' - 6 -  5 - 7 - 2' - - -  "
                    "3' - 5 - 1' - 5 -  6 - 1' - 3' - - -  4' - 1' - 6 - 4 -  7 - 2' - 5 - - -  "
                    "6 - 1' - 4' - 1' -  7 - 2' - 5' - 2' -  3' - 7 - 5 - 7 -  6 - 1' - 3' - - -  "
                    "4' - 1' - 6 - 1' -  2' - 4' - 6' - 4' -  5' - 2' - 7 - 2' -  5' - - - 7 - - -",
                    "5 - . 3 - . 1 -  3 - . 1 - . 6, -  1 - . 4 - . 6 -  5 - . 2 - . 7, -  "
                    "5 - . 3 - . 5 -  6 - . 1' - . 3 -  4 - . 6 - . 4 -  2 - - - 5, - - -  "
                    "4 - . 6 - . 1' -  5 - . 2 - . 7, -  3 - . 5 - . 7 -  6 - . 3 - . 1 -  "
                    "4 - . 1 - . 6, -  2 - . 4 - . 6 -  5 - . 7, - . 2 -  5, - - - 7, - - -",
                    1, false};
        case 3: {
            const std::string a = "Imaj7 vi7 ii7 V7 iii7 vi7 ii7 V7 ";
            const std::string leadA =
                "3 - 5 - 7 - 5 3  1' - 6 - 3 - 1 -  2 - 4 - 6 - 1' -  7 - 5 - 2 - 4 -  "
                "3 - 5 - 7 - 2' -  1' - 6 - 5 - 3 -  4 - 2 - 6, - 1 -  7, - 2 - 4 - - -  ";
            const std::string leadB =
                "5 . 5 3 . 1 . .  6 . 6 3 . 1 . .  4 . 4 2 . 6, . .  5 . 5 2 . 7, . .  "
                "5 . 5 3 . 7, . .  3 . 3 1 . 6, . .  6 . 6 4 . 2 . .  5 . 4 2 . 7, . .  ";
            return {"hardband.xmi",
                    MakeFrame(65, kMajor, 27, 8, 8, a + "IVmaj7 IVmaj7 iii7 vi7 ii7 ii7 V7 V7 " + a),
                    leadA +
                        "4 - 6 - 1' - 3' -  1' - 6 - 4 - 3 -  3 - 5 - 7 - 5 3  6 - 1' - 3' - 1' -  "
                        "2 - 4 - 6 - 1' -  6 - 4 - 2 - 1 -  7, - 2 - 4 - 5 -  7 - 5 - 4 - 2 -  " +
                        leadA,
                    leadB +
                        "6 . 6 4 . 1 . .  3 . 3 1 . 6, . .  5 . 5 3 . 7, . .  1 . 1 6, . 3 . .  "
                        "4 . 4 2 . 6, . .  1 . 1 6, . 4 . .  5 . 5 2 . 7, . .  4 . 4 2 . 7, . .  " +
                        leadB,
                    0, true};
        }
        default:
            return {"band.xmi", MakeFrame(60, kMajor, 30, 8, 8, "I V vi IV I V IV I  vi IV I V vi IV V V"),
                    "5 - 5 - 6 - 5 -  2' - 7 - 5 - - -  1' - 6 - 3 - 6 -  4 - 6 - 1' - - -  "
                    "5 - 3 - 5 - 1' -  7 - 2' - 5 - - -  6 - 4 - 1' - 6 -  1' - - - - - . .  "
                    "6 - 1' - 3' - 1' -  6 - 4 - 6 - - -  5 - 3 - 1 - 3 -  2 - 5 - 7 - - -  "
                    "1' - 6 - 3 - 6 -  1' - 6 - 4 - - -  2' - 7 - 5 - 7 -  2' - - - 5 - . .",
                    "3 - - - 1 - - -  2 - - - 7, - - -  1 - - - 3 - - -  4 - - - 6 - - -  "
                    "3 - - - 5 - - -  2 - - - 5, - - -  4 - - - 6 - - -  3 - - - - - - -  "
                    "1 - - - 3 - - -  1 - - - 6, - - -  3 - - - 5 - - -  7, - - - 2 - - -  "
                    "3 - - - 1 - - -  4 - - - 6 - - -  5 - - - 7, - - -  2 - - - 7, - - -",
                    0, false};
    }
}

}  // namespace

Song BandSong(int level) {
    const BandPlan plan = Plan(level);
    const Frame& f = plan.frame;
    const bool rich = plan.rich || level == 2;
    Song s{plan.file, f.LoopTicks(), {}, f};
    auto& p = s.parts;
    const std::string hats = rich ? "x o x x o x x o" : "x . x . x . x .";
    // Member 0: drums.
    p.push_back(Drums(f, "rock kit", {{kKick, "X . . . x . . ."}, {kSnare, ". . x . . . x ."}, {kClosedHat, hats}}, {.velocity = 85}));
    p.push_back(Drums(f, "disco kit", {{kKick, "X . x . X . x ."}, {kOpenHat, ". x . x . x . x"}, {kClap, ". . x . . . x ."}}, {.velocity = 80}));
    p.push_back(Drums(f, "shuffle kit", {{kKick, rich ? "X . . x x . . ." : "X . . . x . . ."}, {kSnare, ". . x . . . x x"}, {kRide, "x . x x x . x x"}}, {.velocity = 80}));
    p.push_back(Drums(f, "latin percussion", {{kConga, "x . . x . . x ."}, {kShaker, "x o x o x o x o"}, {kWoodBlock, rich ? "x . . x . . x . . . x . x . . ." : "x . . x . . x ."}}, {.velocity = 80}));
    p.push_back(Drums(f, "marching snare", {{kSnare, rich ? "X o x o X o x x" : "X . x . X . x ."}, {kKick, "x . . . x . . ."}}, {.velocity = 80}));
    p.push_back(Drums(f, "hand claps", {{kClap, ". . x . . . x ."}, {kTambourine, "x . x . x . x ."}, {kKick, "x . . . . . . ."}}, {.velocity = 80}));
    // Member 1: bass.
    p.push_back(ChordTones(f, "bass roots", kUprightBass, rich ? "0 . . 0 2 . 0 ." : "0 - - - 2 - - -", {.octave = -2, .velocity = 100, .gate = 0.85}));
    p.push_back(ChordTones(f, "synth bass bounce", kSynthBass, "0 . 3 . 0 . 3 .", {.octave = -2, .velocity = 90, .gate = 0.6}));
    p.push_back(ChordTones(f, "walking bass", kUprightBass, "0 . 1 . 2 . 3 .", {.octave = -2, .velocity = 100}));
    p.push_back(ChordTones(f, "tuba", kTuba, "0 . 2, . 0 . 2, .", {.octave = -2, .velocity = 100, .gate = 0.6}));
    p.push_back(ChordTones(f, "syncopated bass", kSynthBass, rich ? "0 . . 0 . 0 2 ." : "0 . . 0 . . 2 .", {.octave = -2, .velocity = 92, .gate = 0.7}));
    p.push_back(ChordTones(f, "pizzicato bass", kPizzicato, "0 . 2 . 3 . 2 .", {.octave = -1, .velocity = 90}));
    // Member 2: keys.
    p.push_back(ChordTones(f, "piano chords", kPiano, rich ? "c . c . c . c c" : "c . c . c . c .", {.octave = 0, .velocity = 66, .gate = 0.6}));
    p.push_back(ChordTones(f, "organ", kOrgan, "c - - - - - - -", {.octave = -1, .velocity = 54, .gate = 0.97}));
    p.push_back(ChordTones(f, "electric piano", kElectricPiano, ". c . c . c . c", {.octave = 0, .velocity = 60, .gate = 0.5}));
    p.push_back(ChordTones(f, "piano arpeggio", kPiano, rich ? "0 1 2 3 4 3 2 1" : "0 1 2 1 0 1 2 1", {.octave = 0, .velocity = 64}));
    p.push_back(ChordTones(f, "vibraphone", kVibraphone, "c - - - c - - -", {.octave = 0, .velocity = 56}));
    p.push_back(ChordTones(f, "strings", kStrings, "c - - - - - - -", {.octave = -1, .velocity = 58, .gate = 1.0}));
    // Member 3: guitar.
    p.push_back(ChordTones(f, "strummed guitar", kGuitar, rich ? "c . c c . c c ." : "c . c . c . c .", {.octave = -1, .velocity = 62, .gate = 0.6}));
    p.push_back(ChordTones(f, "picked guitar", kGuitar, "0 2 1 2 3 2 1 2", {.octave = -1, .velocity = 66}));
    p.push_back(ChordTones(f, "banjo roll", kBanjo, "0 1 2 0 1 2 0 1", {.octave = -1, .velocity = 58}));
    p.push_back(ChordTones(f, "offbeat guitar", kGuitar, ". c . c . c . c", {.octave = -1, .velocity = 60, .gate = 0.3}));
    p.push_back(ChordTones(f, "harp", kHarp, "0 1 2 3 2 1 . .", {.octave = 0, .velocity = 66}));
    p.push_back(ChordTones(f, "kalimba riff", kKalimba, "3 . 2 . 1 . 2 .", {.octave = 0, .velocity = 66}));
    // Member 4: horns.
    p.push_back(ChordTones(f, "brass stabs", kBrass, rich ? "c . . c . . c ." : "c . . . . . . .", {.octave = -1, .velocity = 64, .gate = 0.6}));
    p.push_back(ChordTones(f, "saxophone guide", kSaxophone, "1 - - - - - - -", {.octave = 0, .velocity = 66, .gate = 0.95}));
    p.push_back(ChordTones(f, "muted trumpets", kMutedTrumpet, "2 - - - 1 - - -", {.octave = 0, .velocity = 66, .gate = 0.9}));
    p.push_back(ChordTones(f, "clarinet", kClarinet, "3 - - - 2 - - -", {.octave = -1, .velocity = 64, .gate = 0.9}));
    p.push_back(ChordTones(f, "brass pad", kBrass, "c - - - - - - -", {.octave = -1, .velocity = 56, .gate = 0.97}));
    p.push_back(ChordTones(f, "accordion", kAccordion, ". c . c . c . c", {.octave = -1, .velocity = 56, .gate = 0.5}));
    // Member 5: lead.
    // The whistle plays an octave up, where a real one lives.
    p.push_back(Melody(f, "whistle lead", kWhistle, plan.tuneA, {.octave = 1, .velocity = 88, .gate = 0.85}));
    p.push_back(Melody(f, "saxophone lead", kSaxophone, plan.tuneB, {.octave = 0, .velocity = 84, .gate = 0.9}));
    p.push_back(Melody(f, "flute lead", kFlute, plan.tuneA, {.octave = 0, .velocity = 84, .gate = 0.85}));
    p.push_back(Melody(f, "fiddle lead", kFiddle, plan.tuneB, {.octave = 0, .velocity = 84, .gate = 0.9}));
    p.push_back(Melody(f, "steel drum lead", kSteelDrum, plan.tuneA, {.octave = 0, .velocity = 88}));
    p.push_back(Melody(f, "vibraphone lead", kVibraphone, plan.tuneB, {.octave = plan.leadOctaveB, .velocity = 80}));
    return s;
}

}  // namespace assetgen::music
