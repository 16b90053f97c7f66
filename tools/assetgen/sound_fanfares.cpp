// The reward fanfares, one per land in that land's style, each four to six
// seconds: a short flourish ending on a long chord, faded out before the
// reward's animation ends (the animation stops the sound when it does).
#include <algorithm>

#include "assetgen/music_instruments.h"
#include "assetgen/music_mixdown.h"
#include "assetgen/music_songs.h"
#include "assetgen/sound_effects.h"
#include "world/chars/reward_tables.h"

namespace assetgen::sound {

using namespace music;

namespace {

std::vector<Part> Celtic() {
    const Frame f = MakeFrame(62, kMajor, 20, 6, 6, "I IV V I I");
    return {
        Melody(f, "whistle", kWhistle, "1 2 3 5 3 5  6 5 4 6 1' 6  5 7 2' 7 5 7  1' - 5 1' - - 1' - - - - -",
               {.octave = 1, .velocity = 100}),
        Melody(f, "fiddle", kFiddle, "3 - - 5 - -  4 - - 6 - -  5 - - 7 - -  5 - 3 5 - - 5 - - - - -",
               {.octave = 0, .velocity = 80}),
        ChordTones(f, "harp", kHarp, "0 1 2 3 2 1", {.velocity = 80}),
        ChordTones(f, "bass", kUprightBass, "0 . . 2 . .", {.octave = -2, .velocity = 100}),
        Drums(f, "bodhran", {{kBodhran, "X . x x . x  X . x x . x  X . x x . x  X x x X . .  X . . . . ."}}),
    };
}

std::vector<Part> Funland() {
    const Frame f = MakeFrame(60, kMajor, 30, 4, 4, "I I V I I");
    return {
        Melody(f, "calliope", kCalliope, "5, 1 3 5  1' - 5 3  2 4 7 2'  1' - - -  1' - - -", {.octave = 1, .velocity = 100}),
        ChordTones(f, "tuba", kTuba, "0 . 2 .", {.octave = -2, .velocity = 105}),
        ChordTones(f, "oompah", kAccordion, ". c . c", {.velocity = 70, .gate = 0.5}),
        Melody(f, "glockenspiel", kGlockenspiel, "5 . 5 .  1' . 1' .  7 . 2' .  3' . 5' .  1'' - - -",
               {.octave = 1, .velocity = 80}),
        Drums(f, "drum", {{kSnare, "x x x x  x x X .  x x x x  X . X .  X . . ."}, {kCrash, ". . . .  . . . .  . . . .  X . . .  . . . ."}}),
    };
}

std::vector<Part> Aussie() {
    const Frame f = MakeFrame(62, kMixolydian, 15, 8, 8, "I I bVII I");
    return {
        Melody(f, "didgeridoo", kDidgeridoo, "1 - - - - - - -", {.octave = -2, .velocity = 110, .gate = 1.0}),
        ChordTones(f, "guitar", kGuitar, "c . c . c c . c", {.octave = -1, .velocity = 80}),
        Melody(f, "kalimba", kKalimba, "1 3 5 1' 5 3 5 1'  7 5 4 2 4 5 7 2'  1' 5 3 5 1' . 5 .  3' - - - - - - -  . . . . . . . .",
               {.velocity = 95}),
        Drums(f, "sticks", {{kClapsticks, "x . x . x x x .  x . x . x x x .  x . x . x x x .  X . . . . . . ."}}),
    };
}

std::vector<Part> Jazz() {
    const Frame f = MakeFrame(65, kMixolydian, 14, 12, 12, "I7 IV7 I6");
    return {
        Melody(f, "trumpet", kMutedTrumpet, "5 - 6 1' - 6 b3' - 1' 5 - -  4 - 5 6 - 4 b7 - 6 4 - -  1' - - - - - - - - - - -  . . . . . . . . . . . .",
               {.velocity = 100}),
        Melody(f, "sax", kSaxophone, "3 - 3 5 - 3 1' - 5 3 - -  6, - 1 2 - 1 4 - 2 6, - -  6 - - - - - - - - - - -  . . . . . . . . . . . .",
               {.octave = -1, .velocity = 90}),
        ChordTones(f, "piano", kPiano, ". . . c . . . . c . . .", {.velocity = 70}),
        ChordTones(f, "bass", kUprightBass, "0 . . 1 . . 2 . . 3 . .", {.octave = -2, .velocity = 100}),
        Drums(f, "ride", {{kRide, "x . . x . x x . . x . x"}, {kCrash, ". . . . . . . . . . . .  . . . . . . . . . . . .  X . . . . . . . . . . ."}}),
    };
}

std::vector<Part> Eastern() {
    const Frame f = MakeFrame(62, kMajorPentatonic, 25, 8, 8, "I I I I");
    return {
        Melody(f, "koto", kKoto, "1 2 3 4 5 1' 2' 3'  5' - 4' 3' 2' - 1' -  1' - - - - - - -  . . . . . . . .",
               {.velocity = 100}),
        Melody(f, "flute", kFlute, ". . . . . . . .  3 - - - 2 - 1 -  5 - - - - - - -  . . . . . . . .",
               {.octave = 1, .velocity = 90}),
        Drums(f, "gong", {{kGong, ". . . . . . . .  . . . . . . . .  X . . . . . . .  . . . . . . . ."},
                          {kTempleBlock, "x . x . x x x x  x . . . x . x .  . . . . . . . .  . . . . . . . ."}}),
    };
}

std::vector<Part> Wetland() {
    const Frame f = MakeFrame(60, kMajor, 12, 16, 16, "I V I");
    return {
        Melody(f, "steel drum", kSteelDrum,
               "5 . 5 . 6 . 5 . 3 . 1 . 3 . 5 .  4 . 4 . 5 . 4 . 2 . 7, . 2 . 5 .  1' . 5 . 3 . 5 . 1' - - - - - - -  . . . . . . . . . . . . . . . .",
               {.velocity = 100}),
        ChordTones(f, "marimba", kMarimba, "0 . 2 . 1 . 2 . 0 . 2 . 1 . 2 .", {.octave = -1, .velocity = 85}),
        Drums(f, "congas", {{kConga, "x . . x . . x . x . . x . . x .  x . . x . . x . x . . x . x x x  X . . . . . . . . . . . . . . ."},
                            {kShaker, "x o x o x o x o x o x o x o x o"}}),
    };
}

}  // namespace

dsp::Signal Fanfare(int land) {
    std::vector<Part> parts;
    switch (land) {
        case 0: parts = Celtic(); break;
        case 1: parts = Funland(); break;
        case 2: parts = Aussie(); break;
        case 3: parts = Jazz(); break;
        case 4: parts = Eastern(); break;
        default: parts = Wetland(); break;
    }
    uint32_t ticks = 0;
    for (const Part& p : parts)
        for (const Note& n : p.notes) ticks = std::max(ticks, n.start + n.length);
    dsp::Signal s = Mixdown(parts, ticks);
    // Whatever still rings a quarter of a second before the animation's end
    // fades out by then.
    const double animation = world::chars::kRewardSteps[size_t(std::clamp(land, 0, 5))] * 0.1;
    const size_t end = dsp::Samples(animation - 0.25);
    if (s.size() > end) {
        s.resize(end);
        dsp::FadeOut(s, dsp::Samples(0.5));
    } else {
        dsp::FadeOut(s, dsp::Samples(0.05));
    }
    dsp::Normalise(s, 0.8f);
    return s;
}

}  // namespace assetgen::sound
