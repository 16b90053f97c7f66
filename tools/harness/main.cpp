// harness <data folder> <script file> [--max-ms N]: runs the real game
// headless in the data folder, driven by the timed input script (whose
// "screenshot" lines write pictures), and prints what happened.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "shell/entry.h"

namespace {

// Without --max-ms a run stops after ten virtual minutes.
constexpr uint32_t kDefaultMaxMs = 10 * 60 * 1000;

int Usage() {
    std::fprintf(stderr, "usage: harness <data folder> <script file> [--max-ms N]\n");
    return 2;
}

bool ParseMs(const char* text, uint32_t* ms) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0' || value == 0 || value > UINT32_MAX) return false;
    *ms = static_cast<uint32_t>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) return Usage();
    uint32_t maxMs = kDefaultMaxMs;
    if (argc == 5 && (std::strcmp(argv[3], "--max-ms") != 0 || !ParseMs(argv[4], &maxMs))) {
        return Usage();
    }

    std::error_code ec;
    const std::filesystem::path script = std::filesystem::absolute(argv[2], ec);
    if (ec || !std::filesystem::is_regular_file(script)) {
        std::fprintf(stderr, "harness: no script file %s\n", argv[2]);
        return 2;
    }
    // The game's folder is the data folder; screenshot names in the script
    // stay relative to where the harness was started.
    if (!platform::SetCurrentDirectory(argv[1])) {
        std::fprintf(stderr, "harness: cannot enter %s\n", argv[1]);
        return 2;
    }

    uint32_t reachedMs = 0;
    std::vector<platform::headless::MessageBoxRecord> boxes;
    shell::RunOptions options;
    options.headless = true;
    options.scriptPath = script.string();
    options.maxVirtualMs = maxMs;
    options.onFinish = [&] {
        reachedMs = platform::timeGetTime();
        boxes = platform::headless::MessageBoxLog();
    };
    const int exitCode = shell::RunGame(options);

    for (const auto& box : boxes) {
        std::string text = box.text;
        for (char& c : text) {
            if (c == '\n' || c == '\r') c = ' ';
        }
        std::printf("message box \"%s\": %s (answer %d)\n", box.caption.c_str(), text.c_str(),
                    box.answer);
    }
    std::printf("harness: exit code %d, virtual time %u ms, %zu message boxes\n", exitCode,
                static_cast<unsigned>(reachedMs), boxes.size());
    return exitCode;
}
