// Fuzzes the reader of replay files: whatever a player is handed as a replay. Every replay it accepts must keep
// the limits the playback relies on, must read back the same once written again, and must play back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "netplay/replay_file.h"
#include "netplay/replay_player.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TReplay replay;
  std::string error;
  if (!ReadReplay({reinterpret_cast<const char*>(data), size}, &replay, &error)) {
    if (error.empty()) {
      __builtin_trap();
    }
    return 0;
  }
  const int32_t ticks = replay.Ticks();
  if (ticks > REPLAY_MAX_TICKS || replay.right.size() != replay.left.size() || replay.endTick >= ticks ||
      (replay.Decided() && replay.winner != 0 && replay.winner != 1) || replay.ring < 0 || replay.ring > 9) {
    __builtin_trap();
  }
  for (size_t i = 0; i < replay.left.size(); i++) {
    if (((replay.left[i] | replay.right[i]) & ~INPUT_VALID_BITS) != 0) {
      __builtin_trap();
    }
  }
  int32_t previous = -1;
  for (const auto& [tick, hash] : replay.hashes) {
    if (tick <= previous || tick >= ticks) {
      __builtin_trap();
    }
    previous = tick;
  }
  TReplay again;
  if (!ReadReplay(ReplayText(replay), &again, &error) || again.left != replay.left || again.right != replay.right ||
      again.hashes != replay.hashes || again.version != replay.version || again.rulesHash != replay.rulesHash ||
      again.online != replay.online || again.side != replay.side || again.ring != replay.ring ||
      again.endTick != replay.endTick || again.winner != replay.winner) {
    __builtin_trap();
  }
  // The start of the playback, checks and all: enough to reach the first hash line.
  TReplayPlayer player(std::move(replay));
  for (int32_t tick = 0; tick < 2 * REPLAY_HASH_PERIOD && player.Step(); tick++) {
  }
  return 0;
}
