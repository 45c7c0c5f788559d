// Recording a match for its replay.
#include "netplay/replay_recorder.h"

#include <algorithm>

TReplayRecorder::TReplayRecorder() {
  _replay.left.reserve(REPLAY_RESERVED_TICKS);
  _replay.right.reserve(REPLAY_RESERVED_TICKS);
  _replay.hashes.reserve(REPLAY_RESERVED_TICKS / REPLAY_HASH_PERIOD);
}

void TReplayRecorder::Begin(std::string_view version, uint64_t rulesHash, bool online, int32_t ring, int32_t side) {
  // Kept to what a reader takes, so whatever the game passes the file reads back.
  _replay.version = version.empty() ? "?" : version.substr(0, REPLAY_VERSION_CHARS);
  for (char& c : _replay.version) {
    c = c < ' ' || c > '~' ? '?' : c;
  }
  _replay.rulesHash = rulesHash;
  _replay.online = online;
  _replay.ring = std::clamp(ring, 0, 9);
  _replay.side = !online ? -1 : side == 1 ? 1 : 0;
  _replay.left.clear();
  _replay.right.clear();
  _replay.hashes.clear();
  _replay.endTick = -1;
  _replay.winner = -1;
}

bool TReplayRecorder::Add(TInputFrame left, TInputFrame right, uint64_t hashAfter) {
  const int32_t tick = _replay.Ticks();
  if (tick >= REPLAY_MAX_TICKS) {
    return false;
  }
  _replay.left.push_back(left);
  _replay.right.push_back(right);
  if (ReplayHashesTick(tick)) {
    _replay.hashes.emplace_back(tick, hashAfter);
  }
  return true;
}

bool TReplayRecorder::End(int32_t endTick, int32_t winner) {
  if (endTick < 0 || endTick >= _replay.Ticks() || (winner != 0 && winner != 1)) {
    return false;
  }
  _replay.endTick = endTick;
  _replay.winner = winner;
  return true;
}
