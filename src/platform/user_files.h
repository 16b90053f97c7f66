#pragma once
// Files the player makes (saved games), kept apart from the game's data so
// that writing the data again never touches them. Host paths, not game
// names: they do not go through the game's current folder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The folder for the player's own files: $TUNEWANDER_SAVE_DIR when set, else
// $XDG_DATA_HOME/tunewander, else ~/.local/share/tunewander. It may not
// exist yet.
std::string UserDataFolder();

// Reads a regular file of at most maxBytes into *out (FIFOs, devices and
// folders are refused without blocking). 1 read, 0 missing or refused; a file
// longer than maxBytes gives its first maxBytes.
int ReadUserFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>* out);

// Replaces the file's contents as one step: the bytes go to a new file in the
// same folder, are flushed to the disk, and the new file is renamed over the
// old one, so a failure at any point leaves the old file whole. The folder is
// made when missing. 1 written, 0 failed (the old file is untouched).
int ReplaceUserFile(const std::string& path, const uint8_t* data, size_t size);

// The player's music folder: $TUNEWANDER_MUSIC_DIR when set, else
// $XDG_MUSIC_DIR, else the music folder named in the desktop's user-dirs
// file ($XDG_CONFIG_HOME or ~/.config, "user-dirs.dirs"), else ~/Music. It
// may not exist yet.
std::string MusicFolder();

// Writes a new file under the first of `names` that is free in `folder`
// (made when missing); an existing file is never replaced. The bytes go to a
// hidden file in the folder first and are flushed, then linked under the
// name, so no reader ever sees part of the file and a failure leaves
// nothing behind. Returns the full path written, or "" on failure.
std::string PublishNewUserFile(const std::string& folder, const std::vector<std::string>& names,
                               const uint8_t* data, size_t size);

namespace headless {
// Fault injection for tests: the next writes by ReplaceUserFile and
// PublishNewUserFile fail after
// `bytes` bytes as a full disk would; -1 (the default) switches it off.
void FailUserFileWritesAfter(long long bytes);
}  // namespace headless

}  // namespace platform
