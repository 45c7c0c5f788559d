// Mastering the sound effects: one measure of loudness for every effect, levelling to it, and the ceiling no
// effect may pass. The game mixes its sounds by plain addition into 16 bits, so each one leaves room for the
// others that may sound with it.
#pragma once

#include "sound_levels.h"
#include "synth.h"

// Loudness in dB of full scale: the RMS of the loudest 50 ms. Short effects are heard by their loudest moment,
// not by their average over a tail of silence.
double Loudness(const Buffer& b);
// The largest magnitude.
double Peak(const Buffer& b);
// Scales the effect to the loudness given.
void LevelTo(Buffer& b, double loudnessDb);
