#include "audio/xmidi_format.h"

#include <cstdio>
#include <cstring>

#include "platform/files.h"

namespace xmidi {

bool TagIs(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

uint32_t ReadBe32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

long FindSequence(const uint8_t* data, size_t size, unsigned n) {
    if (!data) return -1;
    size_t at = 0;
    // Top level: FORM or CAT chunks, up to the first whose type is XMID.
    for (;;) {
        if (at + 12 > size) return -1;
        const uint8_t* chunk = data + at;
        const bool isForm = TagIs(chunk, "FORM");
        const bool isCat = TagIs(chunk, "CAT ");
        if (!isForm && !isCat) return -1;
        const uint64_t end = uint64_t(at) + 8 + ReadBe32(chunk + 4);
        if (TagIs(chunk + 8, "XMID")) {
            if (isForm) return n == 0 ? long(at) : -1;
            const uint64_t catEnd = end < size ? end : size;
            uint64_t sub = at + 12;
            unsigned index = 0;
            while (sub + 12 <= catEnd) {
                const uint8_t* s = data + sub;
                if (TagIs(s + 8, "XMID")) {
                    if (index == n) return long(sub);
                    ++index;
                }
                sub += 8 + uint64_t(ReadBe32(s + 4));
            }
            return -1;
        }
        if (end > size) return -1;
        at = size_t(end);
    }
}

SequenceChunks ScanForm(const uint8_t* form, size_t size) {
    SequenceChunks found;
    if (!form || size < 12) return found;
    uint64_t end = 8 + uint64_t(ReadBe32(form + 4));
    if (end > size) end = size;
    uint64_t at = 12;
    while (at + 8 <= end) {
        const uint8_t* c = form + at;
        const uint64_t length = ReadBe32(c + 4);
        const uint64_t available = size - (at + 8);
        const size_t body = size_t(length < available ? length : available);
        if (TagIs(c, "TIMB")) {
            found.timbre = long(at);
            found.timbreBytes = body;
        } else if (TagIs(c, "RBRN")) {
            found.branch = long(at);
        } else if (TagIs(c, "EVNT")) {
            found.events = long(at);
            found.eventBytes = body;
        }
        at += 8 + length;
    }
    return found;
}

bool ReadVarLen(const uint8_t* data, size_t end, size_t* pos, uint32_t* value) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        if (*pos >= end) return false;
        uint8_t b = data[(*pos)++];
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80)) break;
    }
    *value = v;
    return true;
}

long SequenceTicks(const uint8_t* form, size_t size) {
    const SequenceChunks chunks = ScanForm(form, size);
    if (chunks.events < 0) return -1;
    size_t at = size_t(chunks.events) + 8;
    const size_t end = at + chunks.eventBytes;
    long ticks = 0;
    uint32_t length = 0;
    while (at < end) {
        const uint8_t status = form[at++];
        if (status < 0x80) {
            ticks += status;
            continue;
        }
        const uint8_t kind = status & 0xF0;
        if (status == 0xFF) {
            if (at >= end) break;
            const uint8_t type = form[at++];
            if (type == 0x2F || !ReadVarLen(form, end, &at, &length)) break;
            at += length;
        } else if (status == 0xF0 || status == 0xF7) {
            if (!ReadVarLen(form, end, &at, &length)) break;
            at += length;
        } else if (kind == 0x90) {
            at += 2;
            if (at > end || !ReadVarLen(form, end, &at, &length)) break;
        } else if (kind == 0xC0 || kind == 0xD0) {
            at += 1;
        } else {
            at += 2;
        }
    }
    return ticks;
}

void AppendVarLen(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[4];
    int count = 0;
    value &= 0x0FFFFFFF;
    do {
        groups[count++] = uint8_t(value & 0x7F);
        value >>= 7;
    } while (value && count < 4);
    for (int i = count - 1; i >= 0; --i) out.push_back(uint8_t(groups[i] | (i ? 0x80 : 0)));
}

EventWriter& EventWriter::Wait(uint32_t ticks) {
    while (ticks > 0) {
        uint32_t part = ticks > 0x7F ? 0x7F : ticks;
        bytes_.push_back(uint8_t(part));
        ticks -= part;
    }
    return *this;
}

