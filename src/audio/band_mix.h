#pragma once
// How the den's band song is heard. The song holds six sequences per band
// member, one per part it can play; member k owns sequences 6k .. 6k + 5.
// A member that plays part v is heard on sequence 6k + v alone, ten decibels
// down, at its own place in the stereo field; a member that has not joined
// (value -1) or plays nothing (value 6) is silent.
#include <array>
#include <cstddef>
#include <cstdint>

namespace audio {

inline constexpr int kBandMembers = 6;
inline constexpr int kBandParts = 6;          // parts 0..5 of each member
inline constexpr int kBandNotJoined = -1;     // member value: hidden
inline constexpr int kBandSilent = kBandParts;  // member value: joined, plays nothing
inline constexpr int kBandMixTracks = kBandMembers * kBandParts;
inline constexpr int32_t kBandVolume = -1000;

// Member k's pan: -2500, -1500, -500, 500, 1500, 2500 from left to right.
constexpr int32_t BandPan(int member) {
    return static_cast<int32_t>((member - 2.5) * 1000);
}

struct BandTrackMix {
    int mute = 1;
    int32_t volume = kBandVolume;
    int32_t pan = 0;
};

// The settings of the band's 36 tracks for the six member values.
constexpr std::array<BandTrackMix, kBandMixTracks> BandMix(const int (&values)[kBandMembers]) {
    std::array<BandTrackMix, kBandMixTracks> mix{};
    for (int k = 0; k < kBandMembers; ++k) {
        for (int j = 0; j < kBandParts; ++j) {
            BandTrackMix& track = mix[static_cast<std::size_t>(kBandParts * k + j)];
            track.mute = j == values[k] ? 0 : 1;
            track.volume = kBandVolume;
            track.pan = BandPan(k);
        }
    }
    return mix;
}

// The band song of a difficulty (1 easy, 2 medium, 3 hard; others as easy).
constexpr const char* BandSongFile(int difficulty) {
    switch (difficulty) {
        case 2: return ".\\seq\\medband.xmi";
        case 3: return ".\\seq\\hardband.xmi";
        default: return ".\\seq\\easyband.xmi";
    }
}

}  // namespace audio
