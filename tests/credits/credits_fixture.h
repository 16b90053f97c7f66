#pragma once
// The credits headless on the generated pictures and the manual clock: a
// display as the game sets it up, the game's folder in the data folder (or
// in a copy of its credits pictures with some left out), and the caption
// rectangles the generated preferences give.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "screens/credits_screen.h"
#include "support/data_dir.h"
#include "support/display_support.h"
#include "support/scratch_dir.h"
#include "world/chars/credits_tables.h"

namespace credits_test {

inline std::string DataDir() { return test_support::GeneratedDataDir(); }

inline screens::CreditsSettings GeneratedSettings(int logoCount) {
    screens::CreditsSettings settings;
    for (int i = 0; i < world::chars::kCreditCaptionCount; ++i) {
        const auto& place = world::chars::CreditCaptionPlace(i);
        settings.captions[i] = {place.x, place.y, place.x + place.w, place.y + place.h};
    }
    settings.logoCount = logoCount;
    return settings;
}

class CreditsTest : public display_support::DisplayTest, public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(DataDir() + "/graphics/credits/background.bmp"))
            << "no generated credits in " << DataDir() << ": run assetgen first (./test.sh does)";
        ASSERT_EQ(folder_.Enter(DataDir().c_str()), 1);
        ASSERT_EQ(Start(), 1);
    }
    void TearDown() override {
        credits.reset();
        scratch_.reset();
    }

    // The game's folder becomes a copy of the credits pictures without the
    // named ones (names inside graphics/credits).
    void UseCreditsWithout(std::initializer_list<const char*> removed) {
        scratch_ = std::make_unique<test_support::ScratchDir>();
        const auto to = scratch_->Path() / "graphics" / "credits";
        std::filesystem::create_directories(to);
        std::filesystem::copy(DataDir() + "/graphics/credits", to, std::filesystem::copy_options::recursive);
        for (const char* name : removed) std::filesystem::remove(to / name);
    }

    void Begin(int logoCount) {
        credits = std::make_unique<screens::CreditsScreen>(GeneratedSettings(logoCount));
        credits->Start(&D());
        platform::manual_clock::Set(1000);
        now = platform::timeGetTime();
    }
    // One menu tick after `ms` milliseconds; the credits' answer.
    int Tick(uint32_t ms, bool skip = false) {
        platform::manual_clock::Advance(ms);
        now = platform::timeGetTime();
        return credits->Tick(now, skip);
    }

    std::unique_ptr<screens::CreditsScreen> credits;
    uint32_t now = 0;

private:
    platform::ScopedCurrentDirectory folder_;
    std::unique_ptr<test_support::ScratchDir> scratch_;
};

}  // namespace credits_test
