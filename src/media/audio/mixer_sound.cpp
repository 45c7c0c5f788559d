// Copying decoded samples into the mixer's layout.
#include "media/audio/mixer_sound.h"

namespace {

int16_t Unsigned8(const uint8_t* bytes) {
  return static_cast<int16_t>((bytes[0] - 128) * 256);
}

int16_t Signed16LittleEndian(const uint8_t* bytes) {
  return static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)));
}

int16_t Signed16BigEndian(const uint8_t* bytes) {
  return static_cast<int16_t>(static_cast<uint16_t>((bytes[0] << 8) | bytes[1]));
}

}  // namespace

std::shared_ptr<const TMixSound> TMixSound::Create(const TAudioSample& sample, bool loop) {
  int32_t frameBytes = TAudioSample::BytesPerFrame(sample.format);
  if (frameBytes == 0 || sample.hertz <= 0 || sample.length < 0 || sample.samples == nullptr ||
      sample.length > sample.capacity / frameBytes) {
    return nullptr;
  }
  bool stereo = sample.format >= TAudioSample::FORMAT_STEREO8;
  int16_t (*convert)(const uint8_t*) = Signed16LittleEndian;
  if (sample.format == TAudioSample::FORMAT_MONO8 || sample.format == TAudioSample::FORMAT_STEREO8) {
    convert = Unsigned8;
  } else if (sample.format == TAudioSample::FORMAT_MONO16BE || sample.format == TAudioSample::FORMAT_STEREO16BE) {
    convert = Signed16BigEndian;
  }

  auto sound = std::make_shared<TMixSound>();
  sound->length = sample.length;
  sound->channels = stereo ? 2 : 1;
  sound->hertz = sample.hertz;
  sound->loop = loop;
  size_t values = static_cast<size_t>(sample.length) * static_cast<size_t>(sound->channels);
  size_t valueBytes = static_cast<size_t>(frameBytes / sound->channels);
  sound->_data = std::make_unique<int16_t[]>(values + static_cast<size_t>(sound->channels));
  for (size_t i = 0; i < values; i++) {
    sound->_data[i] = convert(sample.samples + i * valueBytes);
  }
  // The guard frame: a looping sound goes on from its first frame, any other into silence (already zero).
  if (loop && sample.length > 0) {
    for (size_t c = 0; c < static_cast<size_t>(sound->channels); c++) {
      sound->_data[values + c] = sound->_data[c];
    }
  }
  return sound;
}
