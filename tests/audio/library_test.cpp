// The instrument and effect libraries, sample loading and the effect player.
#include "audio/fx_player.h"
#include "audio/virtual_synth.h"
#include "audio_test_support.h"
#include "platform/clock.h"
#include "platform/dsound_card.h"

using namespace platform;

namespace {

class LibraryTest : public audio_test::HeadlessAudioTest {
protected:
    std::string Wave(const std::string& name, size_t samples = 100, int rate = 22050) {
        std::string path = dir_ / name;
        EXPECT_TRUE(audio_test::WriteMonoWave(path, audio_test::Sine(440, rate, samples), rate));
        return path;
    }
    std::string Library(const std::string& name, const std::string& text) {
        std::string path = dir_ / name;
        EXPECT_TRUE(audio_test::WriteText(path, text));
        return path;
    }
    static std::vector<std::string> Captions() {
        std::vector<std::string> c;
        for (const auto& box : headless::MessageBoxLog()) c.push_back(box.caption + "|" + box.text);
        return c;
    }
};

TEST_F(LibraryTest, InstrumentLinesShareWavesAndClampBanksAndPrograms) {
    std::string wave = Wave("Piano.wav", 300);
    std::string upper = wave.substr(0, wave.size() - 9) + "PIANO.WAV";
    std::string lib = Library("wavelib.txt",
                              "; bank program file root spare gain loopstart loopend loop release\r\n"
                              "\r\n"
                              "0, 1, " + wave + ", 60, 0, -6, 10, 200, 1, 2205\r\n" +
                              "3\t200 " + upper + " 72\n" +
                              "300 5 " + wave + "\n" +
                              "256 7 " + wave + " 48 0 250\n");
    VirtualSynth synth(nullptr, nullptr);
    ASSERT_EQ(synth.LoadInstrumentLibrary(lib.c_str()), 1);
    Instrument* piano = synth.InstrumentAt(0, 1);
    ASSERT_NE(piano, nullptr);
    EXPECT_EQ(piano->rootNote, 60);
    EXPECT_EQ(piano->gain, -6);
    EXPECT_EQ(piano->loopStart, 10u);
    EXPECT_EQ(piano->loopEnd, 200u);
    EXPECT_EQ(piano->loopFlag, 1);
    EXPECT_EQ(piano->release, 2205u);
    ASSERT_NE(synth.InstrumentAt(3, 127), nullptr) << "program 200 becomes 127";
    EXPECT_EQ(synth.InstrumentAt(3, 127)->rootNote, 72);
    EXPECT_EQ(synth.InstrumentAt(3, 127)->release, 0u) << "missing fields read as 0";
    EXPECT_NE(synth.InstrumentAt(15, 5), nullptr) << "bank 300 (low byte 44) becomes 15";
    ASSERT_NE(synth.InstrumentAt(0, 7), nullptr) << "bank 256 (low byte 0) is bank 0";
    EXPECT_EQ(synth.InstrumentAt(0, 7)->gain, -6) << "gain 250 is the signed byte -6";
    EXPECT_EQ(synth.WaveList()->Size(), 1u) << "one entry for every spelling of the name";
    WaveEntry* entry = piano->wave;
    EXPECT_EQ(synth.InstrumentAt(3, 127)->wave, entry);

    ASSERT_EQ(synth.VS_load_instrument(0, 1), 1);
    ASSERT_EQ(synth.VS_load_instrument(3, 127), 1);
    EXPECT_EQ(entry->useCount, 2);
    EXPECT_EQ(entry->dataBytes, 600u);
    EXPECT_EQ(entry->format.nSamplesPerSec, 22050u);
    ASSERT_EQ(synth.VS_unload_instrument(0, 1), 1);
    EXPECT_NE(entry->samples, nullptr) << "still wanted by the other instrument";
    ASSERT_EQ(synth.VS_unload_instrument(3, 127), 1);
    EXPECT_EQ(entry->samples, nullptr);
    EXPECT_EQ(entry->useCount, 0);

    // Mark, load what is wanted, sweep the rest.
    synth.VS_load_instrument(0, 1);
    synth.VS_load_instrument(15, 5);
    synth.VS_mark_instruments();
    synth.VS_load_instrument(15, 5);
    synth.VS_sweep_instruments();
    EXPECT_EQ(synth.InstrumentAt(0, 1)->state, 0);
    EXPECT_EQ(synth.InstrumentAt(15, 5)->state, 1);
    EXPECT_EQ(synth.VS_load_instrument(16, 0), 0);
    EXPECT_EQ(synth.VS_load_instrument(2, 2), 0) << "empty slot";
    EXPECT_TRUE(headless::MessageBoxLog().empty());
}

TEST_F(LibraryTest, InstrumentLibraryFailuresShowTheirBoxes) {
    std::string wave = Wave("a.wav");
    VirtualSynth synth(nullptr, nullptr);
    EXPECT_EQ(synth.LoadInstrumentLibrary((dir_ / "none.txt").c_str()), 0);
    std::string dup = Library("dup.txt", "1 2 " + wave + "\n1 2 " + wave + "\n");
    EXPECT_EQ(synth.LoadInstrumentLibrary(dup.c_str()), 0);
    EXPECT_EQ(Captions(), (std::vector<std::string>{
                              "Could not open wave library file|Virtual Synthesiser creation failed",
                              "Could not parse wave library file correctly|Virtual Synthesiser creation failed"}));
    EXPECT_EQ(headless::MessageBoxLog()[0].flags, MB_OK | 0x10u);

    // Broken WAVE files: each gives its own text, then the loader's box.
    std::string notRiff = dir_ / "text.wav";
    audio_test::WriteText(notRiff, "this is not a sound");
    std::vector<uint8_t> shortFmt = {'R', 'I', 'F', 'F', 20, 0, 0, 0, 'W', 'A', 'V', 'E',
                                     'f', 'm', 't', ' ', 8, 0, 0, 0, 1, 0, 1, 0, 0x22, 0x56, 0, 0};
    audio_test::WriteBytes(dir_ / "short.wav", shortFmt);
    std::vector<uint8_t> noData = shortFmt;
    noData[4] = 28;
    noData[16] = 16;
    noData.resize(36, 0);
    audio_test::WriteBytes(dir_ / "nodata.wav", noData);
    std::vector<uint8_t> cutData = noData;
    cutData[4] = 40;
    for (char c : std::string("data")) cutData.push_back(uint8_t(c));
    cutData.insert(cutData.end(), {100, 0, 0, 0, 1, 2, 3, 4});  // 100 bytes promised, 4 given
    audio_test::WriteBytes(dir_ / "cut.wav", cutData);
    std::string lib = Library("broken.txt", "0 0 " + (dir_ / "missing.wav") + "\n0 1 " + notRiff + "\n0 2 " +
                                                (dir_ / "short.wav") + "\n0 3 " + (dir_ / "nodata.wav") +
                                                "\n0 4 " + (dir_ / "cut.wav") + "\n0 5\n");
    headless::ClearMessageBoxLog();
    ASSERT_EQ(synth.LoadInstrumentLibrary(lib.c_str()), 1);
    for (int p = 0; p <= 5; ++p) EXPECT_EQ(synth.VS_load_instrument(0, p), 0) << p;
    const std::string failed = "VS_load_instrument() Failed|Error whilst reading wave file.";
    EXPECT_EQ(Captions(), (std::vector<std::string>{
                              "WAVE file loading error| File could not be opened", failed,
                              "WAVE file loading error| Error descending in file", failed,
                              "WAVE file loading error| File not a WAVE file", failed,
                              "WAVE file loading error| Error reading data chunk", failed,
                              "WAVE file loading error| Error reading WAVE data", failed}))
        << "a line without a file is refused without a box";
    EXPECT_EQ(synth.InstrumentAt(0, 4)->wave->samples, nullptr);
}

class FxTest : public LibraryTest {
protected:
    void SetUp() override {
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds_, nullptr), DS_OK);
        ds_->SetCooperativeLevel(nullptr, DSSCL_NORMAL);
        fx_ = std::make_unique<FxPlayer>(nullptr, ds_, 30);
    }
    void TearDown() override {
        fx_.reset();
        ds_->Release();
    }
    IDirectSound* ds_ = nullptr;
    std::unique_ptr<FxPlayer> fx_;
};

