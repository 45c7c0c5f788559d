// The game thread's side of the mixer: channel slots and their handles, play requests, channel parameters, and
// the reuse of voices the mixer hands back.
#include <cmath>

#include "media/audio/mixer.h"
#include "media/measure/frame_log.h"

namespace {

// A float setter's value in fixed point, truncated toward zero like any float stored into an integer, and kept
// within what the mixer can use (NaN counts as 0).
int32_t ToFixed(float value, float one, int32_t lowest, int32_t highest) {
  float scaled = value * one;
  if (!(scaled > static_cast<float>(lowest))) {
    return std::isnan(scaled) ? 0 : lowest;
  }
  if (scaled >= static_cast<float>(highest)) {
    return highest;
  }
  return static_cast<int32_t>(scaled);
}

// Volume and depth are 16-bit words; pan beyond a side would turn that side's gain negative; the mixer only
// reads forwards, and a rate of 256 already skips most of any sound.
constexpr int32_t kMaxRate = 256 * 65536;
// More voices than a match ever plays at once (a few fight sounds of a few tenths of a second, and a jingle or
// two): made with the mixer, so that no frame of the game has to make one when a new most comes along.
constexpr int32_t kVoicesMadeAhead = 32;

}  // namespace

TMixer::TMixer() {
  // Every slot but 0 starts on the free list, lowest first.
  for (uint32_t i = SLOTS - 1; i >= 1; i--) {
    _slots[i].nextFree = _freeSlots;
    _freeSlots = i;
  }
  _spare.reserve(64);
  _voices.reserve(kVoicesMadeAhead);
  for (int32_t i = 0; i < kVoicesMadeAhead; i++) {
    _voices.push_back(std::make_unique<TMixVoice>());
    _spare.push_back(_voices.back().get());
  }
}

TMixer::~TMixer() = default;

TMixer::TSlot* TMixer::Find(uint32_t handle) {
  uint32_t index = handle & (SLOTS - 1);
  if (index == 0 || _slots[index].handle != handle) {
    return nullptr;
  }
  return &_slots[index];
}

uint32_t TMixer::AllocChannel(bool temporary) {
  TakeBackFinished();
  if (_freeSlots == 0) {
    return 0;
  }
  uint32_t index = _freeSlots;
  TSlot& slot = _slots[index];
  _freeSlots = slot.nextFree;
  slot.generation++;
  slot.handle = (slot.generation << SLOT_BITS) | index;
  slot.temporary = temporary;
  slot.volume = 4096;
  slot.pan = 0;
  slot.depth = 0;
  slot.rate = 65536;
  return slot.handle;
}

void TMixer::ReleaseSlot(TSlot& slot) {
  Detach(slot, false);
  uint32_t index = slot.handle & (SLOTS - 1);
  slot.handle = 0;  // every handle to it is stale from now on
  slot.nextFree = _freeSlots;
  _freeSlots = index;
}

void TMixer::FreeChannel(uint32_t handle) {
  TakeBackFinished();
  if (TSlot* slot = Find(handle)) {
    ReleaseSlot(*slot);
  }
}

void TMixer::StopChannel(uint32_t handle) {
  TakeBackFinished();
  if (TSlot* slot = Find(handle)) {
    Detach(*slot, true);
    ReleaseSlot(*slot);
  }
}

void TMixer::Detach(TSlot& slot, bool stop) {
  TMixVoice* voice = slot.voice;
  if (voice == nullptr) {
    return;
  }
  slot.voice = nullptr;
  voice->handle = 0;
  if (stop) {
    voice->stop.store(1, std::memory_order_relaxed);
  }
  if (!voice->inMixer) {
    Recycle(voice);  // it had ended and came back already; nothing refers to it any more
  }
}

TMixVoice* TMixer::TakeVoice() {
  if (_spare.empty()) {
    _voices.push_back(std::make_unique<TMixVoice>());
    return _voices.back().get();
  }
  TMixVoice* voice = _spare.back();
  _spare.pop_back();
  return voice;
}

void TMixer::Recycle(TMixVoice* voice) {
  voice->keep.reset();
  voice->sound = nullptr;
  voice->handle = 0;
  _spare.push_back(voice);
}

