#include "assetgen/music_songs.h"

#include "assetgen/music_registers.h"

namespace assetgen::music {

std::vector<Song> AllSongs() {
    std::vector<Song> songs = {CelticSong(), FunlandSong(), AussieSong(), JazzSong(), EasternSong(), WetlandSong(),
                               BandSong(0),  BandSong(1),   BandSong(2),  BandSong(3)};
    for (Song& song : songs) FitRegisters(song);
    return songs;
}

}  // namespace assetgen::music
