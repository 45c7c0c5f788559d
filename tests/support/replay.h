// Recording and replaying a game session headless: the random seed, the clock reading of every frame and the key
// events that arrived before it. A replay feeds them to the real frame body and writes a per-tick summary
// (both fighters' healths, actions, positions and powers, the score and a running checksum), so a replay that
// differs from its recording, or a change of game behaviour, shows as a changed line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TRecordedKey {
  bool down = true;
  int32_t key = 0;
};

struct TRecordedFrame {
  int32_t clock = 0;
  std::vector<TRecordedKey> keys;  // sent, in order, before the frame runs
};

struct TRecording {
  int32_t seed = 0;
  std::vector<TRecordedFrame> frames;

  // Text: "seed N", then one line per frame: the clock reading, then "+K" for a key K going down, "-K" up.
  std::string ToText() const;
  static TRecording FromText(const std::string& text);
};

// Decides the keys of the next frame from what the game shows; a recording session asks it before each frame.
using TKeyScript = std::vector<TRecordedKey> (*)(int32_t frame, void* context);

// Runs frames through the game's frame body with the recording's keys and clock, from a freshly set-up game at
// the main menu (the caller provides that), and returns the per-tick summary: one line for each frame of a
// round in progress, and a last line with the checksum of every frame's state.
std::string ReplaySummary(const TRecording& recording, std::vector<std::string>* lines = nullptr);

// Plays a session with keys chosen by the script for frames frames, recording it; clock steps are 20 ms with a
// millisecond of jitter now and then, as a real frame timer's readings have.
TRecording RecordSession(int32_t seed, int32_t frames, TKeyScript script, void* context);
