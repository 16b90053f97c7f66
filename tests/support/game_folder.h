#pragma once
// Where a name relative to the game's current folder lies on disk, for the
// files a test writes or removes itself with the standard library (which
// knows only the process's working directory). A plain join: no letter-case
// matching; an absolute name is returned as it is.
#include <filesystem>

#include "platform/files.h"

namespace test_support {

inline std::filesystem::path InGameFolder(const std::filesystem::path& name) {
    char folder[4096] = {};
    platform::GetCurrentDirectory(sizeof folder, folder);
    return std::filesystem::path(folder) / name;
}

}  // namespace test_support
