#pragma once
#include "platform/win_types.h"

// Answers the media-control completion message: after a CD-audio play ends
// successfully, plays on - in the den from the current track to the end of
// the disc, elsewhere the track that has just finished once more. The
// notification goes to `window`, so the next completion comes back here.
#include <string>

// The play command that follows the end of `track` (1-based).
std::string CDAudio_NextCommand(unsigned track, bool denOpen);
void CDAudio_OnNotify(platform::WPARAM code, platform::LPARAM device, bool denOpen, platform::HWND window);
