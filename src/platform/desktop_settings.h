#pragma once
// How the player left the game: the window's size, full screen or not,
// whole-step scaling, and the volumes chosen in the game's volume menu. Kept
// in "settings.ini" of the player's settings folder ($XDG_CONFIG_HOME/
// tunewander, else ~/.config/tunewander) as "key=value" lines, and read again
// at the next start.
#include <array>
#include <string>

namespace platform {

struct DesktopSettings {
    int windowWidth = 0, windowHeight = 0;  // client size; 0 = chosen from the desktop
    bool fullscreen = false;                // a borderless window over the whole desktop
    bool wholeSteps = false;                // the picture only at whole multiples of its size
    // Master, wave and compact-disc volume (0..65535) the player chose; -1:
    // never chosen, the mixer keeps its own.
    std::array<int, 3> volumes = {-1, -1, -1};
    friend bool operator==(const DesktopSettings&, const DesktopSettings&) = default;
};

// The player's settings folder; it may not exist yet.
std::string SettingsFolder();
std::string DesktopSettingsPath();

// Unknown keys and bad values are skipped, keeping the defaults; a window
// size outside 160 x 120 .. 16384 x 16384 counts as none, as does a volume
// outside 0..65535.
DesktopSettings ParseDesktopSettings(const std::string& text);
std::string FormatDesktopSettings(const DesktopSettings& settings);
// 1 read; 0 missing or unreadable (*settings then holds the defaults).
int LoadDesktopSettings(const std::string& path, DesktopSettings* settings);
// Replaces the file in one step (the folder is made). 1 written, 0 failed.
int SaveDesktopSettings(const std::string& path, const DesktopSettings& settings);

// The running platform's settings (they change with the window and the
// player's keys: F11 or Alt+Enter full screen, F9 whole steps).
DesktopSettings CurrentDesktopSettings();
// Keeps a volume the player chose (fader 0..2 as in `volumes`) for the file
// written at shut-down; anything else is ignored.
void RememberVolume(int fader, int value);
// True while the pointer is held by the game (Ctrl+G while focused).
bool PointerCaptured();

}  // namespace platform
