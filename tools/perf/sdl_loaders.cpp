// SDL2_image and SDL2_mixer loading a file and letting it go again.
#include "sdl_loaders.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

bool SdlImageLoad(const std::string& path) {
  SDL_Surface* surface = IMG_Load(path.c_str());
  if (surface == nullptr) {
    return false;
  }
  SDL_FreeSurface(surface);
  return true;
}

bool SdlMixerOpen() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    return false;
  }
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 512) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

void SdlMixerClose() {
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlMixerLoad(const std::string& path) {
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  if (chunk == nullptr) {
    return false;
  }
  Mix_FreeChunk(chunk);
  return true;
}
