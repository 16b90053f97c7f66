#pragma once
// A fresh folder under /tmp that is the current directory while the object
// lives; afterwards the previous directory is current again and the folder
// is removed.
#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace test_support {

class ScratchDir {
public:
    ScratchDir() {
        char pattern[] = "/tmp/tw_test_XXXXXX";
        path_ = ::mkdtemp(pattern);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_, previous_;
};

}  // namespace test_support
