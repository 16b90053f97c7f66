#pragma once
// The game's songs: six land songs of 24 parts (one per icon, in four sets
// of six: rhythm, harmony, melody, colour) and four band songs of 36 parts
// (six alternatives for each of the six band members).
#include <string>
#include <vector>

#include "assetgen/music_instruments.h"
#include "assetgen/music_score.h"

namespace assetgen::music {

inline const std::vector<int> kMajor{0, 2, 4, 5, 7, 9, 11};
inline const std::vector<int> kMixolydian{0, 2, 4, 5, 7, 9, 10};
inline const std::vector<int> kMajorPentatonic{0, 2, 4, 7, 9};

Song CelticSong();    // "maze.xmi"
Song FunlandSong();   // "fun.xmi"
Song AussieSong();    // "aussie.xmi"
Song JazzSong();      // "jazz.xmi"
Song EasternSong();   // "palace.xmi"
Song WetlandSong();   // "wet.xmi"
// The band: level 0 the title screen's "band.xmi", 1..3 the den's songs by
// difficulty ("easyband.xmi", "medband.xmi", "hardband.xmi").
Song BandSong(int level);

std::vector<Song> AllSongs();

}  // namespace assetgen::music
