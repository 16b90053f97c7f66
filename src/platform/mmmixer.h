#pragma once
// The system audio mixer: one device with a speakers destination (the master
// volume) and two source lines, wave output and compact disc, each with a
// two-channel volume control (0..65535 in 32 steps) and a mute switch. The
// master and wave lines scale what the sound card plays; the compact-disc line
// is there to be set and read but carries no sound. The values are the
// system's, so they outlive the program's objects: what a program changes it
// should put back.
#include <cstdint>

#include "platform/win_types.h"

namespace platform {

using HMIXER = uintptr_t;
using HMIXEROBJ = uintptr_t;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MIXERR_INVALLINE = 1024;
constexpr MMRESULT MIXERR_INVALCONTROL = 1025;

constexpr DWORD MIXER_OBJECTF_MIXER = 0x00000000;
constexpr DWORD MIXER_OBJECTF_HMIXER = 0x80000000;
constexpr DWORD CALLBACK_WINDOW = 0x00010000;
constexpr DWORD MIXER_GETLINEINFOF_COMPONENTTYPE = 0x00000003;
constexpr DWORD MIXER_GETLINECONTROLSF_ONEBYTYPE = 0x00000002;
constexpr DWORD MIXER_GETCONTROLDETAILSF_VALUE = 0x00000000;
constexpr DWORD MIXER_SETCONTROLDETAILSF_VALUE = 0x00000000;

constexpr DWORD MIXERLINE_COMPONENTTYPE_DST_SPEAKERS = 4;
constexpr DWORD MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC = 0x1005;
constexpr DWORD MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT = 0x1008;
constexpr DWORD MIXERCONTROL_CONTROLTYPE_VOLUME = 0x50030001;
constexpr DWORD MIXERCONTROL_CONTROLTYPE_MUTE = 0x20010002;

struct MIXERCAPS {
    WORD wMid = 0, wPid = 0;
    UINT vDriverVersion = 0;
    char szPname[32] = {};
    DWORD fdwSupport = 0;
    DWORD cDestinations = 0;
};

struct MIXERLINE {
    DWORD cbStruct = sizeof(MIXERLINE);
    DWORD dwDestination = 0;
    DWORD dwSource = 0;
    DWORD dwLineID = 0;
    DWORD fdwLine = 0;
    uintptr_t dwUser = 0;
    DWORD dwComponentType = 0;
    DWORD cChannels = 0;
    DWORD cConnections = 0;
    DWORD cControls = 0;
    char szShortName[16] = {};
    char szName[64] = {};
};

struct MIXERCONTROL {
    DWORD cbStruct = sizeof(MIXERCONTROL);
    DWORD dwControlID = 0;
    DWORD dwControlType = 0;
    DWORD fdwControl = 0;
    DWORD cMultipleItems = 0;
    char szShortName[16] = {};
    char szName[64] = {};
    struct {
        DWORD dwMinimum = 0, dwMaximum = 0;
    } Bounds;
    struct {
        DWORD cSteps = 0;
    } Metrics;
};

struct MIXERLINECONTROLS {
    DWORD cbStruct = sizeof(MIXERLINECONTROLS);
    DWORD dwLineID = 0;
    DWORD dwControlType = 0;  // in: the type asked for (ONEBYTYPE)
    DWORD cControls = 0;
    DWORD cbmxctrl = 0;
    MIXERCONTROL* pamxctrl = nullptr;
};

struct MIXERCONTROLDETAILS_UNSIGNED {
    DWORD dwValue = 0;
};
struct MIXERCONTROLDETAILS_BOOLEAN {
    LONG fValue = 0;
};

struct MIXERCONTROLDETAILS {
    DWORD cbStruct = sizeof(MIXERCONTROLDETAILS);
    DWORD dwControlID = 0;
    DWORD cChannels = 0;
    DWORD cMultipleItems = 0;
    DWORD cbDetails = 0;
    void* paDetails = nullptr;  // cChannels values of cbDetails bytes each
};

UINT mixerGetNumDevs();
MMRESULT mixerGetDevCaps(UINT deviceId, MIXERCAPS* caps, UINT size);
MMRESULT mixerOpen(HMIXER* mixer, UINT deviceId, uintptr_t callback, uintptr_t instance, DWORD flags);
MMRESULT mixerClose(HMIXER mixer);
// The device id behind a handle (HMIXER flag) or an id (MIXER flag).
MMRESULT mixerGetID(HMIXEROBJ object, UINT* deviceId, DWORD flags);
MMRESULT mixerGetLineInfo(HMIXEROBJ object, MIXERLINE* line, DWORD flags);
MMRESULT mixerGetLineControls(HMIXEROBJ object, MIXERLINECONTROLS* controls, DWORD flags);
MMRESULT mixerGetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags);
MMRESULT mixerSetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags);

namespace system_mixer {
// Puts every line back to full volume, unmuted, present, 32 steps.
void Reset();
// Machines differ: a line can be missing, or a control can report odd steps.
void SetLinePresent(DWORD componentType, bool present);
void SetVolumeSteps(DWORD componentType, DWORD steps);
DWORD Volume(DWORD componentType, int channel);
bool Muted(DWORD componentType);
// Output gain of each channel after master and wave volume and mutes, in
// 1/65536 (65536 = unchanged). Read by the sound card for every block.
void OutputGains(uint32_t* left, uint32_t* right);
}  // namespace system_mixer

}  // namespace platform
