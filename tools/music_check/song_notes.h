#pragma once
// The notes of a song file as the game will play them, read back from the
// generated data (not from the generator's lists), and the instruments'
// root notes from the library. Needs the data folder as the current folder.
#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "audio/xmidi_format.h"
#include "platform/files.h"

namespace music_check {

struct FileNote {
    uint32_t start = 0, length = 0;  // ticks (1/120 s)
    int pitch = 0;
    int program = 0;
};

struct Sequence {
    std::vector<FileNote> notes;
    uint32_t endTick = 0;  // where the end-of-track event stands: the loop
    bool wellFormed = false;
};

inline std::vector<uint8_t> ReadGameFile(const std::string& name) {
    std::vector<uint8_t> bytes;
    FILE* file = platform::OpenFile(name.c_str(), "rb");
    if (!file) return bytes;
    uint8_t buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

inline Sequence DecodeSequence(const uint8_t* s, size_t size) {
    Sequence out;
    int programs[16] = {};
    uint32_t now = 0;
    size_t at = 0;
    while (at < size) {
        const uint8_t b = s[at++];
        if (b < 0x80) {
            now += b;
            continue;
        }
        uint32_t length = 0;
        const int kind = b & 0xF0, channel = b & 0x0F;
        if (kind == 0x90) {
            if (at + 2 > size) return out;
            const int pitch = s[at];
            at += 2;
            if (!xmidi::ReadVarLen(s, size, &at, &length)) return out;
            out.notes.push_back({now, length, pitch, programs[channel]});
        } else if (kind == 0xC0) {
            if (at >= size) return out;
            programs[channel] = s[at++];
        } else if (kind == 0xD0) {
            at += 1;
        } else if (kind == 0xA0 || kind == 0xB0 || kind == 0xE0) {
            at += 2;
        } else if (b == 0xFF) {
            if (at >= size) return out;
            const uint8_t type = s[at++];
            if (!xmidi::ReadVarLen(s, size, &at, &length)) return out;
            at += length;
            if (type == 0x2F) {
                out.endTick = now;
                out.wellFormed = true;
                return out;
            }
        } else {
            return out;
        }
    }
    return out;
}

// Every sequence of ".\seq\<file>", in file order.
inline std::vector<Sequence> ReadSong(const std::string& file) {
    const std::vector<uint8_t> bytes = ReadGameFile(".\\seq\\" + file);
    std::vector<Sequence> sequences;
    for (unsigned n = 0; n < xmidi::kMaxSequences; ++n) {
        const long form = xmidi::FindSequence(bytes.data(), bytes.size(), n);
        if (form < 0) break;
        const auto chunks = xmidi::ScanForm(bytes.data() + form, bytes.size() - size_t(form));
        if (chunks.events < 0) {
            sequences.push_back({});
            continue;
        }
        sequences.push_back(DecodeSequence(bytes.data() + form + chunks.events + 8, chunks.eventBytes));
    }
    return sequences;
}

// Program -> root note, from ".\seq\wavelib.txt".
inline std::map<int, int> ReadRoots() {
    const std::vector<uint8_t> bytes = ReadGameFile(".\\seq\\wavelib.txt");
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::map<int, int> roots;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == ';') continue;
        std::istringstream fields(line);
        int bank = 0, program = 0, root = 0;
        std::string file;
        if (fields >> bank >> program >> file >> root) roots[program] = root;
    }
    return roots;
}

}  // namespace music_check
