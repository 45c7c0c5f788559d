// A replay played back in the window (morvik --replay FILE): the recorded match stepped one tick a frame on its
// frames, with its sounds, and checked against its hashes as it goes. Escape goes back to the menus.
#pragma once

#include <string>
#include <string_view>

namespace ReplayPlayback {

// Reads the file and starts its playback as a match from the menus. False, with why as the player reads it, for a
// file that is missing, damaged or of other rules.
bool Start(std::u16string_view path, std::string* error);
// One frame of the playback: a tick played and checked, or Escape.
void Step();
// The fight, "Replay", and once it is over its result and whether every check agreed.
void Draw();
// The tick the playback parted from the recording at, -1 while every check agrees.
int32_t MismatchTick();
void Reset();

}  // namespace ReplayPlayback
