// Audio drivers, the registry, and the "Null" driver.
#include "media/audio/audio.h"

#include <algorithm>

#include "media/audio/recycling_allocator.h"
#include "media/measure/frame_log.h"

int32_t TChannel::Stop() {
  return 0;
}

int32_t TChannel::SetPaused(int32_t) {
  return 0;
}

int32_t TChannel::SetVolume(float) {
  return 0;
}

int32_t TChannel::SetPan(float) {
  return 0;
}

int32_t TChannel::SetDepth(float) {
  return 0;
}

int32_t TChannel::SetRate(float) {
  return 0;
}

int32_t TChannel::Playing() {
  return 0;
}

std::shared_ptr<TChannel> TSound::Play(std::shared_ptr<TChannel> channel) {
  return channel;
}

std::shared_ptr<TChannel> TSound::Cue(std::shared_ptr<TChannel> channel) {
  return channel;
}

namespace {

// A silent channel that remembers its volume, so the log can say how loud a sound was asked to be.
class TNullChannel : public TChannel {
public:
  int32_t SetVolume(float volume) override {
    _volume = volume;
    return 0;
  }
  float _volume = 1.0f;
};

class TNullSound : public TSound {
public:
  std::shared_ptr<TChannel> Play(std::shared_ptr<TChannel> channel) override { return Start(std::move(channel), 0); }
  std::shared_ptr<TChannel> Cue(std::shared_ptr<TChannel> channel) override { return Start(std::move(channel), 1); }

private:
  std::shared_ptr<TChannel> Start(std::shared_ptr<TChannel> channel, int32_t cued) {
    if (channel == nullptr) {
      channel = std::allocate_shared<TNullChannel>(TRecyclingAllocator<TNullChannel>());
    }
    auto* null = dynamic_cast<TNullChannel*>(channel.get());
    NullAudioLog().Record(TNullPlay{this, null != nullptr ? null->_volume : 1.0f, cued});
    return channel;
  }
};

TAudioDriver nullDriver;
TAudioDriver* newestDriver = &nullDriver;
TAudioDriver* currentDriver = nullptr;

bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

TAudioDriver* FindDriver(std::u16string_view name) {
  for (TAudioDriver* driver = newestDriver; driver != nullptr; driver = driver->_succ) {
    if (SameNameIgnoringCase(driver->Name(), name)) {
      return driver;
    }
  }
  return nullptr;
}

}  // namespace

std::u16string TAudioDriver::Name() {
  return u"Null";
}

int32_t TAudioDriver::Startup() {
  return 1;
}

int32_t TAudioDriver::Shutdown() {
  return 0;
}

std::shared_ptr<TSound> TAudioDriver::CreateSound(std::shared_ptr<TAudioSample>, int32_t) {
  return std::make_shared<TNullSound>();
}

std::shared_ptr<TChannel> TAudioDriver::AllocChannel() {
  // A channel is made for every sound played: its memory is reused, so playing allocates nothing.
  return std::allocate_shared<TNullChannel>(TRecyclingAllocator<TNullChannel>());
}

std::shared_ptr<TSound> TAudioDriver::LoadSound(std::u16string_view path, int32_t flags) {
  std::shared_ptr<TAudioSample> sample = LoadAudioSample(path);
  if (sample == nullptr) {
    return nullptr;
  }
  return CreateSound(std::move(sample), flags);
}

void RegisterAudioDriver(std::unique_ptr<TAudioDriver> driver) {
  // Registered drivers live as long as the program; the registry is a plain chain of them.
  TAudioDriver* added = driver.release();
  added->_succ = newestDriver;
  newestDriver = added;
}

int32_t HasAudioDriver(std::u16string_view name) {
  return FindDriver(name) != nullptr ? 1 : 0;
}

int32_t SelectAudioDriver(std::u16string_view name) {
  if (currentDriver != nullptr) {
    currentDriver->Shutdown();
  }
  currentDriver = &nullDriver;
  TAudioDriver* driver = FindDriver(name);
  if (driver == nullptr || driver->Startup() == 0) {
    return 0;
  }
  currentDriver = driver;
  FrameLogStep("audio device");
  return 1;
}

TAudioDriver& CurrentAudioDriver() {
  if (currentDriver == nullptr && SelectAudioDriver(u"DirectSound") == 0) {
    SelectAudioDriver(u"Null");
  }
  return *currentDriver;
}

std::shared_ptr<TSound> LoadSound(std::u16string_view path, int32_t flags) {
  return CurrentAudioDriver().LoadSound(path, flags);
}

std::shared_ptr<TChannel> AllocChannel() {
  return CurrentAudioDriver().AllocChannel();
}

void ShutdownAudio() {
  if (currentDriver != nullptr) {
    currentDriver->Shutdown();
  }
  currentDriver = &nullDriver;
}

void TNullAudioLog::Record(const TNullPlay& play) {
  _plays[_count % RECENT] = play;
  _count++;
}

void TNullAudioLog::Clear() {
  _count = 0;
}

std::vector<TNullPlay> TNullAudioLog::Recent() const {
  std::vector<TNullPlay> plays;
  int64_t first = _count > RECENT ? _count - RECENT : 0;
  for (int64_t i = first; i < _count; i++) {
    plays.push_back(_plays[i % RECENT]);
  }
  return plays;
}

TNullAudioLog& NullAudioLog() {
  static TNullAudioLog log;
  return log;
}
