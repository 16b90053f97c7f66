// music_check: measures the generated music and captured game sound, so the
// music can be judged by numbers.
//
//   music_check <data folder> [song.xmi ...]      every song (or the named ones)
//   music_check --capture <file.wav> ...          levels of captured sound
//   music_check --movie <file.avi> ...            levels of a movie's sound as the game outputs it
//
// Per song: key conformity, clash rate over 200 random mixes (eight land
// parts, or a band line-up), the short-term loudness spread of the parts,
// the loop, and per part its range and loudness. Per capture: RMS, peak,
// clipped samples, short-term loudness (the meter the songs are levelled
// with, left channel) and the share of the sound at 4-9 kHz.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assetgen/music_songs.h"
#include "music_check/capture_check.h"
#include "music_check/song_check.h"
#include "platform/avi_reader.h"
#include "platform/avi_sound.h"
#include "platform/dsound_card.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace {

const char* kNoteNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

std::string NoteName(int pitch) { return std::string(kNoteNames[pitch % 12]) + std::to_string(pitch / 12 - 1); }

const char* RoleName(assetgen::music::Role role) {
    switch (role) {
        case assetgen::music::Role::kTune: return "tune";
        case assetgen::music::Role::kLine: return "line";
        default: return "";
    }
}

void PrintSong(const music_check::SongReport& r) {
    std::printf("%s: loop %.1f s%s, key %.1f%%, clash %.2f%% of beats (%.0f%% of mixes), loudness spread %.1f dB",
                r.file.c_str(), r.loopSeconds, r.loopsTogether ? "" : " (PARTS DRIFT)", 100 * r.keyConformity,
                100 * r.clashRate, 100 * r.mixesWithClash, r.loudnessSpreadDb);
    if (r.isBand) std::printf(", within a member %.1f dB", r.memberSpreadDb);
    std::printf("\n");
    for (size_t n = 0; n < r.parts.size(); ++n) {
        const music_check::PartReport& p = r.parts[n];
        std::printf("  %2zu %-22s %-4s %6.1f dB", n, p.name.c_str(), RoleName(p.role), p.loudnessDb);
        if (p.pitched)
            std::printf("  %-4s..%-4s  root -%d/+%d  off-chord beats %d/%d", NoteName(p.lowest).c_str(),
                        NoteName(p.highest).c_str(), p.stretchDown, p.stretchUp, p.beatsOffChord, p.beatsSounding);
        std::printf("\n");
    }
}

void PrintLevels(const char* name, const std::vector<int16_t>& frames, unsigned rate) {
    const music_check::CaptureLevels c = music_check::MeasureCapture(frames, rate);
    const double hiss = music_check::BandShareDb(music_check::PowerSpectrum(frames), rate, 4000, 9000);
    std::printf("%s: %.1f s, RMS %.1f dBFS, peak %.1f dBFS, %ld clipped samples, short-term loudness %.1f dB, "
                "4-9 kHz %.1f dB of the whole\n",
                name, c.seconds, c.rmsDb, c.peakDb, c.clipped, music_check::ChannelLoudness(frames), hiss);
}

// A movie's sound as the game plays it (through its output stage).
int Movies(int argc, char** argv) {
    platform::ScopedHeadless headless;
    platform::sound_card::UseOutputStage(true);
    int result = 0;
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        platform::avi::AviFile movie;
        std::string error;
        if (!platform::avi::ParseAvi(std::move(bytes), &movie, &error) || !movie.hasSound) {
            std::fprintf(stderr, "music_check: %s: %s\n", argv[i], error.empty() ? "no sound" : error.c_str());
            result = 1;
            continue;
        }
        PrintLevels(argv[i], platform::avi::MovieOutputFrames(movie.sound, movie.pcm),
                    unsigned(movie.sound.samplesPerSec));
    }
    return result;
}

int Captures(int argc, char** argv) {
    int result = 0;
    for (int i = 2; i < argc; ++i) {
        std::vector<int16_t> frames;
        unsigned rate = 0;
        if (!music_check::ReadStereoWave(argv[i], &frames, &rate)) {
            std::fprintf(stderr, "music_check: %s is not a 16-bit stereo WAVE file\n", argv[i]);
            result = 1;
            continue;
        }
        PrintLevels(argv[i], frames, rate);
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--capture") == 0) return Captures(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--movie") == 0) return Movies(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: music_check <data folder> [song.xmi ...]\n"
                             "       music_check --capture <file.wav> ...\n"
                             "       music_check --movie <file.avi> ...\n");
        return 2;
    }
    platform::ScopedHeadless headless;
    if (!platform::SetCurrentDirectory(argv[1])) {
        std::fprintf(stderr, "music_check: cannot enter %s\n", argv[1]);
        return 1;
    }
    for (const assetgen::music::Song& plan : assetgen::music::AllSongs()) {
        bool wanted = argc == 2;
        for (int i = 2; i < argc; ++i) wanted |= plan.file == argv[i];
        if (wanted) PrintSong(music_check::CheckSong(plan));
    }
    return 0;
}
