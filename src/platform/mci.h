#pragma once
// The media control interface: the "avivideo" device plays AVI files with
// uncompressed 8-bit or RLE8 video (and an optional PCM sound stream) scaled
// in the window at the file's frame rate, and posts MM_MCINOTIFY to the
// callback window when a play with MCI_NOTIFY ends. "cdaudio" string commands
// answer with the no-device error: there is no CD audio here.
#include <cstdint>

#include "platform/win_types.h"

namespace platform {

using MCIDEVICEID = UINT;
using MCIERROR = DWORD;

constexpr UINT MCI_OPEN = 0x0803;
constexpr UINT MCI_CLOSE = 0x0804;
constexpr UINT MCI_PLAY = 0x0806;
constexpr UINT MCI_STOP = 0x0808;
constexpr UINT MCI_BREAK = 0x0811;

constexpr DWORD MCI_NOTIFY = 0x00000001;
constexpr DWORD MCI_WAIT = 0x00000002;
constexpr DWORD MCI_OPEN_TYPE = 0x00002000;
constexpr DWORD MCI_OPEN_ELEMENT = 0x00000200;
constexpr DWORD MCI_BREAK_KEY = 0x00000100;
constexpr DWORD MCI_BREAK_OFF = 0x00000400;
constexpr DWORD MCI_MCIAVI_PLAY_FULLSCREEN = 0x02000000;

// Notification codes (wParam of MM_MCINOTIFY); lParam is the device id.
constexpr WPARAM MCI_NOTIFY_SUCCESSFUL = 0x0001;
constexpr WPARAM MCI_NOTIFY_SUPERSEDED = 0x0002;
constexpr WPARAM MCI_NOTIFY_ABORTED = 0x0004;
constexpr WPARAM MCI_NOTIFY_FAILURE = 0x0008;

constexpr MCIERROR MCIERR_BASE = 256;
constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;
constexpr MCIERROR MCIERR_HARDWARE = MCIERR_BASE + 6;
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7;
constexpr MCIERROR MCIERR_CANNOT_LOAD_DRIVER = MCIERR_BASE + 10;
constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;
constexpr MCIERROR MCIERR_FILE_NOT_FOUND = MCIERR_BASE + 19;
constexpr MCIERROR MCIERR_INVALID_FILE = MCIERR_BASE + 40;
constexpr MCIERROR MCIERR_NULL_PARAMETER_BLOCK = MCIERR_BASE + 41;
constexpr MCIERROR MCIERR_DEVICE_NOT_READY = MCIERR_BASE + 20;
constexpr MCIERROR MCIERR_NO_DEVICE = MCIERR_BASE + 72;  // answer of every "cdaudio" command

struct MCI_GENERIC_PARMS {
    uintptr_t dwCallback = 0;
};
struct MCI_OPEN_PARMS {
    uintptr_t dwCallback = 0;
    MCIDEVICEID wDeviceID = 0;
    const char* lpstrDeviceType = nullptr;
    const char* lpstrElementName = nullptr;
    const char* lpstrAlias = nullptr;
};
struct MCI_PLAY_PARMS {
    uintptr_t dwCallback = 0;  // the window to notify (an HWND)
    DWORD dwFrom = 0;
    DWORD dwTo = 0;
};
struct MCI_BREAK_PARMS {
    uintptr_t dwCallback = 0;
    int nVirtKey = 0;
    HWND hwndBreak = nullptr;
};

// param points to the structure that matches the command.
// The "avivideo" device: MCI_OPEN needs MCI_OPEN_ELEMENT (a file name,
// resolved like every game file name) and takes MCI_OPEN_TYPE "avivideo"
// (without a type, a ".avi" name will do); ids count from 1. MCI_PLAY always
// plays from frame 0 and returns at once (MCI_WAIT is refused with
// MCIERR_UNSUPPORTED_FUNCTION); with MCI_NOTIFY the window in dwCallback gets
// MM_MCINOTIFY (wParam the code, lParam the device id): SUCCESSFUL once the
// last frame's time is over, ABORTED when MCI_STOP or MCI_CLOSE ends the play
// first, SUPERSEDED when another MCI_PLAY replaces it.
MCIERROR mciSendCommand(MCIDEVICEID device, UINT command, DWORD flags, void* param);
// String commands ("status cdaudio mode", "play cdaudio notify", ...). Writes
// an empty answer and returns MCIERR_NO_DEVICE for "cdaudio".
MCIERROR mciSendString(const char* command, char* answer, UINT answerSize, HWND callback);

}  // namespace platform
