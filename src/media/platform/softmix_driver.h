// The SoftMix audio driver: the game's own software mixer playing on the audio output device.
//
// Its sounds hold the mixer's copy of their samples; its channels hold a mixer channel handle. Both keep the
// mixer alive, so a sound or channel that outlives its driver (the game's sound tables live until exit) stays
// safe to use: it is merely silent once the output has stopped.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "media/audio/audio.h"
#include "media/audio/mixer.h"
#include "media/platform/softmix_output.h"

class TSoftMixChannel : public TChannel {
public:
  TSoftMixChannel(std::shared_ptr<TMixer> mixer, uint32_t handle) : _mixer(std::move(mixer)), fa_channel(handle) {}
  // Frees the slot; the sound on it plays on to its end.
  ~TSoftMixChannel() override;

  // Ends the voice and frees the slot: the channel is spent, and later operations on it do nothing.
  int32_t Stop() override;
  int32_t SetPaused(int32_t paused) override;
  int32_t SetVolume(float volume) override;
  int32_t SetPan(float pan) override;
  int32_t SetDepth(float depth) override;
  int32_t SetRate(float rate) override;
  int32_t Playing() override;
  // Frames of the sound played so far.
  int32_t Position();

  std::shared_ptr<TMixer> _mixer;
  uint32_t fa_channel;  // 0 when no slot was free
};

class TSoftMixSound : public TSound {
public:
  TSoftMixSound(std::shared_ptr<TMixer> mixer, std::shared_ptr<const TMixSound> sound)
      : _mixer(std::move(mixer)), fa_sound(std::move(sound)) {}

  // On a channel of this sound's mixer, or with null on a new temporary channel that is returned. A channel of
  // another driver is returned untouched and nothing plays.
  std::shared_ptr<TChannel> Play(std::shared_ptr<TChannel> channel) override;
  std::shared_ptr<TChannel> Cue(std::shared_ptr<TChannel> channel) override;

  std::shared_ptr<TMixer> _mixer;
  std::shared_ptr<const TMixSound> fa_sound;

private:
  std::shared_ptr<TChannel> Start(std::shared_ptr<TChannel> channel, bool paused);
};

class TSoftMixAudioDriver : public TAudioDriver {
public:
  // Mode 0 plays on the default output device, 1 on the first device listed by name, -1 tries 0 then 1.
  TSoftMixAudioDriver(std::u16string name, int32_t mode) : _name(std::move(name)), _mode(mode) {}

  std::u16string Name() override { return _name; }
  // Opens the output device and starts a fresh mixer on it; 0 when no device can be opened.
  int32_t Startup() override;
  // Fades out and stops the device; sounds made before stay valid but silent.
  int32_t Shutdown() override;
  // Sounds and channels of the running mixer; silent ones while the driver is not started.
  std::shared_ptr<TSound> CreateSound(std::shared_ptr<TAudioSample> sample, int32_t flags) override;
  std::shared_ptr<TChannel> AllocChannel() override;

  std::u16string _name;
  int32_t _mode;

private:
  std::shared_ptr<TMixer> _mixer;
  std::unique_ptr<TSoftMixOutput> _output;
};

// Adds the SoftMix drivers this platform has to the registry, once: "SoftMix Multimedia" (the default output
// device) and "SoftMix" (the default device, else the first one listed).
void RegisterSoftMixDrivers();
