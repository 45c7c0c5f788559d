// Decoded sound in memory, and the loaders that decode files into it.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

class TStream;

// PCM frames in one of six layouts.
class TAudioSample {
public:
  enum : int32_t {
    FORMAT_MONO8 = 1,       // unsigned
    FORMAT_MONO16LE = 2,    // signed little-endian
    FORMAT_MONO16BE = 3,    // signed big-endian
    FORMAT_STEREO8 = 4,     // unsigned
    FORMAT_STEREO16LE = 5,  // signed little-endian, left first
    FORMAT_STEREO16BE = 6,  // signed big-endian
  };

  // A zero-filled sample of length frames; null for an unknown format or a negative or oversized length.
  static std::shared_ptr<TAudioSample> Create(int32_t length, int32_t hertz, int32_t format);
  static int32_t BytesPerFrame(int32_t format);

  uint8_t* samples = nullptr;
  int32_t length = 0;  // frames
  int32_t hertz = 0;   // frames per second
  int32_t format = 0;
  int32_t capacity = 0;  // bytes allocated

  std::unique_ptr<uint8_t[]> _data;
};

// A decoder of one file format. Returns null when the stream does not hold its format.
class TAudioSampleLoader {
public:
  virtual ~TAudioSampleLoader() = default;
  virtual std::shared_ptr<TAudioSample> LoadAudioSample(TStream& stream) = 0;
};

// Loaders are offered a stream in the order they were added.
void AddAudioSampleLoader(std::shared_ptr<TAudioSampleLoader> loader);

// Opens the file and offers it to each loader from its start; the first sample wins. Null when the file cannot
// be opened or no loader decodes it.
std::shared_ptr<TAudioSample> LoadAudioSample(std::u16string_view path);

// The same over an open stream, from its current position. Loaders seek back and forth, so a stream that cannot
// tell its position raises "Stream is not seekable". The caller closes the stream.
std::shared_ptr<TAudioSample> LoadAudioSample(TStream& stream);
