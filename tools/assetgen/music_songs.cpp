#include "assetgen/music_songs.h"

namespace assetgen::music {

std::vector<Song> AllSongs() {
    return {CelticSong(), FunlandSong(), AussieSong(), JazzSong(), EasternSong(), WetlandSong(),
            BandSong(0),  BandSong(1),   BandSong(2),  BandSong(3)};
}

}  // namespace assetgen::music
