#include "shell/prefs_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/platform.h"
#include "platform/system.h"
#include "shell/startup_prefs.h"
#include "shell_fixtures.h"

namespace {

using shell::PrefsFile;
using shell_test::WriteFile;

class PrefsFileTest : public ::testing::Test {
protected:
    // Reads `text` as "prefs.ini" from the scratch folder.
    PrefsFile& Load(const std::string& text) {
        WriteFile(dir.Path() / "prefs.ini", text);
        EXPECT_EQ(prefs.Read("prefs.ini"), 1);
        return prefs;
    }
    std::string Text(const char* key) {
        const char* value = prefs.GetString(key);
        return value ? value : "<null>";
    }

    platform::ScopedHeadless headless;
    shell_test::ScratchDir dir;
    PrefsFile prefs;
};

TEST_F(PrefsFileTest, QuotedTextAndTokensAfterTheClosingQuote) {
    Load("sTitle \"Hello world\" iAfter 7\n"
         "sSpaced   junk \"two  spaces\"\n");
    EXPECT_EQ(Text("sTitle"), "Hello world");
    EXPECT_EQ(prefs.GetInt("iAfter"), 7);
    // Anything before the opening quote on the line is passed over.
    EXPECT_EQ(Text("sSpaced"), "two  spaces");
    EXPECT_TRUE(platform::headless::MessageBoxLog().empty());
}

TEST_F(PrefsFileTest, UnparsableValuesLeaveNullSlotsWithoutKeys) {
    Load("sNoQuote plain text\n"
         "sEmpty \"\"\n"
         "iWord xyz\n"
         "iNext 3\n");
    EXPECT_FALSE(prefs.Has("sNoQuote"));
    EXPECT_FALSE(prefs.Has("sEmpty"));
    EXPECT_FALSE(prefs.Has("iWord"));
    EXPECT_EQ(prefs.GetInt("iNext"), 3);
    ASSERT_EQ(prefs.Count(), 4);
    EXPECT_EQ(prefs.Slot(0), nullptr);
    EXPECT_EQ(prefs.Slot(1), nullptr);
    EXPECT_EQ(prefs.Slot(2), nullptr);
    ASSERT_NE(prefs.Slot(3), nullptr);
}

TEST_F(PrefsFileTest, StrayWordsAreSkippedOrBecomeKeysByTheirFirstLetter) {
    Load("hello 42 world\n"
         "ilike 12\n"
         "Ishout 5\n"
         "bfalse 0\n");
    EXPECT_EQ(prefs.GetInt("ilike"), 12);
    EXPECT_FALSE(prefs.Has("Ishout"));  // upper-case letters are no kind
    EXPECT_TRUE(prefs.Has("bfalse"));
    EXPECT_EQ(prefs.Count(), 2);
}

TEST_F(PrefsFileTest, LongTokensAreSkippedWholeWithoutOverflow) {
    const std::string key31 = "i" + std::string(30, 'k');
    const std::string key32 = "i" + std::string(31, 'k');
    // A huge token that a 31-character read would cut into a key "iSplit".
    const std::string smuggler = std::string(31, 'x') + "iSplit";
    Load(key31 + " 1\n" + key32 + " 2\n" + smuggler + " 9\n" + std::string(5000, 'i') +
         " 4\niLast 5\n");
    EXPECT_EQ(prefs.GetInt(key31.c_str()), 1);
    EXPECT_FALSE(prefs.Has(key32.c_str()));
    EXPECT_FALSE(prefs.Has("iSplit"));
    EXPECT_EQ(prefs.GetInt("iLast"), 5);
    EXPECT_EQ(prefs.Count(), 2);
}

TEST_F(PrefsFileTest, ValuesAreCutToTheirSizes) {
    const std::string longText = std::string(300, 'a') + " iHidden 4";
    Load("sLong \"" + longText + "\"\niBig 99999999999\niSmall -99999999999\n");
    EXPECT_EQ(Text("sLong"), std::string(255, 'a'));
    EXPECT_FALSE(prefs.Has("iHidden"));
    EXPECT_EQ(prefs.GetInt("iBig"), INT_MAX);
    EXPECT_EQ(prefs.GetInt("iSmall"), INT_MIN);
}

TEST_F(PrefsFileTest, SecondValueWinsAndLookupIsCaseSensitive) {
    Load("iHelpCancelX 1\nsName \"first\"\niHelpCancelX 2\nsName \"second\"\n");
    EXPECT_EQ(prefs.Count(), 2);
    EXPECT_EQ(prefs.GetInt("iHelpCancelX"), 2);
    EXPECT_EQ(Text("sName"), "second");
    EXPECT_FALSE(prefs.Has("ihelpcancelx"));
    EXPECT_EQ(prefs.Find("IHELPCANCELX"), nullptr);
}

TEST_F(PrefsFileTest, FullStoreIgnoresNewKeysButUpdatesOldOnes) {
    std::string text;
    for (int i = 0; i < 260; ++i) text += "iKey" + std::to_string(i) + " " + std::to_string(i) + "\n";
    text += "iKey3 333\n";
    Load(text);
    EXPECT_EQ(prefs.Count(), PrefsFile::kMaxRecords);
    EXPECT_EQ(prefs.GetInt("iKey255"), 255);
    EXPECT_FALSE(prefs.Has("iKey256"));
    EXPECT_EQ(prefs.GetInt("iKey3"), 333);
}

TEST_F(PrefsFileTest, FloatsKeepTheirBitsAndDumpFormatsEachKind) {
    Load("fSpeed 1.5\niCount 3\nbOn 1\nsName \"dog\"\n");
    EXPECT_EQ(prefs.GetInt("fSpeed"), std::bit_cast<int32_t>(1.5f));

    std::string dumped;
    platform::SetDebugSink(
        [](const char* text, void* user) { *static_cast<std::string*>(user) += text; }, &dumped);
    prefs.DumpAll();
    platform::SetDebugSink(nullptr, nullptr);
    EXPECT_EQ(dumped, "fSpeed  1.500000\niCount  3\nbOn  1\nsName  dog\n");
}

// One box names the file (not one per key); every key reads as missing.
TEST_F(PrefsFileTest, MissingFileIsReportedOnceAndEveryKeyFallsBack) {
    EXPECT_EQ(prefs.Read("prefs.ini"), 0);
    const shell::StartupPrefs values = shell::ReadStartupPrefs(prefs, nullptr);
    const auto& boxes = platform::headless::MessageBoxLog();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text,
              "The preferences file prefs.ini could not be read; the game goes on without its settings.");
    EXPECT_EQ(boxes.front().caption, "Startup Error");
    EXPECT_EQ(boxes.front().flags, platform::MB_ICONEXCLAMATION | platform::MB_SETFOREGROUND);
    EXPECT_EQ(values.insertCdTitle, "");
    EXPECT_EQ(values.sfxCredit.h, 0);

    // Read once the file is there, a missing key has its own box again.
    platform::headless::ClearMessageBoxLog();
    Load("iHelpCancelX 7\n");
    EXPECT_EQ(prefs.GetInt("iHelpCancelX"), 7);
    EXPECT_EQ(prefs.GetInt("iHelpCancelY"), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text, "Key missing from prefs file:-\niHelpCancelY");
}

}  // namespace
