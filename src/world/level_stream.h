#pragma once
// Front-to-back reading of a level file with sticky failure: the first short
// read stops everything after it, and a count is believed only when its
// records fit in what is left of the file.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/win_types.h"
#include "world/land_file_format.h"

namespace world {

class LevelStream {
public:
    explicit LevelStream(const char* fileName);
    ~LevelStream();
    LevelStream(const LevelStream&) = delete;
    LevelStream& operator=(const LevelStream&) = delete;

    bool Open() const { return file_ != nullptr; }
    bool Ok() const { return ok_; }
    uint64_t Remaining() const { return size_ > pos_ ? size_ - pos_ : 0; }
    // True when nothing at all is left (the clean end of the section list).
    bool AtEnd() const { return ok_ && pos_ >= size_; }

    bool Bytes(void* out, size_t n);
    bool Skip(size_t n);
    uint32_t U32();
    int32_t I32() { return static_cast<int32_t>(U32()); }
    platform::RECT Rect();
    std::string Name();
    // True when count records of recordSize bytes fit in the rest; otherwise
    // the stream fails (an absurd count is a corrupt file).
    bool Fits(uint64_t count, uint64_t recordSize);
    void Fail() { ok_ = false; }

private:
    FILE* file_ = nullptr;
    uint64_t size_ = 0;
    uint64_t pos_ = 0;
    bool ok_ = false;
};

}  // namespace world
