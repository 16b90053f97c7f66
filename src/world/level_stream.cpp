#include "world/level_stream.h"

#include <cstring>

#include "platform/files.h"

namespace world {

LevelStream::LevelStream(const char* fileName) {
    file_ = fileName ? platform::OpenFile(fileName, "rb") : nullptr;
    if (!file_) return;
    if (std::fseek(file_, 0, SEEK_END) == 0) {
        const long size = std::ftell(file_);
        if (size > 0) size_ = static_cast<uint64_t>(size);
    }
    std::fseek(file_, 0, SEEK_SET);
    ok_ = true;
}

LevelStream::~LevelStream() {
    if (file_) std::fclose(file_);
}

bool LevelStream::Bytes(void* out, size_t n) {
    if (!ok_) return false;
    if (Remaining() < n || std::fread(out, 1, n, file_) != n) {
        ok_ = false;
        return false;
    }
    pos_ += n;
    return true;
}

bool LevelStream::Skip(size_t n) {
    if (!ok_) return false;
    if (Remaining() < n || std::fseek(file_, static_cast<long>(n), SEEK_CUR) != 0) {
        ok_ = false;
        return false;
    }
    pos_ += n;
    return true;
}

uint32_t LevelStream::U32() {
    uint8_t b[4] = {};
    if (!Bytes(b, 4)) return 0;
    return b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t(b[3]) << 24);
}

platform::RECT LevelStream::Rect() {
    platform::RECT r{};
    r.left = I32();
    r.top = I32();
    r.right = I32();
    r.bottom = I32();
    return r;
}

std::string LevelStream::Name() {
    char field[lnd::kNameSize];
    if (!Bytes(field, sizeof field)) return {};
    return std::string(field, strnlen(field, sizeof field));
}

bool LevelStream::Fits(uint64_t count, uint64_t recordSize) {
    if (ok_ && count * recordSize <= Remaining()) return true;
    ok_ = false;
    return false;
}

}  // namespace world
