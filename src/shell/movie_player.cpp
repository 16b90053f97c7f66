#include "shell/movie_player.h"

#include <string>

#include "platform/devices.h"
#include "platform/dialogs.h"
#include "platform/files.h"

namespace shell {

MoviePlayer::~MoviePlayer() {
    if (deviceId != 0) Close();
}

int MoviePlayer::Open(const char* fileName) {
    platform::MCI_OPEN_PARMS open;
    open.lpstrDeviceType = "avivideo";
    open.lpstrElementName = fileName;
    lastOpenError = platform::mciSendCommand(0, platform::MCI_OPEN,
                                             platform::MCI_OPEN_TYPE | platform::MCI_OPEN_ELEMENT, &open);
    if (lastOpenError != 0) return 0;
    deviceId = open.wDeviceID;
    return 1;
}

void MoviePlayer::Play() {
    if (playing || deviceId == 0) return;
    platform::MCI_BREAK_PARMS noBreak;
    platform::mciSendCommand(deviceId, platform::MCI_BREAK, platform::MCI_BREAK_OFF, &noBreak);
    platform::MCI_PLAY_PARMS play;
    play.dwCallback = reinterpret_cast<uintptr_t>(ownerWindow);
    platform::mciSendCommand(deviceId, platform::MCI_PLAY,
                             platform::MCI_NOTIFY | platform::MCI_MCIAVI_PLAY_FULLSCREEN, &play);
    playing = 1;
}

void MoviePlayer::Stop() {
    if (!playing) return;
    platform::MCI_GENERIC_PARMS stop;
    platform::mciSendCommand(deviceId, platform::MCI_STOP, 0, &stop);
    playing = 0;
}

platform::MCIERROR MoviePlayer::Close() {
    platform::MCI_GENERIC_PARMS close;
    const platform::MCIERROR result =
        platform::mciSendCommand(deviceId, platform::MCI_CLOSE, 0, &close);
    deviceId = 0;
    playing = 0;
    return result;
}

int LocateMovie(const char* name, const std::function<int(const char* path)>& tryOpen) {
    const std::string local = std::string(".\\") + name;
    if (tryOpen(local.c_str())) return 1;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (platform::GetDriveType(root.c_str()) != platform::DRIVE_CDROM) continue;
        const std::string onDisc = root + name;
        if (tryOpen(onDisc.c_str())) return 1;
    }
    return 0;
}

namespace {

// Like LocateAndOpenMovie; also names the first candidate that was found but
// could not be played.
int LocateOpenOrFindDamaged(MoviePlayer& player, const char* name, std::string* damaged) {
    return LocateMovie(name, [&](const char* path) {
        if (player.Open(path)) return 1;
        if (player.lastOpenError == platform::MCIERR_INVALID_FILE && damaged->empty()) *damaged = path;
        return 0;
    });
}

}  // namespace

int LocateAndOpenMovie(MoviePlayer& player, const char* name) {
    return LocateMovie(name, [&player](const char* path) { return player.Open(path); });
}

int OpenMovieOrAskForDisc(MoviePlayer& player, const char* name, platform::HWND owner,
                          const char* promptText, const char* promptTitle) {
    for (;;) {
        std::string damaged;
        if (LocateOpenOrFindDamaged(player, name, &damaged)) return 1;
        if (!damaged.empty()) {
            const std::string text = "The movie " + damaged + " is damaged and cannot be played.";
            platform::MessageBox(owner, text.c_str(), "Movie damaged", platform::MB_OK | platform::MB_ICONEXCLAMATION);
            return -1;
        }
        const int answer = platform::MessageBox(owner, promptText, promptTitle,
                                                platform::MB_OKCANCEL | platform::MB_SETFOREGROUND);
        if (answer == platform::IDCANCEL) return 0;
    }
}

}  // namespace shell