TEST_F(FxTest, EffectLibraryParsing) {
    std::string bark = Wave("bark.wav");
    EXPECT_EQ(fx_->LoadFXLib((dir_ / "none.txt").c_str()), 0);
    std::string lib = Library("fxlib.txt", "; effects\r\n\r\n3, " + bark + "\r\n7\r\n4\t" + bark +
                                               "\n3 " + dir_ / "other.wav" + "\n255 x.wav\n");
    ASSERT_EQ(fx_->LoadFXLib(lib.c_str()), 1);
    ASSERT_NE(fx_->EffectName(4), nullptr);
    EXPECT_EQ(*fx_->EffectName(3), dir_ / "other.wav") << "a later line replaces the name";
    EXPECT_EQ(fx_->EffectName(7), nullptr) << "a number alone is skipped";
    EXPECT_EQ(fx_->LoadFXLib(Library("bad.txt", "256 a.wav\n").c_str()), 0);
    EXPECT_EQ(fx_->LoadFXLib(Library("neg.txt", "-1 a.wav\n").c_str()), 0);
    EXPECT_EQ(fx_->LoadFXLib(Library("long.txt", "1 " + std::string(254, 'a') + "\n").c_str()), 0);
    EXPECT_EQ(fx_->LoadFXLib(Library("ok.txt", "1 " + std::string(253, 'a') + "\n").c_str()), 1);
}

