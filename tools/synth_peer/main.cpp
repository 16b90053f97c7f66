// synth_peer: the same 64 held notes for our synthesiser and for other
// software synthesisers, so their CPU time can be compared.
//
//   synth_peer midi <out.mid> [--seconds s] [--program p]
//     a standard MIDI file (format 0): on 15 channels (not the drum channel)
//     64 different channel and note pairs, notes 48..71, velocity 100, all
//     struck at once and held for s seconds; reverb and chorus sends 0
//   synth_peer render <data folder> <out.raw> [--seconds s] [--loop name]
//     the same notes through our synthesiser (the organ of the game's
//     instrument library, which loops while held) at 22050 Hz, written as
//     raw 16-bit stereo; --loop reference|portable|sse2|avx2 picks the voice
//     loop (default: the fastest here)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "audio/virtual_synth.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace {

constexpr int kVoices = 64;
constexpr uint32_t kRate = 22050;
constexpr int kOrganProgram = 18;      // bank 0 of the game's library
constexpr uint32_t kSegmentFrames = 256;

struct HeldNote {
    uint8_t channel;
    uint8_t note;
};

// Channel v mod 15 (skipping channel 9, the drums) and note 48 + v mod 24:
// the pairs repeat only every 120 notes, so no two of the 64 share a key.
std::vector<HeldNote> HeldNotes() {
    std::vector<HeldNote> notes;
    for (int v = 0; v < kVoices; ++v) {
        const int c = v % 15;
        notes.push_back({uint8_t(c < 9 ? c : c + 1), uint8_t(48 + v % 24)});
    }
    return notes;
}

void PutVariable(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = uint8_t(value & 0x7F);
        value >>= 7;
    } while (value);
    while (n > 1) out.push_back(uint8_t(bytes[--n] | 0x80));
    out.push_back(bytes[0]);
}

void PutBig(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

std::vector<uint8_t> HeldNotesMidi(double seconds, int program) {
    // 120 ticks a quarter note at 500000 us a quarter: 240 ticks a second.
    constexpr uint32_t kDivision = 120, kTicksPerSecond = 240;
    std::vector<uint8_t> track;
    auto event = [&](uint32_t delta, std::initializer_list<uint8_t> bytes) {
        PutVariable(track, delta);
        track.insert(track.end(), bytes);
    };
    event(0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});  // tempo 500000
    for (int c = 0; c < 16; ++c) {
        if (c == 9) continue;
        const uint8_t ch = uint8_t(c);
        event(0, {uint8_t(0xC0 | ch), uint8_t(program)});
        event(0, {uint8_t(0xB0 | ch), 7, 100});   // volume
        event(0, {uint8_t(0xB0 | ch), 91, 0});    // reverb send
        event(0, {uint8_t(0xB0 | ch), 93, 0});    // chorus send
    }
    const std::vector<HeldNote> notes = HeldNotes();
    for (const HeldNote& n : notes) event(0, {uint8_t(0x90 | n.channel), n.note, 100});
    uint32_t delta = uint32_t(seconds * kTicksPerSecond);
    for (const HeldNote& n : notes) {
        event(delta, {uint8_t(0x80 | n.channel), n.note, 0});
        delta = 0;
    }
    event(0, {0xFF, 0x2F, 0x00});
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
    PutBig(file, 6, 4);
    PutBig(file, 0, 2);  // format 0
    PutBig(file, 1, 2);  // one track
    PutBig(file, kDivision, 2);
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    PutBig(file, uint32_t(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

bool WriteAll(const std::string& path, const void* data, size_t bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(static_cast<const char*>(data), std::streamsize(bytes));
    file.close();
    return bool(file);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: synth_peer midi <out.mid> [--seconds s] [--program p]\n"
                 "       synth_peer render <data folder> <out.raw> [--seconds s] [--loop reference|portable|sse2|avx2]\n");
    return 2;
}

int Render(const std::string& dataDir, const std::string& out, double seconds, MixLoop loop) {
    platform::ScopedHeadless headless;
    if (!platform::SetCurrentDirectory(dataDir.c_str())) {
        std::fprintf(stderr, "synth_peer: cannot enter %s\n", dataDir.c_str());
        return 1;
    }
    VirtualSynth synth(nullptr, nullptr);
    SoundFormat format;
    format.segmentFrames = kSegmentFrames;
    synth.StoreFormat(format, format.segmentCount * kSegmentFrames * 4);
    synth.SetMixLoop(loop);
    if (!synth.LoadInstrumentLibrary(".\\seq\\wavelib.txt") || !synth.VS_load_instrument(0, kOrganProgram)) {
        std::fprintf(stderr, "synth_peer: the organ of seq\\wavelib.txt did not load\n");
        return 1;
    }
    const uint32_t frames = uint32_t(seconds * kRate);
    for (const HeldNote& n : HeldNotes())
        synth.VS_note_on(n.channel, n.note, 100, 0, kOrganProgram, 0, frames);
    // Written segment by segment, as the other programs stream their output.
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(out.c_str(), "wb"), &std::fclose);
    bool written = bool(file);
    std::vector<int16_t> segment(kSegmentFrames * 2);
    int held = synth.ActiveVoices();
    for (uint32_t done = 0; done < frames && written; done += kSegmentFrames) {
        synth.VS_render_next(segment.data());
        held = std::min(held, synth.ActiveVoices());
        const size_t count = std::min(kSegmentFrames, frames - done) * 2;
        written = std::fwrite(segment.data(), 2, count, file.get()) == count;
    }
    if (!written || std::fclose(file.release()) != 0) {
        std::fprintf(stderr, "synth_peer: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%u frames, %d voices held throughout, %s loop\n", frames, held, MixLoopName(loop));
    return held == kVoices ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    const int firstOption = command == "render" ? 4 : 3;
    if (argc < firstOption || (argc - firstOption) % 2) return Usage();
    double seconds = 10;
    int program = 19;
    MixLoop loop = BestMixLoop();
    for (int i = firstOption; i + 1 < argc; i += 2) {
        const std::string option = argv[i], value = argv[i + 1];
        if (option == "--seconds") {
            seconds = std::atof(value.c_str());
        } else if (option == "--program") {
            program = std::atoi(value.c_str());
        } else if (option == "--loop") {
            bool known = false;
            for (MixLoop l : {MixLoop::Reference, MixLoop::Portable, MixLoop::Sse2, MixLoop::Avx2})
                if (value == MixLoopName(l)) loop = l, known = true;
            if (!known || !MixLoopAvailable(loop)) {
                std::fprintf(stderr, "synth_peer: no %s loop here\n", value.c_str());
                return 2;
            }
        } else {
            return Usage();
        }
    }
    if (!(seconds > 0 && seconds <= 600) || program < 0 || program > 127) return Usage();
    if (command == "midi") {
        const std::vector<uint8_t> file = HeldNotesMidi(seconds, program);
        if (!WriteAll(argv[2], file.data(), file.size())) {
            std::fprintf(stderr, "synth_peer: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (command == "render") return Render(argv[2], std::filesystem::absolute(argv[3]).string(), seconds, loop);
    return Usage();
}
