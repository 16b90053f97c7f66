// "fun.xmi": funland. A fairground waltz in C major, three beats at 180 (one
// bar a second), sixteen bars: calliope over tuba oom-pah-pah, with
// glockenspiel and organ.
#include "assetgen/music_songs.h"

namespace assetgen::music {

Song FunlandSong() {
    const Frame f = MakeFrame(60, kMajor, 20, 6, 6, "I I V7 V7 V7 V7 I I I I IV IV I V7 I I");
    const std::string tune =
        "5 - - - 3 -  1 - 3 - 5 -  4 - - - 2 -  7, - 2 - 4 - "
        "5 - - - 4 -  2 - 4 - 7 -  1' - - - 5 -  3 - - - - - "
        "5 - - - 3 -  1 - 3 - 5 -  6 - - - 4 -  1' - 6 - 4 - "
        "5 - - - 3 -  2 - 4 - 7 -  1' - 5 - 3 -  1 - - - . .";
    const std::string answer =
        ". . . . 1 2  3 - . . . .  . . . . 7, 1  2 - . . . . "
        ". . . . 2 3  4 - . . . .  . . . . 3 4  5 - . . . . "
        ". . . . 1 2  3 - . . . .  . . . . 1 2  4 - . . . . "
        ". . . . 5 4  4 - . . . .  . . . . 2 1  1 - . . . .";

    Song s{"fun.xmi", f.LoopTicks(), {}};
    auto& p = s.parts;
    // Icons 0-5, rhythm: oom-pah-pah.
    p.push_back(ChordTones(f, "tuba", kTuba, "0 - . . . .  2, - . . . .", {.octave = -2, .velocity = 100}));
    p.push_back(ChordTones(f, "accordion pah-pah", kAccordion, ". . c . c .", {.velocity = 62, .gate = 0.6}));
    p.push_back(Drums(f, "snare", {{kSnare, "x . o . o ."}}, {.velocity = 70}));
    p.push_back(Drums(f, "bass drum", {{kKick, "X . . . . ."}}, {.velocity = 95}));
    p.push_back(ChordTones(f, "pizzicato", kPizzicato, ". . 1 . 2 .", {.velocity = 75}));
    p.push_back(Drums(f, "tick-tock", {{kWoodBlock, ". . x . x ."}}, {.velocity = 66}));
    // Icons 6-11, harmony.
    p.push_back(ChordTones(f, "organ", kOrgan, "c - - - - -", {.velocity = 55, .gate = 0.97}));
    p.push_back(ChordTones(f, "strings", kStrings, "c - - - - -", {.octave = -1, .velocity = 60, .gate = 1.0}));
    p.push_back(ChordTones(f, "marimba", kMarimba, "0 1 2 1 2 1", {.velocity = 70}));
    p.push_back(ChordTones(f, "brass", kBrass, "c - - . . .", {.octave = -1, .velocity = 62, .gate = 0.8}));
    p.push_back(ChordTones(f, "harp", kHarp, "0 . 1 . 2 .  3 . 2 . 1 .", {.velocity = 70}));
    p.push_back(ChordTones(f, "banjo", kBanjo, ". . c . c .", {.octave = -1, .velocity = 55, .gate = 0.5}));
    // Icons 12-17, melody.
    p.push_back(Melody(f, "calliope tune", kCalliope, tune, {.octave = 1, .velocity = 90, .gate = 0.85}));
    p.push_back(Melody(f, "glockenspiel tune", kGlockenspiel, tune, {.octave = 2, .velocity = 70}));
    p.push_back(Melody(f, "clarinet thirds", kClarinet, tune, {.octave = 0, .velocity = 70, .gate = 0.85, .shift = -2}));
    p.push_back(Melody(f, "brass tune", kBrass, tune, {.octave = 0, .velocity = 66, .gate = 0.8}));
    p.push_back(Melody(f, "whistle answer", kWhistle, answer, {.octave = 1, .velocity = 75}));
    p.push_back(Melody(f, "accordion sixths", kAccordion, tune, {.octave = 1, .velocity = 58, .gate = 0.85, .shift = -5}));
    // Icons 18-23, colour.
    p.push_back(ChordTones(f, "glockenspiel sparkle", kGlockenspiel, "2 . . . . .  . . . 3 . .", {.octave = 2, .velocity = 60}));
    p.push_back(ChordTones(f, "chimes", kChimes, "0 . . . . .  . . . . . .  . . . . . .  . . . . . .", {.velocity = 60}));
    p.push_back(Drums(f, "tambourine", {{kTambourine, ". . x . x ."}}, {.velocity = 70}));
    p.push_back(Drums(f, "timpani", {{kTimpani, "X . . . . .  . . . . . .  . . . . . .  . . . x . x", 48}}, {.velocity = 70}));
    p.push_back(ChordTones(f, "music box", kKalimba, "3 2 1 2 3 .", {.octave = 0, .velocity = 55}));
    p.push_back(Drums(f, "cymbal", {{kCrash, "X . . . . .  . . . . . .  . . . . . .  . . . . . .  . . . . . .  . . . . . .  . . . . . .  . . . . . ."}},
                      {.velocity = 70}));
    return s;
}

}  // namespace assetgen::music
