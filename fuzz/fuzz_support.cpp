#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "audio/fx_player.h"
#include "audio/sequencer.h"
#include "display/display.h"
#include "platform/clock.h"
#include "platform/ddraw_emulation.h"
#include "platform/dsound.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"

namespace tw_fuzz {

namespace fs = std::filesystem;

namespace {

// The window stays for the whole run, whatever an input script asks.
platform::LRESULT Quiet(platform::HWND w, platform::UINT m, platform::WPARAM wp, platform::LPARAM lp) {
    if (m == platform::WM_CLOSE) return 0;
    return platform::DefWindowProc(w, m, wp, lp);
}

class Scratch {
public:
    Scratch() {
        char pattern[] = "/tmp/tw_fuzz_XXXXXX";
        const char* made = ::mkdtemp(pattern);
        path_ = made ? made : "/tmp";
    }
    ~Scratch() {
        std::error_code ec;
        if (path_ != "/tmp") fs::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

// Owns what Env hands out, for the whole process.
struct Owned {
    std::unique_ptr<platform::ScopedHeadless> headless;
    std::unique_ptr<display::Display> display;
    std::unique_ptr<Sequencer> sequencer;
    std::unique_ptr<FxPlayer> effects;
    Environment env;

    Owned() {
        headless = std::make_unique<platform::ScopedHeadless>(1);
        platform::headless::SetMessageBoxResponder(
            [](const platform::headless::MessageBoxRecord&) { return platform::IDOK; });
        platform::SetCurrentDirectory(DataDir().c_str());
        platform::WNDCLASS cls;
        cls.lpfnWndProc = Quiet;
        cls.lpszClassName = "Tunewander";
        platform::RegisterClass(cls);
        env.window = platform::CreateWindowEx(0, "Tunewander", "Tunewander",
                                              platform::WS_POPUP | platform::WS_SYSMENU, 0, 0, 640, 480);
        display = std::make_unique<display::Display>();
        platform::DWORD flags = 0, buffers = 2;
        const int32_t size[2] = {640, 480};
        display->GPConfigure(&flags, size, nullptr, nullptr, nullptr, nullptr, &buffers, nullptr, nullptr, nullptr);
        if (display->GPInitDirectDraw(env.window) && display->GPInitPageFlipping()) env.display = display.get();
        if (platform::DirectSoundCreate(nullptr, &env.directSound, nullptr) == platform::DS_OK) {
            env.directSound->SetCooperativeLevel(env.window, platform::DSSCL_NORMAL);
            effects = std::make_unique<FxPlayer>(env.window, env.directSound, 30);
            effects->LoadFXLib(".\\seq\\fxlib.txt");
            env.effects = effects.get();
            env.directSound->AddRef();
            sequencer = std::make_unique<Sequencer>(env.window, env.directSound);
            SoundFormat format;
            format.outputRate = 22050;
            if (sequencer->SQ_CreateVirtualSynth(format) &&
                sequencer->SQ_LoadInstrumentLibrary(".\\seq\\wavelib.txt"))
                env.sequencer = sequencer.get();
        }
        ForgetBoxes();
    }
};

}  // namespace

const std::string& DataDir() {
    static const std::string dir = [] {
        const char* env = std::getenv("TW_DATA_DIR");
        return std::string(env && *env ? env : TW_FUZZ_DATA_DIR);
    }();
    return dir;
}

Environment& Env() {
    static Owned owned;
    return owned.env;
}

std::string WriteInput(const char* name, const uint8_t* data, size_t size) {
    const std::string path = TheScratch().Path() + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
        if (size) std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return path;
}

std::string LinkedCopyOf(const std::string& dataSubfolder) {
    std::string name = dataSubfolder;
    for (char& c : name)
        if (c == '/') c = '_';
    const fs::path folder = fs::path(TheScratch().Path()) / name;
    std::error_code ec;
    if (!fs::exists(folder, ec)) {
        fs::create_directories(folder, ec);
        for (const auto& entry : fs::directory_iterator(fs::path(DataDir()) / dataSubfolder, ec))
            fs::create_symlink(entry.path(), folder / entry.path().filename(), ec);
    }
    return folder.string();
}

void RunFor(uint32_t ms) {
    for (uint32_t t = 0; t < ms; t += 10) platform::manual_clock::Advance(10);
}

void ForgetBoxes() { platform::headless::ClearMessageBoxLog(); }

}  // namespace tw_fuzz
