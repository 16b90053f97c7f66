// The audio half of the data folder: the instrument library, the effect
// library and the songs, all under "seq".
#include <cstdio>
#include <filesystem>

#include "assetgen/generators.h"
#include "assetgen/music_levels.h"
#include "assetgen/music_songs.h"
#include "assetgen/sound_effects.h"

namespace assetgen {

int WriteMusic(const std::string& dataDir) {
    std::error_code ec;
    std::filesystem::create_directories(dataDir + "/seq/fx", ec);
    if (ec) {
        std::fprintf(stderr, "assetgen: cannot create %s/seq: %s\n", dataDir.c_str(), ec.message().c_str());
        return 0;
    }
    // The levels choose the instruments' gains, so they come first.
    std::vector<music::Song> songs = music::AllSongs();
    music::LevelSongs(songs);
    if (!music::WriteInstrumentLibrary(dataDir)) return 0;
    if (!sound::WriteEffectLibrary(dataDir)) return 0;
    for (const music::Song& song : songs)
        if (!music::WriteSong(dataDir, song)) return 0;
    return 1;
}

}  // namespace assetgen
