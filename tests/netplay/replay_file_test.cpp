// Replay files: a recorded match written, read back and played back with every check agreeing; a playback that
// parts from its recording caught where it parts; damaged files refused with a message; files never overwritten.
#include "netplay/replay_file.h"

#include <gtest/gtest.h>

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "fight/ai_pilot.h"
#include "media/core/random.h"
#include "media/core/text.h"
#include "netplay/replay_player.h"
#include "netplay/replay_recorder.h"
#include "shared/game_state.h"
#include "support/game_fixture.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

// Local time is UTC while it lives, so file names are the same wherever the test runs.
class TUtc {
public:
  TUtc() {
    _zone.emplace("TZ", "UTC");
    tzset();
  }
  ~TUtc() {
    _zone.reset();
    tzset();
  }

private:
  std::optional<ScopedEnv> _zone;
};

class ReplayFile : public GameTest {
protected:
  // A whole match of two computer opponents, recorded as the game records an online one, up to the first tick
  // after which it is over.
  static TReplay RecordMatch() {
    SeedRandom(7);
    const std::array<int32_t, 6> level5 = {300, 240, 70, 800, 2, 1};
    const std::array<int32_t, 6> level8 = {210, 130, 35, 550, 2, 1};
    TAIPilot left(level5);
    TAIPilot right(level8);
    TFight fight;
    TReplayRecorder recorder;
    recorder.Begin("1.1", FightRulesHash(), true, 4, 1);
    while (fight.Phase() != FIGHT_OVER && fight.Tick() < 50 * 600) {
      TInputFrame a = left.Next(fight, 0);
      TInputFrame b = right.Next(fight, 1);
      fight.Advance(a, b);
      recorder.Add(a, b, fight.Hash());
    }
    EXPECT_TRUE(recorder.End(fight.Tick() - 1, fight.Winner()));
    return recorder.Replay();
  }

  // The first tick after which playing the replay back differs from what was recorded.
  static int32_t Mismatch(const TReplay& replay) {
    TReplayPlayer player(replay);
    while (player.Step()) {
    }
    return player.MismatchTick();
  }

  static void ExpectSame(const TReplay& a, const TReplay& b) {
    EXPECT_EQ(a.version, b.version);
    EXPECT_EQ(a.rulesHash, b.rulesHash);
    EXPECT_EQ(a.online, b.online);
    EXPECT_EQ(a.ring, b.ring);
    EXPECT_EQ(a.side, b.side);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.right, b.right);
    EXPECT_EQ(a.hashes, b.hashes);
    EXPECT_EQ(a.endTick, b.endTick);
    EXPECT_EQ(a.winner, b.winner);
  }
};

TEST_F(ReplayFile, ARecordedMatchWrittenAndReadBackPlaysBackWithEveryCheckAgreeing) {
  const TReplay recorded = RecordMatch();
  ASSERT_TRUE(recorded.Decided());
  ASSERT_GT(recorded.Ticks(), 1000);
  EXPECT_EQ(recorded.hashes.size(), static_cast<size_t>(recorded.Ticks() / REPLAY_HASH_PERIOD));

  ScopedTempDir folder;
  std::string path;
  std::string error;
  ASSERT_TRUE(WriteReplayFileIn(folder.path() / "replays", recorded, 1796997802, &path, &error)) << error;
  TReplay read;
  ASSERT_TRUE(LoadReplay(BytesToText(path), &read, &error)) << error;
  ExpectSame(read, recorded);
  // Runs of held frames keep the file to a few bytes a tick.
  EXPECT_LT(folder.Read("replays/" + ReplayFileName(1796997802, true)).size(), static_cast<size_t>(read.Ticks()) * 8);

  TReplayPlayer player(std::move(read));
  int32_t steps = 0;
  while (player.Step()) {
    steps++;
  }
  EXPECT_EQ(steps, recorded.Ticks());
  EXPECT_TRUE(player.Done());
  EXPECT_EQ(player.MismatchTick(), -1);
  EXPECT_EQ(player.Fight().Phase(), FIGHT_OVER);
  EXPECT_EQ(player.Fight().Winner(), recorded.winner);

  // A match left half-way reads back as left, and plays back as far as it went.
  TReplay left = recorded;
  left.left.resize(700);
  left.right.resize(700);
  left.hashes.resize(700 / REPLAY_HASH_PERIOD);
  left.endTick = left.winner = -1;
  ASSERT_TRUE(ReadReplay(ReplayText(left), &read, &error)) << error;
  ExpectSame(read, left);
  EXPECT_EQ(Mismatch(read), -1);
}

TEST_F(ReplayFile, APlaybackThatPartsIsCaughtAtTheNextCheck) {
  const TReplay recorded = RecordMatch();
  // The first frame from tick 400 on whose change changes the fight: the playback parts right after it.
  TReplay changed = recorded;
  int32_t parted = -1;
  {
    TFight fight;
    for (int32_t tick = 0; parted < 0 && tick < recorded.Ticks(); tick++) {
      const size_t at = static_cast<size_t>(tick);
      TFightState before;
      fight.Save(&before);
      fight.Advance(recorded.left[at], recorded.right[at]);
      if (tick < 400) {
        continue;
      }
      const uint64_t original = fight.Hash();
      const TInputFrame other = MakeInput({COMMAND_DOWN}, {COMMAND_LEFT_HAND});
      fight.Load(before);
      fight.Advance(other, recorded.right[at]);
      if (fight.Hash() != original) {
        parted = tick;
        changed.left[at] = other;
      }
    }
  }
  ASSERT_GE(parted, 400);
  const int32_t nextCheck = parted / REPLAY_HASH_PERIOD * REPLAY_HASH_PERIOD + REPLAY_HASH_PERIOD - 1;
  ASSERT_LT(nextCheck, recorded.Ticks());
  EXPECT_EQ(Mismatch(changed), nextCheck);

  // The winner is checked on the tick the match ended, whether a hash falls on it or not.
  TReplay otherWinner = recorded;
  otherWinner.winner = 1 - recorded.winner;
  EXPECT_EQ(Mismatch(otherWinner), recorded.endTick);

  // Another build's fight cannot play it at all.
  TReplay otherRules = recorded;
  otherRules.rulesHash ^= 1;
  otherRules.version = "0.9";
  std::string error;
  EXPECT_FALSE(ReplayPlaysHere(otherRules, &error));
  EXPECT_EQ(error,
            "This replay was recorded with Morvik 0.9, whose fights go by other rules than this game's: it "
            "cannot be played back here.");
}

