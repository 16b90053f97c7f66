// "palace.xmi": the eastern land. A stately piece on the D major pentatonic
// scale at 90, eight bars and an eight-bar second half that starts in the
// relative minor, with koto, erhu, flute, temple blocks and gong.
#include "assetgen/music_songs.h"

namespace assetgen::music {

Song EasternSong() {
    const Frame f = MakeFrame(62, kMajorPentatonic, 40, 8, 8, "I I vi vi I I vi I  vi vi I I vi vi I I");
    const std::string tune =
        "3 - 2 1 2 - 3 5  5 - - - 3 - - -  4 - 5 4 3 - 2 -  3 - - - - - . . "
        "1' - 5 - 4 - 5 3  2 - 3 - 5 - - -  4 - 3 2 1 - 2 3  1 - - - - - . . "
        // The second half.
        "5 - 1' - 5 - 3 -  1' - - - 5 - - -  4 - 3 - 1 - 3 4  3 - - - - - . . "
        "3 - 5 - 1' - 5 3  5 - - - 3 - - -  4 - 3 2 1 - 3 -  1 - - - - - . .";
    const std::string answer =
        ". . . . . . . .  . . . . 5 4 3 -  . . . . . . . .  . . 1 2 3 - - - "
        ". . . . . . . .  . . . . 1' 5 4 -  . . . . . . . .  . . 2 3 1 - - - "
        ". . . . . . . .  . . . . 3 4 5 -  . . . . . . . .  . . 3 2 1 - - - "
        ". . . . . . . .  . . . . 5 3 1 -  . . . . . . . .  . . 4 3 1 - - -";

    Song s{"palace.xmi", f.LoopTicks(), {}, f};
    auto& p = s.parts;
    // Icons 0-5, rhythm.
    p.push_back(Drums(f, "temple blocks", {{kTempleBlock, "x . . . x . x ."}}, {.velocity = 80}));
    p.push_back(Drums(f, "big drum", {{kTimpani, "X . . . . . x .", 50}}, {.velocity = 85}));
    p.push_back(ChordTones(f, "koto bass", kKoto, "0 . 2 . 3 . 2 .", {.octave = -1, .velocity = 80}));
    p.push_back(ChordTones(f, "bass drone", kUprightBass, "0 - - - - - - -", {.octave = -2, .velocity = 90, .gate = 0.9}));
    p.push_back(Drums(f, "woodblock", {{kWoodBlock, ". . x . . . x ."}}, {.velocity = 62}));
    p.push_back(Drums(f, "hand drum", {{kConga, "x . . x . . x ."}}, {.velocity = 70}));
    // Icon 6: the flute's tune, first heard on easy.
    const Part erhu = Melody(f, "erhu tune", kErhu, tune, {.octave = 0, .velocity = 90, .gate = 0.95});
    p.push_back(Melody(f, "flute tune", kFlute, tune, {.octave = 1, .velocity = 78, .gate = 0.9}));
    // Icons 7-11, harmony.
    p.push_back(ChordTones(f, "koto arpeggio", kKoto, "0 1 2 3 2 1 . .", {.velocity = 70}));
    p.push_back(ChordTones(f, "strings", kStrings, "c - - - - - - -", {.octave = -1, .velocity = 56, .gate = 1.0}));
    p.push_back(ChordTones(f, "harp", kHarp, "0 2 3 4 . . . .", {.octave = -1, .velocity = 68}));
    p.push_back(ChordTones(f, "vibraphone", kVibraphone, "c - - - . . . .", {.velocity = 56}));
    p.push_back(ChordTones(f, "mouth organ", kOrgan, "c - - - - - - -", {.velocity = 48, .gate = 0.97}));
    // Icons 12-17, melody.
    p.push_back(erhu);
    p.push_back(ChordTones(f, "pad", kPad, "c - - - - - - -", {.velocity = 60, .gate = 1.0}));
    p.push_back(Melody(f, "koto tune", kKoto, tune, {.octave = 0, .velocity = 84}));
    p.push_back(Line(f, "marimba harmony", kMarimba, tune, {.octave = 1, .velocity = 68, .shift = -2}, &erhu));
    p.push_back(Line(f, "kalimba answer", kKalimba, answer, {.octave = 0, .velocity = 72}, &erhu));
    p.push_back(Melody(f, "chimes tune", kChimes, OnTheBeat(tune, 4), {.octave = 0, .velocity = 56}));
    // Icons 18-23, colour.
    p.push_back(Drums(f, "gong", {{kGong, "X . . . . . . .  . . . . . . . .  . . . . . . . .  . . . . . . . ."}}, {.velocity = 80}));
    p.push_back(ChordTones(f, "glockenspiel", kGlockenspiel, "2 . . . . . . .  . . . . 3 . . .", {.octave = 2, .velocity = 55}));
    p.push_back(ChordTones(f, "bells", kChimes, ". . . . 0 . . .  . . . . . . . .", {.octave = 1, .velocity = 48}));
    p.push_back(Drums(f, "block roll", {{kTempleBlock, ". . . . . . . .  . . . . x x x x"}}, {.velocity = 60}));
    p.push_back(ChordTones(f, "harp sweep", kHarp, ". . . . . . . .  . . . . . . . .  . . . . . . . .  0 1 2 3 4 5 . .", {.velocity = 62}));
    p.push_back(ChordTones(f, "koto tremolo", kKoto, "3 3 3 3 . . . .  . . . . . . . .", {.octave = 0, .velocity = 56}));
    return s;
}

}  // namespace assetgen::music
