#include "bench_sounds.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "support/ogg_fixture.h"

namespace {

void Write(const std::string& path, const TTestPcm& pcm, TBenchSounds* sounds, double seconds) {
  std::string bytes = EncodeOggVorbis(pcm);
  std::ofstream(path, std::ios::binary) << bytes;
  sounds->gameEffectBytes += bytes.size();
  sounds->gameEffectSeconds += seconds;
}

TBenchSounds Make() {
  TBenchSounds sounds;
  std::string pattern = (std::filesystem::temp_directory_path() / "morvik-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder");
  }
  sounds.folder = pattern;

  // Menu clicks, a countdown, bells and the jingles of a lost and a won match: lengths such effects have.
  const double numbered[8] = {0.15, 0.1, 0.5, 1.0, 1.5, 1.5, 2.5, 3.0};
  const char* kinds[5] = {"woosh", "block", "punchw", "punchm", "punchh"};
  const double kindSeconds[5] = {0.3, 0.25, 0.3, 0.35, 0.45};
  for (int i = 0; i < 8; i++) {
    std::string path = sounds.folder + "/sfx" + std::to_string(i) + ".ogg";
    Write(path, MakeTone(300 + 80 * i, 0.5, numbered[i], 44100, 1), &sounds, numbered[i]);
    sounds.gameEffects.push_back(path);
    for (int k = 0; i < 4 && k < 5; k++) {
      path = sounds.folder + "/" + kinds[k] + std::to_string(i) + ".ogg";
      Write(path, MakeNoiseBurst(0.6, kindSeconds[k], 44100, 1, static_cast<uint32_t>(10 * k + i + 1)), &sounds,
            kindSeconds[k]);
      sounds.gameEffects.push_back(path);
    }
  }

  const TTestPcm mixing[4] = {MakeTone(440, 0.05, 1.0, 22050, 1), MakeTone(550, 0.05, 1.0, 44100, 1),
                              MakeTone(660, 0.05, 1.0, 44100, 2), MakeNoiseBurst(0.05, 1.0, 22050, 2, 99)};
  for (int i = 0; i < 4; i++) {
    std::string path = sounds.folder + "/mix" + std::to_string(i) + ".ogg";
    std::ofstream(path, std::ios::binary) << EncodeOggVorbis(mixing[i]);
    sounds.mixing.push_back(path);
  }
  return sounds;
}

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(BenchSounds().folder, ignored);
}

}  // namespace

const TBenchSounds& BenchSounds() {
  static const TBenchSounds sounds = Make();
  static const bool cleanup = (std::atexit(RemoveFolder), true);
  (void)cleanup;
  return sounds;
}