TEST_F(ReplayFile, DamagedTextsAreRefusedWithTheLineAtFault) {
  const std::string head = "morvik replay 1\nversion 1.1\nrules 00000000deadbeef\nkind local\nring 2\nside -\n";
  TReplay good;
  std::string error;
  ASSERT_TRUE(
      ReadReplay(head + "frames 70 0001 0000\nhash 59 0123456789abcdef\nframes 1 0081 0000\nend 70 0\n", &good, &error))
      << error;
  EXPECT_EQ(good.Ticks(), 71);
  EXPECT_EQ(good.rulesHash, 0xdeadbeefu);
  EXPECT_EQ(good.ring, 2);
  EXPECT_EQ(good.side, -1);

  struct TCase {
    const char* what;
    std::string text;
    int32_t line;
  };
  const std::vector<TCase> cases = {
      {"cut after a whole line", head + "frames 70 0001 0000\n", 8},
      {"cut within the last line", head + "frames 70 0001 0000\nend 6", 8},
      {"cut within the header", head.substr(0, 40), 4},
      {"more ticks than any match", head + "frames 1000001 0000 0000\nleft\n", 7},
      {"counts that add up past the limit", head + "frames 999999 0000 0000\nframes 2 0000 0000\nleft\n", 8},
      {"a count too long to hold", head + "frames 99999999999999999999 0000 0000\nleft\n", 7},
      {"no ticks", head + "frames 0 0000 0000\nleft\n", 7},
      {"bad hexadecimal", head + "frames 1 00g0 0000\nleft\n", 7},
      {"a frame no pad can press", head + "frames 1 0000 c000\nleft\n", 7},
      {"a frame too wide", head + "frames 1 00001 0000\nleft\n", 7},
      {"hash ticks that go back", head + "frames 200 0000 0000\nhash 119 1\nhash 59 2\nleft\n", 9},
      {"a hash beyond the frames", head + "frames 60 0000 0000\nhash 60 1\nleft\n", 8},
      {"an end beyond the frames", head + "frames 60 0000 0000\nend 60 1\n", 8},
      {"a third winner", head + "frames 60 0000 0000\nend 59 2\n", 8},
      {"lines after the end", head + "frames 60 0000 0000\nleft\nframes 1 0000 0000\n", 9},
      {"a side in a local match", "morvik replay 1\nversion 1.1\nrules 1\nkind local\nring 2\nside 0\nleft\n", 6},
      {"no side online", "morvik replay 1\nversion 1.1\nrules 1\nkind online\nring 2\nside -\nleft\n", 6},
      {"two spaces", head + "frames  1 0000 0000\nleft\n", 7},
      {"an overlong line", head + "frames 1 0000 0000" + std::string(200, ' ') + "\nleft\n", 7},
  };
  for (const TCase& test : cases) {
    TReplay replay = good;
    error.clear();
    EXPECT_FALSE(ReadReplay(test.text, &replay, &error)) << test.what;
    EXPECT_EQ(error, "This replay file is damaged at line " + std::to_string(test.line) + ".") << test.what;
    EXPECT_EQ(replay.Ticks(), 71) << test.what << ": a refused file changes nothing";
  }

  EXPECT_FALSE(ReadReplay("morvik replay 2\n", &good, &error));
  EXPECT_EQ(error, "This replay file was written by a newer version of Morvik.");
  EXPECT_FALSE(ReadReplay(std::string("\x89PNG\r\n\x1a\n", 8), &good, &error));
  EXPECT_EQ(error, "This is not a replay file of Morvik.");
}

TEST_F(ReplayFile, FilesSortByTimeAndNeverOverwriteEachOther) {
  TUtc utc;
  EXPECT_EQ(ReplayFileName(1796997802, true), "2026-12-11-14-03-22-online.txt");
  EXPECT_EQ(ReplayFileName(1796997802, false, 3), "2026-12-11-14-03-22-local-3.txt");

  ScopedTempDir folder;
  folder.Write("replays/2026-12-11-14-03-22-local.txt", "someone else's file");
  TReplay replay;
  replay.version = "1.1";
  replay.left = replay.right = {INPUT_NONE};
  std::vector<std::string> paths(2);
  std::string error;
  for (std::string& path : paths) {
    ASSERT_TRUE(WriteReplayFileIn(folder.path() / "replays", replay, 1796997802, &path, &error)) << error;
  }
  EXPECT_EQ(paths[0], (folder.path() / "replays/2026-12-11-14-03-22-local-2.txt").string());
  EXPECT_EQ(paths[1], (folder.path() / "replays/2026-12-11-14-03-22-local-3.txt").string());
  EXPECT_EQ(folder.Read("replays/2026-12-11-14-03-22-local.txt"), "someone else's file");
  EXPECT_EQ(folder.Read("replays/2026-12-11-14-03-22-local-3.txt"), ReplayText(replay));
}

}  // namespace
