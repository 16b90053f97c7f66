#include "platform/desktop_settings.h"

#include <charconv>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/internal/core.h"
#include "platform/user_files.h"

namespace platform {

namespace {

constexpr size_t kLargestFile = 64 * 1024;
constexpr int kSmallestWindow[2] = {160, 120};
constexpr int kLargestWindow = 16384;
constexpr int kLargestVolume = 65535;
constexpr const char* kVolumeKeys[3] = {"master_volume", "wave_volume", "cd_volume"};

bool ValidVolume(int value) { return value >= 0 && value <= kLargestVolume; }

bool ReadInt(const std::string& text, int* value) {
    int parsed = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, parsed);
    if (result.ec != std::errc() || result.ptr != end) return false;
    *value = parsed;
    return true;
}

bool ReadSwitch(const std::string& text, bool* value) {
    if (text == "1" || text == "yes" || text == "true") *value = true;
    else if (text == "0" || text == "no" || text == "false") *value = false;
    else return false;
    return true;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::string SettingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    // Relative values are to be ignored, as for every XDG variable.
    if (config && config[0] == '/') return std::string(config) + "/tunewander";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/tunewander";
}

std::string DesktopSettingsPath() { return SettingsFolder() + "/settings.ini"; }

DesktopSettings ParseDesktopSettings(const std::string& text) {
    DesktopSettings settings;
    int width = 0, height = 0;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = Trim(line.substr(0, equals)), value = Trim(line.substr(equals + 1));
        if (key == "window_width") ReadInt(value, &width);
        else if (key == "window_height") ReadInt(value, &height);
        else if (key == "fullscreen") ReadSwitch(value, &settings.fullscreen);
        else if (key == "whole_steps") ReadSwitch(value, &settings.wholeSteps);
        for (size_t f = 0; f < settings.volumes.size(); ++f) {
            int volume = -1;
            if (key == kVolumeKeys[f] && ReadInt(value, &volume) && ValidVolume(volume)) settings.volumes[f] = volume;
        }
    }
    if (width >= kSmallestWindow[0] && height >= kSmallestWindow[1] && width <= kLargestWindow &&
        height <= kLargestWindow) {
        settings.windowWidth = width;
        settings.windowHeight = height;
    }
    return settings;
}

std::string FormatDesktopSettings(const DesktopSettings& settings) {
    std::ostringstream out;
    out << "# Tunewander's window and volumes, written when the game ends\n";
    if (settings.windowWidth > 0 && settings.windowHeight > 0) {
        out << "window_width=" << settings.windowWidth << "\n";
        out << "window_height=" << settings.windowHeight << "\n";
    }
    out << "fullscreen=" << (settings.fullscreen ? 1 : 0) << "\n";
    out << "whole_steps=" << (settings.wholeSteps ? 1 : 0) << "\n";
    for (size_t f = 0; f < settings.volumes.size(); ++f)
        if (ValidVolume(settings.volumes[f])) out << kVolumeKeys[f] << "=" << settings.volumes[f] << "\n";
    return out.str();
}

int LoadDesktopSettings(const std::string& path, DesktopSettings* settings) {
    *settings = DesktopSettings{};
    std::vector<uint8_t> bytes;
    if (!ReadUserFile(path, kLargestFile, &bytes)) return 0;
    *settings = ParseDesktopSettings(std::string(bytes.begin(), bytes.end()));
    return 1;
}

int SaveDesktopSettings(const std::string& path, const DesktopSettings& settings) {
    const std::string text = FormatDesktopSettings(settings);
    return ReplaceUserFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

DesktopSettings CurrentDesktopSettings() { return internal::GetCore().desktop; }

void RememberVolume(int fader, int value) {
    DesktopSettings& settings = internal::GetCore().desktop;
    if (fader >= 0 && fader < static_cast<int>(settings.volumes.size()) && ValidVolume(value))
        settings.volumes[fader] = value;
}

bool PointerCaptured() { return internal::GetCore().pointerCaptured; }

}  // namespace platform
