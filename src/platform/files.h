#pragma once
// File names as the game writes them: relative to the game's current folder,
// with backslashes and any letter case (".\Graphics\chars\dog.bmp" beside
// ".\graphics\lands\..."). Every name is resolved case-insensitively,
// component by component, after turning '\' into '/'.
//
// The game's current folder is kept here, not in the process: changing it
// never changes the process's working directory, so an early return in the
// game cannot leave the whole program somewhere else, and host paths given
// on a tool's command line keep meaning what the shell meant.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace platform {

// The existing path that the name refers to, or, when the last component does
// not exist yet, the path it would be created at (directories resolved).
// Relative names start at the game's current folder, so the result is an
// absolute path that the C library opens as it is. Absolute names and drive
// roots ("D:\...", see the CD-ROM drives below) work too. Returns an empty
// string when a directory on the way does not exist.
std::string ResolvePath(const char* name);
// fopen through ResolvePath; null when the file cannot be opened. Opened for
// reading ("r" or "rb" without "+"), only a regular file opens: a directory,
// a device or a FIFO gives null at once instead of an endless or blocking read.
FILE* OpenFile(const char* name, const char* mode);

// No data file of the game comes near this; anything larger is refused
// before a byte of it is read.
constexpr long kMaxDataFileBytes = 64L * 1024 * 1024;
// The size of an open regular file, or -1 when it cannot be told or is above
// kMaxDataFileBytes. Readers check sizes stored in a file against it before
// they allocate.
long FileSize(FILE* file);
// Reads a whole regular file of at most kMaxDataFileBytes; 1, or 0 (bytes
// empty) when it cannot be opened, is too large or cannot be read whole.
int ReadWholeFile(const char* name, std::vector<uint8_t>* bytes);
bool FileExists(const char* name);

// The game's current folder. It starts as the process's working directory
// (taken the first time it is needed) and is always absolute and normalised.
// Set resolves the name like ResolvePath (relative to the current folder,
// any case, "..", drive roots) and accepts only an existing folder that can
// be entered; otherwise it returns 0 and the folder stays as it was.
// Both may be called from any thread. Return 1 / 0.
int SetCurrentDirectory(const char* name);
// Writes the current folder (a Unix path without a trailing slash, "/" for
// the root) into buffer; returns its length, or 0 when it does not fit
// (buffer[0] is then '\0') or cannot be told.
DWORD GetCurrentDirectory(DWORD size, char* buffer);
// Forgets the current folder: the next use takes the process's working
// directory again (for tests that start from a known place).
void ResetCurrentDirectory();

// Remembers the current folder and makes it current again when it goes out
// of scope, whichever way the scope is left. Enter changes folder as
// SetCurrentDirectory does (1 / 0); it may be called more than once.
class ScopedCurrentDirectory {
public:
    ScopedCurrentDirectory();
    ~ScopedCurrentDirectory();
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

    int Enter(const char* name);
    // The folder that comes back at the end.
    const std::string& Saved() const { return saved_; }

private:
    std::string saved_;
};

// Drive letters: "A:\" .. "Z:\". A CD-ROM drive is the mount point of an
// optical medium (none on most machines). Tests inject their own drives.
UINT GetDriveType(const char* root);

}  // namespace platform
