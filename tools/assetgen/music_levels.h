#pragma once
// Levels every part of every song to one short-term loudness at a placed
// icon's volume, and chooses each instrument's library gain so that the
// velocities doing it stay inside 1..127 with room for the accents.
#include <vector>

#include "assetgen/music_score.h"

namespace assetgen::music {

// Short-term loudness of every part alone at a placed icon's volume
// (-9 dB, centred), in decibels re full scale of one output channel.
constexpr double kPartLoudnessDb = -30;
// ... unless that would take the part's peak above this: a woodblock's click
// or a harp's pluck is heard as louder than its 400 ms energy says, and its
// peaks are what eight parts together must keep under full scale.
constexpr double kPartPeakDb = -14;

// Sets the instruments' gains (see SetInstrumentGain) and the parts'
// velocities. Call once, before writing the library and the songs.
void LevelSongs(std::vector<Song>& songs, double loudnessDb = kPartLoudnessDb, double peakDb = kPartPeakDb);

}  // namespace assetgen::music
