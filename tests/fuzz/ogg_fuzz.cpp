// Fuzzes the Ogg Vorbis loader: the input is a sound file decoded by LoadAudioSample as the game loads its
// sounds, then turned into the mixer's form as the sound driver does.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "media/audio/audio_sample.h"
#include "media/audio/mixer_sound.h"
#include "media/codecs/ogg_loader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RegisterOggVorbisLoader();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzInput("sfx/sound.ogg", data, size);
  std::shared_ptr<TAudioSample> sample = LoadAudioSample(u"sfx/sound.ogg");
  if (sample == nullptr) {
    return 0;
  }
  // A decoded sample never claims more frames than it holds.
  if (sample->length < 0 || sample->length > sample->capacity / TAudioSample::BytesPerFrame(sample->format)) {
    __builtin_trap();
  }
  TMixSound::Create(*sample, false);
  return 0;
}
