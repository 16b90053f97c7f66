// Case-insensitive file names with backslashes and drive letters.
#include "platform/files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
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

// The entry of dir spelled like name in any case (the first in byte order
// when several qualify, so the choice does not depend on the file system).
std::optional<std::string> FindEntry(const std::string& dir, const std::string& name, bool wantDirectory) {
    const std::string exact = Join(dir, name);
    if (wantDirectory ? IsDirectory(exact) : Exists(exact)) return name;
    DIR* stream = opendir(dir.empty() ? "." : dir.c_str());
    if (!stream) return std::nullopt;
    std::optional<std::string> best;
    while (dirent* entry = readdir(stream)) {
        if (!EqualsIgnoringCase(name, entry->d_name)) continue;
        const std::string candidate = entry->d_name;
        if (wantDirectory && !IsDirectory(Join(dir, candidate))) continue;
        if (!best || candidate < *best) best = candidate;
    }
    closedir(stream);
    return best;
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
    std::string base = ".";
    size_t start = 0;
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
        const char letter = char(std::toupper(static_cast<unsigned char>(path[0])));
        std::optional<std::string> root = DriveRoot(letter);
        if (!root) return {};
        base = *root;
        start = 2;
    } else if (path[0] == '/') {
        base = "/";
    }
    std::vector<std::string> parts;
    for (size_t pos = start; pos <= path.size();) {
        size_t next = path.find('/', pos);
        if (next == std::string::npos) next = path.size();
        std::string part = path.substr(pos, next - pos);
        if (!part.empty() && part != ".") parts.push_back(part);
        pos = next + 1;
    }
    std::string resolved = base;
    for (size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        if (parts[i] == "..") {
            resolved = Join(resolved, "..");
            continue;
        }
        std::optional<std::string> entry = FindEntry(resolved, parts[i], !last);
        if (!entry) {
            if (!last) return {};  // a folder on the way does not exist
            entry = parts[i];      // a new file, created under this name
        }
        resolved = Join(resolved, *entry);
    }
    return resolved;
}

FILE* OpenFile(const char* name, const char* mode) {
    if (!mode) return nullptr;
    const std::string path = ResolvePath(name);
    if (path.empty()) return nullptr;
    return std::fopen(path.c_str(), mode);
}

bool FileExists(const char* name) {
    const std::string path = ResolvePath(name);
    return !path.empty() && Exists(path);
}

int SetCurrentDirectory(const char* name) {
    const std::string path = ResolvePath(name);
    if (path.empty() || !IsDirectory(path)) return 0;
    return chdir(path.c_str()) == 0 ? 1 : 0;
}

DWORD GetCurrentDirectory(DWORD size, char* buffer) {
    std::vector<char> cwd(4096);
    if (!getcwd(cwd.data(), cwd.size())) return 0;
    const size_t length = std::strlen(cwd.data());
    if (!buffer || size <= length) {
        if (buffer && size > 0) buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, cwd.data(), length + 1);
    return DWORD(length);
}

UINT GetDriveType(const char* root) {
    if (!root) return DRIVE_FIXED;  // the current directory's drive
    const size_t length = std::strlen(root);
    if (length < 2 || length > 3 || !std::isalpha(static_cast<unsigned char>(root[0])) || root[1] != ':' ||
        (length == 3 && root[2] != '\\' && root[2] != '/'))
        return DRIVE_NO_ROOT_DIR;
    const char letter = char(std::toupper(static_cast<unsigned char>(root[0])));
    internal::Backend* backend = internal::CurrentBackendPtr();
    return backend ? backend->DriveType(letter, nullptr) : internal::SystemDriveType(letter, nullptr);
}

}  // namespace platform