void TMixer::TakeBackFinished() {
  while (TMixVoice* voice = _finished.Pop()) {
    voice->inMixer = false;
    TSlot* slot = Find(voice->handle);
    if (slot == nullptr) {
      Recycle(voice);
    } else if (slot->temporary) {
      ReleaseSlot(*slot);  // a temporary channel lives as long as its sound
    }
    // Otherwise the voice stays on its channel, which reports it as not playing, until the channel is freed,
    // stopped or given a new sound.
  }
}

void TMixer::Play(uint32_t handle, std::shared_ptr<const TMixSound> sound, bool paused, int32_t nowMillis) {
  TakeBackFinished();
  TSlot* slot = Find(handle);
  if (slot == nullptr || sound == nullptr) {
    return;
  }
  Detach(*slot, true);
  TMixVoice* voice = TakeVoice();
  voice->sound = sound.get();
  voice->keep = std::move(sound);
  voice->requestMillis = nowMillis;
  voice->volume.store(slot->volume, std::memory_order_relaxed);
  voice->pan.store(slot->pan, std::memory_order_relaxed);
  voice->depth.store(slot->depth, std::memory_order_relaxed);
  voice->rate.store(slot->rate, std::memory_order_relaxed);
  voice->paused.store(paused ? 1 : 0, std::memory_order_relaxed);
  voice->stop.store(0, std::memory_order_relaxed);
  voice->finished.store(0, std::memory_order_relaxed);
  voice->position.store(0, std::memory_order_relaxed);
  voice->readPos = 0;
  voice->delay = 0;
  voice->lastVolume = slot->volume;
  voice->lastRate = slot->rate;
  voice->started = false;
  voice->retiring = false;
  voice->next = nullptr;
  // The push publishes every field above to the mixer.
  if (!_starts.Push(voice)) {
    // 4096 sounds waiting for a mixer that does not run: this one is not heard. A temporary channel lives as
    // long as its sound, so it ends with it; otherwise nothing would ever give its slot back.
    Recycle(voice);
    if (slot->temporary) {
      ReleaseSlot(*slot);
    }
    return;
  }
  FrameLogSoundRequested(voice);
  voice->inMixer = true;
  voice->handle = handle;
  slot->voice = voice;
}

void TMixer::SetVolume(uint32_t handle, float volume) {
  if (TSlot* slot = Find(handle)) {
    slot->volume = ToFixed(volume, 4096.0f, INT16_MIN, INT16_MAX);
    if (slot->voice != nullptr) {
      slot->voice->volume.store(slot->volume, std::memory_order_relaxed);
    }
  }
}

void TMixer::SetPan(uint32_t handle, float pan) {
  if (TSlot* slot = Find(handle)) {
    slot->pan = ToFixed(pan, 4096.0f, -4096, 4096);
    if (slot->voice != nullptr) {
      slot->voice->pan.store(slot->pan, std::memory_order_relaxed);
    }
  }
}

void TMixer::SetDepth(uint32_t handle, float depth) {
  if (TSlot* slot = Find(handle)) {
    slot->depth = ToFixed(depth, 4096.0f, INT16_MIN, INT16_MAX);
    if (slot->voice != nullptr) {
      slot->voice->depth.store(slot->depth, std::memory_order_relaxed);
    }
  }
}

void TMixer::SetRate(uint32_t handle, float rate) {
  if (TSlot* slot = Find(handle)) {
    slot->rate = ToFixed(rate, 65536.0f, 0, kMaxRate);
    if (slot->voice != nullptr) {
      slot->voice->rate.store(slot->rate, std::memory_order_relaxed);
    }
  }
}

void TMixer::SetPaused(uint32_t handle, int32_t paused) {
  TSlot* slot = Find(handle);
  if (slot != nullptr && slot->voice != nullptr) {
    slot->voice->paused.store(paused != 0 ? 1 : 0, std::memory_order_relaxed);
  }
}

int32_t TMixer::Playing(uint32_t handle) {
  TSlot* slot = Find(handle);
  if (slot == nullptr || slot->voice == nullptr) {
    return 0;
  }
  TMixVoice& voice = *slot->voice;
  bool finished = voice.finished.load(std::memory_order_relaxed) != 0;
  return !finished && voice.paused.load(std::memory_order_relaxed) == 0 ? 1 : 0;
}

int32_t TMixer::Position(uint32_t handle) {
  TSlot* slot = Find(handle);
  if (slot == nullptr || slot->voice == nullptr) {
    return 0;
  }
  return slot->voice->position.load(std::memory_order_relaxed);
}
