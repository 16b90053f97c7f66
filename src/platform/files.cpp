// Case-insensitive file names with backslashes and drive letters.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/internal/backend.h"
#include "platform/internal/drives.h"

namespace platform {

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Join(const std::string& base, const std::string& name) {
    if (base.empty() || base == ".") return name;
    if (base.back() == '/') return base + name;
    return base + "/" + name;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    const size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The entries of dir spelled like name in any case: the exact spelling
// first, then the others in byte order (so that the choice does not depend on
// the file system's order).
std::vector<std::string> MatchingEntries(const std::string& dir, const std::string& name, bool wantDirectory) {
    std::vector<std::string> found;
    const std::string exact = Join(dir, name);
    if (wantDirectory ? IsDirectory(exact) : Exists(exact)) found.push_back(name);
    DIR* stream = opendir(dir.empty() ? "." : dir.c_str());
    if (!stream) return found;
    std::vector<std::string> others;
    while (dirent* entry = readdir(stream)) {
        const std::string candidate = entry->d_name;
        if (candidate == name || !EqualsIgnoringCase(name, entry->d_name)) continue;
        if (wantDirectory && !IsDirectory(Join(dir, candidate))) continue;
        if (!wantDirectory && !Exists(Join(dir, candidate))) continue;
        others.push_back(candidate);
    }
    closedir(stream);
    std::sort(others.begin(), others.end());
    found.insert(found.end(), others.begin(), others.end());
    return found;
}

// Resolves parts[index..] below base. Folders that differ only in case are
// all tried, so a file is found in whichever one holds it; with allowNew a
// missing last component is accepted as a file to create.
std::optional<std::string> ResolveFrom(const std::string& base, const std::vector<std::string>& parts,
                                       size_t index, bool allowNew) {
    if (index == parts.size()) return base;
    const std::string& part = parts[index];
    const bool last = index + 1 == parts.size();
    if (part == "..") return ResolveFrom(Join(base, ".."), parts, index + 1, allowNew);
    const std::vector<std::string> entries = MatchingEntries(base, part, !last);
    if (last) {
        if (!entries.empty()) return Join(base, entries.front());
        if (allowNew) return Join(base, part);
        return std::nullopt;
    }
    for (const std::string& entry : entries)
        if (auto resolved = ResolveFrom(Join(base, entry), parts, index + 1, allowNew)) return resolved;
    return std::nullopt;
}

// The game's current folder: absolute, or empty while it is not known yet.
// Only touched with folderMutex held.
std::mutex folderMutex;
std::string keptFolder;

// The process's working directory, or empty when it cannot be told.
std::string ProcessDirectory() {
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE || buffer.size() >= (size_t(1) << 20)) return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

std::string CurrentFolder() {
    std::lock_guard<std::mutex> hold(folderMutex);
    if (keptFolder.empty()) keptFolder = ProcessDirectory();
    return keptFolder;
}

// Where relative names start: the game's folder, or the process's own while
// that cannot be told.
std::string RelativeStart() {
    std::string folder = CurrentFolder();
    return folder.empty() ? std::string(".") : folder;
}

void StoreFolder(const std::string& folder) {
    std::lock_guard<std::mutex> hold(folderMutex);
    keptFolder = folder;
}

// The absolute path without ".", ".." or links, or empty.
std::string Normalised(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    if (!real) return {};
    std::string result = real;
    std::free(real);
    return result;
}

// The folder a drive letter stands for, or none.
std::optional<std::string> DriveRoot(char letter) {
    std::string root;
    internal::Backend* backend = internal::CurrentBackendPtr();
    const UINT type = backend ? backend->DriveType(letter, &root) : internal::SystemDriveType(letter, &root);
    if ((type == DRIVE_CDROM || type == DRIVE_FIXED) && !root.empty()) return root;
    return std::nullopt;
}

}  // namespace

std::string ResolvePath(const char* name) {
    if (!name || !*name) return {};
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    std::string base = path[0] == '/' ? std::string("/") : RelativeStart();
    size_t start = 0;
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
        const char letter = char(std::toupper(static_cast<unsigned char>(path[0])));
        std::optional<std::string> root = DriveRoot(letter);
        if (!root) return {};
        base.swap(*root);
        start = 2;
    }
    std::vector<std::string> parts;
    for (size_t pos = start; pos <= path.size();) {
        size_t next = path.find('/', pos);
        if (next == std::string::npos) next = path.size();
        std::string part = path.substr(pos, next - pos);
        if (!part.empty() && part != ".") parts.push_back(part);
        pos = next + 1;
    }
    if (parts.empty()) return base;
    if (auto existing = ResolveFrom(base, parts, 0, false)) return *existing;
    return ResolveFrom(base, parts, 0, true).value_or(std::string());
}

