// The Ogg Vorbis sample loader: decodes a whole file into 16-bit little-endian PCM in memory, reading it through
// the game's own streams.
#pragma once

#include "media/audio/audio_sample.h"

class TAudioSampleLoaderOGG : public TAudioSampleLoader {
public:
  // Decodes the first logical stream, read from the stream's current position on: format 2 (mono) or 5 (stereo)
  // at the file's own rate. Null when the stream is not Ogg Vorbis, cannot tell its length, has more than two
  // channels, fails to decode or holds not one frame of sound. A stream that ends before the length its last page
  // announced gives the frames that were there.
  std::shared_ptr<TAudioSample> LoadAudioSample(TStream& stream) override;
};

// Adds the Ogg Vorbis loader to the sample loaders, once.
void RegisterOggVorbisLoader();
