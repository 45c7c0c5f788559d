// Playing a replay back, checked as it goes.
#include "netplay/replay_player.h"

#include <utility>

bool ReplayPlaysHere(const TReplay& replay, std::string* error) {
  if (replay.rulesHash != FightRulesHash()) {
    *error = "This replay was recorded with Morvik " + replay.version +
             ", whose fights go by other rules than this game's: it cannot be played back here.";
    return false;
  }
  return true;
}

bool LoadReplay(std::u16string_view path, TReplay* replay, std::string* error) {
  TReplay read;
  if (!ReadReplayFile(path, &read, error) || !ReplayPlaysHere(read, error)) {
    return false;
  }
  *replay = std::move(read);
  return true;
}

TReplayPlayer::TReplayPlayer(TReplay replay) : _replay(std::move(replay)) {}

bool TReplayPlayer::Step() {
  const int32_t tick = _fight.Tick();
  if (tick >= _replay.Ticks()) {
    return false;
  }
  const size_t at = static_cast<size_t>(tick);
  _events = _fight.Advance(_replay.left[at], _replay.right[at]);
  Check(tick);
  return true;
}

void TReplayPlayer::Check(int32_t tick) {
  bool agrees = true;
  if (_nextHash < _replay.hashes.size() && _replay.hashes[_nextHash].first == tick) {
    agrees = _replay.hashes[_nextHash].second == _fight.Hash();
    _nextHash++;
  }
  // The winner is the fight's own say on the last tick that matters; a hash may not fall on it.
  if (tick == _replay.endTick) {
    agrees = agrees && _fight.Winner() == _replay.winner;
  }
  if (!agrees && _mismatchTick < 0) {
    _mismatchTick = tick;
  }
}
