// SDL2_image and SDL2_mixer loading the game's files: the peers the game's loaders are compared with. The only
// files of the loading benchmark that include SDL's libraries.
#pragma once

#include <string>

// IMG_Load and SDL_FreeSurface; false when the file cannot be loaded.
bool SdlImageLoad(const std::string& path);

// Opens SDL2_mixer at the game's output format (44100 Hz, stereo, 16-bit) on the audio driver named by
// SDL_AUDIODRIVER; Mix_LoadWAV needs an open mixer. False when it cannot be opened.
bool SdlMixerOpen();
void SdlMixerClose();
// Mix_LoadWAV (decoding and converting to the output format) and Mix_FreeChunk; false when it fails.
bool SdlMixerLoad(const std::string& path);
