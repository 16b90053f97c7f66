#pragma once
// How the player left the game's window: its size, full screen or not, and
// whole-step scaling. Kept in "settings.ini" of the player's settings folder
// ($XDG_CONFIG_HOME/tunewander, else ~/.config/tunewander) as "key=value"
// lines, and read again at the next start.
#include <string>

namespace platform {

struct DesktopSettings {
    int windowWidth = 0, windowHeight = 0;  // client size; 0 = chosen from the desktop
    bool fullscreen = false;                // a borderless window over the whole desktop
    bool wholeSteps = false;                // the picture only at whole multiples of its size
    friend bool operator==(const DesktopSettings&, const DesktopSettings&) = default;
};

// The player's settings folder; it may not exist yet.
std::string SettingsFolder();
std::string DesktopSettingsPath();

// Unknown keys and bad values are skipped, keeping the defaults; a window
// size outside 160 x 120 .. 16384 x 16384 counts as none.
DesktopSettings ParseDesktopSettings(const std::string& text);
std::string FormatDesktopSettings(const DesktopSettings& settings);
// 1 read; 0 missing or unreadable (*settings then holds the defaults).
int LoadDesktopSettings(const std::string& path, DesktopSettings* settings);
// Replaces the file in one step (the folder is made). 1 written, 0 failed.
int SaveDesktopSettings(const std::string& path, const DesktopSettings& settings);

// The running platform's settings (they change with the window and the
// player's keys: F11 or Alt+Enter full screen, F9 whole steps).
DesktopSettings CurrentDesktopSettings();
// True while the pointer is held by the game (Ctrl+G while focused).
bool PointerCaptured();

}  // namespace platform
