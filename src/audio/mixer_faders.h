#pragma once
// The volume menu's three system volume controls - master (speakers), wave
// output and CD audio - each stepped in the control's own steps. The values
// found at start-up are put back by MixerFaders_Restore at shutdown.
#include <cstdint>

#include "platform/mmmixer.h"

class MixerFaders {
public:
    static constexpr int kFaders = 3;
    enum Fader { kMaster = 0, kWave = 1, kCompactDisc = 2 };

    explicit MixerFaders(platform::HWND window);

    int MixerFaders_Init();
    int m_OnChangeFader(int fader, int up);
    int m_GetFaderValue(int fader);
    // The first channel's current value (call m_GetFaderValue first).
    int FaderValue(int fader, uint32_t* value) const;
    int MixerFaders_GetRange(int fader, uint32_t* minimum, uint32_t* maximum, uint32_t* step) const;
    int MixerFaders_Restore();

    // Sets every channel of a fader to a value within its control's range
    // (a volume remembered from an earlier game); 0 when the fader is
    // unavailable, the value is out of range or the write fails.
    int SetFaderValue(int fader, uint32_t value);
    // True once the player has moved the fader (m_OnChangeFader succeeded).
    bool ChangedByPlayer(int fader) const { return fader >= 0 && fader < kFaders && changed_[fader]; }

    bool VolumeAvailable(int fader) const { return fader >= 0 && fader < kFaders && volumeAvailable_[fader]; }
    bool MuteAvailable(int fader) const { return fader >= 0 && fader < kFaders && muteAvailable_[fader]; }
    uint32_t LastResult() const { return lastResult_; }

private:
    struct Control {
        platform::MIXERCONTROL control{};
        platform::MIXERCONTROLDETAILS details{};
    };
    platform::MMRESULT ReadVolume(int fader, uint32_t* values);
    platform::MMRESULT WriteVolume(int fader, uint32_t* values);
    platform::MMRESULT WriteMute(int fader, uint32_t* values);

    platform::HWND window_;
    platform::UINT mixerId_ = 0;
    uint32_t step_[kFaders] = {};
    platform::MIXERLINE line_[kFaders]{};
    Control volume_[kFaders]{};
    Control mute_[kFaders]{};
    uint32_t savedVolume_[kFaders][4] = {};
    uint32_t currentVolume_[kFaders][4] = {};
    uint32_t savedMute_[kFaders][2] = {};
    uint32_t currentMute_[kFaders][2] = {};
    int volumeAvailable_[kFaders] = {};
    int muteAvailable_[kFaders] = {};
    bool changed_[kFaders] = {};
    platform::MMRESULT lastResult_ = 0;
};
