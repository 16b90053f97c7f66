// The volume menu's system faders and the CD-audio notification.
#include "audio/cd_audio.h"
#include "audio/mixer_faders.h"
#include "audio_test_support.h"
#include "platform/mci.h"

using namespace platform;

namespace {

class FadersTest : public audio_test::HeadlessAudioTest {
protected:
    // Sets a line's volume the way another program would.
    static void SetSystemVolume(DWORD componentType, DWORD left, DWORD right) {
        MIXERLINE line{};
        line.dwComponentType = componentType;
        ASSERT_EQ(mixerGetLineInfo(0, &line, MIXER_GETLINEINFOF_COMPONENTTYPE), MMSYSERR_NOERROR);
        MIXERCONTROL control{};
        MIXERLINECONTROLS request{};
        request.dwLineID = line.dwLineID;
        request.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
        request.cControls = 1;
        request.cbmxctrl = sizeof control;
        request.pamxctrl = &control;
        ASSERT_EQ(mixerGetLineControls(0, &request, MIXER_GETLINECONTROLSF_ONEBYTYPE), MMSYSERR_NOERROR);
        DWORD values[2] = {left, right};
        MIXERCONTROLDETAILS d{};
        d.dwControlID = control.dwControlID;
        d.cChannels = 2;
        d.cbDetails = 4;
        d.paDetails = values;
        ASSERT_EQ(mixerSetControlDetails(0, &d, 0), MMSYSERR_NOERROR);
    }
};

TEST_F(FadersTest, StepsClampAndMoveBothChannels) {
    SetSystemVolume(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 65000, 100);
    SetSystemVolume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 1000, 1000);
    MixerFaders faders(nullptr);
    ASSERT_EQ(faders.MixerFaders_Init(), 1);
    uint32_t minimum = 1, maximum = 0, step = 0;
    ASSERT_EQ(faders.MixerFaders_GetRange(MixerFaders::kWave, &minimum, &maximum, &step), 1);
    EXPECT_EQ(minimum, 0u);
    EXPECT_EQ(maximum, 65535u);
    EXPECT_EQ(step, 2047u);

    ASSERT_EQ(faders.m_OnChangeFader(MixerFaders::kWave, 1), 1);
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0), 65535u);
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 1), 65535u)
        << "the second channel follows the first";
    ASSERT_EQ(faders.m_OnChangeFader(MixerFaders::kMaster, 0), 1);
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 0), 0u) << "from 1000 down is 0";

    SetSystemVolume(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 4242, 4242);
    uint32_t value = 0;
    ASSERT_EQ(faders.m_GetFaderValue(MixerFaders::kCompactDisc), 1);
    ASSERT_EQ(faders.FaderValue(MixerFaders::kCompactDisc, &value), 1);
    EXPECT_EQ(value, 4242u);
    EXPECT_EQ(faders.m_OnChangeFader(3, 1), 0);
}

TEST_F(FadersTest, RestorePutsBackWhatWasFoundAtStartUp) {
    SetSystemVolume(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 30000, 30000);
    MixerFaders faders(nullptr);
    faders.MixerFaders_Init();
    for (int i = 0; i < 5; ++i) faders.m_OnChangeFader(MixerFaders::kWave, 0);
    faders.m_OnChangeFader(MixerFaders::kMaster, 0);
    EXPECT_NE(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0), 30000u);
    EXPECT_EQ(faders.MixerFaders_Restore(), 1);
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0), 30000u);
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 1), 65535u);
    EXPECT_FALSE(system_mixer::Muted(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS));
}

TEST_F(FadersTest, MissingLinesAndStepLessControlsAreUnavailable) {
    system_mixer::SetLinePresent(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, false);
    system_mixer::SetVolumeSteps(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 0);
    MixerFaders faders(nullptr);
    ASSERT_EQ(faders.MixerFaders_Init(), 1);
    EXPECT_FALSE(faders.VolumeAvailable(MixerFaders::kCompactDisc));
    EXPECT_FALSE(faders.MuteAvailable(MixerFaders::kCompactDisc));
    EXPECT_EQ(faders.m_OnChangeFader(MixerFaders::kCompactDisc, 1), 0);
    EXPECT_EQ(faders.m_GetFaderValue(MixerFaders::kCompactDisc), 0);
    EXPECT_FALSE(faders.VolumeAvailable(MixerFaders::kMaster)) << "a control of 0 steps cannot be stepped";
    EXPECT_EQ(faders.m_OnChangeFader(MixerFaders::kMaster, 1), 0);
    EXPECT_TRUE(faders.VolumeAvailable(MixerFaders::kWave));
    EXPECT_EQ(faders.MixerFaders_Restore(), 1);
    EXPECT_EQ(system_mixer::Volume(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 0), 65535u)
        << "an unread fader is not overwritten at shutdown";
}

TEST_F(FadersTest, CdNotificationPlaysOnOnlyAfterASuccessfulStatus) {
    EXPECT_EQ(CDAudio_NextCommand(5, true), "play cdaudio from 5 notify");
    EXPECT_EQ(CDAudio_NextCommand(5, false), "play cdaudio from 4 to 5 notify");
    // Without a CD device the status request fails and nothing follows.
    CDAudio_OnNotify(MCI_NOTIFY_SUCCESSFUL, 1, true, nullptr);
    CDAudio_OnNotify(MCI_NOTIFY_ABORTED, 1, false, nullptr);
    EXPECT_TRUE(headless::MessageBoxLog().empty());
}

}  // namespace
