// Real Ogg Vorbis files made at test time: tones and noise bursts encoded with the Vorbis encoder, and files
// damaged on purpose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Interleaved 16-bit PCM.
struct TTestPcm {
  int32_t channels = 1;
  int32_t hertz = 44100;
  std::vector<int16_t> values;

  int32_t Frames() const { return static_cast<int32_t>(values.size()) / channels; }
};

// A sine tone at `amplitude` (0..1 of full scale) with 5 ms fades at both ends, so it starts and ends in silence.
// Stereo tones carry the same tone on both sides.
TTestPcm MakeTone(double toneHertz, double amplitude, double seconds, int32_t hertz, int32_t channels);

// White noise from a fixed seed under a falling envelope, like a swish or a thud's attack.
TTestPcm MakeNoiseBurst(double amplitude, double seconds, int32_t hertz, int32_t channels, uint32_t seed);

// The bytes of an Ogg Vorbis file holding pcm.
std::string EncodeOggVorbis(const TTestPcm& pcm, float quality = 0.4f);

// The same file with its last page claiming `extraFrames` more frames than it holds (checksum kept valid), as a
// stream that ends before its announced length.
std::string WithOverstatedLength(const std::string& ogg, int64_t extraFrames);

// A valid file at least `frames` long made from the middle of a short one, its packets repeated with the granule
// positions that their block sizes give: a long sound without the time it takes to encode one.
std::string WithAudioRepeated(const std::string& ogg, int64_t frames);
