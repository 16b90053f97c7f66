#include "platform/user_files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace platform {

namespace {

std::atomic<long long> writeLimit{-1};

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : std::string();
}

// Writes everything, or fails; a limit set by a test cuts the write short.
bool WriteAll(int fd, const uint8_t* data, size_t size) {
    size_t allowed = size;
    const long long limit = writeLimit.load();
    if (limit >= 0 && static_cast<unsigned long long>(limit) < size) allowed = static_cast<size_t>(limit);
    size_t done = 0;
    while (done < allowed) {
        const ssize_t n = ::write(fd, data + done, allowed - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return allowed == size;
}

// Writes the bytes to a new hidden file in the folder and flushes them;
// returns its path, or "" (with nothing left) on failure.
std::string WriteHiddenFile(const std::string& folder, const uint8_t* data, size_t size) {
    std::string temporary = folder + "/.tunewander-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return std::string();
    ::fchmod(fd, 0644);
    const bool written = WriteAll(fd, data, size) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed) return temporary;
    ::unlink(temporary.c_str());
    return std::string();
}

void SyncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}

// XDG_MUSIC_DIR="$HOME/Music" from the desktop's user-dirs file; "" when
// the file or the line is missing.
std::string MusicFolderFromUserDirs(const std::string& home) {
    std::string config = FromEnvironment("XDG_CONFIG_HOME");
    if (config.empty()) config = home + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_MUSIC_DIR=";
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
        // Only an absolute path means a folder; the file calls the home
        // folder itself "no music folder".
        if (value.empty() || value.front() != '/' || value == home || value == home + "/") return std::string();
        return value;
    }
    return std::string();
}

}  // namespace

std::string MusicFolder() {
    std::string folder = FromEnvironment("TUNEWANDER_MUSIC_DIR");
    if (folder.empty()) folder = FromEnvironment("XDG_MUSIC_DIR");
    if (!folder.empty()) return folder;
    std::string home = FromEnvironment("HOME");
    if (home.empty()) home = ".";
    folder = MusicFolderFromUserDirs(home);
    return folder.empty() ? home + "/Music" : folder;
}

std::string PublishNewUserFile(const std::string& folder, const std::vector<std::string>& names,
                               const uint8_t* data, size_t size) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string hidden = WriteHiddenFile(folder, data, size);
    if (hidden.empty()) return std::string();
    std::string published;
    bool moved = false;
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        // Both refuse a name that exists, so nothing is ever replaced, even
        // by a file that appeared a moment ago. Folders that cannot hold
        // hard links (some removable drives) take the rename.
        int result = ::link(hidden.c_str(), path.c_str());
        if (result != 0 && errno != EEXIST) {
            result = ::renameat2(AT_FDCWD, hidden.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
            moved = result == 0;
        }
        if (result == 0) {
            published = path;
            break;
        }
        if (errno != EEXIST) break;
    }
    if (!moved) ::unlink(hidden.c_str());
    if (!published.empty()) SyncFolder(folder);
    return published;
}

std::string UserDataFolder() {
    std::string folder = FromEnvironment("TUNEWANDER_SAVE_DIR");
    if (!folder.empty()) return folder;
    folder = FromEnvironment("XDG_DATA_HOME");
    if (!folder.empty()) return folder + "/tunewander";
    const std::string home = FromEnvironment("HOME");
    return (home.empty() ? std::string(".") : home) + "/.local/share/tunewander";
}

int ReadUserFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>* out) {
    out->clear();
    // Non-blocking, so that a FIFO cannot hold the game; only regular files
    // are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return 0;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return 0;
    }
    const size_t want = std::min<size_t>(maxBytes, static_cast<size_t>(st.st_size));
    out->resize(want);
    size_t got = 0;
    while (got < want) {
        const ssize_t n = ::read(fd, out->data() + got, want - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    out->resize(got);
    return 1;
}

int ReplaceUserFile(const std::string& path, const uint8_t* data, size_t size) {
    std::error_code ec;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return 0;
    ::fchmod(fd, 0644);
    const bool written = WriteAll(fd, data, size) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return 0;
    }
    // The rename itself is made to last with the folder.
    const std::string folder = target.has_parent_path() ? target.parent_path().string() : std::string(".");
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 1;
}

namespace headless {
void FailUserFileWritesAfter(long long bytes) {
    writeLimit = bytes;
}
}  // namespace headless

}  // namespace platform
