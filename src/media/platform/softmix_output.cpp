// The mixer on SDL's audio device.
#include "media/platform/softmix_output.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

namespace {

// Long enough for a device that is running to take the fade-out fragment and a couple of silent ones (about
// 35 ms); a device that has stalled does not keep the game from ending.
constexpr int32_t kFadeWaitMillis = 250;
constexpr int32_t kSilentFragmentsAfterFade = 2;

void SDLCALL FillFromMixer(void* output, Uint8* stream, int bytes) {
  static_cast<TSoftMixOutput*>(output)->_Fill(stream, bytes);
}

// The device name SDL lists first for output; empty when it lists none.
std::string FirstListedOutputDevice() {
  if (SDL_GetNumAudioDevices(0) <= 0) {
    return {};
  }
  const char* name = SDL_GetAudioDeviceName(0, 0);
  return name != nullptr ? std::string(name) : std::string();
}

}  // namespace

int32_t AudioClockMillis() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  return static_cast<int32_t>(static_cast<uint32_t>(millis));
}

void TFragmentFeed::Fill(int16_t* out, int32_t values, int32_t nowMillis) {
  while (values > 0) {
    if (_used == TMixer::FRAGMENT_VALUES) {
      _mixer->MixFragment(_fragment, nowMillis);
      _used = 0;
    }
    int32_t count = std::min(values, TMixer::FRAGMENT_VALUES - _used);
    std::memcpy(out, _fragment + _used, static_cast<size_t>(count) * sizeof(int16_t));
    out += count;
    values -= count;
    _used += count;
  }
}

std::unique_ptr<TSoftMixOutput> TSoftMixOutput::Open(int32_t mode, std::shared_ptr<TMixer> mixer) {
  if (mixer == nullptr || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    return nullptr;
  }
  std::unique_ptr<TSoftMixOutput> output(new TSoftMixOutput(std::move(mixer)));
  std::string name;
  if (mode == 1) {
    name = FirstListedOutputDevice();
  }
  if (mode == 0 || !name.empty()) {
    SDL_AudioSpec wanted{};
    wanted.freq = TMixer::OUTPUT_HERTZ;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = TMixer::FRAGMENT_FRAMES;
    wanted.callback = FillFromMixer;
    wanted.userdata = output.get();
    // No changes allowed: whatever the device really runs at, SDL converts from this.
    SDL_AudioSpec obtained{};
    output->_device = SDL_OpenAudioDevice(mode == 0 ? nullptr : name.c_str(), 0, &wanted, &obtained, 0);
  }
  if (output->_device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  SDL_PauseAudioDevice(output->_device, 0);
  return output;
}

TSoftMixOutput::~TSoftMixOutput() {
  _mixer->FadeOut();
  Uint64 giveUp = SDL_GetTicks64() + kFadeWaitMillis;
  while (_mixer->FragmentsSinceFade() < kSilentFragmentsAfterFade && SDL_GetTicks64() < giveUp) {
    SDL_Delay(1);
  }
  // Closing waits for the audio thread to leave the mixer; after it the mixer is never called again.
  SDL_CloseAudioDevice(_device);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void TSoftMixOutput::_Fill(uint8_t* stream, int32_t bytes) {
  // SDL hands out buffers aligned for any sample type.
  _feed.Fill(reinterpret_cast<int16_t*>(stream), bytes / 2, AudioClockMillis());
}
