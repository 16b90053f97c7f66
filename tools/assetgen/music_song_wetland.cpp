// "wet.xmi": the wetland. A calypso in C major at 112 (steps are sixteenths),
// eight bars and an eight-bar second half on the subdominant, with steel
// drum, marimba and bubbling percussion.
#include "assetgen/music_songs.h"

namespace assetgen::music {

Song WetlandSong() {
    const Frame f = MakeFrame(60, kMajor, 16, 16, 16, "I IV V7 I I IV V7 I  IV IV I vi ii V7 I I");
    const std::string tune =
        "5 - - 3 - - 5 - 6 - 5 - 3 - 1 -  4 - - 6 - - 1' - 6 - 4 - . . . .  "
        "2 - - 4 - - 5 - 7 - 5 - 4 - 2 -  3 - - 1 - - 3 - 5 - - - . . . .  "
        "1' - - 5 - - 3 - 5 - 3 - 1 - - -  6 - - 4 - - 6 - 1' - 6 - 4 - . .  "
        "5 - - 4 - - 2 - 7, - 2 - 4 - 5 -  1 - - - - - . . 3 - 5 - 1' - . .  "
        // The second half.
        "6 - - 4 - - 6 - 1' - 6 - 4 - - -  1' - - 6 - - 4 - 6 - - - . . . .  "
        "5 - - 3 - - 1 - 3 - 5 - 1' - - -  6 - - 3 - - 1 - 3 - - - . . . .  "
        "2 - - 4 - - 6 - 4 - 2 - . . . .  7, - - 2 - - 5 - 4 - 2 - 7, - - -  "
        "1 - - 3 - - 5 - 1' - 5 - 3 - - -  1 - - - - - . . 5 - 3 - 1 - . .";
    const std::string answer =
        ". . . . . . . . . . . . 5 - 6 -  . . . . . . . . . . . . 1' - 6 -  "
        ". . . . . . . . . . . . 7 - 5 -  . . . . . . . . . . . . 3 - 5 -  "
        ". . . . . . . . . . . . 5 - 3 -  . . . . . . . . . . . . 4 - 6 -  "
        ". . . . . . . . . . . . 2 - 4 -  . . . . . . . . 1 - - - . . . .  "
        ". . . . . . . . . . . . 4 - 6 -  . . . . . . . . . . . . 1' - 6 -  "
        ". . . . . . . . . . . . 5 - 3 -  . . . . . . . . . . . . 3 - 1 -  "
        ". . . . . . . . . . . . 2 - 4 -  . . . . . . . . . . . . 5 - 7, -  "
        ". . . . . . . . 1 - - - . . . .  . . . . . . . . . . . . . . . .";

    Song s{"wet.xmi", f.LoopTicks(), {}, f};
    auto& p = s.parts;
    // Icons 0-5, rhythm.
    p.push_back(Drums(f, "congas", {{kConga, "x . . x . . x . x . . x . . x ."}}, {.velocity = 82}));
    p.push_back(ChordTones(f, "bass", kSynthBass, "0 . . 2 - - 0 . 0 . . 2 . . 1 .", {.octave = -2, .velocity = 95, .gate = 0.8}));
    p.push_back(ChordTones(f, "guitar", kGuitar, ". . c . . . c . . . c . . . c .", {.octave = -1, .velocity = 60, .gate = 0.5}));
    p.push_back(Drums(f, "shaker", {{kShaker, "x o o x o o x o x o o x o o x o"}}, {.velocity = 70}));
    p.push_back(Drums(f, "kick", {{kKick, "X . . . x . . . X . . . x . . ."}}, {.velocity = 88}));
    p.push_back(Drums(f, "clave", {{kWoodBlock, "x . . x . . x . . . x . x . . ."}}, {.velocity = 72}));
    // Icon 6: the flute's tune, first heard on easy.
    const Part steel = Melody(f, "steel drum tune", kSteelDrum, tune, {.octave = 1, .velocity = 92});
    p.push_back(Melody(f, "flute tune", kFlute, tune, {.octave = 1, .velocity = 70, .gate = 0.85}));
    // Icons 7-11, harmony.
    p.push_back(ChordTones(f, "steel chords", kSteelDrum, ". . c . . . . . . . c . . . . .", {.velocity = 56, .gate = 0.5}));
    p.push_back(ChordTones(f, "pad", kPad, "c - - - - - - - - - - - - - - -", {.velocity = 58, .gate = 1.0}));
    p.push_back(ChordTones(f, "brass", kBrass, ". . . . . . . . . . . . c - . .", {.velocity = 60, .gate = 0.8}));
    p.push_back(ChordTones(f, "vibraphone", kVibraphone, "c - - - - - - - . . . . . . . .", {.velocity = 56}));
    p.push_back(ChordTones(f, "electric piano", kElectricPiano, ". . . . c . . . . . . . c . . .", {.velocity = 56, .gate = 0.5}));
    // Icons 12-17, melody.
    p.push_back(steel);
    p.push_back(Line(f, "marimba thirds", kMarimba, tune, {.octave = 1, .velocity = 74, .shift = -2}, &steel));
    p.push_back(ChordTones(f, "marimba", kMarimba, "0 . 1 . 2 . 1 . 3 . 2 . 1 . 2 .", {.velocity = 68}));
    p.push_back(Melody(f, "kalimba tune", kKalimba, tune, {.octave = 0, .velocity = 78}));
    p.push_back(Line(f, "clarinet answer", kClarinet, answer, {.octave = 0, .velocity = 72}, &steel));
    p.push_back(Line(f, "vibraphone sixths", kVibraphone, tune, {.octave = 1, .velocity = 62, .shift = -5}, &steel));
    // Icons 18-23, colour: bubbles and splashes.
    p.push_back(ChordTones(f, "bubbles", kKalimba, "0 1 2 3 . . . . . . . . . . . .  . . . . . . . . 3 2 1 0 . . . .", {.octave = 0, .velocity = 58}));
    p.push_back(Drums(f, "tambourine", {{kTambourine, ". . . . x . . . . . . . x . . ."}}, {.velocity = 66}));
    p.push_back(ChordTones(f, "glockenspiel", kGlockenspiel, "2 . . . . . . . . . 3 . . . . .", {.octave = 2, .velocity = 55}));
    p.push_back(Drums(f, "high conga", {{kConga, ". . . . . . . . . . . . . x x ."}}, {.velocity = 62}));
    p.push_back(ChordTones(f, "marimba ripple", kMarimba, ". . . . . . . . . . . . . . . .  0 1 2 3 4 3 2 1 . . . . . . . .", {.octave = 0, .velocity = 56}));
    p.push_back(Drums(f, "splash", {{kCrash, "X . . . . . . . . . . . . . . .  . . . . . . . . . . . . . . . .  . . . . . . . . . . . . . . . .  . . . . . . . . . . . . . . . ."}},
                      {.velocity = 60}));
    return s;
}

}  // namespace assetgen::music
