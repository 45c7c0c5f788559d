// Sound playback: audio drivers chosen by name, sounds made from decoded samples, and channels to play them on.
//
// The game picks a driver at start-up, loads its effects, and then plays them either on a fresh temporary
// channel or on a newly allocated channel whose volume it sets first. The base driver is "Null": it starts
// always, and its sounds and channels are silent. It remembers what it was asked to play, so headless runs and
// tests can check the game's sounds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "media/audio/audio_sample.h"

// A voice slot of the driver. A setter called before anything was played keeps its value for the next Play.
class TChannel {
public:
  virtual ~TChannel() = default;
  virtual int32_t Stop();
  virtual int32_t SetPaused(int32_t paused);
  virtual int32_t SetVolume(float volume);  // 1.0 full volume
  virtual int32_t SetPan(float pan);        // -1 full left, 0 centre, +1 full right
  virtual int32_t SetDepth(float depth);
  virtual int32_t SetRate(float rate);  // 1.0 plays at the sample's own frequency
  // 1 while a voice plays on the channel, neither finished nor paused.
  virtual int32_t Playing();
};

class TSound {
public:
  virtual ~TSound() = default;
  // Plays on the channel given (replacing what played there) or, with null, on a new temporary channel, which
  // is returned; dropping it lets the sound play to its end. Cue does the same but starts paused.
  virtual std::shared_ptr<TChannel> Play(std::shared_ptr<TChannel> channel = nullptr);
  virtual std::shared_ptr<TChannel> Cue(std::shared_ptr<TChannel> channel = nullptr);
};

// The base driver is the "Null" driver.
class TAudioDriver {
public:
  virtual ~TAudioDriver() = default;
  virtual std::u16string Name();
  // 1 when the driver's output is running, 0 when it cannot start.
  virtual int32_t Startup();
  virtual int32_t Shutdown();
  // Flag 1 makes the sound loop.
  virtual std::shared_ptr<TSound> CreateSound(std::shared_ptr<TAudioSample> sample, int32_t flags);
  virtual std::shared_ptr<TChannel> AllocChannel();
  // Decodes the file and makes a sound of it; null when it cannot be opened or decoded.
  virtual std::shared_ptr<TSound> LoadSound(std::u16string_view path, int32_t flags);

  TAudioDriver* _succ = nullptr;  // the driver registered before this one
};

// Adds a driver to the registry; the newest is looked up first. The registry keeps it for the program's life.
void RegisterAudioDriver(std::unique_ptr<TAudioDriver> driver);

// 1 when a registered driver has this name, ignoring letter case.
int32_t HasAudioDriver(std::u16string_view name);

// Shuts the current driver down and makes "Null" current; then starts the named driver (ignoring case) and makes
// it current. 0 when there is no such driver or it cannot start ("Null" stays current), else 1.
int32_t SelectAudioDriver(std::u16string_view name);

// The current driver. When none was ever selected, "DirectSound" is tried and then "Null".
TAudioDriver& CurrentAudioDriver();

// Through the current driver.
std::shared_ptr<TSound> LoadSound(std::u16string_view path, int32_t flags);
std::shared_ptr<TChannel> AllocChannel();

// Stops the current driver's output and makes "Null" current; part of the media layer's shut-down.
void ShutdownAudio();

// One play request received by the "Null" driver.
struct TNullPlay {
  const TSound* sound = nullptr;
  float volume = 1.0f;  // the channel's volume when it was played
  int32_t cued = 0;     // 1 for Cue (started paused)
};

// The play requests the "Null" driver received: how many in all since the last clear, and the latest of them
// (up to RECENT), oldest first.
class TNullAudioLog {
public:
  static constexpr int32_t RECENT = 64;
  void Record(const TNullPlay& play);
  void Clear();
  int64_t Count() const { return _count; }
  std::vector<TNullPlay> Recent() const;

private:
  TNullPlay _plays[RECENT];
  int64_t _count = 0;
};

TNullAudioLog& NullAudioLog();