EventWriter& EventWriter::Note(int channel, int note, int velocity, uint32_t durationTicks) {
    bytes_.push_back(uint8_t(0x90 | (channel & 15)));
    bytes_.push_back(uint8_t(note & 0x7F));
    bytes_.push_back(uint8_t(velocity & 0x7F));
    AppendVarLen(bytes_, durationTicks);
    return *this;
}

EventWriter& EventWriter::Program(int channel, int program) {
    bytes_.push_back(uint8_t(0xC0 | (channel & 15)));
    bytes_.push_back(uint8_t(program & 0x7F));
    return *this;
}

EventWriter& EventWriter::Controller(int channel, int controller, int value) {
    bytes_.insert(bytes_.end(), {uint8_t(0xB0 | (channel & 15)), uint8_t(controller & 0x7F),
                                 uint8_t(value & 0x7F)});
    return *this;
}

EventWriter& EventWriter::PitchBend(int channel, int lsb, int msb) {
    bytes_.insert(bytes_.end(), {uint8_t(0xE0 | (channel & 15)), uint8_t(lsb & 0x7F), uint8_t(msb & 0x7F)});
    return *this;
}

EventWriter& EventWriter::Aftertouch(int channel, int value) {
    bytes_.insert(bytes_.end(), {uint8_t(0xD0 | (channel & 15)), uint8_t(value & 0x7F)});
    return *this;
}

EventWriter& EventWriter::Meta(int type, const std::vector<uint8_t>& body) {
    bytes_.push_back(0xFF);
    bytes_.push_back(uint8_t(type));
    AppendVarLen(bytes_, uint32_t(body.size()));
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    return *this;
}

EventWriter& EventWriter::Raw(const std::vector<uint8_t>& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

EventWriter& EventWriter::End() { return Meta(0x2F, {}); }

std::vector<uint8_t> Chunk(const char* tag, const std::vector<uint8_t>& body) {
    const uint32_t n = uint32_t(body.size());
    std::vector<uint8_t> out(8 + body.size());
    std::memcpy(out.data(), tag, 4);
    out[4] = uint8_t(n >> 24);
    out[5] = uint8_t(n >> 16);
    out[6] = uint8_t(n >> 8);
    out[7] = uint8_t(n);
    if (!body.empty()) std::memcpy(out.data() + 8, body.data(), body.size());
    return out;
}

namespace {
std::vector<uint8_t> Typed(const char* type, std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> body(type, type + 4);
    for (const auto& p : parts) body.insert(body.end(), p.begin(), p.end());
    return body;
}
}  // namespace

std::vector<uint8_t> SequenceForm(const XmidiSequence& sequence) {
    std::vector<uint8_t> timb;
    if (sequence.withTimbreChunk) {
        std::vector<uint8_t> body;
        uint16_t count = uint16_t(sequence.timbres.size());
        body.push_back(uint8_t(count));
        body.push_back(uint8_t(count >> 8));
        for (const auto& t : sequence.timbres) {
            body.push_back(t.program);
            body.push_back(t.bank);
        }
        timb = Chunk("TIMB", body);
    }
    return Chunk("FORM", Typed("XMID", {timb, Chunk("EVNT", sequence.events)}));
}

std::vector<uint8_t> SongFile(const std::vector<XmidiSequence>& sequences) {
    if (sequences.size() == 1) return SequenceForm(sequences[0]);
    std::vector<uint8_t> forms;
    for (const auto& s : sequences) {
        auto f = SequenceForm(s);
        forms.insert(forms.end(), f.begin(), f.end());
    }
    uint16_t count = uint16_t(sequences.size());
    std::vector<uint8_t> dir = Chunk("FORM", Typed("XDIR", {Chunk("INFO", {uint8_t(count), uint8_t(count >> 8)})}));
    std::vector<uint8_t> cat = Chunk("CAT ", Typed("XMID", {forms}));
    dir.insert(dir.end(), cat.begin(), cat.end());
    return dir;
}

int WriteFileBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
    FILE* file = platform::OpenFile(name.c_str(), "wb");
    if (!file) return 0;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    return ok ? 1 : 0;
}

}  // namespace xmidi
