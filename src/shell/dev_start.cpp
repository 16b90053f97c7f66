#include "shell/dev_start.h"

#include <cstdlib>
#include <cstring>

namespace shell {

namespace {

// A single digit within [low, high], or -1.
int ReadDigit(const char* name, int low, int high) {
    const char* text = std::getenv(name);
    if (text == nullptr || std::strlen(text) != 1 || text[0] < '0' || text[0] > '9') return -1;
    const int value = text[0] - '0';
    return value >= low && value <= high ? value : -1;
}

}  // namespace

DevelopmentStart ReadDevelopmentStart() {
    DevelopmentStart start;
    start.land = ReadDigit("TUNEWANDER_START_LAND", 0, 5);
    const int difficulty = ReadDigit("TUNEWANDER_DIFFICULTY", 1, 3);
    if (difficulty > 0) start.difficulty = difficulty;
    return start;
}

}  // namespace shell
