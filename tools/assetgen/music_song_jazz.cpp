// "jazz.xmi": jazzland. Two choruses of a twelve-bar blues in F, swung at
// 133 (steps are triplet eighths), with walking bass, ride, piano comping,
// muted trumpet and saxophone. The blue notes fall between the beats, where
// they lean on the chord instead of rubbing against it.
#include "assetgen/music_songs.h"

namespace assetgen::music {

Song JazzSong() {
    const std::string blues = "I7 IV7 I7 I7 IV7 IV7 I7 I7 V7 IV7 I7 V7 ";
    const Frame f = MakeFrame(65, kMixolydian, 18, 12, 12, blues + blues);
    const std::string tune =
        "1 - 3 5 - b3 3 - - 1 - -  4 - 6 1' - b3' 6 - - 4 - -  1 - 3 5 - b3 3 - - 1 - -  7 - - 5 - - 3 - - . . . "
        "4 - 6 1' - 6 b3 - - 4 - -  6 - - 4 - - 1 - - . . .  1 - 3 5 - b3 3 - - 1 - -  3 - - 5 - - 1' - - 7 - 5 "
        "5 - - #7, - - 2 - - 4 - -  4 - - 6 - - 1' - - b3 - -  3 - - 5 - 3 1 - - . . .  . . . 2 - 4 5 - - #7 - - "
        // The second chorus.
        "1' - - 7 - 5 3 - - 5 - -  6 - - 4 - b3 1 - - . . .  3 - 5 7 - 5 1' - - 5 - -  3 - - . . . . . . 5 - 6 "
        "1' - - 6 - 4 b3 - - 1 - -  4 - - . . . 6 - - 1' - -  5 - - 3 - 5 7 - - 5 - -  1' - - . . . . . . 5 - 6 "
        "5 - - 4 - - 2 - - #7, - -  1' - - 6 - - 4 - - 1 - -  3 - - 1 - - 5, - - . . .  2 - - 4 - - 5 - - . . .";
    const std::string answer =
        ". . . . . . . . . 5 - 4  . . . . . . . . . 4 - b3  . . . . . . . . . 5 - 6  . . . 1' - 7 5 - - 3 - - "
        ". . . . . . . . . 1' - 6  . . . . . . . . . 4 - b3  . . . . . . . . . 5 - 3  . . . 1' - 6 5 - - . . . "
        ". . . . . . . . . 6 - 5  . . . . . . . . . 6 - 4  . . . . . . . . . 3 - 2  5 - - . . . . . . . . . "
        ". . . . . . . . . 5 - 3  . . . . . . . . . 1' - 6  . . . . . . . . . 3 - 5  . . . 1' - 7 5 - - 3 - - "
        ". . . . . . . . . 6 - 4  . . . . . . . . . b3 - 4  . . . . . . . . . 7 - 5  . . . 1' - 6 5 - - . . . "
        ". . . . . . . . . 4 - 2  . . . . . . . . . 6 - 4  . . . . . . . . . 3 - 1  5 - - . . . . . . . . .";
    const std::string guide =  // thirds and sevenths of the chords, held
        "3 - - - - - 7 - - - - -  6 - - - - - b3 - - - - -  3 - - - - - 7 - - - - -  3 - - - - - 7 - - - - - "
        "6 - - - - - b3 - - - - -  6 - - - - - b3 - - - - -  3 - - - - - 7 - - - - -  3 - - - - - 7 - - - - - "
        "#7, - - - - - 4 - - - - -  6 - - - - - b3 - - - - -  3 - - - - - 7 - - - - -  #7, - - - - - 4 - - - - -";

    Song s{"jazz.xmi", f.LoopTicks(), {}, f};
    auto& p = s.parts;
    // Icons 0-5, rhythm.
    p.push_back(ChordTones(f, "walking bass", kUprightBass, "0 . . 1 . . 2 . . 3 . .", {.octave = -2, .velocity = 100, .gate = 0.9}));
    p.push_back(Drums(f, "ride", {{kRide, "x . . x . x x . . x . x"}, {kClosedHat, ". . . x . . . . . x . ."}}, {.velocity = 80}));
    p.push_back(ChordTones(f, "piano comping", kPiano, "c . . . . c . . . . . .", {.octave = 0, .velocity = 70, .gate = 0.5}));
    p.push_back(Drums(f, "brushes", {{kSnare, "o . . o . x o . . o . x"}}, {.velocity = 55}));
    p.push_back(ChordTones(f, "rhythm guitar", kGuitar, "c . . c . . c . . c . .", {.octave = -1, .velocity = 58, .gate = 0.4}));
    p.push_back(Drums(f, "bass drum", {{kKick, "o . . o . . o . . o . ."}}, {.velocity = 70}));
    // Icon 6: the vibraphone's tune, first heard on easy.
    const Part trumpet = Melody(f, "muted trumpet", kMutedTrumpet, tune, {.octave = 0, .velocity = 92});
    p.push_back(Melody(f, "vibraphone tune", kVibraphone, tune, {.octave = 0, .velocity = 66}));
    // Icons 7-11, harmony.
    p.push_back(ChordTones(f, "brass stabs", kBrass, ". . . . . c . . . . . .  . . . . . . . . c . . .", {.octave = -1, .velocity = 62, .gate = 0.4}));
    p.push_back(ChordTones(f, "vibraphone", kVibraphone, "c - - - - - . . . . . .", {.velocity = 58}));
    p.push_back(ChordTones(f, "electric piano", kElectricPiano, ". . c . . . . . c . . .", {.velocity = 56, .gate = 0.5}));
    p.push_back(ChordTones(f, "strings", kStrings, "1 - - - - - 3 - - - - -", {.octave = -1, .velocity = 58, .gate = 1.0}));
    p.push_back(Line(f, "clarinet guide tones", kClarinet, guide, {.octave = 0, .velocity = 60, .gate = 0.95}, &trumpet));
    // Icons 12-17, melody.
    p.push_back(trumpet);
    p.push_back(Line(f, "saxophone", kSaxophone, tune, {.octave = 0, .velocity = 80, .shift = -2}, &trumpet));
    p.push_back(Melody(f, "clarinet tune", kClarinet, tune, {.octave = -1, .velocity = 70}));
    p.push_back(ChordTones(f, "organ", kOrgan, "c - - - - - - - - - - -", {.octave = -1, .velocity = 50, .gate = 0.97}));
    p.push_back(Line(f, "piano answer", kPiano, answer, {.octave = 0, .velocity = 76}, &trumpet));
    p.push_back(Line(f, "flute answer", kFlute, answer, {.octave = 0, .velocity = 66, .shift = -2}, &trumpet));
    // Icons 18-23, colour.
    p.push_back(Drums(f, "crash", {{kCrash, "X . . . . . . . . . . .  . . . . . . . . . . . .  . . . . . . . . . . . .  . . . . . . . . . . . ."}},
                      {.velocity = 65}));
    p.push_back(ChordTones(f, "chimes", kChimes, "0 . . . . . . . . . . .  . . . . . . . . . . . .", {.velocity = 50}));
    p.push_back(Drums(f, "snare fills", {{kSnare, ". . . . . . . . . . . .  . . . . . . . . . . . .  . . . . . . . . . . . .  . . . x . x x . x x x x"}},
                      {.velocity = 70}));
    p.push_back(ChordTones(f, "glockenspiel", kGlockenspiel, ". . . 2 . . . . . 3 . .", {.octave = 2, .velocity = 52}));
    p.push_back(Drums(f, "shaker", {{kShaker, "x . o x . o x . o x . o"}}, {.velocity = 62}));
    p.push_back(Drums(f, "bombs", {{kKick, ". . . . . . . . . . . x  . . . . . . . . . . . ."}, {kClap, ". . . x . . . . . x . ."}}, {.velocity = 70}));
    return s;
}

}  // namespace assetgen::music