TEST_F(FxTest, LoadingDuplicatesCountsUsesAndFailsCleanly) {
    std::string bark = Wave("bark.wav", 2205, 11025);
    ASSERT_EQ(fx_->LoadFXLib(Library("fxlib.txt", "1 " + bark + "\n2 " + dir_ / "gone.wav\n").c_str()), 1);
    int a = fx_->FxPlayer_Load(1);
    int b = fx_->FxPlayer_Load(1);
    ASSERT_EQ(a, 0);
    ASSERT_EQ(b, 1);
    EXPECT_EQ(fx_->UseCount(1), 2);
    EXPECT_EQ(fx_->Slot(a)->buffer->State()->memory, fx_->Slot(b)->buffer->State()->memory)
        << "the second is a duplicate sharing the samples";
    DSBCAPS caps{};
    fx_->Slot(a)->buffer->GetCaps(&caps);
    EXPECT_EQ(caps.dwFlags & 0xE2u, 0xE2u);
    EXPECT_EQ(caps.dwBufferBytes, 4410u);

    fx_->FxPlayer_SetPitch(a, 1200);
    DWORD frequency = 0;
    fx_->Slot(a)->buffer->GetFrequency(&frequency);
    EXPECT_EQ(frequency, 22050u);
    fx_->FxPlayer_SetPitch(b, -6000);
    fx_->Slot(b)->buffer->GetFrequency(&frequency);
    EXPECT_EQ(frequency, 11025u / 16) << "clamped to four octaves";
    fx_->FxPlayer_SetVolume(a, 300);
    LONG volume = -1;
    fx_->Slot(a)->buffer->GetVolume(&volume);
    EXPECT_EQ(volume, 0);

    EXPECT_EQ(fx_->FxPlayer_Play(a, 1), 1);
    DWORD status = 0;
    fx_->Slot(a)->buffer->GetStatus(&status);
    EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    manual_clock::Advance(10);
    fx_->FxPlayer_Stop(a);
    DWORD play = 1;
    fx_->Slot(a)->buffer->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 0u);
    EXPECT_EQ(fx_->FxPlayer_Play(29, 0), 0) << "free slot";
    EXPECT_EQ(fx_->FxPlayer_Play(30, 0), 0) << "no such slot";

    EXPECT_EQ(fx_->FxPlayer_Release(a), 1);
    EXPECT_EQ(fx_->FxPlayer_Release(b), 1);
    EXPECT_EQ(fx_->FxPlayer_Release(b), 0);
    EXPECT_EQ(fx_->UseCount(1), 0);

    headless::ClearMessageBoxLog();
    EXPECT_EQ(fx_->FxPlayer_Load(2), -1) << "a file that fails leaves its slot free";
    EXPECT_EQ(fx_->Slot(0)->buffer, nullptr);
    EXPECT_EQ(Captions(), std::vector<std::string>{"WAVE file loading error| File could not be opened"});
    EXPECT_EQ(fx_->FxPlayer_Load(9), -1) << "no name";
    EXPECT_EQ(fx_->FxPlayer_Load(256), -1);

    for (int i = 0; i < 30; ++i) ASSERT_EQ(fx_->FxPlayer_Load(1), i);
    EXPECT_EQ(fx_->FxPlayer_Load(1), -1) << "all 30 slots taken";
    EXPECT_EQ(fx_->UseCount(1), 30);
}

}  // namespace
