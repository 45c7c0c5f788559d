#include "sdl_mixer_peer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>

#include "thread_cpu.h"

namespace {

std::atomic<int64_t> mixedFrames{0};

// Runs on the audio thread after SDL2_mixer has mixed a buffer: counts its frames (16-bit stereo).
void SDLCALL CountFrames(void*, Uint8*, int bytes) {
  mixedFrames.fetch_add(bytes / 4, std::memory_order_relaxed);
}

}  // namespace

std::unique_ptr<TSdlMixerPeer> TSdlMixerPeer::Open(int32_t voices, const std::vector<std::string>& sounds) {
  // Our own reference to the audio system, so that closing lets it go and the next device reads its driver
  // from the environment again (SDL2_mixer itself never lets go of it).
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    return nullptr;
  }
  std::unique_ptr<TSdlMixerPeer> peer(new TSdlMixerPeer());
  std::vector<pid_t> before = ThreadIds();
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 512) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  peer->_thread = NewThread(before, "SDLAudio");
  for (const std::string& path : sounds) {
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk == nullptr) {
      return nullptr;
    }
    peer->_chunks.push_back(chunk);
  }
  Mix_AllocateChannels(voices);
  for (int32_t i = 0; i < voices && !peer->_chunks.empty(); i++) {
    Mix_PlayChannel(i, static_cast<Mix_Chunk*>(peer->_chunks[static_cast<size_t>(i) % peer->_chunks.size()]), -1);
  }
  mixedFrames.store(0);
  Mix_SetPostMix(CountFrames, nullptr);
  return peer;
}

TSdlMixerPeer::~TSdlMixerPeer() {
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  for (void* chunk : _chunks) {
    Mix_FreeChunk(static_cast<Mix_Chunk*>(chunk));
  }
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

int64_t TSdlMixerPeer::Frames() const {
  return mixedFrames.load(std::memory_order_relaxed);
}

bool LoadAllWithSdlMixer(const std::vector<std::string>& paths) {
  bool all = true;
  for (const std::string& path : paths) {
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    all = all && chunk != nullptr;
    Mix_FreeChunk(chunk);
  }
  return all;
}
