#pragma once
// Records one demo through the real game object, headless on the manual
// clock. The land's record is filled as a first visit would fill it, but in a
// fixed order (a first visit shuffles the icons by the calendar), and the
// demo is recorded from a fresh land screen started from exactly the header
// the playback will use.
#include <cstdint>
#include <memory>
#include <string>

namespace demogen {

struct DemoPlan {
    int land;        // 0..5
    int difficulty;  // 1..3
};

struct RecordedDemo {
    std::unique_ptr<uint8_t[]> bytes;  // world::kDemoBytes
    int steps = 0;
    int iconsPickedUp = 0, iconsDelivered = 0;
};

// Needs the headless platform running (clock reads moving it on by 1 ms)
// with the data folder current. Null bytes and *error set on failure.
RecordedDemo RecordDemo(const DemoPlan& plan, std::string* error);

}  // namespace demogen
