// Plays a recorded match back on a fresh fight, tick by tick, and checks the fight against the recording as it
// goes: each hash line when its tick has been played, and the winner when the match ends. A playback that parts
// from the match it recorded (another build's fight, a damaged frame) is caught at the first check after it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fight/fight.h"
#include "netplay/replay_file.h"

// Whether this build's fight can play the replay back: its rules must be this build's (FightRulesHash()). The
// version alone does not matter; a build of another version whose fight goes the same way plays it. False with a
// message for the player in *error.
bool ReplayPlaysHere(const TReplay& replay, std::string* error);

// ReadReplayFile and ReplayPlaysHere in one: what `--replay FILE` loads with.
bool LoadReplay(std::u16string_view path, TReplay* replay, std::string* error);

class TReplayPlayer {
public:
  explicit TReplayPlayer(TReplay replay);
  TReplayPlayer(const TReplayPlayer&) = delete;
  TReplayPlayer& operator=(const TReplayPlayer&) = delete;

  // Plays the next tick and checks it. False, playing nothing, once every tick is played. Allocates nothing.
  bool Step();
  const TFight& Fight() const { return _fight; }
  // What the last tick played made the players hear.
  std::span<const TFightEvent> Events() const { return _events; }
  // Ticks played, and ticks in the replay.
  int32_t Tick() const { return _fight.Tick(); }
  int32_t Ticks() const { return _replay.Ticks(); }
  bool Done() const { return Tick() >= Ticks(); }
  // The first tick after which the fight differed from the recording, or -1 while every check so far agreed.
  int32_t MismatchTick() const { return _mismatchTick; }
  const TReplay& Replay() const { return _replay; }

private:
  void Check(int32_t tick);

  TReplay _replay;
  TFight _fight;
  std::span<const TFightEvent> _events;
  size_t _nextHash = 0;
  int32_t _mismatchTick = -1;
};
