#pragma once
// The start-up movies, played full screen through the "avivideo" device. The
// device posts MM_MCINOTIFY to the owner window when a play ends.
#include <functional>

#include "platform/mci.h"
#include "platform/win_types.h"

namespace shell {

class MoviePlayer {
public:
    explicit MoviePlayer(platform::HWND owner) : ownerWindow(owner) {}
    ~MoviePlayer();  // closes a device still open
    MoviePlayer(const MoviePlayer&) = delete;
    MoviePlayer& operator=(const MoviePlayer&) = delete;

    // 1 with the device open on the file; 0 on any device error, unchanged.
    int Open(const char* fileName);
    // Starts a notifying full-screen play (with no break key) unless one is
    // outstanding or no device is open.
    void Play();
    void Stop();
    // Closes whatever device id is held; returns the device's result.
    platform::MCIERROR Close();

    platform::HWND ownerWindow;
    platform::MCIDEVICEID deviceId = 0;
    platform::MCIERROR lastOpenError = 0;  // of the last Open
    int playing = 0;
};

// Looks for a movie as ".\<name>" and then on every CD-ROM drive from A to Z
// ("D:\<name>"), calling tryOpen on each candidate until one returns 1. Drives
// of other types are never tried. Returns 1 when a candidate opened.
int LocateMovie(const char* name, const std::function<int(const char* path)>& tryOpen);

// LocateMovie with the player's Open.
int LocateAndOpenMovie(MoviePlayer& player, const char* name);

// LocateAndOpenMovie until it succeeds, asking for the disc after each
// failure (text and caption from the preferences, OK / Cancel). Returns 1 once
// the movie is open, 0 when the player chose Cancel. A movie that is there
// but cannot be played is no missing disc: one box says it is damaged and
// the result is -1 (the run then ends as a failure).
int OpenMovieOrAskForDisc(MoviePlayer& player, const char* name, platform::HWND owner,
                          const char* promptText, const char* promptTitle);

}  // namespace shell
