#include "assetgen/music_score.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "assetgen/music_instruments.h"

namespace assetgen::music {

namespace {

// The lowest note of a close chord (A2).
constexpr int kLowestChordNote = 45;

// Longest rest written as one run of interval bytes (four bytes of 127).
constexpr uint32_t kLongestRun = 4 * 127;

struct Token {
    enum Kind { kRest, kHold, kSound } kind = kRest;
    std::string body;  // the token without octave and accent marks
    int octave = 0;
    int accent = 0;
};

Token ParseToken(std::string text) {
    Token t;
    while (!text.empty()) {
        const char c = text.back();
        if (c == '\'') ++t.octave;
        else if (c == ',') --t.octave;
        else if (c == '!') t.accent += 20;
        else if (c == '?') t.accent -= 25;
        else break;
        text.pop_back();
    }
    if (text == "-") t.kind = Token::kHold;
    else if (text == "." || text.empty()) t.kind = Token::kRest;
    else t.kind = Token::kSound;
    t.body = text;
    return t;
}

// The text's tokens repeated to fill the loop.
std::vector<Token> Expand(const std::string& text, int totalSteps) {
    std::vector<Token> pattern;
    std::istringstream in(text);
    std::string word;
    while (in >> word) pattern.push_back(ParseToken(word));
    std::vector<Token> steps;
    if (pattern.empty()) return steps;
    for (int i = 0; i < totalSteps; ++i) steps.push_back(pattern[size_t(i) % pattern.size()]);
    return steps;
}

// Steps the note starting at `i` lasts (itself and the holds after it).
int HeldSteps(const std::vector<Token>& steps, size_t i) {
    int n = 1;
    while (i + size_t(n) < steps.size() && steps[i + size_t(n)].kind == Token::kHold) ++n;
    return n;
}

uint32_t GateTicks(const Frame& f, int steps, double gate) {
    const long ticks = std::lround(double(steps) * f.stepTicks * gate);
    return uint32_t(std::max(1L, ticks));
}

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// A chord's root placed within a fifth of the tonic, so progressions move
// by small steps.
int FoldedRoot(const Chord& c) {
    const int r = ((c.root % 12) + 12) % 12;
    return r >= 7 ? r - 12 : r;
}

Part NewPart(const std::string& name, int program) {
    Part p;
    p.name = name;
    p.programs.push_back({0, program});
    return p;
}

}  // namespace

Chord ParseChord(const std::string& roman) {
    static const char* kNumerals[] = {"VII", "III", "IV", "VI", "II", "V", "I"};
    static const int kRoots[] = {11, 4, 5, 9, 2, 7, 0};
    Chord c;
    size_t at = 0;
    int flat = 0;
    if (at < roman.size() && roman[at] == 'b') {
        flat = -1;
        ++at;
    }
    std::string upper;
    for (char ch : roman.substr(at)) upper.push_back(char(std::toupper(static_cast<unsigned char>(ch))));
    bool minor = false;
    for (int i = 0; i < 7; ++i) {
        const std::string numeral = kNumerals[i];
        if (upper.compare(0, numeral.size(), numeral) == 0) {
            c.root = kRoots[i] + flat;
            minor = std::islower(static_cast<unsigned char>(roman[at])) != 0;
            at += numeral.size();
            break;
        }
    }
    const std::string suffix = roman.substr(at);
    c.intervals = minor ? std::vector<int>{0, 3, 7} : std::vector<int>{0, 4, 7};
    if (suffix == "dim") c.intervals = {0, 3, 6};
    else if (suffix == "sus") c.intervals = {0, 5, 7};
    else if (suffix == "7") c.intervals.push_back(10);
    else if (suffix == "maj7") c.intervals.push_back(11);
    else if (suffix == "6") c.intervals.push_back(9);
    return c;
}

const Chord& Frame::ChordAt(int step) const {
    const int total = TotalSteps();
    const int s = ((step % total) + total) % total;
    return chords[size_t(s / chordSteps)];
}

Frame MakeFrame(int tonic, std::vector<int> scale, uint32_t stepTicks, int stepsPerBar, int chordSteps,
                const std::string& progression) {
    Frame f;
    f.tonic = tonic;
    f.scale = std::move(scale);
    f.stepTicks = stepTicks;
    f.stepsPerBar = stepsPerBar;
    f.chordSteps = chordSteps;
    f.stepsPerBeat = stepsPerBar % 4 == 0 ? stepsPerBar / 4 : stepsPerBar / 2;
    std::istringstream in(progression);
    std::string word;
    while (in >> word) f.chords.push_back(ParseChord(word));
    return f;
}

bool IsChordTone(const Frame& f, const Chord& chord, int pitch) {
    const int above = ((pitch - f.tonic - chord.root) % 12 + 12) % 12;
    return std::any_of(chord.intervals.begin(), chord.intervals.end(), [&](int i) { return i % 12 == above; });
}

namespace {

// A semitone (or major seventh) or a tritone between two notes.
bool Harsh(int a, int b) {
    const int d = ((a - b) % 12 + 12) % 12;
    return d == 1 || d == 11 || d == 6;
}

std::vector<int> SoundingAt(const Part* part, uint32_t tick) {
    std::vector<int> pitches;
    if (!part) return pitches;
    for (const Note& n : part->notes)
        if (n.start <= tick && tick < n.start + n.length) pitches.push_back(n.pitch);
    return pitches;
}

// The chord tone nearest `pitch`, looking first in `direction` (+1 up, -1
// down), that is neither harsh against nor the same as a note of the tune.
int NearestChordTone(const Frame& f, const Chord& chord, int pitch, int direction, const std::vector<int>& tune) {
    for (int distance = 0; distance <= 12; ++distance)
        for (int sign : {direction, -direction}) {
            const int p = pitch + sign * distance;
            const bool clear = std::none_of(tune.begin(), tune.end(), [&](int t) { return Harsh(p, t) || p == t; });
            if (IsChordTone(f, chord, p) && clear) return p;
        }
    return pitch;
}

}  // namespace

Part Line(const Frame& f, const std::string& name, int program, const std::string& text, Style style,
          const Part* tune) {
    const Part written = Melody(f, name, program, text, style);
    Part p = written;
    p.role = Role::kLine;
    p.notes.clear();
    const int direction = style.shift > 0 ? 1 : -1;
    const uint32_t beat = f.BeatTicks(), chordTicks = uint32_t(f.chordSteps) * f.stepTicks;
    for (Note n : written.notes) {
        const uint32_t end = n.start + n.length;
        // The note in pieces, one per chord it sounds through.
        uint32_t from = n.start;
        int pitch = n.pitch;
        bool first = true;
        while (from < end) {
            const uint32_t chordEnd = (from / chordTicks + 1) * chordTicks;
            const uint32_t to = std::min(end, chordEnd);
            const Chord& chord = f.ChordAt(int(from / f.stepTicks));
            const uint32_t firstBeat = (from + beat - 1) / beat * beat;
            const bool onBeat = firstBeat < to;
            if (onBeat && !IsChordTone(f, chord, pitch)) {
                pitch = NearestChordTone(f, chord, pitch, direction, SoundingAt(tune, firstBeat));
                first = true;  // a new note, even if the old one goes on
            }
            if (first || p.notes.empty() || p.notes.back().pitch != pitch) {
                Note piece = n;
                piece.start = from;
                piece.length = to - from;
                piece.pitch = pitch;
                p.notes.push_back(piece);
            } else {
                p.notes.back().length += to - from;
            }
            first = false;
            from = to;
        }
    }
    return p;
}

Part Melody(const Frame& f, const std::string& name, int program, const std::string& text, Style style) {
    Part p = NewPart(name, program);
    p.role = style.shift ? Role::kLine : Role::kTune;
    const std::vector<Token> steps = Expand(text, f.TotalSteps());
    const int n = int(f.scale.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        const Token& t = steps[i];
        if (t.kind != Token::kSound) continue;
        int accidental = 0;
        size_t at = 0;
        if (t.body[0] == 'b' || t.body[0] == '#') {
            // A blue note stays blue in the tune itself; a line moved along
            // the scale harmonises it with the plain scale note instead.
            accidental = style.shift ? 0 : (t.body[0] == 'b' ? -1 : 1);
            at = 1;
        }
        const int degree = std::atoi(t.body.c_str() + at) - 1 + style.shift;
        const int pitch = f.tonic + 12 * (style.octave + t.octave + FloorDiv(degree, n)) +
                          f.scale[size_t(((degree % n) + n) % n)] + accidental;
        p.notes.push_back({uint32_t(i) * f.stepTicks, GateTicks(f, HeldSteps(steps, i), style.gate), pitch,
                           std::clamp(style.velocity + t.accent, 1, 127), 0});
    }
    return p;
}

std::string OnTheBeat(const std::string& text, int stepsPerBeat) {
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) words.push_back(word);
    std::string out, sounding = ".";
    for (size_t i = 0; i < words.size(); ++i) {
        const Token t = ParseToken(words[i]);
        if (t.kind == Token::kSound) sounding = words[i];
        else if (t.kind == Token::kRest) sounding = ".";
        if (i % size_t(stepsPerBeat) == 0) out += sounding;
        else out += sounding == "." ? "." : "-";
        out += ' ';
    }
    return out;
}

