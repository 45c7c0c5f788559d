// A whole level-1 tournament match as a player hears it: the game's own start-up, menus and frame loop on the real
// clock at 50 frames a second, the recording drawing driver, the SoftMix driver on SDL's disk audio driver and the
// shipped sound files. The computer plays fighter 0 with the match simulator's reference player, and the bound
// keys press on between rounds. The mixer holds sums beyond 16 bits at the ends of the range, so every value at
// 32767 or -32768 in the recording is a clipped one: the sound effects must be mastered so that none occurs.
// The match's random choices come from a seed it prints; MORVIK_MATCH_SEED=N plays the match of seed N again.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "app/game.h"
#include "app/match_simulation.h"
#include "app/startup.h"
#include "controls/control.h"
#include "fighters/controller_ai.h"
#include "fighters/figure.h"
#include "headless/recording_driver.h"
#include "media/audio/audio.h"
#include "media/core/events.h"
#include "media/core/random.h"
#include "media/graphics/graphics.h"
#include "media/input/key_codes.h"
#include "media/platform/media.h"
#include "media/platform/timer.h"
#include "shared/game_state.h"
#include "shared/window.h"
#include "support/pcm_recording.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

// Level 1 takes about 50 s: three rounds of some 11 s each and their countdowns. A match nobody can end must
// not hold the test for ever.
constexpr auto kMatchDeadline = std::chrono::minutes(5);
// The result sound lasts 1.9 s; it starts 20 ms after its request.
constexpr int kFramesAfterTheResult = 2 * 50 + 25;

// The shipped files only: a settings file left in the build's game folder could have switched the sound off.
void CopyShippedData(const std::filesystem::path& game, const std::filesystem::path& to) {
  namespace fs = std::filesystem;
  for (const char* folder : {"gfx", "sfx"}) {
    fs::copy(game / folder, to / folder, fs::copy_options::recursive);
  }
  fs::create_directories(to / "bin");
  for (const char* file : {"bin/keyboard.dat", "bin/tournament.dat"}) {
    fs::copy_file(game / file, to / file);
  }
}

void Tap(int32_t key) {
  EmitEvent(TEvent{EVENT_KEYDOWN, nullptr, key, 0, 0, 0});
  EmitEvent(TEvent{EVENT_KEYUP, nullptr, key, 0, 0, 0});
}

// One frame of the game's own loop, paced by its own 50 Hz frame timer.
void RunFrame(TRecordingDriver& driver) {
  driver.log.clear();  // keeps its memory: the log does not grow with the match
  Game::Frame();
  FrameTimer->Wait();
}

void RunFrames(TRecordingDriver& driver, int count) {
  for (int i = 0; i < count; i++) {
    RunFrame(driver);
  }
}

bool MatchDecided() {
  return RoundsWon[0] == 3 || RoundsWon[1] == 3;
}

// The seed of the match's random choices: MORVIK_MATCH_SEED when it is set (a number), a new one otherwise, as
// the game takes one from the clock. False for a variable that is not a number.
bool MatchSeed(int32_t* seed) {
  const char* given = std::getenv("MORVIK_MATCH_SEED");
  if (given == nullptr || *given == '\0') {
    *seed = static_cast<int32_t>(std::random_device()() & 0x7FFFFFFF);
    return true;
  }
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(given, &end, 10);
  if (errno != 0 || *end != '\0' || value < INT32_MIN || value > INT32_MAX) {
    return false;
  }
  *seed = static_cast<int32_t>(value);
  return true;
}

}  // namespace

TEST(WholeMatchRecording, ALevel1TournamentMatchPlaysWithoutOneClippedSample) {
  ScopedTempDir dir;
  CopyShippedData(MORVIK_GAME_DIR, dir.path());
  std::string raw = (dir.path() / "match.raw").string();
  ScopedEnv driverName("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", raw);

  std::string error;
  ASSERT_TRUE(StartMedia(&error)) << error;
  TRecordingDriver driver;
  SetGameGraphicsDriver(&driver);
  StartUp();
  ASSERT_EQ(CurrentAudioDriver().Name(), u"SoftMix Multimedia");
  ASSERT_EQ(SoundOn, 1);
  // Seeded after start-up, which seeds from the clock: a match with a clipped sample can be played again (its
  // frames still fall where the real clock puts them).
  int32_t seed = 0;
  ASSERT_TRUE(MatchSeed(&seed)) << "MORVIK_MATCH_SEED is not a number: " << std::getenv("MORVIK_MATCH_SEED");
  std::printf("match seed %d (MORVIK_MATCH_SEED=%d plays it again)\n", seed, seed);
  std::fflush(stdout);
  SeedRandom(seed);
  SetupGraphics();

  // The main menu: down and up again, then Tournament and Play at level 1, as a player would.
  RunFrames(driver, 25);
  for (int32_t key : {KEY_DOWN, KEY_UP, KEY_ENTER, KEY_ENTER}) {
    Tap(key);
    RunFrames(driver, 15);
  }
  ASSERT_EQ(Training, 0);
  ASSERT_EQ(Level, 0);
  ASSERT_NE(GameState, GAMESTATE_NONE) << "the menu did not start a match";

  // The computer takes the player's place before the countdown begins.
  auto player = TControllerAI::Create(REFERENCE_PLAYER);
  player->fig = Fighters[0].get();
  Fighters[0]->controller = player;

  const int32_t goOn = KeyBindings[COMMAND_RIGHT_HAND]->key;
  auto deadline = std::chrono::steady_clock::now() + kMatchDeadline;
  while (!(GameState == GAMESTATE_WAIT && MatchDecided()) && std::chrono::steady_clock::now() < deadline) {
    if (GameState == GAMESTATE_WAIT) {
      Tap(goOn);  // the next round's countdown
    }
    RunFrame(driver);
  }
  ASSERT_TRUE(GameState == GAMESTATE_WAIT && MatchDecided()) << "the match was not decided in time";
  RunFrames(driver, kFramesAfterTheResult);
  std::printf("match decided %d:%d in %d rounds\n", RoundsWon[0], RoundsWon[1], Round - 1);

  StopMedia();
  SetGameGraphicsDriver(nullptr);
  ResetGame();

  std::vector<int16_t> recording = ReadRecording(raw);
  TClipping clipping = MeasureClipping(recording);
  double seconds = static_cast<double>(recording.size()) / 2 / 44100;
  std::printf("recorded %.1f s: %lld clipped samples, the longest flat top %.2f ms, peak %.3f of full scale\n", seconds,
              static_cast<long long>(clipping.clipped), clipping.longestRun / 44.1, clipping.peak / 32768.0);
  EXPECT_GT(seconds, 40.0) << "the recording is shorter than a match";
  EXPECT_GT(clipping.peak, 1000) << "the match was not heard";
  EXPECT_EQ(clipping.clipped, 0);
}
