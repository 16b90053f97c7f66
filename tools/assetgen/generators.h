#pragma once
// The content generator writes the data folder that the game runs in. Each
// generator writes one kind of content; all are deterministic (same bytes on
// every run) and return 1 on success, 0 with a message on standard error.
#include <string>

namespace assetgen {

int WritePrefs(const std::string& dataDir);   // "prefs.ini"
int WriteMovies(const std::string& dataDir);  // "Movie\logo.avi", "Movie\movie.avi"
// Palettes, tile sets, scenery, icons, lock pieces, the loading animation and
// every level file (lands, sub-rooms, main sub-room, den), checked as written.
int WriteWorld(const std::string& dataDir);
// "seq\wavelib.txt", "seq\fxlib.txt", their WAVE files and the ten songs
int WriteMusic(const std::string& dataDir);
// The character sheets: dog, cat, den band, captive band members, rewards
int WriteChars(const std::string& dataDir);
// The options menu's pictures in "graphics/options": menu pages, help
// pages, markers, the volume knob and the help buttons.
int WriteMenus(const std::string& dataDir);
// The credits: background, figure sheets, captions, closing picture, logos
int WriteCredits(const std::string& dataDir);
// The title's pictures in "graphics/splash": the band picture with its
// animation cells, the lettering, the mascot, the project line and the
// maker's mark shown at start-up.
int WriteTitle(const std::string& dataDir);

}  // namespace assetgen