Part ChordTones(const Frame& f, const std::string& name, int program, const std::string& text, Style style) {
    Part p = NewPart(name, program);
    const std::vector<Token> steps = Expand(text, f.TotalSteps());
    for (size_t i = 0; i < steps.size(); ++i) {
        const Token& t = steps[i];
        if (t.kind != Token::kSound) continue;
        const Chord& chord = f.ChordAt(int(i));
        int base = f.tonic + 12 * (style.octave + t.octave) + FoldedRoot(chord);
        // A close chord below A2 is mud: it goes up an octave.
        if (t.body == "c" && base < kLowestChordNote) base += 12;
        const uint32_t length = GateTicks(f, HeldSteps(steps, i), style.gate);
        const int velocity = std::clamp(style.velocity + t.accent, 1, 127);
        std::vector<int> pitches;
        if (t.body == "c") {
            for (int interval : chord.intervals) pitches.push_back(base + interval);
        } else {
            const int k = int(chord.intervals.size());
            const int index = std::atoi(t.body.c_str());
            pitches.push_back(base + chord.intervals[size_t(index % k)] + 12 * (index / k));
        }
        for (int pitch : pitches) p.notes.push_back({uint32_t(i) * f.stepTicks, length, pitch, velocity, 0});
    }
    return p;
}

