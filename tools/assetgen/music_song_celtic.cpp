// "maze.xmi": the celtic land. A jig in 6/8, D major, a dotted quarter at
// 120 (one bar a second), in two sixteen-bar halves: the tune, then a turn
// that climbs from the relative minor. Whistle and fiddle carry the tune
// over harp, guitar and bodhran.
#include "assetgen/music_songs.h"

namespace assetgen::music {

Song CelticSong() {
    const Frame f = MakeFrame(62, kMajor, 20, 6, 6,
                              "I I IV V I vi IV V I I IV V vi IV V I "
                              "vi IV I V vi IV V V IV IV I vi IV V I I");
    const std::string tune =
        "5 3 5 1' 5 3  3 2 3 1 - 3  4 6 4 1' 6 4  5 - 7 2' 7 5 "
        "3 2 3 5 3 1  6 5 6 1' 6 5  4 - 6 1' - 6  5 - - 5 6 7 "
        "1' - 7 1' 5 3  1 3 5 1' 7 6  4 6 1' 6 4 6  5 7 2' 5 - 4 "
        "3 6 1' 6 3 1  4 6 1' 4' 1' 6  2' 7 5 7 2' 7  1' - - 1' . . "
        // The turn.
        "6 7 1' 3' 1' 6  4 6 1' 6 4 6  5 3 5 1' - 5  7 - 5 2' - 7 "
        "1' 7 6 3 - 6  4 - 6 1' 6 4  5 6 7 2' 7 5  7 - - 5 . . "
        "6 4 6 1' 2' 3'  4' - 3' 1' - 6  5 - 3 5 6 7  1' - 6 3 - 6 "
        "4 6 1' 6 4 2  7, 2 5 7 - 5  1 3 5 1' 5 3  1 - - 1 . .";
    // An answering line for the second voice (put on the chords by Line).
    const std::string answer =
        "1 - - 3 - -  2 - - 3 - 2  1 - - 4 - -  2 - - 7, - - "
        "1 - - 5 - -  1 - - 3 - -  6, - - 1 - -  7, - - 2 - - "
        "3 - - 5 - 3  5 - - 3 - -  1 - - 4 - -  2 - - 7, - - "
        "1 - - 3 - -  6, - - 1 - -  5, - - 7, - -  1 - - - - - "
        "6, - - 1 - -  4 - - 6 - -  5 - - 3 - -  5 - - 7, - - "
        "1 - - 3 - -  6, - - 1 - -  2 - - 7, - -  5, - - . . . "
        "4 - - 6 - -  6 - - 4 - -  3 - - 5 - -  1 - - 3 - - "
        "6, - - 1 - -  7, - - 2 - -  3 - - 1 - -  1 - - - - -";

    Song s{"maze.xmi", f.LoopTicks(), {}, f};
    auto& p = s.parts;
    // Icons 0-5, rhythm: the dance's pulse.
    p.push_back(Drums(f, "bodhran", {{kBodhran, "X . x x . x  x . x X . x"}}, {.velocity = 88}));
    p.push_back(ChordTones(f, "bass", kUprightBass, "0 . . 2 . .", {.octave = -2, .velocity = 95, .gate = 0.8}));
    p.push_back(ChordTones(f, "guitar strum", kGuitar, "c . c c . c", {.octave = -1, .velocity = 62, .gate = 0.6}));
    p.push_back(ChordTones(f, "pizzicato", kPizzicato, ". 2 1 . 2 1", {.octave = -1, .velocity = 78}));
    p.push_back(Drums(f, "shaker", {{kShaker, "x o o x o o"}}, {.velocity = 80}));
    p.push_back(Drums(f, "foot taps", {{kWoodBlock, "x . . x . ."}}, {.velocity = 70}));
    // Icon 6: the fiddle plays the tune, so the easy land's few icons have one.
    const Part fiddle = Melody(f, "fiddle tune", kFiddle, tune, {.octave = 0, .velocity = 84, .gate = 0.9});
    p.push_back(fiddle);
    // Icons 7-11, harmony.
    p.push_back(ChordTones(f, "harp arpeggio", kHarp, "0 1 2 3 2 1", {.velocity = 72}));
    p.push_back(ChordTones(f, "strings", kStrings, "c - - - - -", {.octave = -1, .velocity = 62, .gate = 1.0}));
    p.push_back(ChordTones(f, "fiddle drone", kFiddle, "0 - - 2 - -", {.octave = -1, .velocity = 55, .gate = 0.95}));
    p.push_back(ChordTones(f, "guitar picking", kGuitar, "0 2 3 1' 3 2", {.octave = -1, .velocity = 66}));
    p.push_back(ChordTones(f, "clarinet", kClarinet, "1 - - - - -", {.velocity = 58, .gate = 0.95}));
    // Icons 12-17, melody.
    p.push_back(Melody(f, "whistle tune", kWhistle, tune, {.octave = 1, .velocity = 92, .gate = 0.85}));
    p.push_back(ChordTones(f, "accordion", kAccordion, "c - - - - -", {.velocity = 60, .gate = 0.97}));
    p.push_back(Line(f, "flute thirds", kFlute, tune, {.octave = 1, .velocity = 70, .gate = 0.85, .shift = -2}, &fiddle));
    p.push_back(Melody(f, "harp tune", kHarp, OnTheBeat(tune, f.stepsPerBeat), {.octave = 0, .velocity = 80}));
    p.push_back(Line(f, "accordion answer", kAccordion, answer, {.velocity = 64, .gate = 0.95}, &fiddle));
    p.push_back(Line(f, "clarinet answer", kClarinet, answer, {.octave = 0, .velocity = 70, .gate = 0.9, .shift = 2}, &fiddle));
    // Icons 18-23, colour.
    p.push_back(ChordTones(f, "glockenspiel", kGlockenspiel, "2 . . . . .  1 . . 3 . .", {.octave = 2, .velocity = 64}));
    p.push_back(ChordTones(f, "chimes", kChimes, "0 . . . . .  . . . . . .  2 . . . . .  . . . . . .",
                           {.octave = 0, .velocity = 58}));
    p.push_back(Drums(f, "tambourine", {{kTambourine, ". . x . . x"}}, {.velocity = 75}));
    p.push_back(ChordTones(f, "harp runs", kHarp,
                           ". . . . . .  . . . . . .  . . . . . .  0 1 2 3 4 5", {.octave = 0, .velocity = 70}));
    p.push_back(ChordTones(f, "banjo", kBanjo, "3 . 2 . 3 .", {.octave = -1, .velocity = 60}));
    p.push_back(Drums(f, "timpani", {{kTimpani, "X . . . . .  . . . . . .  . . . . . .  . . . x . .", 50}},
                      {.velocity = 66}));
    return s;
}

}  // namespace assetgen::music
