// "aussie.xmi": the aussie land. A laid-back groove in D mixolydian at 90,
// eight bars and an eight-bar second half on the subdominant, over a
// didgeridoo drone on D, with clapsticks and guitar.
#include "assetgen/music_songs.h"

namespace assetgen::music {

Song AussieSong() {
    const Frame f = MakeFrame(62, kMixolydian, 40, 8, 8, "I I bVII I I IV bVII I  IV IV I I bVII IV I I");
    const std::string tune =
        "1 - 3 - 5 - 3 2  1 - - - . . 5, 6,  7, - 2 - 4 - 2 1  1 - - - - - . . "
        "5 - 6 - 5 3 2 1  4 - 6 - 1' - 6 4  2 - 4 - 7 - 4 2  1 - - - - - . . "
        // The second half.
        "4 - 6 - 1' - 6 4  6 - - - . . 4 6  5 - 3 - 1 - 3 5  3 - - - - - . . "
        "2 - 4 - 7 - 4 2  1 - 4 - 6 - 4 1  3 - 5 - 3 2 1 -  1 - - - - - . .";
    const std::string descant =
        "5 - - - - - - -  3 - - - - - - -  4 - - - - - - -  3 - - - - - - - "
        "5 - - - - - - -  6 - - - - - - -  7 - - - - - - -  5 - - - - - - - "
        "6 - - - - - - -  1' - - - - - - -  5 - - - - - - -  3 - - - - - - - "
        "7 - - - - - - -  6 - - - - - - -  5 - - - - - - -  3 - - - - - - -";
    const std::string answer =
        ". . . . . . . .  . . 5 - 3 - 1 -  . . . . . . . .  . . 3 - 2 - 1 - "
        ". . . . . . . .  . . 1' - 6 - 4 -  . . . . . . . .  . . 5 - 3 - 2 - "
        ". . . . . . . .  . . 1' - 6 - 4 -  . . . . . . . .  . . 5 - 3 - 1 - "
        ". . . . . . . .  . . 6 - 4 - 1 -  . . . . . . . .  . . 3 - 2 - 1 -";

    Song s{"aussie.xmi", f.LoopTicks(), {}, f};
    auto& p = s.parts;
    // Icons 0-5, rhythm.
    p.push_back(Melody(f, "didgeridoo drone", kDidgeridoo, "1 - - - - - - -", {.octave = -2, .velocity = 100, .gate = 1.0}));
    p.push_back(Drums(f, "clapsticks", {{kClapsticks, "x . x . x . x x"}}, {.velocity = 85}));
    p.push_back(ChordTones(f, "bass", kUprightBass, "0 . . 2 . 0 . .", {.octave = -2, .velocity = 95, .gate = 0.8}));
    p.push_back(ChordTones(f, "guitar strum", kGuitar, "c . . c . c . .", {.octave = -1, .velocity = 64, .gate = 0.7}));
    p.push_back(Drums(f, "shaker", {{kShaker, "x o x o x o x o"}}, {.velocity = 72}));
    p.push_back(Drums(f, "hand drum", {{kConga, "X . . x . . x ."}, {kKick, "x . . . . . . ."}}, {.velocity = 80}));
    p[0].role = Role::kBackground;  // a drone, not a tune
    // Icon 6: the kalimba's tune, first heard on easy.
    const Part kalimba = Melody(f, "kalimba tune", kKalimba, tune, {.octave = 0, .velocity = 80});
    p.push_back(kalimba);
    // Icons 7-11, harmony.
    p.push_back(ChordTones(f, "guitar picking", kGuitar, "0 2 3 2 1 2 3 2", {.octave = -1, .velocity = 66}));
    p.push_back(ChordTones(f, "electric piano", kElectricPiano, ". . c . . . c .", {.velocity = 60, .gate = 0.6}));
    p.push_back(ChordTones(f, "strings", kStrings, "c - - - - - - -", {.octave = -1, .velocity = 58, .gate = 1.0}));
    p.push_back(ChordTones(f, "marimba", kMarimba, "0 . 1 . 2 . 1 .", {.velocity = 70}));
    p.push_back(ChordTones(f, "vibraphone", kVibraphone, "c - - - . . . .", {.velocity = 58}));
    // Icons 12-17, melody.
    p.push_back(Melody(f, "guitar tune", kGuitar, tune, {.octave = 0, .velocity = 90}));
    p.push_back(ChordTones(f, "pad", kPad, "c - - - - - - -", {.velocity = 62, .gate = 1.0}));
    p.push_back(Line(f, "marimba thirds", kMarimba, tune, {.octave = 1, .velocity = 72, .shift = -2}, &kalimba));
    p.push_back(Line(f, "flute descant", kFlute, descant, {.octave = 1, .velocity = 66, .gate = 0.95}, &kalimba));
    p.push_back(Line(f, "banjo answer", kBanjo, answer, {.octave = 0, .velocity = 70}, &kalimba));
    p.push_back(Line(f, "vibraphone sixths", kVibraphone, tune, {.octave = 1, .velocity = 62, .shift = -5}, &kalimba));
    // Icons 18-23, colour.
    p.push_back(Drums(f, "woodblock", {{kWoodBlock, ". . . x . . . .  . . . x . . x ."}}, {.velocity = 66}));
    p.push_back(ChordTones(f, "kalimba sparkle", kKalimba, "3 . . 2 . . 1 .", {.octave = 0, .velocity = 55}));
    p.push_back(Drums(f, "tambourine", {{kTambourine, ". . x . . . x ."}}, {.velocity = 66}));
    p.push_back(ChordTones(f, "chimes", kChimes, "0 . . . . . . .  . . . . . . . .", {.velocity = 55}));
    p.push_back(Melody(f, "didgeridoo toots", kDidgeridoo, "1 . . 1 . . . .  . . . . 1 . 1 .", {.octave = -1, .velocity = 80, .gate = 0.5}));
    p.back().role = Role::kBackground;
    p.push_back(ChordTones(f, "glockenspiel", kGlockenspiel, "2 . . . 3 . . .  . . . . . . . .", {.octave = 2, .velocity = 58}));
    return s;
}

}  // namespace assetgen::music