namespace {

bool OpensForReadingOnly(const char* mode) {
    return mode[0] == 'r' && !std::strchr(mode, '+');
}

// Opens without blocking (a FIFO with no writer would wait for ever), then
// keeps the file only when it is a regular one: directories, devices such as
// /dev/zero (or a link to one) and pipes never end or have no size.
FILE* OpenRegularForReading(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return nullptr;
    }
    FILE* file = fdopen(fd, "rb");
    if (!file) close(fd);
    return file;
}

}  // namespace

FILE* OpenFile(const char* name, const char* mode) {
    if (!mode) return nullptr;
    const std::string path = ResolvePath(name);
    if (path.empty()) return nullptr;
    internal::Backend* backend = internal::CurrentBackendPtr();
    if (backend && backend->FileOpenFails()) return nullptr;
    if (OpensForReadingOnly(mode)) return OpenRegularForReading(path);
    return std::fopen(path.c_str(), mode);
}

long FileSize(FILE* file) {
    if (!file) return -1;
    struct stat st {};
    if (fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return st.st_size > kMaxDataFileBytes ? -1 : long(st.st_size);
}

int ReadWholeFile(const char* name, std::vector<uint8_t>* bytes) {
    bytes->clear();
    FILE* file = OpenFile(name, "rb");
    if (!file) return 0;
    const long size = FileSize(file);
    bool ok = size >= 0;
    if (ok) {
        bytes->resize(size_t(size));
        ok = std::fread(bytes->data(), 1, bytes->size(), file) == bytes->size();
    }
    std::fclose(file);
    if (!ok) bytes->clear();
    return ok ? 1 : 0;
}

bool FileExists(const char* name) {
    const std::string path = ResolvePath(name);
    return !path.empty() && Exists(path);
}

int SetCurrentDirectory(const char* name) {
    const std::string path = ResolvePath(name);
    if (path.empty() || !IsDirectory(path) || access(path.c_str(), X_OK) != 0) return 0;
    const std::string folder = Normalised(path);
    if (folder.empty()) return 0;
    StoreFolder(folder);
    return 1;
}

DWORD GetCurrentDirectory(DWORD size, char* buffer) {
    const std::string folder = CurrentFolder();
    if (folder.empty()) return 0;
    const size_t length = folder.size();
    if (!buffer || size <= length) {
        if (buffer && size > 0) buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, folder.c_str(), length + 1);
    return DWORD(length);
}

void ResetCurrentDirectory() { StoreFolder(std::string()); }

ScopedCurrentDirectory::ScopedCurrentDirectory() : saved_(CurrentFolder()) {}

// Put back as it was, even if the folder has gone since: the game then gets
// "not found" for its files rather than files from somewhere else.
ScopedCurrentDirectory::~ScopedCurrentDirectory() { StoreFolder(saved_); }

int ScopedCurrentDirectory::Enter(const char* name) { return SetCurrentDirectory(name); }

UINT GetDriveType(const char* root) {
    if (!root) return DRIVE_FIXED;  // the game folder's drive
    const size_t length = std::strlen(root);
    if (length < 2 || length > 3 || !std::isalpha(static_cast<unsigned char>(root[0])) || root[1] != ':' ||
        (length == 3 && root[2] != '\\' && root[2] != '/'))
        return DRIVE_NO_ROOT_DIR;
    const char letter = char(std::toupper(static_cast<unsigned char>(root[0])));
    internal::Backend* backend = internal::CurrentBackendPtr();
    return backend ? backend->DriveType(letter, nullptr) : internal::SystemDriveType(letter, nullptr);
}

}  // namespace platform