Part Drums(const Frame& f, const std::string& name, const std::vector<DrumLine>& lines, Style style) {
    Part p;
    p.name = name;
    int channel = 0;
    for (const DrumLine& line : lines) {
        p.programs.push_back({channel, line.program});
        const std::vector<Token> steps = Expand(line.text, f.TotalSteps());
        for (size_t i = 0; i < steps.size(); ++i) {
            const Token& t = steps[i];
            if (t.kind != Token::kSound) continue;
            int velocity = style.velocity + t.accent;
            if (t.body == "X") velocity += 25;
            else if (t.body == "o") velocity -= 30;
            p.notes.push_back({uint32_t(i) * f.stepTicks, f.stepTicks, line.note ? line.note : kDrumNote,
                               std::clamp(velocity, 1, 127), channel});
        }
        ++channel;
    }
    return p;
}

Part Combine(const std::string& name, const std::vector<Part>& parts) {
    Part out;
    out.name = name;
    int next = 0;
    for (const Part& part : parts) {
        std::vector<std::pair<int, int>> map;  // old channel -> new
        for (const auto& [channel, program] : part.programs) {
            map.push_back({channel, next});
            out.programs.push_back({next, program});
            ++next;
        }
        for (Note n : part.notes) {
            for (const auto& [from, to] : map)
                if (from == n.channel) {
                    n.channel = to;
                    break;
                }
            out.notes.push_back(n);
        }
    }
    return out;
}

