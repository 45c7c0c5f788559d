// A match's input log as a small text file: what was played on, tick by tick, and hashes of the fight to check a
// playback against. A fight is a function of its frames alone, so these few kilobytes give the whole match back.
//
//   morvik replay 1            the format; a reader of this version refuses any other
//   version 1.1                the game that recorded it, as players read it
//   rules 0123456789abcdef     FightRulesHash() of that game, hexadecimal
//   kind online                online or local
//   ring 3                     the level whose ring the match was fought in (0..9), for drawing only
//   side 0                     the side the recording machine played (0 left, 1 right), - for a local match
//   frames 120 0000 0000       COUNT ticks on the same two frames (left, right; hexadecimal), in tick order
//   hash 59 0123456789abcdef   the fight's Hash() after tick 59 (ticks counted from 0); after the frames lines
//                              that reach that tick
//   end 4811 1                 last: the tick after which the match was decided and who won (0 left, 1 right)
//   left                       or last: the match was left before it was decided
//
// The recorder hashes the ticks that close a second of play (59, 119, ...): a playback that parts from the
// recorded match is caught within a second of where it parted.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fight/input_frame.h"

inline constexpr int32_t REPLAY_FORMAT = 1;
// Five and a half hours of play: far beyond any match, far below what would hurt to hold (4 MB of frames).
inline constexpr int32_t REPLAY_MAX_TICKS = 1000000;
// Each tick on a line of its own with its hash line beside it stays under this.
inline constexpr int32_t REPLAY_MAX_BYTES = 64 * 1024 * 1024;
inline constexpr int32_t REPLAY_MAX_LINE = 128;
inline constexpr int32_t REPLAY_VERSION_CHARS = 32;
inline constexpr int32_t REPLAY_HASH_PERIOD = 60;
// How many ticks a recorder holds without growing: half an hour of play.
inline constexpr int32_t REPLAY_RESERVED_TICKS = 90000;

struct TReplay {
  std::string version;  // printable ASCII, 1..REPLAY_VERSION_CHARS characters
  uint64_t rulesHash = 0;
  bool online = false;
  int32_t ring = 0;
  int32_t side = -1;  // 0 or 1 online, -1 local
  std::vector<TInputFrame> left, right;
  std::vector<std::pair<int32_t, uint64_t>> hashes;  // (tick, the fight's hash after it), ticks increasing
  int32_t endTick = -1;                              // -1 when the match was left
  int32_t winner = -1;

  int32_t Ticks() const { return static_cast<int32_t>(left.size()); }
  bool Decided() const { return endTick >= 0; }
};

// Whether the recorder keeps the hash after this tick (the last of every second of play).
constexpr bool ReplayHashesTick(int32_t tick) {
  return tick % REPLAY_HASH_PERIOD == REPLAY_HASH_PERIOD - 1;
}

// The file's text. Equal frames of consecutive ticks share one line.
std::string ReplayText(const TReplay& replay);

// Reads a replay's text, taking nothing on trust: any line out of its place, too long, or with a number that is
// out of range (more than REPLAY_MAX_TICKS ticks, a frame with bits no pad can press, hash ticks that do not
// increase or lie beyond the frames) refuses the whole file. False with a message the player can read in *error
// ("This replay file is damaged at line 7."); *replay is only changed on success.
bool ReadReplay(std::string_view text, TReplay* replay, std::string* error);

// The name a replay recorded at when gets: "2026-12-11-14-03-22-online.txt" in local time, so names sort by
// time; copy 2 and on (of the same second) get "-2", "-3", ... before ".txt".
std::string ReplayFileName(std::time_t when, bool online, int32_t copy = 1);

// Writes the replay whole (or not at all) into folder, made when missing, under the first of its names that no
// file has yet: never over another replay. The path written in *path. False with the reason in *error.
bool WriteReplayFileIn(const std::filesystem::path& folder, const TReplay& replay, std::time_t when, std::string* path,
                       std::string* error);
// The same into replays/ of the player's save folder (bin/replays in a portable game), now.
bool WriteReplayFile(const TReplay& replay, std::string* path, std::string* error);
// WriteReplayFile for a match just played: a replay that cannot be written costs the player a warning on the
// console, never the game.
void KeepReplay(const TReplay& replay);

// What a machine had when an online match went out of step, as text, into replays/ of the save folder under a
// dated name ending "-desync.txt".
bool WriteDesyncReport(const std::string& text, std::string* path, std::string* error);
// Reads a replay file (ReadReplay on at most REPLAY_MAX_BYTES of it); the errors are the player's too.
bool ReadReplayFile(std::u16string_view path, TReplay* replay, std::string* error);
