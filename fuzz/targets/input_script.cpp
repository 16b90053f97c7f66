// A headless input script: parsed, then its events delivered on the clock
// and the messages they make pumped through the window.
#include <cctype>
#include <string>

#include "fuzz_support.h"
#include "fuzz_targets.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/messages.h"

namespace tw_fuzz {

int InputScript(const uint8_t* data, size_t size) {
    Env();
    // Screenshots are written to host paths of the script's choosing: not
    // from a fuzzer's input.
    std::string text(reinterpret_cast<const char*>(data), size);
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (text.find("screenshot") != std::string::npos) return 0;
    const std::string path = WriteInput("script.txt", data, size);
    std::string error;
    if (!platform::headless::LoadScriptFile(path, &error)) return 0;
    // Scripts may wait for long; a bounded stretch of virtual time is enough.
    for (int step = 0; step < 200 && !platform::headless::ScriptFinished(); ++step) {
        platform::manual_clock::Advance(50);
        platform::MSG message;
        while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
            platform::TranslateMessage(&message);
            platform::DispatchMessage(&message);
        }
    }
    platform::headless::LoadScript("", &error);
    ForgetBoxes();
    return 0;
}

}  // namespace tw_fuzz
