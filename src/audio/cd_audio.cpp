#include "audio/cd_audio.h"

#include <cstdio>
#include <cstdlib>

#include "platform/mci.h"

using namespace platform;

std::string CDAudio_NextCommand(unsigned track, bool denOpen) {
    char command[80];
    if (denOpen)
        std::snprintf(command, sizeof command, "play cdaudio from %u notify", track);
    else
        std::snprintf(command, sizeof command, "play cdaudio from %u to %u notify", track - 1, track);
    return command;
}

void CDAudio_OnNotify(WPARAM code, LPARAM, bool denOpen, HWND window) {
    if (code != MCI_NOTIFY_SUCCESSFUL) return;
    char answer[80] = {};
    // Without a status there is no track to go on from.
    if (mciSendString("status cdaudio current track", answer, sizeof answer, nullptr) != 0) return;
    char* end = nullptr;
    unsigned long track = std::strtoul(answer, &end, 10);
    if (end == answer || track == 0) return;
    std::string command = CDAudio_NextCommand(unsigned(track), denOpen);
    mciSendString(command.c_str(), nullptr, 0, window);  // a failing command is ignored
}
