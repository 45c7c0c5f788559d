// SDL2_mixer playing the same sounds on SDL's audio device: the peer the game's mixer is measured against. The
// only file of the benchmark that includes SDL2_mixer.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TSdlMixerPeer {
public:
  // Opens SDL's output at 44100 Hz, stereo, 16-bit, 512-frame buffers through SDL2_mixer and plays `voices`
  // looping channels, channel i playing sounds[i % size] at full volume. Null when SDL2_mixer cannot.
  static std::unique_ptr<TSdlMixerPeer> Open(int32_t voices, const std::vector<std::string>& sounds);
  ~TSdlMixerPeer();
  TSdlMixerPeer(const TSdlMixerPeer&) = delete;
  TSdlMixerPeer& operator=(const TSdlMixerPeer&) = delete;

  // SDL's audio thread, which runs SDL2_mixer's mixing.
  pid_t AudioThread() const { return _thread; }
  // Output frames mixed so far.
  int64_t Frames() const;

private:
  TSdlMixerPeer() = default;
  pid_t _thread = 0;
  std::vector<void*> _chunks;
};

// Loads every file with SDL2_mixer (which decodes and converts to the output format) and frees them again:
// SDL2_mixer's cost of the game's start-up loading. Needs an open TSdlMixerPeer. False when a file fails.
bool LoadAllWithSdlMixer(const std::vector<std::string>& paths);
