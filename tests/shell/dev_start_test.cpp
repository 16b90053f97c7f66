#include "shell/dev_start.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct Environment {
    Environment(const char* land, const char* difficulty) {
        Set("TUNEWANDER_START_LAND", land);
        Set("TUNEWANDER_DIFFICULTY", difficulty);
    }
    ~Environment() {
        ::unsetenv("TUNEWANDER_START_LAND");
        ::unsetenv("TUNEWANDER_DIFFICULTY");
    }
    static void Set(const char* name, const char* value) {
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
};

TEST(DevelopmentStart, ValidValuesPickTheLandAndDifficulty) {
    Environment env("5", "3");
    const shell::DevelopmentStart start = shell::ReadDevelopmentStart();
    EXPECT_EQ(start.land, 5);
    EXPECT_EQ(start.difficulty, 3);
}

TEST(DevelopmentStart, AbsentOrAbsurdValuesStartNormally) {
    for (const char* land : {static_cast<const char*>(nullptr), "", "6", "-1", "12", "x", "0x"}) {
        Environment env(land, "9");
        const shell::DevelopmentStart start = shell::ReadDevelopmentStart();
        EXPECT_EQ(start.land, -1) << (land ? land : "(unset)");
        EXPECT_EQ(start.difficulty, 1);
    }
}

}  // namespace
