// render: plays a song (all of it, chosen sequences, or a band line-up) or an
// effect through the game's own sequencer, synthesiser and effect player on
// the virtual sound card and writes what came out as a stereo WAVE file.
//
//   render <data folder> <out.wav> song <file.xmi> [options]
//   render <data folder> <out.wav> effect <number> [options]
//   render <data folder> <out.wav> den --band v0,..,v5 [--difficulty 1..3]
//     the den's band song exactly as the game keeps it (key R in the den):
//     two passes and a two-second fade at 22050 Hz, rendered offline
// Options:
//   --seq 0,3,12     sequences to hear (default: all), each at --volume
//   --band 1,1,1,1,1,1  the den's mix: member k plays part v (6 = none)
//   --volume -900    track volume in hundredths of a decibel
//   --seconds 20     length of the recording
//   --rate 22050     output rate, 22050 or 11025
//   --cents 0        effect pitch, as the lock sets it
//   --stage off      on: through the game's output stage, as the game sounds
//   --difficulty 1   which band song the den plays (1 easy, 2 medium, 3 hard)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "audio/band_mix.h"
#include "platform/dsound_card.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "render/song_render.h"

namespace {

std::vector<int> NumberList(const std::string& text) {
    std::vector<int> out;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) out.push_back(std::atoi(item.c_str()));
    return out;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: render <data folder> <out.wav> song <file.xmi> [--seq a,b,..] [--band v0,..,v5]\n"
                 "                 [--volume v] [--seconds s] [--rate 22050|11025] [--stage on|off]\n"
                 "       render <data folder> <out.wav> effect <number> [--volume v] [--cents c] [--seconds s] [--rate r]\n"
                 "                 [--stage on|off]\n"
                 "       render <data folder> <out.wav> den --band v0,..,v5 [--difficulty 1..3]\n");
    return 2;
}

// Writes the den's band song as the game keeps it.
int KeepDenSong(const std::string& out, const std::vector<int>& band, int difficulty) {
    if (band.size() != audio::kBandMembers || difficulty < 1 || difficulty > 3) return Usage();
    int values[audio::kBandMembers];
    for (int k = 0; k < audio::kBandMembers; ++k) values[k] = band[size_t(k)];
    std::string error;
    const std::vector<uint8_t> bytes = render::DenBandWave(values, difficulty, &error);
    if (bytes.empty()) {
        std::fprintf(stderr, "render: %s\n", error.c_str());
        return 1;
    }
    std::ofstream file(out, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "render: cannot write %s\n", out.c_str());
        return 1;
    }
    const double frames = double(bytes.size() - 44) / 4;
    std::printf("%s: %.2f s at %u Hz\n", out.c_str(), frames / audio::kBandRenderRate, audio::kBandRenderRate);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return Usage();
    const std::string dataDir = argv[1];
    const std::string out = std::filesystem::absolute(argv[2]).string();
    const std::string kind = argv[3];
    // The den takes no song or effect: its options follow at once.
    const int firstOption = kind == "den" ? 4 : 5;
    if (argc < firstOption) return Usage();
    const std::string what = kind == "den" ? std::string() : argv[4];
    std::vector<int> sequences, band;
    int volume = -900, cents = 0, difficulty = 1;
    bool volumeGiven = false;
    unsigned rate = 22050;
    double seconds = 20;
    bool stage = false;
    for (int i = firstOption; i + 1 < argc; i += 2) {
        const std::string option = argv[i], value = argv[i + 1];
        if (option == "--seq") sequences = NumberList(value);
        else if (option == "--band") band = NumberList(value);
        else if (option == "--volume") volume = std::atoi(value.c_str()), volumeGiven = true;
        else if (option == "--seconds") seconds = std::atof(value.c_str());
        else if (option == "--rate") rate = unsigned(std::atoi(value.c_str()));
        else if (option == "--cents") cents = std::atoi(value.c_str());
        else if (option == "--stage" && (value == "on" || value == "off")) stage = value == "on";
        else if (option == "--difficulty") difficulty = std::atoi(value.c_str());
        else return Usage();
    }
    if ((argc - firstOption) % 2 || (rate != 22050 && rate != 11025) || seconds <= 0 || seconds > 600) return Usage();

    platform::ScopedHeadless headless;
    if (!platform::SetCurrentDirectory(dataDir.c_str())) {
        std::fprintf(stderr, "render: cannot enter %s\n", dataDir.c_str());
        return 1;
    }
    if (kind == "den") return KeepDenSong(out, band, difficulty);
    platform::sound_card::UseOutputStage(stage);
    const unsigned ms = unsigned(seconds * 1000);
    std::string error;
    std::vector<int16_t> frames;
    if (kind == "song") {
        std::vector<render::TrackSetting> settings;
        if (!band.empty()) {
            if (band.size() != audio::kBandMembers) return Usage();
            // The den's own mix of the six members' values.
            int values[audio::kBandMembers];
            for (int k = 0; k < audio::kBandMembers; ++k) values[k] = band[size_t(k)];
            const auto mix = audio::BandMix(values);
            for (int t = 0; t < audio::kBandMixTracks; ++t) {
                if (!mix[size_t(t)].mute) settings.push_back({t, mix[size_t(t)].volume, mix[size_t(t)].pan});
            }
        } else if (!sequences.empty()) {
            for (int s : sequences) settings.push_back({s, volume, 0});
        } else {
            const int count = render::CountSequences(what);
            for (int s = 0; s < count; ++s) settings.push_back({s, volume, 0});
        }
        frames = render::RenderSong(what, settings, ms, rate, &error);
    } else if (kind == "effect") {
        frames = render::RenderEffect(std::atoi(what.c_str()), ms, rate, volumeGiven ? volume : 0, cents, false, &error);
    } else {
        return Usage();
    }
    if (frames.empty()) {
        std::fprintf(stderr, "render: %s\n", error.empty() ? "nothing was rendered" : error.c_str());
        return 1;
    }
    if (!platform::sound_card::WriteCaptureWave(out, frames, rate)) {
        std::fprintf(stderr, "render: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%s: %.1f s at %u Hz\n", out.c_str(), double(frames.size() / 2) / rate, rate);
    return 0;
}
