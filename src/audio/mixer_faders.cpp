#include "audio/mixer_faders.h"

#include <algorithm>
#include <iterator>

#include "platform/system.h"

using namespace platform;

namespace {
const DWORD kComponentTypes[MixerFaders::kFaders] = {
    MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT,
    MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC};
}

MixerFaders::MixerFaders(HWND window) : window_(window) {}

int MixerFaders::MixerFaders_Init() {
    const UINT devices = mixerGetNumDevs();
    const UINT device = devices ? devices - 1 : 0;
    MIXERCAPS caps{};
    lastResult_ = mixerGetDevCaps(device, &caps, sizeof caps);
    HMIXER handle = 0;
    lastResult_ = mixerOpen(&handle, device, reinterpret_cast<uintptr_t>(window_), 0, CALLBACK_WINDOW);
    if (lastResult_ == MMSYSERR_NOERROR) {
        lastResult_ = mixerGetID(handle, &mixerId_, MIXER_OBJECTF_HMIXER);
        // Later calls name the mixer by its id; the handle is not needed.
        mixerClose(handle);
    }
    const HMIXEROBJ mixer = mixerId_;

    for (int f = 0; f < kFaders; ++f) {
        line_[f] = MIXERLINE{};
        line_[f].dwComponentType = kComponentTypes[f];
        lastResult_ = mixerGetLineInfo(mixer, &line_[f], MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_COMPONENTTYPE);
    }
    for (int f = 0; f < kFaders; ++f) {
        const DWORD channels = std::min<DWORD>(line_[f].cChannels, 4);
        // Volume.
        MIXERLINECONTROLS request{};
        request.dwLineID = line_[f].dwLineID;
        request.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
        request.cControls = 1;
        request.cbmxctrl = sizeof(MIXERCONTROL);
        request.pamxctrl = &volume_[f].control;
        volumeAvailable_[f] = 0;
        lastResult_ = channels ? mixerGetLineControls(mixer, &request, MIXER_OBJECTF_MIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE)
                               : MIXERR_INVALLINE;
        if (lastResult_ == MMSYSERR_NOERROR) {
            MIXERCONTROLDETAILS& d = volume_[f].details;
            d = MIXERCONTROLDETAILS{};
            d.dwControlID = volume_[f].control.dwControlID;
            d.cChannels = channels;
            d.cbDetails = 4;
            d.paDetails = savedVolume_[f];
            lastResult_ = mixerGetControlDetails(mixer, &d, MIXER_OBJECTF_MIXER | MIXER_GETCONTROLDETAILSF_VALUE);
            const DWORD steps = volume_[f].control.Metrics.cSteps;
            // A control without steps cannot be stepped: leave it unavailable.
            if (lastResult_ == MMSYSERR_NOERROR && steps > 0) {
                volumeAvailable_[f] = 1;
                step_[f] = (volume_[f].control.Bounds.dwMaximum - volume_[f].control.Bounds.dwMinimum) / steps;
            }
        }
        // Mute.
        request.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
        request.pamxctrl = &mute_[f].control;
        muteAvailable_[f] = 0;
        lastResult_ = channels ? mixerGetLineControls(mixer, &request, MIXER_OBJECTF_MIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE)
                               : MIXERR_INVALLINE;
        if (lastResult_ == MMSYSERR_NOERROR) {
            MIXERCONTROLDETAILS& d = mute_[f].details;
            d = MIXERCONTROLDETAILS{};
            d.dwControlID = mute_[f].control.dwControlID;
            d.cChannels = 1;
            d.cbDetails = 4;
            d.paDetails = savedMute_[f];
            lastResult_ = mixerGetControlDetails(mixer, &d, MIXER_OBJECTF_MIXER | MIXER_GETCONTROLDETAILSF_VALUE);
            if (lastResult_ == MMSYSERR_NOERROR) muteAvailable_[f] = 1;
        }
    }
    std::copy(&savedVolume_[0][0], &savedVolume_[0][0] + kFaders * 4, &currentVolume_[0][0]);
    std::copy(&savedMute_[0][0], &savedMute_[0][0] + kFaders * 2, &currentMute_[0][0]);
    return 1;
}

