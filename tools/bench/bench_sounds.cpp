#include "bench_sounds.h"

#include <filesystem>
#include <stdexcept>

#include "game_files.h"
#include "media/audio/audio_sample.h"

namespace {

std::shared_ptr<TAudioSample> Decode(const std::string& path) {
  std::shared_ptr<TAudioSample> sample = LoadAudioSample(std::u16string(path.begin(), path.end()));
  if (sample == nullptr || sample->hertz <= 0) {
    throw std::runtime_error("cannot load " + path);
  }
  return sample;
}

TBenchSounds Find() {
  TBenchSounds sounds;
  for (const std::string& name : GameEffects()) {
    std::string path = DataPath("sfx/" + name);
    std::shared_ptr<TAudioSample> sample = Decode(path);
    sounds.gameEffects.push_back(path);
    sounds.gameEffectSeconds += static_cast<double>(sample->length) / sample->hertz;
    sounds.gameEffectBytes += std::filesystem::file_size(path);
  }
  for (const char* name : {"punchw0.ogg", "punchh0.ogg", "sfx3.ogg", "sfx7.ogg"}) {
    sounds.mixing.push_back(DataPath(std::string("sfx/") + name));
  }
  return sounds;
}

}  // namespace

const TBenchSounds& BenchSounds() {
  static const TBenchSounds sounds = Find();
  return sounds;
}
