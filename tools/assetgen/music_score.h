#pragma once
// Writing music as data: a song's frame (key, scale, grid and chord
// progression) and parts built from short texts - melodies in scale degrees,
// patterns of chord tones, drum rhythms - turned into the game's song files.
//
// Texts hold one token per grid step, separated by spaces; a text shorter
// than the loop repeats. Tokens: "." rest, "-" hold the previous note,
// otherwise a note with optional octave marks ("'" up, "," down) and
// accents ("!" louder, "?" softer).
//   Melody:       scale degree 1..7 (or 1..5 in a pentatonic scale), with an
//                 optional "b" or "#" before it for a blue or chromatic note.
//   Chord tones:  0 root, 1 third, 2 fifth, 3 seventh or octave (counting up
//                 the chord), "c" the whole chord at once.
//   Drums:        "x" a hit, "X" accented, "o" soft.
#include <cstdint>
#include <string>
#include <vector>

#include "audio/xmidi_format.h"

namespace assetgen::music {

struct Chord {
    int root = 0;                // semitones above the key's tonic
    std::vector<int> intervals;  // above the root, starting with 0
};
// Roman numerals: "I" major, "ii" minor, with "7", "maj7", "6", "dim", "sus"
// and a leading "b" for a flattened root ("bVII").
Chord ParseChord(const std::string& roman);

struct Frame {
    int tonic = 60;               // the key's tonic note in the middle octave
    std::vector<int> scale;       // semitone offsets of the scale
    uint32_t stepTicks = 20;      // 1/120 s per grid step
    int stepsPerBar = 8;
    int chordSteps = 8;           // steps each chord lasts
    std::vector<Chord> chords;    // the progression, once through the loop
    int stepsPerBeat = 2;         // the beats are where harmony is judged
    int TotalSteps() const { return int(chords.size()) * chordSteps; }
    uint32_t BeatTicks() const { return uint32_t(stepsPerBeat) * stepTicks; }
    uint32_t LoopTicks() const { return uint32_t(TotalSteps()) * stepTicks; }
    const Chord& ChordAt(int step) const;
};
// Beats: four to a bar when the bar's steps divide by four, else two (6/8);
// a waltz sets its three beats itself.
Frame MakeFrame(int tonic, std::vector<int> scale, uint32_t stepTicks, int stepsPerBar, int chordSteps,
                const std::string& progression);
// True when the pitch's note name is one of the chord's.
bool IsChordTone(const Frame& f, const Chord& chord, int pitch);

struct Note {
    uint32_t start = 0;   // ticks from the start of the loop
    uint32_t length = 1;  // ticks, never 0
    int pitch = 60;
    int velocity = 90;
    int channel = 0;
};

// What a part does for the music: the tune, a line written against it
// (harmony, answer, descant, guide tones: chord tones on every beat), or
// the accompaniment and colour.
enum class Role { kBackground, kTune, kLine };

struct Part {
    std::string name;
    Role role = Role::kBackground;
    std::vector<std::pair<int, int>> programs;  // (channel, program)
    std::vector<Note> notes;
};

struct Style {
    int octave = 0;      // octaves above the frame's middle octave
    int velocity = 90;
    double gate = 0.9;   // fraction of a note's steps it actually sounds
    int shift = 0;       // melody: diatonic steps to move every note (accidentals dropped)
};

Part Melody(const Frame& f, const std::string& name, int program, const std::string& text, Style style = {});
// A harmony or answer line: the text as a melody (moved by style.shift), then
// every note sounding on a beat moved to the nearest chord tone (in the
// direction of the shift) that makes no semitone or tritone with `tune`
// there. A note held into a new chord is cut and continued on a tone of it.
Part Line(const Frame& f, const std::string& name, int program, const std::string& text, Style style = {},
          const Part* tune = nullptr);
Part ChordTones(const Frame& f, const std::string& name, int program, const std::string& text, Style style = {});
// The notes of a melody text that sound on the beats, each held to the next
// beat: a plainer voice of the same tune.
std::string OnTheBeat(const std::string& text, int stepsPerBeat);
struct DrumLine {
    int program;
    std::string text;
    int note = 0;  // 0: the kit's own note
};
Part Drums(const Frame& f, const std::string& name, const std::vector<DrumLine>& lines, Style style = {});
// Joins parts into one (each source keeps its own channels, renumbered).
Part Combine(const std::string& name, const std::vector<Part>& parts);

struct Song {
    std::string file;  // "maze.xmi"
    uint32_t loopTicks = 0;
    std::vector<Part> parts;
    Frame frame;       // key, beats and chords, for checking the harmony
};

// One sequence of the song file: a tempo meta event, program changes, the
// notes, and the end of the track exactly at loopTicks. Rests longer than
// four interval bytes are broken by restating a program. The stream is
// padded to an even length. Returns false (and names the fault) when a note
// falls outside the loop or above its instrument's clean range.
bool BuildSequence(const Part& part, uint32_t loopTicks, xmidi::XmidiSequence* out, std::string* error);
// Writes "<dataDir>/seq/<file>" with every part as it is (LevelSongs sets
// the velocities first). Returns 1 / 0 with a message.
int WriteSong(const std::string& dataDir, const Song& song);

}  // namespace assetgen::music