MMRESULT MixerFaders::ReadVolume(int f, uint32_t* values) {
    MIXERCONTROLDETAILS d = volume_[f].details;
    d.paDetails = values;
    return lastResult_ = mixerGetControlDetails(mixerId_, &d, MIXER_OBJECTF_MIXER | MIXER_GETCONTROLDETAILSF_VALUE);
}

MMRESULT MixerFaders::WriteVolume(int f, uint32_t* values) {
    MIXERCONTROLDETAILS d = volume_[f].details;
    d.paDetails = values;
    return lastResult_ = mixerSetControlDetails(mixerId_, &d, MIXER_OBJECTF_MIXER | MIXER_SETCONTROLDETAILSF_VALUE);
}

MMRESULT MixerFaders::WriteMute(int f, uint32_t* values) {
    MIXERCONTROLDETAILS d = mute_[f].details;
    d.paDetails = values;
    return lastResult_ = mixerSetControlDetails(mixerId_, &d, MIXER_OBJECTF_MIXER | MIXER_SETCONTROLDETAILSF_VALUE);
}

int MixerFaders::m_OnChangeFader(int f, int up) {
    if (f < 0 || f >= kFaders || !volumeAvailable_[f]) return 0;
    uint32_t& value = currentVolume_[f][0];
    const uint32_t minimum = volume_[f].control.Bounds.dwMinimum;
    const uint32_t maximum = volume_[f].control.Bounds.dwMaximum;
    if (up) value = std::clamp<uint64_t>(uint64_t(value) + step_[f], minimum, maximum);
    else value = value >= step_[f] ? value - step_[f] : 0;
    currentVolume_[f][1] = value;  // both channels move together
    if (WriteVolume(f, currentVolume_[f]) != MMSYSERR_NOERROR) {
        DebugTrace(window_, 1, "m_OnChangeFader Error");
        return 0;
    }
    changed_[f] = true;
    return 1;
}

int MixerFaders::SetFaderValue(int f, uint32_t value) {
    if (f < 0 || f >= kFaders || !volumeAvailable_[f]) return 0;
    if (value < volume_[f].control.Bounds.dwMinimum || value > volume_[f].control.Bounds.dwMaximum) return 0;
    uint32_t values[4];
    std::fill(std::begin(values), std::end(values), value);
    if (WriteVolume(f, values) != MMSYSERR_NOERROR) return 0;
    std::copy(std::begin(values), std::end(values), currentVolume_[f]);
    return 1;
}

int MixerFaders::m_GetFaderValue(int f) {
    if (f < 0 || f >= kFaders || !volumeAvailable_[f]) return 0;
    if (ReadVolume(f, currentVolume_[f]) != MMSYSERR_NOERROR) {
        DebugTrace(window_, 1, "m_GetFaderValue Error");
        return 0;
    }
    return 1;
}

int MixerFaders::FaderValue(int f, uint32_t* value) const {
    if (f < 0 || f >= kFaders || !value) return 0;
    *value = currentVolume_[f][0];
    return 1;
}

int MixerFaders::MixerFaders_GetRange(int f, uint32_t* minimum, uint32_t* maximum, uint32_t* step) const {
    if (f < 0 || f >= kFaders || !volumeAvailable_[f]) return 0;
    if (minimum) *minimum = volume_[f].control.Bounds.dwMinimum;
    if (maximum) *maximum = volume_[f].control.Bounds.dwMaximum;
    if (step) *step = step_[f];
    return 1;
}

int MixerFaders::MixerFaders_Restore() {
    MMRESULT lastMute = MMSYSERR_INVALPARAM;
    for (int f = 0; f < kFaders; ++f) {
        // Only what was read at start-up can be put back.
        if (volumeAvailable_[f] && WriteVolume(f, savedVolume_[f]) != MMSYSERR_NOERROR)
            DebugTrace(window_, 1, "Restore Fader Error");
        if (muteAvailable_[f]) {
            lastMute = WriteMute(f, savedMute_[f]);
            if (lastMute != MMSYSERR_NOERROR) DebugTrace(window_, 1, "Restore mute Error");
        }
    }
    return lastMute == MMSYSERR_NOERROR ? 1 : 0;
}
