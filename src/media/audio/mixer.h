// The software mixer: voices in, fragments of 16-bit stereo frames at 44100 Hz out.
//
// Two threads use it. The game thread allocates channels, starts sounds and sets channel parameters; the output
// device's thread asks for one fragment at a time. They meet only in two lock-free rings and in the voices'
// parameter words, so neither ever waits for the other, and once the game has played a few sounds nothing is
// allocated any more: finished voices come back through a ring and are reused. Mixing is integer fixed point.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "media/audio/audio_ring.h"
#include "media/audio/mixer_sound.h"
#include "media/audio/mixer_voice.h"

class TMixer {
public:
  static constexpr int32_t OUTPUT_HERTZ = 44100;
  static constexpr int32_t FRAGMENT_FRAMES = 512;  // about 11.6 ms
  static constexpr int32_t FRAGMENT_VALUES = FRAGMENT_FRAMES * 2;
  // Every sound starts this long after its play request, whenever the fragment that takes it is mixed, so
  // sounds the game starts on a steady beat are heard on that beat.
  static constexpr int32_t START_DELAY_MILLIS = 20;
  // A channel handle is a slot index in its low 12 bits and the slot's generation above them.
  static constexpr uint32_t SLOT_BITS = 12;
  static constexpr uint32_t SLOTS = 1u << SLOT_BITS;  // slot 0 is never handed out: handle 0 is "no channel"

  TMixer();
  ~TMixer();
  TMixer(const TMixer&) = delete;
  TMixer& operator=(const TMixer&) = delete;

  // ---- Game thread. Operations on handle 0 or a stale handle (its slot freed or handed out again) do nothing.

  // A free channel with volume 1, pan 0, depth 0 and rate 1; 0 when all 4095 are taken. A temporary channel
  // goes back to the free list by itself when its sound ends.
  uint32_t AllocChannel(bool temporary = false);
  // Gives the slot back; the channel's voice, if any, plays on to its end.
  void FreeChannel(uint32_t handle);
  // Ends the channel's voice and gives the slot back.
  void StopChannel(uint32_t handle);
  // Plays sound on the channel, ending whatever played there; the new voice takes the channel's volume, pan,
  // depth and rate. It is queued to the mixer at once (paused for a cue) and starts START_DELAY_MILLIS after
  // nowMillis, a reading of the clock the output later passes to MixFragment.
  void Play(uint32_t handle, std::shared_ptr<const TMixSound> sound, bool paused, int32_t nowMillis);

  // Channel parameters, kept for the next Play and passed on to the playing voice. Volume 1.0 is full and is
  // stored as 4.12 fixed point in 16 bits; pan runs from -1 (left) to +1 (right); a negative depth inverts the
  // right side; rate 1.0 plays at the sound's own frequency. Values beyond what the mixer can use are clamped.
  void SetVolume(uint32_t handle, float volume);
  void SetPan(uint32_t handle, float pan);
  void SetDepth(uint32_t handle, float depth);
  void SetRate(uint32_t handle, float rate);
  void SetPaused(uint32_t handle, int32_t paused);
  // 1 while the channel's voice is neither finished nor paused.
  int32_t Playing(uint32_t handle);
  // Frames of the sound played so far by the channel's voice, as of the last fragment.
  int32_t Position(uint32_t handle);

  // Voice objects made so far: it stops growing once finished voices come back for reuse.
  int32_t VoiceObjects() const { return static_cast<int32_t>(_voices.size()); }

  // ---- Output thread.

  // Mixes the next fragment into out (FRAGMENT_VALUES values, left then right). nowMillis is the clock that
  // stamped the play requests.
  void MixFragment(int16_t* out, int32_t nowMillis);

  // ---- Either thread.

  // From the next fragment on, every voice is faded to silence within that fragment and ended, and later
  // fragments are silent, so the output can be stopped without a click.
  void FadeOut() { _fadeRequested.store(1, std::memory_order_relaxed); }
  // Silent fragments mixed since the fade-out completed.
  int32_t FragmentsSinceFade() const { return _silentFragments.load(std::memory_order_relaxed); }
  // Fragments mixed so far.
  int64_t Fragments() const { return _fragments.load(std::memory_order_relaxed); }

private:
  struct TSlot {
    uint32_t handle = 0;  // 0 while free
    uint32_t generation = 0;
    uint32_t nextFree = 0;
    bool temporary = false;
    TMixVoice* voice = nullptr;
    int32_t volume = 4096;
    int32_t pan = 0;
    int32_t depth = 0;
    int32_t rate = 65536;
  };

  // Game thread.
  TSlot* Find(uint32_t handle);
  void ReleaseSlot(TSlot& slot);
  void Detach(TSlot& slot, bool stop);
  TMixVoice* TakeVoice();
  void Recycle(TMixVoice* voice);
  void TakeBackFinished();

  // Output thread.
  void TakeNewVoices(int32_t nowMillis);
  bool MixVoice(TMixVoice& voice, bool fading);
  bool Retire(TMixVoice& voice);

  TAudioRing<TMixVoice> _starts;    // game thread -> mixer: voices to play
  TAudioRing<TMixVoice> _finished;  // mixer -> game thread: voices to reuse

  // Game thread.
  std::array<TSlot, SLOTS> _slots;
  uint32_t _freeSlots = 0;  // head of the free list
  std::vector<std::unique_ptr<TMixVoice>> _voices;
  std::vector<TMixVoice*> _spare;

  // Output thread.
  TMixVoice* _playing = nullptr;
  bool _faded = false;
  alignas(64) std::array<int32_t, FRAGMENT_VALUES> _accum{};

  std::atomic<int32_t> _fadeRequested{0};
  std::atomic<int32_t> _silentFragments{0};
  std::atomic<int64_t> _fragments{0};
};
