// "fun.xmi": funland. A fairground waltz in C major, three beats at 180 (one
// bar a second), in two sixteen-bar halves, the second starting on the
// subdominant: calliope over tuba oom-pah-pah, with glockenspiel and organ.
#include "assetgen/music_songs.h"

namespace assetgen::music {

Song FunlandSong() {
    Frame f = MakeFrame(60, kMajor, 20, 6, 6,
                        "I I V7 V7 V7 V7 I I I I IV IV I V7 I I "
                        "IV IV I I V7 V7 I I IV IV I vi ii V7 I I");
    f.stepsPerBeat = 2;  // three beats to the bar
    const std::string tune =
        "5 - - - 3 -  1 - 3 - 5 -  4 - - - 2 -  7, - 2 - 4 - "
        "5 - - - 4 -  2 - 4 - 7 -  1' - - - 5 -  3 - - - - - "
        "5 - - - 3 -  1 - 3 - 5 -  6 - - - 4 -  1' - 6 - 4 - "
        "5 - - - 3 -  2 - 4 - 7 -  1' - 5 - 3 -  1 - - - . . "
        // The second half.
        "6 - - - 4 -  1' - 6 - 4 -  5 - - - 3 -  1 - 3 - 5 - "
        "4 - - - 2 -  7, - 2 - 5 -  3 - - - 1 -  5 - - - . . "
        "6 - - - 1' -  6 - 1' - 6 -  5 - 3 - 5 -  6 - - - 3 - "
        "4 - - - 2 -  7, - 2 - 4 -  3 - 5 - 3 -  1 - - - . .";
    const std::string answer =
        ". . . . 1 2  3 - . . . .  . . . . 7, 1  2 - . . . . "
        ". . . . 2 3  4 - . . . .  . . . . 3 4  5 - . . . . "
        ". . . . 1 2  3 - . . . .  . . . . 1 2  4 - . . . . "
        ". . . . 5 4  4 - . . . .  . . . . 2 1  1 - . . . . "
        ". . . . 1 2  3 - . . . .  . . . . 5 4  3 - . . . . "
        ". . . . 7, 1  2 - . . . .  . . . . 5 4  3 - . . . . "
        ". . . . 1 2  3 - . . . .  . . . . 3 2  1 - . . . . "
        ". . . . 1 2  2 - . . . .  . . . . 2 7,  1 - . . . .";

    Song s{"fun.xmi", f.LoopTicks(), {}, f};
    auto& p = s.parts;
    // Icons 0-5, rhythm: oom-pah-pah.
    p.push_back(ChordTones(f, "tuba", kTuba, "0 - . . . .  2, - . . . .", {.octave = -2, .velocity = 100}));
    p.push_back(ChordTones(f, "accordion pah-pah", kAccordion, ". . c . c .", {.velocity = 62, .gate = 0.6}));
    p.push_back(Drums(f, "snare", {{kSnare, "x . o . o ."}}, {.velocity = 70}));
    p.push_back(Drums(f, "bass drum", {{kKick, "X . . . . ."}}, {.velocity = 95}));
    p.push_back(ChordTones(f, "pizzicato", kPizzicato, ". . 1 . 2 .", {.velocity = 75}));
    p.push_back(Drums(f, "tick-tock", {{kWoodBlock, ". . x . x ."}}, {.velocity = 66}));
    // Icon 6: the calliope's tune, so the easy land's first icons have one.
    const Part calliope = Melody(f, "calliope tune", kCalliope, tune, {.octave = 1, .velocity = 90, .gate = 0.85});
    p.push_back(calliope);
    // Icons 7-11, harmony.
    p.push_back(ChordTones(f, "strings", kStrings, "c - - - - -", {.octave = -1, .velocity = 60, .gate = 1.0}));
    p.push_back(ChordTones(f, "marimba", kMarimba, "0 1 2 1 2 1", {.velocity = 70}));
    p.push_back(ChordTones(f, "brass", kBrass, "c - - . . .", {.octave = -1, .velocity = 62, .gate = 0.8}));
    p.push_back(ChordTones(f, "harp", kHarp, "0 . 1 . 2 .  3 . 2 . 1 .", {.velocity = 70}));
    p.push_back(ChordTones(f, "banjo", kBanjo, ". . c . c .", {.octave = -1, .velocity = 55, .gate = 0.5}));
    // Icons 12-17, melody.
    p.push_back(ChordTones(f, "organ", kOrgan, "c - - - - -", {.velocity = 55, .gate = 0.97}));
    p.push_back(Melody(f, "glockenspiel tune", kGlockenspiel, tune, {.octave = 2, .velocity = 70}));
    p.push_back(Line(f, "clarinet thirds", kClarinet, tune, {.octave = 0, .velocity = 70, .gate = 0.85, .shift = -2}, &calliope));
    p.push_back(Melody(f, "brass tune", kBrass, tune, {.octave = 0, .velocity = 66, .gate = 0.8}));
    p.push_back(Line(f, "whistle answer", kWhistle, answer, {.octave = 1, .velocity = 75}, &calliope));
    p.push_back(Line(f, "accordion sixths", kAccordion, tune, {.octave = 1, .velocity = 58, .gate = 0.85, .shift = -5}, &calliope));
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
