// prefs.ini: the store, then the start-up readers over it.
#include "fuzz_support.h"
#include "fuzz_targets.h"
#include "shell/prefs_file.h"
#include "shell/startup_prefs.h"

namespace tw_fuzz {

int Preferences(const uint8_t* data, size_t size) {
    Environment& env = Env();
    const std::string path = WriteInput("prefs.ini", data, size);
    shell::PrefsFile prefs(path.c_str());
    prefs.DumpAll();
    for (int i = 0; i < prefs.Count(); ++i) {
        if (const shell::PrefsRecord* record = prefs.Slot(i)) {
            prefs.GetInt(record->Key(), env.window);
            prefs.GetString(record->Key(), env.window);
        }
    }
    shell::ReadStartupPrefs(prefs, env.window);
    ForgetBoxes();
    return 0;
}

}  // namespace tw_fuzz
