#include "world/land_record.h"

#include <algorithm>
#include <cstring>

#include "platform/crt_random.h"

namespace world {

const int32_t kScaleRows[2][7] = {{0, 2, 4, 5, 7, 9, 11}, {0, 2, 3, 5, 7, 8, 11}};

namespace {

const int kEasyIcons[6] = {7, 12, 15, 20, 22, 24};
const int kHarderIcons[6] = {19, 20, 21, 22, 23, 24};
const int kEasyKeys[6] = {1, 2, 2, 3, 3, 3};

// rand() scaled to 0..n-1 the way the game always drew it.
int32_t Draw(int n) {
    return static_cast<int32_t>(platform::rand() * n / 32768);
}

int LandSlot(int landIndex) {
    return std::clamp(landIndex, 0, 5);
}

}  // namespace

void InitLandRecord(LandRecord* record) {
    const int32_t noteTable = record->noteTable;
    std::memset(record, 0, sizeof(*record));
    record->noteTable = noteTable;
    record->icon[0].location = kNeverPlaced;
    for (RoomEntry& room : record->room) room = RoomEntry{-1, 0, 0, -1};
    for (int k = 0; k < kKeyCount; ++k) {
        record->key[k] = LandEntry{kNeverPlaced, 100, 100 + 40 * k, 0};
        record->slot[k] = -1;
    }
    for (int k = 0; k < kKeyCount; ++k) {
        bool repeated;
        do {
            record->target[k] = Draw(kLockPositions);
            repeated = std::find(record->target, record->target + k, record->target[k]) != record->target + k;
        } while (repeated);
    }
    const int32_t* row = kScaleRows[Draw(2)];
    std::copy(row, row + 7, record->scale);
    record->bandWord = -1;
}

int IconCount(int landIndex, int difficulty) {
    return difficulty <= 1 ? kEasyIcons[LandSlot(landIndex)] : kHarderIcons[LandSlot(landIndex)];
}

int KeysNeeded(int landIndex, int difficulty) {
    return difficulty <= 1 ? kEasyKeys[LandSlot(landIndex)] : 3;
}

void WriteRecordBytes(const LandRecord& record, uint8_t out[sizeof(LandRecord)]) {
    int32_t words[sizeof(LandRecord) / 4];
    std::memcpy(words, &record, sizeof(record));
    for (size_t i = 0; i < sizeof(LandRecord) / 4; ++i) {
        const uint32_t w = static_cast<uint32_t>(words[i]);
        for (int b = 0; b < 4; ++b) out[i * 4 + b] = static_cast<uint8_t>(w >> (8 * b));
    }
}

void ReadRecordBytes(const uint8_t in[sizeof(LandRecord)], LandRecord* record) {
    int32_t words[sizeof(LandRecord) / 4];
    for (size_t i = 0; i < sizeof(LandRecord) / 4; ++i) {
        uint32_t w = 0;
        for (int b = 0; b < 4; ++b) w |= static_cast<uint32_t>(in[i * 4 + b]) << (8 * b);
        words[i] = static_cast<int32_t>(w);
    }
    std::memcpy(record, words, sizeof(*record));
}

}  // namespace world
