#pragma once
// The song file layout: IFF-style chunks (4-byte tag, 32-bit big-endian
// length, body; the next chunk follows the body with no pad byte). A file is a
// "FORM" of type "XMID" holding one sequence, or a "CAT " of type "XMID" whose
// "FORM"/"XMID" sub-chunks are the sequences in file order; other top-level
// "FORM"s before it are passed over. Inside a sequence: "TIMB" (16-bit
// little-endian count, then (program, bank) pairs), "RBRN" and "EVNT" (the
// event stream: interval bytes 0x00..0x7F, channel events, sysex and meta
// events, notes carrying their own duration). Readers here never read past
// the bytes they are given; the writer builds files for tests and the content
// generator.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace xmidi {

constexpr size_t kMaxSequences = 128;

// Tag comparison against 4 bytes at p (p must hold 4 bytes).
bool TagIs(const uint8_t* p, const char* tag);
uint32_t ReadBe32(const uint8_t* p);

// Offset of sequence n (the start of its "FORM" chunk), or -1 when the file
// has no such sequence. Chunks whose header or length run past `size` end the
// walk.
long FindSequence(const uint8_t* data, size_t size, unsigned n);

// The chunks of one sequence, as offsets from the start of the "FORM" (or -1).
struct SequenceChunks {
    long timbre = -1;
    long branch = -1;
    long events = -1;
    // Bytes of each chunk's body that actually lie within the data.
    size_t timbreBytes = 0;
    size_t eventBytes = 0;
};
// Scans the sub-chunks of the "FORM" at the start of `form` (size bytes from
// there to the end of the data). A later chunk with the same tag replaces an
// earlier one.
SequenceChunks ScanForm(const uint8_t* form, size_t size);

// Reads a variable-length number (7-bit groups, big-endian, at most 4 bytes)
// starting at *pos, not beyond end. Returns false when the data ends first.
bool ReadVarLen(const uint8_t* data, size_t end, size_t* pos, uint32_t* value);

// Ticks from the start of a sequence's event stream to its end-of-track
// event (or to where the stream ends or stops making sense): the length of
// one pass of the sequence. `form` starts at the sequence's "FORM"; -1 when
// it has no event chunk.
long SequenceTicks(const uint8_t* form, size_t size);

// ---- writing ---------------------------------------------------------------

void AppendVarLen(std::vector<uint8_t>& out, uint32_t value);

// Builds one event stream.
class EventWriter {
public:
    // Interval of `ticks`, as as many bytes of at most 0x7F as it takes.
    EventWriter& Wait(uint32_t ticks);
    EventWriter& Note(int channel, int note, int velocity, uint32_t durationTicks);
    EventWriter& Program(int channel, int program);
    EventWriter& Controller(int channel, int controller, int value);
    EventWriter& PitchBend(int channel, int lsb, int msb);
    EventWriter& Aftertouch(int channel, int value);
    EventWriter& Meta(int type, const std::vector<uint8_t>& body);
    EventWriter& Raw(const std::vector<uint8_t>& bytes);
    EventWriter& End();  // the end-of-track meta event
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

struct TimbreEntry {
    uint8_t program = 0;
    uint8_t bank = 0;
};

struct XmidiSequence {
    std::vector<TimbreEntry> timbres;
    bool withTimbreChunk = true;
    std::vector<uint8_t> events;
};

// A chunk: tag, big-endian length, body.
std::vector<uint8_t> Chunk(const char* tag, const std::vector<uint8_t>& body);
// "FORM" of type "XMID" for one sequence.
std::vector<uint8_t> SequenceForm(const XmidiSequence& sequence);
// A whole song file: one sequence as a single "FORM", several inside a
// "CAT " preceded by a "FORM" of type "XDIR" that counts them.
std::vector<uint8_t> SongFile(const std::vector<XmidiSequence>& sequences);
// Writes bytes to a game file name. Returns 1 / 0.
int WriteFileBytes(const std::string& name, const std::vector<uint8_t>& bytes);

}  // namespace xmidi
