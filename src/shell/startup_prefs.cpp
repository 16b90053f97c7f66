#include "shell/startup_prefs.h"

#include <iterator>

#include "shell/app_state.h"
#include "shell/prefs_file.h"

namespace shell {

namespace {

struct IntKey {
    const char* key;
    int StartupPrefs::*field;
};

struct RectKeys {
    const char* x;
    const char* y;
    const char* w;
    const char* h;
    CreditRect StartupPrefs::*rect;
};

constexpr IntKey kIntKeys[] = {
    {"bFLAnimateSplash", &StartupPrefs::animateSplash},
    {"bFLAnimateIn", &StartupPrefs::animateIn},
    {"iHelpArrowLeftX", &StartupPrefs::helpArrowLeftX},
    {"iHelpArrowLeftY", &StartupPrefs::helpArrowLeftY},
    {"iHelpCancelX", &StartupPrefs::helpCancelX},
    {"iHelpCancelY", &StartupPrefs::helpCancelY},
    {"iHelpArrowRightX", &StartupPrefs::helpArrowRightX},
    {"iHelpArrowRightY", &StartupPrefs::helpArrowRightY},
    {"iNumOfDistLogos", &StartupPrefs::numOfDistLogos},
};

constexpr RectKeys kCreditKeys[] = {
    {"iGraphicsCreditX", "iGraphicsCreditY", "iGraphicsCreditW", "iGraphicsCreditH",
     &StartupPrefs::graphicsCredit},
    {"iAnimateCreditX", "iAnimateCreditY", "iAnimateCreditW", "iAnimateCreditH",
     &StartupPrefs::animateCredit},
    {"iGraphPrgCreditX", "iGraphPrgCreditY", "iGraphPrgCreditW", "iGraphPrgCreditH",
     &StartupPrefs::graphPrgCredit},
    {"iAddHelpCredit1X", "iAddHelpCredit1Y", "iAddHelpCredit1W", "iAddHelpCredit1H",
     &StartupPrefs::addHelpCredit1},
    {"iAddHelpCredit2X", "iAddHelpCredit2Y", "iAddHelpCredit2W", "iAddHelpCredit2H",
     &StartupPrefs::addHelpCredit2},
    {"iMusicCreditX", "iMusicCreditY", "iMusicCreditW", "iMusicCreditH",
     &StartupPrefs::musicCredit},
    {"iOrigConcCreditX", "iOrigConcCreditY", "iOrigConcCreditW", "iOrigConcCreditH",
     &StartupPrefs::origConcCredit},
    {"iAudioPrgCreditX", "iAudioPrgCreditY", "iAudioPrgCreditW", "iAudioPrgCreditH",
     &StartupPrefs::audioPrgCredit},
    {"iSFXCreditX", "iSFXCreditY", "iSFXCreditW", "iSFXCreditH", &StartupPrefs::sfxCredit},
};

static_assert(2 + std::size(kIntKeys) + 4 * std::size(kCreditKeys) == 47);

std::string TextOrEmpty(const char* text) {
    return text ? std::string(text) : std::string();
}

}  // namespace

StartupPrefs ReadStartupPrefs(PrefsFile& prefs, platform::HWND owner) {
    StartupPrefs values;
    values.insertCdTitle = TextOrEmpty(prefs.GetString("sFLInsertCDTitle", owner));
    values.insertCdText = TextOrEmpty(prefs.GetString("sFLInsertCDText", owner));
    for (const IntKey& entry : kIntKeys) values.*entry.field = prefs.GetInt(entry.key, owner);
    for (const RectKeys& entry : kCreditKeys) {
        CreditRect& rect = values.*entry.rect;
        rect.x = prefs.GetInt(entry.x, owner);
        rect.y = prefs.GetInt(entry.y, owner);
        rect.w = prefs.GetInt(entry.w, owner);
        rect.h = prefs.GetInt(entry.h, owner);
    }
    return values;
}

const StartupPrefs& StartupPreferences() {
    return App().startup;
}

}  // namespace shell
