#include "platform/mmmixer.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace platform {
namespace {

constexpr int kLineCount = 3;
constexpr DWORD kMaxVolume = 65535;
constexpr uintptr_t kHandleBase = 0x4D580000;

struct Line {
    DWORD componentType;
    const char* name;
    std::atomic<bool> present{true};
    std::atomic<DWORD> steps{32};
    std::atomic<DWORD> volume[2] = {kMaxVolume, kMaxVolume};
    std::atomic<bool> mute{false};
};

// The system's mixer settings are process-wide, as they are on a real machine.
struct SystemMixer {
    Line lines[kLineCount] = {
        {MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, "Master Volume"},
        {MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, "Wave"},
        {MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, "CD Audio"},
    };
    std::atomic<int> openHandles{0};
};

SystemMixer& Mixer() {
    static SystemMixer mixer;
    return mixer;
}

Line* FindByType(DWORD componentType) {
    for (Line& line : Mixer().lines)
        if (line.componentType == componentType) return &line;
    return nullptr;
}

// Line ids are the line's index; control ids are index * 2 + 1 (volume) and
// index * 2 + 2 (mute).
bool ValidObject(HMIXEROBJ object, DWORD flags) {
    if (flags & MIXER_OBJECTF_HMIXER) return object == kHandleBase && Mixer().openHandles.load() > 0;
    return object == 0;
}

void CopyName(char* to, size_t size, const char* from) {
    size_t n = std::min(size - 1, std::strlen(from));
    std::memcpy(to, from, n);
    to[n] = 0;
}

}  // namespace

UINT mixerGetNumDevs() { return 1; }

MMRESULT mixerGetDevCaps(UINT deviceId, MIXERCAPS* caps, UINT size) {
    if (deviceId != 0) return MMSYSERR_BADDEVICEID;
    if (!caps || size < sizeof(MIXERCAPS)) return MMSYSERR_INVALPARAM;
    *caps = MIXERCAPS{};
    CopyName(caps->szPname, sizeof caps->szPname, "Software Mixer");
    caps->cDestinations = 1;
    return MMSYSERR_NOERROR;
}

MMRESULT mixerOpen(HMIXER* mixer, UINT deviceId, uintptr_t, uintptr_t, DWORD) {
    if (deviceId != 0) return MMSYSERR_BADDEVICEID;
    if (!mixer) return MMSYSERR_INVALPARAM;
    ++Mixer().openHandles;
    *mixer = kHandleBase;
    return MMSYSERR_NOERROR;
}

MMRESULT mixerClose(HMIXER mixer) {
    if (mixer != kHandleBase || Mixer().openHandles.load() <= 0) return MMSYSERR_INVALHANDLE;
    --Mixer().openHandles;
    return MMSYSERR_NOERROR;
}

MMRESULT mixerGetID(HMIXEROBJ object, UINT* deviceId, DWORD flags) {
    if (!deviceId) return MMSYSERR_INVALPARAM;
    if (!ValidObject(object, flags)) return MMSYSERR_INVALHANDLE;
    *deviceId = 0;
    return MMSYSERR_NOERROR;
}

MMRESULT mixerGetLineInfo(HMIXEROBJ object, MIXERLINE* line, DWORD flags) {
    if (!ValidObject(object, flags)) return MMSYSERR_INVALHANDLE;
    if (!line || line->cbStruct < sizeof(MIXERLINE)) return MMSYSERR_INVALPARAM;
    if ((flags & 0xF) != MIXER_GETLINEINFOF_COMPONENTTYPE) return MMSYSERR_INVALFLAG;
    SystemMixer& mixer = Mixer();
    for (int i = 0; i < kLineCount; ++i) {
        Line& l = mixer.lines[i];
        if (l.componentType != line->dwComponentType || !l.present.load()) continue;
        line->dwDestination = 0;
        line->dwSource = i == 0 ? 0 : DWORD(i - 1);
        line->dwLineID = DWORD(i);
        line->fdwLine = 1;  // active
        line->cChannels = 2;
        line->cConnections = i == 0 ? 2 : 0;
        line->cControls = 2;
        CopyName(line->szShortName, sizeof line->szShortName, l.name);
        CopyName(line->szName, sizeof line->szName, l.name);
        return MMSYSERR_NOERROR;
    }
    return MIXERR_INVALLINE;
}

