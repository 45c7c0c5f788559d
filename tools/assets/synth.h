// A tiny synthesiser for the game's sound effects: mono buffers at 44100 Hz, seeded noise, filters, envelopes,
// tones, bells and brass notes. Everything is deterministic, so the same code gives the same sounds on every run.
#pragma once

#include <cstdint>
#include <vector>

constexpr int RATE = 44100;

using Buffer = std::vector<float>;

Buffer Silence(double seconds);
// Seeded white noise in -1..1.
Buffer Noise(double seconds, uint32_t seed);

// One-pole low-pass and high-pass filters; the cut-off may glide from start to end over the buffer.
void LowPass(Buffer& b, double fromHz, double toHz);
void HighPass(Buffer& b, double hz);
// A resonant band-pass (two-pole) whose centre glides from fromHz to toHz; q sets the width.
void BandPass(Buffer& b, double fromHz, double toHz, double q);

// Multiplies by an envelope rising linearly over attack seconds, then falling exponentially with the given
// time constant.
void Envelope(Buffer& b, double attack, double decay);
// Multiplies by a smooth hump (a sine's first half) over the whole buffer, raised to the given power.
void Hump(Buffer& b, double power);
// Ramps the first and last milliseconds so that the sound starts and ends on silence, without clicks.
void FadeEnds(Buffer& b, double inMs, double outMs);

// A sine whose pitch glides exponentially from fromHz to toHz over the buffer length, with an exponential decay.
Buffer Thump(double seconds, double fromHz, double toHz, double decay);
// A struck bell: inharmonic partials, each decaying at its own rate.
Buffer Bell(double seconds, double hz, double decay);
// A brass-like note: harmonics falling off as 1/n, brightening with the attack, a touch of vibrato. With toHz the
// pitch glides there over the note.
Buffer Brass(double seconds, double hz, double attack, double release, double toHz = 0);

// Adds src into dst starting at the given second, growing dst when needed, scaled by gain.
void MixInto(Buffer& dst, const Buffer& src, double atSecond, double gain = 1.0);
// Soft saturation: pushes the sound into tanh by drive and scales back.
void Saturate(Buffer& b, double drive);
// Scales so that the largest magnitude is peak.
void Normalise(Buffer& b, double peak);
