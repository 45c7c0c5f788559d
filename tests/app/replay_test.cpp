// A training session recorded and replayed headless through the real frame body. The committed summary catches
// any change of game behaviour; when a change is meant, regenerate it deliberately with
//   MORVIK_REGENERATE_REPLAY=1 build/debug/tests/morvik_tests --gtest_filter='Replay.*'
// and commit the two files of tests/app/replay.
#include "support/replay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include "fighters/figure.h"
#include "frontend/guidance.h"
#include "media/audio/audio.h"
#include "media/input/key_codes.h"
#include "shared/game_state.h"
#include "support/headless_game.h"

namespace {

const std::string kFolder = std::string(MORVIK_SOURCE_DIR) + "/tests/app/replay/";
constexpr int32_t kSeed = 20261208;
constexpr int32_t kFrames = 4000;

class ReplayTest : public HeadlessGameTest {
protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    // The recorded player had read the how-to-play card before: its countdowns count at once.
    HowToPlayRead = 1;
    // Sound on, silent: the fight sounds draw their variants from the shared generator as in the game.
    for (auto& kind : FightSounds) {
      for (auto& sound : kind) {
        sound = CurrentAudioDriver().CreateSound(nullptr, 0);
      }
    }
  }
};

// A player with a plan: training from the main menu, then walking in and punching where the opponent is open,
// now and then at random, a pause in the first round, and pressing on after every knockout.
struct TPlayer {
  std::mt19937 random{7};
  bool held[256] = {};
  std::vector<TRecordedKey> keys;

  void Hold(int32_t key, bool down) {
    if (held[key] != down) {
      keys.push_back({down, key});
      held[key] = down;
    }
  }
  void Tap(int32_t key) {
    keys.push_back({true, key});
    keys.push_back({false, key});
  }
  std::vector<TRecordedKey> Next(int32_t frame) {
    keys.clear();
    if (frame == 10) {
      Tap(KEY_DOWN);
    } else if (frame == 14) {
      Tap(KEY_ENTER);
    } else if (GameState == GAMESTATE_FIGHT && frame > 700 && frame < 704) {
      if (frame == 701) {
        Tap(KEY_ESCAPE);  // pause
      }
    } else if (GameState == GAMESTATE_PAUSED && frame == 740) {
      Tap(KEY_ESCAPE);  // and on
    } else if (GameState == GAMESTATE_WAIT && frame % 25 == 0) {
      Tap('W');
    } else if (GameState == GAMESTATE_FIGHT) {
      Fight();
    }
    return keys;
  }
  void Fight() {
    const TFigure& me = *Fighters[0];
    const TFigure& other = *Fighters[1];
    bool inReach = other.x - me.x < 78;
    bool guessing = random() % 4 == 0;
    Hold('D', !inReach);
    Hold('W', inReach && (guessing ? random() % 2 == 0 : other.height != 0));
    Hold('S', inReach && !held[static_cast<int>('W')] && other.height == 0);
    if (inReach && me.action == ACTION_GUARD && random() % 3 == 0) {
      Tap(random() % 2 == 0 ? 'J' : 'I');
    }
  }
};

std::vector<TRecordedKey> Script(int32_t frame, void* context) {
  return static_cast<TPlayer*>(context)->Next(frame);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST_F(ReplayTest, ARecordedSessionReplaysToTheSameTicks) {
  TPlayer player;
  TRecording recording = RecordSession(kSeed, kFrames, Script, &player);
  std::vector<std::string> recorded;
  // The recording's own run, summarised from its frames again in a fresh game.
  TearDown();
  SetUp();
  std::string first = ReplaySummary(recording, &recorded);
  TearDown();
  SetUp();
  std::string again = ReplaySummary(TRecording::FromText(recording.ToText()));
  EXPECT_EQ(first, again);
  // It was a real session: a round was fought to a knockout and the next one begun.
  EXPECT_GT(recorded.size(), 1000u);
  EXPECT_NE(first.find(" 1:0 "), std::string::npos);
  if (std::getenv("MORVIK_REGENERATE_REPLAY") != nullptr) {
    std::ofstream(kFolder + "training.rec", std::ios::binary) << recording.ToText();
    std::ofstream(kFolder + "training.summary", std::ios::binary) << first;
  }
}

TEST_F(ReplayTest, TheCommittedRecordingStillPlaysAsItDid) {
  std::string recording = ReadFile(kFolder + "training.rec");
  std::string expected = ReadFile(kFolder + "training.summary");
  ASSERT_FALSE(recording.empty()) << "no committed recording in " << kFolder;
  std::vector<std::string> lines;
  std::string summary = ReplaySummary(TRecording::FromText(recording), &lines);
  if (summary == expected) {
    return;
  }
  // Name the first tick that differs, which says when the game began to behave differently.
  std::istringstream want(expected);
  std::string line;
  for (size_t i = 0; std::getline(want, line); i++) {
    ASSERT_LT(i, lines.size()) << "the replay ends early";
    ASSERT_EQ(lines[i], line) << "the game behaves differently from this tick on (line " << i + 1
                              << "); if that is meant, regenerate: see the top of tests/app/replay_test.cpp";
  }
  FAIL() << "the replay goes on longer than the recording's summary";
}