MMRESULT mixerGetLineControls(HMIXEROBJ object, MIXERLINECONTROLS* controls, DWORD flags) {
    if (!ValidObject(object, flags)) return MMSYSERR_INVALHANDLE;
    if (!controls || !controls->pamxctrl || controls->cbmxctrl < sizeof(MIXERCONTROL) ||
        controls->cControls < 1)
        return MMSYSERR_INVALPARAM;
    if ((flags & 0xF) != MIXER_GETLINECONTROLSF_ONEBYTYPE) return MMSYSERR_INVALFLAG;
    if (controls->dwLineID >= DWORD(kLineCount) || !Mixer().lines[controls->dwLineID].present.load())
        return MIXERR_INVALLINE;
    Line& l = Mixer().lines[controls->dwLineID];
    MIXERCONTROL& c = *controls->pamxctrl;
    c = MIXERCONTROL{};
    c.dwControlType = controls->dwControlType;
    if (controls->dwControlType == MIXERCONTROL_CONTROLTYPE_VOLUME) {
        c.dwControlID = controls->dwLineID * 2 + 1;
        c.Bounds.dwMinimum = 0;
        c.Bounds.dwMaximum = kMaxVolume;
        c.Metrics.cSteps = l.steps.load();
        CopyName(c.szName, sizeof c.szName, "Volume");
    } else if (controls->dwControlType == MIXERCONTROL_CONTROLTYPE_MUTE) {
        c.dwControlID = controls->dwLineID * 2 + 2;
        c.Bounds.dwMaximum = 1;
        c.Metrics.cSteps = 0;
        CopyName(c.szName, sizeof c.szName, "Mute");
    } else {
        return MIXERR_INVALCONTROL;
    }
    CopyName(c.szShortName, sizeof c.szShortName, c.szName);
    return MMSYSERR_NOERROR;
}

namespace {

MMRESULT AccessDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags, bool write) {
    if (!ValidObject(object, flags)) return MMSYSERR_INVALHANDLE;
    if (!details || !details->paDetails || details->cbDetails != 4 || details->cChannels < 1 ||
        details->cChannels > 2)
        return MMSYSERR_INVALPARAM;
    if (details->dwControlID < 1 || details->dwControlID > DWORD(kLineCount * 2))
        return MIXERR_INVALCONTROL;
    Line& l = Mixer().lines[(details->dwControlID - 1) / 2];
    if (!l.present.load()) return MIXERR_INVALCONTROL;
    const bool isVolume = details->dwControlID % 2 == 1;
    DWORD* values = static_cast<DWORD*>(details->paDetails);
    if (isVolume) {
        for (DWORD ch = 0; ch < 2; ++ch) {
            // One value given means both channels (a uniform control).
            DWORD index = details->cChannels == 1 ? 0 : ch;
            if (write) {
                if (values[index] > kMaxVolume) return MMSYSERR_INVALPARAM;
                l.volume[ch] = values[index];
            } else if (ch < details->cChannels) {
                values[ch] = l.volume[ch].load();
            }
        }
    } else {
        if (write) l.mute = values[0] != 0;
        else
            for (DWORD ch = 0; ch < details->cChannels; ++ch) values[ch] = l.mute.load() ? 1 : 0;
    }
    return MMSYSERR_NOERROR;
}

}  // namespace

MMRESULT mixerGetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) {
    return AccessDetails(object, details, flags, false);
}

MMRESULT mixerSetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) {
    return AccessDetails(object, details, flags, true);
}

namespace system_mixer {

void Reset() {
    for (Line& l : Mixer().lines) {
        l.present = true;
        l.steps = 32;
        l.volume[0] = kMaxVolume;
        l.volume[1] = kMaxVolume;
        l.mute = false;
    }
}

void SetLinePresent(DWORD componentType, bool present) {
    if (Line* l = FindByType(componentType)) l->present = present;
}

void SetVolumeSteps(DWORD componentType, DWORD steps) {
    if (Line* l = FindByType(componentType)) l->steps = steps;
}

DWORD Volume(DWORD componentType, int channel) {
    Line* l = FindByType(componentType);
    return l && channel >= 0 && channel < 2 ? l->volume[channel].load() : 0;
}

bool Muted(DWORD componentType) {
    Line* l = FindByType(componentType);
    return l && l->mute.load();
}

void OutputGains(uint32_t* left, uint32_t* right) {
    const Line& master = Mixer().lines[0];
    const Line& wave = Mixer().lines[1];
    auto gain = [&](int ch) -> uint32_t {
        if (master.mute.load() || wave.mute.load()) return 0;
        // 65535 on both lines plays the sound unchanged.
        uint64_t m = master.volume[ch].load() + (master.volume[ch].load() >> 15);
        uint64_t w = wave.volume[ch].load() + (wave.volume[ch].load() >> 15);
        return uint32_t((m * w) >> 16);
    };
    *left = gain(0);
    *right = gain(1);
}

}  // namespace system_mixer
}  // namespace platform
