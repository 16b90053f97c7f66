#include "assetgen/music_songs.h"

namespace assetgen::music {

std::vector<Song> AllSongs() {
    return {CelticSong()};
}

}  // namespace assetgen::music
