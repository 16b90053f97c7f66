#pragma once
// The volumes the player chose in the volume menu outlive the game: they are
// kept with the desktop settings when the sound shuts down (before the mixer
// is given back as it was found) and set again when the next game opens it.
class MixerFaders;

// Sets each fader the settings name to its remembered volume; a fader that is
// unavailable, or a value outside its range, keeps the mixer's own value.
void ApplyRememberedVolumes(MixerFaders* faders);
// Keeps the volume of every fader the player moved in this game; the others
// keep what an earlier game remembered.
void RememberChosenVolumes(const MixerFaders& faders);
