#pragma once
// File names as the game writes them: relative to the current directory,
// with backslashes and any letter case (".\Graphics\chars\dog.bmp" beside
// ".\graphics\lands\..."). Every name is resolved case-insensitively,
// component by component, after turning '\' into '/'.
#include <cstdio>
#include <string>

#include "platform/win_types.h"

namespace platform {

// The existing path that the name refers to, or, when the last component does
// not exist yet, the path it would be created at (directories resolved).
// Absolute names and drive roots ("D:\...", see the CD-ROM drives below) work
// too. Returns an empty string when a directory on the way does not exist.
std::string ResolvePath(const char* name);
// fopen through ResolvePath; null when the file cannot be opened.
FILE* OpenFile(const char* name, const char* mode);
bool FileExists(const char* name);

// The process's current directory (real chdir, so the C library agrees).
// Set resolves case-insensitively too. Return 1 / 0.
int SetCurrentDirectory(const char* name);
// Writes the current directory in the game's spelling (".\"-free, with a
// trailing backslash-free Unix path) into buffer; returns its length or 0.
DWORD GetCurrentDirectory(DWORD size, char* buffer);

// Drive letters: "A:\" .. "Z:\". A CD-ROM drive is the mount point of an
// optical medium (none on most machines). Tests inject their own drives.
UINT GetDriveType(const char* root);

}  // namespace platform
