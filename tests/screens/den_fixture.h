#pragma once
// The den on the generated data folder, headless on the manual clock: a
// display as the game sets it up, a sequencer with the instrument library,
// and a stand-in game.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "audio/sequencer.h"
#include "audio/sound_format.h"
#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/dsound.h"
#include "platform/dsound_card.h"
#include "platform/files.h"
#include "screens/den_screen.h"
#include "support/data_dir.h"
#include "support/display_support.h"
#include "support/game_folder.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"

namespace den_test {

inline std::string DataDir() { return test_support::GeneratedDataDir(); }

class DenTest : public display_support::DisplayTest, public ::testing::Test {
protected:
    static constexpr unsigned kRate = 22050;

    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(DataDir() + "/graphics/den/den.lnd"))
            << "no generated data in " << DataDir() << ": run assetgen first (./test.sh does)";
        ASSERT_EQ(folder_.Enter(DataDir().c_str()), 1);
        ASSERT_EQ(Start(), 1);
        platform::srand(11);
        ASSERT_EQ(platform::DirectSoundCreate(nullptr, &ds_, nullptr), platform::DS_OK);
        ds_->SetCooperativeLevel(Window(), platform::DSSCL_NORMAL);
        platform::sound_card::SetOutputRate(kRate);
        sequencer_ = std::make_unique<Sequencer>(Window(), ds_);
        ds_->AddRef();
        SoundFormat format;
        format.outputRate = kRate;
        ASSERT_TRUE(sequencer_->SQ_CreateVirtualSynth(format));
        ASSERT_TRUE(sequencer_->SQ_LoadInstrumentLibrary(".\\seq\\wavelib.txt"));
        game.window = Window();
        game.display = &D();
        game.sequencer = sequencer_.get();
        game.currentState = game.requestedState = world::kStateDen;
    }
    void TearDown() override {
        den.reset();
        scratch_.reset();
        if (sequencer_) {
            sequencer_->SQ_Stop();
            sequencer_->SQ_Destroy();
        }
        sequencer_.reset();
        if (ds_) ds_->Release();
    }

    // Band word of member k's land.
    int32_t& MemberWord(int k) { return game.Record(screens::DenScreen::kMemberLand[k]).bandWord; }

    int Open() {
        den = std::make_unique<screens::DenScreen>(&game, &D());
        return den->Setup();
    }
    void Frames(int count, uint32_t step = 40) {
        for (int i = 0; i < count; ++i) {
            platform::manual_clock::Advance(step);
            den->Tick();
        }
    }

    // Makes a copy of the data folder without the named files (paths in
    // it) the game's folder.
    void UseDataWithout(std::initializer_list<const char*> removed) {
        scratch_.reset();  // the data folder is current again first
        scratch_ = std::make_unique<test_support::ScratchDir>();
        std::filesystem::copy(DataDir(), scratch_->Path(), std::filesystem::copy_options::recursive);
        for (const char* name : removed) std::filesystem::remove(scratch_->Path() / name);
    }

    TestGame game;
    std::unique_ptr<screens::DenScreen> den;
    Sequencer* Music() { return sequencer_.get(); }

private:
    platform::ScopedCurrentDirectory folder_;
    std::unique_ptr<test_support::ScratchDir> scratch_;
    platform::IDirectSound* ds_ = nullptr;
    std::unique_ptr<Sequencer> sequencer_;
};

}  // namespace den_test
