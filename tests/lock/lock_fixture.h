#pragma once
// A headless sprite world with a sound-effect player whose library holds the
// lock's effects (4 freeing, 5 note, 6 hint) as one short tone each.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "audio/fx_player.h"
#include "platform/dsound.h"
#include "platform/riff.h"
#include "world/chars/captive_tables.h"
#include "world/world_fixture.h"

namespace lock_test {

class LockTest : public world_test::WorldTest, public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWorld());
        ASSERT_EQ(platform::DirectSoundCreate(nullptr, &ds_, nullptr), platform::DS_OK);
        ds_->SetCooperativeLevel(nullptr, platform::DSSCL_NORMAL);
        fx = std::make_unique<FxPlayer>(nullptr, ds_, 30);
        ASSERT_TRUE(WriteTone("tone.wav"));
        std::string lib;
        for (int e : {4, 5, 6, 26, 27, 28, 29, 30, 31}) lib += std::to_string(e) + " tone.wav\n";
        WriteFile("fxlib.txt", lib);
        ASSERT_EQ(fx->LoadFXLib("fxlib.txt"), 1);
    }
    void TearDown() override {
        fx.reset();
        if (ds_) ds_->Release();
    }
    static bool WriteTone(const std::string& path) {
        platform::WAVEFORMATEX f{};
        f.wFormatTag = platform::WAVE_FORMAT_PCM;
        f.nChannels = 1;
        f.nSamplesPerSec = 22050;
        f.wBitsPerSample = 16;
        f.nBlockAlign = 2;
        f.nAvgBytesPerSec = 44100;
        std::vector<int16_t> s(2205);
        for (size_t i = 0; i < s.size(); ++i) s[i] = int16_t(8000 * std::sin(0.1 * double(i)));
        return platform::WriteWaveFile(path.c_str(), f, s.data(), platform::DWORD(s.size() * 2)) == 1;
    }
    static void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream(test_support::InGameFolder(path), std::ios::binary) << text;
    }
    // The member sheet of a land as a plain picture at its game path.
    void WriteMemberSheet(int land) {
        const auto sheet = world::chars::MakeCaptiveSheet(land);
        WriteGamePicture(sheet.file, sheet.width, sheet.height);
    }
    // Effect slots holding a sound buffer.
    int HeldVoices() const {
        int held = 0;
        for (uint32_t s = 0; s < fx->SlotCount(); ++s) held += fx->Slot(int(s))->buffer ? 1 : 0;
        return held;
    }
    int Playing(int slot) const {
        const FxSlot* s = fx->Slot(slot);
        if (!s || !s->buffer) return 0;
        platform::DWORD status = 0;
        s->buffer->GetStatus(&status);
        return (status & platform::DSBSTATUS_PLAYING) ? 1 : 0;
    }

    std::unique_ptr<FxPlayer> fx;

private:
    platform::IDirectSound* ds_ = nullptr;
};

}  // namespace lock_test