bool BuildSequence(const Part& part, uint32_t loopTicks, xmidi::XmidiSequence* out, std::string* error) {
    auto fail = [&](const std::string& why) {
        *error = part.name + ": " + why;
        return false;
    };
    if (part.programs.empty() || part.programs.size() > 16) return fail("needs 1 to 16 channels");
    if (part.notes.empty()) return fail("has no notes");
    auto programOf = [&](int channel) {
        for (const auto& [c, p] : part.programs)
            if (c == channel) return p;
        return -1;
    };
    xmidi::XmidiSequence sequence;
    for (const auto& entry : part.programs) {
        const int channel = entry.first, program = entry.second;  // plain names: the lambda below captures one
        if (channel < 0 || channel > 15 || !FindInstrument(program)) return fail("unknown channel or program");
        const bool seen = std::any_of(sequence.timbres.begin(), sequence.timbres.end(),
                                      [&](const xmidi::TimbreEntry& t) { return t.program == program; });
        if (!seen) sequence.timbres.push_back({uint8_t(program), 0});
    }
    std::vector<Note> notes = part.notes;
    std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) { return a.start < b.start; });
    for (const Note& n : notes) {
        const InstrumentDef* instrument = FindInstrument(programOf(n.channel));
        if (!instrument) return fail("note on a channel without a program");
        if (n.start >= loopTicks) return fail("note after the end of the loop");
        if (n.length == 0) return fail("note of no length");
        if (n.pitch < 12 || n.pitch > instrument->HighestNote())
            return fail("note " + std::to_string(n.pitch) + " outside the range of " + instrument->name);
    }

    xmidi::EventWriter w;
    w.Meta(0x51, {0x07, 0xA1, 0x20});  // 500000 microseconds per quarter
    for (const auto& [channel, program] : part.programs) w.Program(channel, program);
    // Plain names, not a structured binding: the lambda below captures them.
    const int restChannel = part.programs.front().first;
    const int restProgram = part.programs.front().second;
    uint32_t now = 0;
    auto waitUntil = [&](uint32_t time) {
        uint32_t gap = time - now;
        while (gap > kLongestRun) {
            w.Wait(kLongestRun);
            w.Program(restChannel, restProgram);  // harmless: breaks the run
            gap -= kLongestRun;
        }
        w.Wait(gap);
        now = time;
    };
    for (const Note& n : notes) {
        waitUntil(n.start);
        w.Note(n.channel, n.pitch, n.velocity, n.length);
    }
    waitUntil(loopTicks);
    w.End();
    sequence.events = w.Bytes();
    if (sequence.events.size() % 2) sequence.events.push_back(0);  // pad byte: chunks stay even
    *out = std::move(sequence);
    return true;
}

int WriteSong(const std::string& dataDir, const Song& song) {
    std::vector<xmidi::XmidiSequence> sequences;
    for (const Part& part : song.parts) {
        xmidi::XmidiSequence sequence;
        std::string error;
        if (!BuildSequence(part, song.loopTicks, &sequence, &error)) {
            std::fprintf(stderr, "assetgen: %s: %s\n", song.file.c_str(), error.c_str());
            return 0;
        }
        sequences.push_back(std::move(sequence));
    }
    const std::string path = dataDir + "/seq/" + song.file;
    if (!xmidi::WriteFileBytes(path, xmidi::SongFile(sequences))) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return 0;
    }
    return 1;
}

}  // namespace assetgen::music
