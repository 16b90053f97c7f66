#pragma once
// The 47 preference values the program copies out of "prefs.ini" at start-up:
// the insert-disc prompt, the intro switches, the help screen's buttons, the
// distributor logos and the credits rectangles.
#include <string>

#include "platform/win_types.h"

namespace shell {

class PrefsFile;

struct CreditRect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct StartupPrefs {
    std::string insertCdTitle;  // empty when the key is missing
    std::string insertCdText;
    int animateSplash = 0;
    int animateIn = 0;
    int helpArrowLeftX = 0, helpArrowLeftY = 0;
    int helpCancelX = 0, helpCancelY = 0;
    int helpArrowRightX = 0, helpArrowRightY = 0;
    int numOfDistLogos = 0;
    CreditRect graphicsCredit, animateCredit, graphPrgCredit, addHelpCredit1, addHelpCredit2,
        musicCredit, origConcCredit, audioPrgCredit, sfxCredit;
};

// Reads every start-up key in its fixed order; each missing key shows its
// "Startup Error" box on messageOwner and leaves 0 (or an empty text).
StartupPrefs ReadStartupPrefs(PrefsFile& prefs, platform::HWND messageOwner);

// The values read at start-up, for the screens that use them (one per run).
const StartupPrefs& StartupPreferences();

}  // namespace shell
