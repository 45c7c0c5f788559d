// What the game's sound costs: the mixer's time per voice and output frame at 1, 32, 512 and 4095 voices (every
// channel the mixer has, against the 11.6 ms a fragment lasts), the same mixing by SDL2_mixer on the same sounds
// and channel counts, and the time to load the game's 28 effects. The sounds are the game's own, from data/sfx.
//
// Mixer against SDL2_mixer: each runs on SDL's own audio thread, with SDL's disk driver writing to /dev/null
// without pausing, so each mixes as fast as it can; the CPU time of that thread per output frame is compared.
// The mixer is also timed alone, called directly, which is what its own cost is.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <thread>

#include "bench_sounds.h"
#include "media/audio/audio.h"
#include "media/audio/mixer.h"
#include "media/codecs/ogg_loader.h"
#include "media/platform/softmix_driver.h"
#include "media/platform/softmix_output.h"
#include "sdl_mixer_peer.h"
#include "thread_cpu.h"

namespace {

constexpr int kVoiceCounts[] = {1, 32, 512, 4095};

std::vector<std::shared_ptr<const TMixSound>> MixingSounds() {
  std::vector<std::shared_ptr<const TMixSound>> sounds;
  for (const std::string& path : BenchSounds().mixing) {
    std::shared_ptr<TAudioSample> sample = LoadAudioSample(std::u16string(path.begin(), path.end()));
    sounds.push_back(TMixSound::Create(*sample, true));
  }
  return sounds;
}

void StartVoices(TMixer& mixer, int64_t voices) {
  auto sounds = MixingSounds();
  for (int64_t i = 0; i < voices; i++) {
    mixer.Play(mixer.AllocChannel(true), sounds[static_cast<size_t>(i) % sounds.size()], false, 0);
  }
}

void SetOutput(const char* driver) {
  setenv("SDL_AUDIODRIVER", driver, 1);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  setenv("SDL_DISKAUDIODELAY", "0", 1);
}

// The mixer called directly for fragment after fragment.
void MixerDirect(benchmark::State& state) {
  TMixer mixer;
  StartVoices(mixer, state.range(0));
  int16_t fragment[TMixer::FRAGMENT_VALUES];
  int32_t now = 1000;
  for (auto _ : state) {
    mixer.MixFragment(fragment, now);
    benchmark::DoNotOptimize(fragment);
  }
  state.counters["voice_frames"] =
      benchmark::Counter(static_cast<double>(state.range(0)) * TMixer::FRAGMENT_FRAMES,
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Watches an audio thread for `state`'s iterations of 100 ms each; the time reported is that thread's CPU time.
template <typename FramesFn>
void WatchAudioThread(benchmark::State& state, pid_t thread, FramesFn frames) {
  double cpu = 0;
  int64_t mixed = 0;
  for (auto _ : state) {
    double cpu0 = ThreadCpuSeconds(thread);
    int64_t frames0 = frames();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    double spent = ThreadCpuSeconds(thread) - cpu0;
    mixed += frames() - frames0;
    cpu += spent;
    state.SetIterationTime(spent);
  }
  double voiceFrames = static_cast<double>(mixed) * static_cast<double>(state.range(0));
  state.counters["ns_per_voice_frame"] = voiceFrames > 0 ? cpu * 1e9 / voiceFrames : 0;
  state.counters["frames_per_cpu_second"] = cpu > 0 ? static_cast<double>(mixed) / cpu : 0;
}

void MorvikOnAudioThread(benchmark::State& state) {
  SetOutput("disk");
  auto mixer = std::make_shared<TMixer>();
  StartVoices(*mixer, state.range(0));
  std::vector<pid_t> before = ThreadIds();
  std::unique_ptr<TSoftMixOutput> output = TSoftMixOutput::Open(0, mixer);
  pid_t thread = NewThread(before, "SDLAudio");
  if (output == nullptr || thread == 0) {
    state.SkipWithError("cannot open SDL's disk audio driver");
    return;
  }
  WatchAudioThread(state, thread, [&] { return mixer->Fragments() * TMixer::FRAGMENT_FRAMES; });
}

void SdlMixerOnAudioThread(benchmark::State& state) {
  SetOutput("disk");
  std::unique_ptr<TSdlMixerPeer> peer = TSdlMixerPeer::Open(static_cast<int32_t>(state.range(0)), BenchSounds().mixing);
  if (peer == nullptr || peer->AudioThread() == 0) {
    state.SkipWithError("SDL2_mixer cannot open SDL's disk audio driver or load the sounds");
    return;
  }
  WatchAudioThread(state, peer->AudioThread(), [&] { return peer->Frames(); });
}

// Start-up's loading of the 28 effects through the SoftMix driver: decoding and the mixer's copy.
void LoadGameEffects(benchmark::State& state) {
  SetOutput("dummy");
  if (SelectAudioDriver(u"SoftMix Multimedia") == 0) {
    state.SkipWithError("cannot open SDL's dummy audio driver");
    return;
  }
  for (auto _ : state) {
    for (const std::string& path : BenchSounds().gameEffects) {
      benchmark::DoNotOptimize(LoadSound(std::u16string(path.begin(), path.end()), 0));
    }
  }
  ShutdownAudio();
  state.counters["effects"] = static_cast<double>(BenchSounds().gameEffects.size());
  state.counters["audio_seconds"] = BenchSounds().gameEffectSeconds;
  state.counters["file_kib"] = static_cast<double>(BenchSounds().gameEffectBytes) / 1024;
}

void LoadGameEffectsWithSdlMixer(benchmark::State& state) {
  SetOutput("dummy");
  std::unique_ptr<TSdlMixerPeer> peer = TSdlMixerPeer::Open(0, {});
  if (peer == nullptr) {
    state.SkipWithError("SDL2_mixer cannot open SDL's dummy audio driver");
    return;
  }
  for (auto _ : state) {
    if (!LoadAllWithSdlMixer(BenchSounds().gameEffects)) {
      state.SkipWithError("SDL2_mixer cannot load the effects");
      break;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterSoftMixDrivers();
  RegisterOggVorbisLoader();
  try {
    std::fprintf(stderr, "The game's %zu effects, %.1f s of sound\n", BenchSounds().gameEffects.size(),
                 BenchSounds().gameEffectSeconds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mixer_bench: %s\n", e.what());
    return 1;
  }

  // In this order: the audio system is opened and closed by each, reading its driver from the environment.
  benchmark::RegisterBenchmark("LoadGameEffects/Morvik", LoadGameEffects)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("LoadGameEffects/SDL2_mixer", LoadGameEffectsWithSdlMixer)
      ->Unit(benchmark::kMillisecond);
  for (int voices : kVoiceCounts) {
    benchmark::RegisterBenchmark("MixerDirect/Morvik", MixerDirect)->Arg(voices)->Unit(benchmark::kMicrosecond);
  }
  for (int voices : kVoiceCounts) {
    benchmark::RegisterBenchmark("AudioThread/Morvik", MorvikOnAudioThread)
        ->Arg(voices)
        ->UseManualTime()
        ->Iterations(20)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AudioThread/SDL2_mixer", SdlMixerOnAudioThread)
        ->Arg(voices)
        ->UseManualTime()
        ->Iterations(20)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
