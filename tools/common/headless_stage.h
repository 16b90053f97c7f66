#pragma once
// What the headless scene tools need before a place can be played: the
// headless platform with the data folder current, the window, a 640 x 480
// page-flipped display and a sound device at the given rate.
#include <cstdio>
#include <memory>
#include <string>

#include "display/display.h"
#include "platform/dsound.h"
#include "platform/dsound_card.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/platform.h"

namespace tool_support {

struct HeadlessStage {
    platform::ScopedCurrentDirectory folder;  // the game's folder comes back when the stage ends
    platform::ScopedHeadless headless;
    platform::HWND window = nullptr;
    std::unique_ptr<display::Display> display;
    platform::IDirectSound* sound = nullptr;

    // Returns false after a message naming `tool` when a step fails.
    bool Open(const char* tool, const std::string& dataFolder, int sampleRate) {
        if (!folder.Enter(dataFolder.c_str())) {
            std::fprintf(stderr, "%s: cannot enter %s\n", tool, dataFolder.c_str());
            return false;
        }
        window = MakeWindow();
        display = std::make_unique<display::Display>();
        platform::DWORD flags = 0, buffers = 2;
        const int32_t size[2] = {640, 480};
        display->GPConfigure(&flags, size, nullptr, nullptr, nullptr, nullptr, &buffers, nullptr, nullptr, nullptr);
        if (!display->GPInitDirectDraw(window) || !display->GPInitPageFlipping()) {
            std::fprintf(stderr, "%s: the display could not be set up\n", tool);
            return false;
        }
        if (platform::DirectSoundCreate(nullptr, &sound, nullptr) != platform::DS_OK) {
            std::fprintf(stderr, "%s: no sound device\n", tool);
            return false;
        }
        sound->SetCooperativeLevel(window, platform::DSSCL_NORMAL);
        platform::sound_card::SetOutputRate(sampleRate);
        return true;
    }

private:
    static platform::HWND MakeWindow() {
        platform::WNDCLASS cls;
        cls.lpfnWndProc = [](platform::HWND w, platform::UINT m, platform::WPARAM wp, platform::LPARAM lp) {
            return platform::DefWindowProc(w, m, wp, lp);
        };
        cls.lpszClassName = "Tunewander";
        platform::RegisterClass(cls);
        return platform::CreateWindowEx(0, "Tunewander", "Tunewander", platform::WS_POPUP | platform::WS_SYSMENU, 0,
                                        0, 640, 480);
    }
};

}  // namespace tool_support
