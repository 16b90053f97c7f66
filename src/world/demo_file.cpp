#include "world/demo_file.h"

#include <cstring>
#include <vector>

#include "platform/files.h"
#include "platform/user_files.h"

namespace world {

std::string DemoFileName(int which) {
    std::string name = "1.demo";
    name[0] = static_cast<char>('1' + which);
    return name;
}

std::unique_ptr<uint8_t[]> LoadDemo(const char* name, SavedSlot* header) {
    const std::string path = platform::ResolvePath(name);
    std::vector<uint8_t> bytes;
    if (path.empty() || !platform::ReadUserFile(path, kDemoBytes, &bytes) || bytes.size() < kDemoBytes) return nullptr;
    SavedSlot start;
    // A demo plays in a land; it never starts in the den.
    if (!DecodeSlotBytes(bytes.data(), 0, &start) || start.land < 0) return nullptr;
    auto demo = std::make_unique<uint8_t[]>(kDemoBytes);
    std::memcpy(demo.get(), bytes.data(), kDemoBytes);
    *header = start;
    return demo;
}

void WriteDemoHeader(const SavedSlot& start, uint8_t* demo) {
    SlotBuffer slot{};
    EncodeSlot(start, 0, &slot);
    std::memcpy(demo, slot.data(), kSlotBytes);
    std::memset(demo + kSlotBytes, 0, kDemoStepsOffset - kSlotBytes);
}

}  // namespace world
