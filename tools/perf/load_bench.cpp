// Loading the game's own pictures and sounds three ways, in one run: through the game's loaders as start-up calls
// them (LoadImageFile or LoadImageStrip with the game's cell sizes; LoadAudioSample), through a bare libpng or
// vorbisfile loop that only decodes into one buffer, and through SDL2_image's IMG_Load and SDL2_mixer's
// Mix_LoadWAV. tools/perf_report.sh turns the medians into ratios.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <string>

#include "bare_loaders.h"
#include "game_files.h"
#include "media/audio/audio_sample.h"
#include "media/codecs/ogg_loader.h"
#include "media/graphics/image.h"
#include "media/platform/media.h"
#include "sdl_loaders.h"

namespace {

std::u16string Wide(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

const TGamePicture& Picture(const benchmark::State& state) {
  return GamePictures()[static_cast<size_t>(state.range(0))];
}

void PictureWithMorvik(benchmark::State& state) {
  const TGamePicture& picture = Picture(state);
  std::u16string path = Wide(DataPath("gfx/" + picture.name));
  for (auto _ : state) {
    std::shared_ptr<TImage> image =
        picture.cellSize == 0 ? LoadImageFile(path, -1)
                              : LoadImageStrip(path, picture.cellSize, picture.cellSize, 0, picture.cells, -1);
    if (image == nullptr) {
      state.SkipWithError("the game cannot load the picture");
      break;
    }
    benchmark::DoNotOptimize(image);
  }
  state.SetLabel(picture.name);
}

void PictureWithLibpng(benchmark::State& state) {
  std::string path = DataPath("gfx/" + Picture(state).name);
  for (auto _ : state) {
    if (BareDecodePng(path) == 0) {
      state.SkipWithError("libpng cannot decode the picture");
      break;
    }
  }
  state.SetLabel(Picture(state).name);
}

void PictureWithSdlImage(benchmark::State& state) {
  std::string path = DataPath("gfx/" + Picture(state).name);
  for (auto _ : state) {
    if (!SdlImageLoad(path)) {
      state.SkipWithError("SDL2_image cannot load the picture");
      break;
    }
  }
  state.SetLabel(Picture(state).name);
}

void EffectsWithMorvik(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& name : GameEffects()) {
      std::shared_ptr<TAudioSample> sample = LoadAudioSample(Wide(DataPath("sfx/" + name)));
      if (sample == nullptr) {
        state.SkipWithError("the game cannot load an effect");
        return;
      }
      benchmark::DoNotOptimize(sample);
    }
  }
}

void EffectsWithVorbisfile(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& name : GameEffects()) {
      if (BareDecodeVorbis(DataPath("sfx/" + name)) == 0) {
        state.SkipWithError("vorbisfile cannot decode an effect");
        return;
      }
    }
  }
}

void EffectsWithSdlMixer(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (!SdlMixerOpen()) {
    state.SkipWithError("SDL2_mixer cannot open SDL's dummy audio driver");
    return;
  }
  for (auto _ : state) {
    for (const std::string& name : GameEffects()) {
      if (!SdlMixerLoad(DataPath("sfx/" + name))) {
        state.SkipWithError("SDL2_mixer cannot load an effect");
        break;
      }
    }
  }
  SdlMixerClose();
}

}  // namespace

int main(int argc, char** argv) {
  RegisterMediaLoaders();
  RegisterOggVorbisLoader();
  SetDefaultImageFlags(0);  // as start-up does: no mask colour, no filtering
  for (size_t i = 0; i < GamePictures().size(); i++) {
    auto index = static_cast<int64_t>(i);
    benchmark::RegisterBenchmark("Picture/Morvik", PictureWithMorvik)->Arg(index)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Picture/libpng", PictureWithLibpng)->Arg(index)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Picture/SDL2_image", PictureWithSdlImage)->Arg(index)->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("Effects/Morvik", EffectsWithMorvik)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Effects/vorbisfile", EffectsWithVorbisfile)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Effects/SDL2_mixer", EffectsWithSdlMixer)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
