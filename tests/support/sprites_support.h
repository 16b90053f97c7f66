#pragma once
// A headless display set up as the game does it, a sprite world over it, the
// debugger output captured, and small pictures made in memory or written as
// 8-bit bitmap files into a private folder, the game's current folder.
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/system.h"
#include "sprites/sprite_world.h"
#include "support/display_support.h"

namespace sprites_support {

using platform::RECT;
using platform::dd::Surface;

// Every text written to the debugger output while alive.
class DebugCapture {
public:
    DebugCapture() { platform::SetDebugSink(&DebugCapture::Sink, this); }
    ~DebugCapture() { platform::SetDebugSink(nullptr, nullptr); }
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    const std::vector<std::string>& Texts() const { return texts_; }
    std::string Joined() const {
        std::string all;
        for (const auto& t : texts_) all += t;
        return all;
    }
    int Count(const std::string& text) const {
        int n = 0;
        for (const auto& t : texts_) n += t == text ? 1 : 0;
        return n;
    }
    void Clear() { texts_.clear(); }

private:
    static void Sink(const char* text, void* user) { static_cast<DebugCapture*>(user)->texts_.push_back(text); }
    std::vector<std::string> texts_;
};

// An 8-bit bitmap file image, top row first in `rows` (width x height bytes).
inline std::vector<uint8_t> BitmapFile(int width, int height, const std::vector<uint8_t>& rows) {
    const int stride = (width + 3) & ~3;
    const uint32_t offBits = 54 + 1024;
    std::vector<uint8_t> out(offBits + static_cast<size_t>(stride) * height, 0);
    auto put32 = [&out](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, offBits);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    out[26] = 1;
    out[28] = 8;
    for (int i = 0; i < 256; ++i) out[54 + i * 4] = out[54 + i * 4 + 1] = out[54 + i * 4 + 2] = static_cast<uint8_t>(i);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            out[offBits + static_cast<size_t>(height - 1 - r) * stride + c] = rows[static_cast<size_t>(r) * width + c];
        }
    }
    return out;
}

class SpriteTest : public display_support::DisplayTest {
public:
    SpriteTest() {
        static std::atomic<int> counter{0};
        folder_ = std::filesystem::temp_directory_path() /
                  ("tw-sprites-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(folder_);
        gameFolder_.Enter(folder_.c_str());
    }
    ~SpriteTest() {
        world_.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    // Starts the display and makes a world over it; false when set-up failed.
    bool StartWorld() {
        if (!Start()) return false;
        world_ = std::make_unique<sprites::SpriteWorld>(&D());
        return true;
    }
    sprites::SpriteWorld& W() { return *world_; }
    void DropWorld() { world_.reset(); }

    // An 8-bit system-memory surface filled with `value`, keyed on `key`.
    Surface* Picture(int width, int height, uint8_t value, uint8_t key = 0) {
        Surface* s = D().GPCreateSurface(width, height, 1, 0);
        std::fill(s->Pixels(), s->Pixels() + static_cast<size_t>(s->Pitch()) * height, value);
        const platform::dd::ColorKey ck{key, key};
        s->SetColorKey(platform::dd::DDCKEY_SRCBLT, &ck);
        return s;
    }
    static void Put(Surface* s, int x, int y, uint8_t value) {
        s->Pixels()[static_cast<size_t>(y) * s->Pitch() + x] = value;
    }
    uint8_t Back(int x, int y) { return display_support::PixelAt(D().backBuffer, x, y); }
    void PaintBack(uint8_t value) {
        RECT all{0, 0, 640, 480};
        D().GPFillBufferIndex(nullptr, &all, value);
    }
    // Writes a bitmap file into the test's folder.
    void WriteBitmap(const std::string& name, int width, int height, const std::vector<uint8_t>& rows) {
        const auto bytes = BitmapFile(width, height, rows);
        std::ofstream(folder_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    DebugCapture& Debug() { return debug_; }

private:
    std::filesystem::path folder_;
    platform::ScopedCurrentDirectory gameFolder_;  // the previous folder comes back
    DebugCapture debug_;
    std::unique_ptr<sprites::SpriteWorld> world_;
};

}  // namespace sprites_support
