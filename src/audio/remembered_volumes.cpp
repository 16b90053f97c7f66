#include "audio/remembered_volumes.h"

#include "audio/mixer_faders.h"
#include "platform/desktop_settings.h"

void ApplyRememberedVolumes(MixerFaders* faders) {
    const platform::DesktopSettings settings = platform::CurrentDesktopSettings();
    for (int f = 0; f < MixerFaders::kFaders; ++f) {
        if (settings.volumes[f] >= 0) faders->SetFaderValue(f, static_cast<uint32_t>(settings.volumes[f]));
    }
}

void RememberChosenVolumes(const MixerFaders& faders) {
    for (int f = 0; f < MixerFaders::kFaders; ++f) {
        uint32_t value = 0;
        if (faders.ChangedByPlayer(f) && faders.FaderValue(f, &value))
            platform::RememberVolume(f, static_cast<int>(value));
    }
}
