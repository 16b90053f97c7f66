#pragma once
// A fresh folder under /tmp that is the game's current folder while the
// object lives; afterwards the previous folder is current again and the
// folder is removed. The process's working directory is left alone, so
// files the test itself writes go under Path().
#include <stdlib.h>

#include <filesystem>
#include <system_error>

#include "platform/files.h"

namespace test_support {

class ScratchDir {
public:
    ScratchDir() {
        char pattern[] = "/tmp/tw_test_XXXXXX";
        path_ = ::mkdtemp(pattern);
        game_.Enter(path_.c_str());
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    platform::ScopedCurrentDirectory game_;  // puts the previous folder back
};

}  // namespace test_support
