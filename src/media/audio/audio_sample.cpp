// Decoded sound in memory and the loader registry.
#include "media/audio/audio_sample.h"

#include <climits>
#include <vector>

#include "media/core/data_limits.h"
#include "media/core/runtime_error.h"
#include "media/files/stream.h"

std::shared_ptr<TAudioSample> TAudioSample::Create(int32_t length, int32_t hertz, int32_t format) {
  int32_t frameBytes = BytesPerFrame(format);
  if (frameBytes == 0 || length < 0 || length > INT32_MAX / frameBytes) {
    return nullptr;
  }
  auto sample = std::make_shared<TAudioSample>();
  sample->capacity = length * frameBytes;
  sample->_data = std::make_unique<uint8_t[]>(static_cast<size_t>(sample->capacity));
  sample->samples = sample->_data.get();
  sample->length = length;
  sample->hertz = hertz;
  sample->format = format;
  return sample;
}

int32_t TAudioSample::BytesPerFrame(int32_t format) {
  switch (format) {
    case FORMAT_MONO8:
      return 1;
    case FORMAT_MONO16LE:
    case FORMAT_MONO16BE:
    case FORMAT_STEREO8:
      return 2;
    case FORMAT_STEREO16LE:
    case FORMAT_STEREO16BE:
      return 4;
    default:
      return 0;
  }
}

namespace {

std::vector<std::shared_ptr<TAudioSampleLoader>>& Loaders() {
  static std::vector<std::shared_ptr<TAudioSampleLoader>> loaders;
  return loaders;
}

}  // namespace

void AddAudioSampleLoader(std::shared_ptr<TAudioSampleLoader> loader) {
  Loaders().push_back(std::move(loader));
}

std::shared_ptr<TAudioSample> LoadAudioSample(std::u16string_view path) {
  std::shared_ptr<TStream> stream = OpenReadStream(path);
  if (stream == nullptr || stream->Size() > kSoundFileBytes) {
    return nullptr;
  }
  std::shared_ptr<TAudioSample> sample = LoadAudioSample(*stream);
  stream->Close();
  return sample;
}

std::shared_ptr<TAudioSample> LoadAudioSample(TStream& stream) {
  int32_t start = stream.Pos();
  if (start < 0) {
    throw TRuntimeError("Stream is not seekable");
  }
  for (const auto& loader : Loaders()) {
    stream.Seek(start);
    try {
      if (std::shared_ptr<TAudioSample> sample = loader->LoadAudioSample(stream)) {
        return sample;
      }
    } catch (const TStreamException&) {
      // a file cut short: this loader failed, the next may still know the file
    }
  }
  return nullptr;
}
