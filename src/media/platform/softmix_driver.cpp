// The SoftMix audio driver, its sounds and its channels.
#include "media/platform/softmix_driver.h"

#include "media/audio/recycling_allocator.h"

TSoftMixChannel::~TSoftMixChannel() {
  _mixer->FreeChannel(fa_channel);
}

int32_t TSoftMixChannel::Stop() {
  _mixer->StopChannel(fa_channel);
  return 0;
}

int32_t TSoftMixChannel::SetPaused(int32_t paused) {
  _mixer->SetPaused(fa_channel, paused);
  return 0;
}

int32_t TSoftMixChannel::SetVolume(float volume) {
  _mixer->SetVolume(fa_channel, volume);
  return 0;
}

int32_t TSoftMixChannel::SetPan(float pan) {
  _mixer->SetPan(fa_channel, pan);
  return 0;
}

int32_t TSoftMixChannel::SetDepth(float depth) {
  _mixer->SetDepth(fa_channel, depth);
  return 0;
}

int32_t TSoftMixChannel::SetRate(float rate) {
  _mixer->SetRate(fa_channel, rate);
  return 0;
}

int32_t TSoftMixChannel::Playing() {
  return _mixer->Playing(fa_channel);
}

int32_t TSoftMixChannel::Position() {
  return _mixer->Position(fa_channel);
}

std::shared_ptr<TChannel> TSoftMixSound::Play(std::shared_ptr<TChannel> channel) {
  return Start(std::move(channel), false);
}

std::shared_ptr<TChannel> TSoftMixSound::Cue(std::shared_ptr<TChannel> channel) {
  return Start(std::move(channel), true);
}

std::shared_ptr<TChannel> TSoftMixSound::Start(std::shared_ptr<TChannel> channel, bool paused) {
  if (channel == nullptr) {
    channel = std::allocate_shared<TSoftMixChannel>(TRecyclingAllocator<TSoftMixChannel>(), _mixer,
                                                    _mixer->AllocChannel(true));
  }
  auto* ours = dynamic_cast<TSoftMixChannel*>(channel.get());
  if (ours != nullptr && ours->_mixer == _mixer) {
    _mixer->Play(ours->fa_channel, fa_sound, paused, AudioClockMillis());
  }
  return channel;
}

int32_t TSoftMixAudioDriver::Startup() {
  Shutdown();
  auto mixer = std::make_shared<TMixer>();
  // Mode -1 prefers the player's default device and falls back on whatever device is listed first.
  if (_mode == 0 || _mode == -1) {
    _output = TSoftMixOutput::Open(0, mixer);
  }
  if (_output == nullptr && (_mode == 1 || _mode == -1)) {
    _output = TSoftMixOutput::Open(1, mixer);
  }
  if (_output == nullptr) {
    return 0;
  }
  _mixer = std::move(mixer);
  return 1;
}

int32_t TSoftMixAudioDriver::Shutdown() {
  // The output goes first: once it is closed the audio thread no longer reads the mixer.
  _output.reset();
  _mixer.reset();
  return 0;
}

std::shared_ptr<TSound> TSoftMixAudioDriver::CreateSound(std::shared_ptr<TAudioSample> sample, int32_t flags) {
  if (_mixer == nullptr || sample == nullptr) {
    return TAudioDriver::CreateSound(std::move(sample), flags);
  }
  std::shared_ptr<const TMixSound> sound = TMixSound::Create(*sample, (flags & 1) != 0);
  if (sound == nullptr) {
    return TAudioDriver::CreateSound(std::move(sample), flags);
  }
  return std::make_shared<TSoftMixSound>(_mixer, std::move(sound));
}

std::shared_ptr<TChannel> TSoftMixAudioDriver::AllocChannel() {
  if (_mixer == nullptr) {
    return TAudioDriver::AllocChannel();
  }
  // A channel is made for every sound played: its memory is reused, so playing allocates nothing.
  return std::allocate_shared<TSoftMixChannel>(TRecyclingAllocator<TSoftMixChannel>(), _mixer,
                                               _mixer->AllocChannel(false));
}

void RegisterSoftMixDrivers() {
  static bool registered = false;
  if (registered) {
    return;
  }
  registered = true;
  // Newest is looked up first. Linux has no second kind of output device, so there is no "SoftMix
  // DirectSound" here, and the game's first choice present is "SoftMix Multimedia": the player's default output.
  RegisterAudioDriver(std::make_unique<TSoftMixAudioDriver>(u"SoftMix Multimedia", 0));
  RegisterAudioDriver(std::make_unique<TSoftMixAudioDriver>(u"SoftMix", -1));
}
