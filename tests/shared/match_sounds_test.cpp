// What a player hears of a match: the game's own sound set-up and helpers play a match's effects through the
// SoftMix driver on SDL's disk audio driver, and the recording is checked, by our own measures and by sox.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

#include "app/startup.h"
#include "media/audio/audio.h"
#include "media/codecs/ogg_loader.h"
#include "media/core/random.h"
#include "media/platform/softmix_driver.h"
#include "shared/game_state.h"
#include "shared/sounds.h"
#include "support/ogg_fixture.h"
#include "support/pcm_recording.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

// Each effect has a pitch of its own so the recording tells which one was heard; the woosh is noise. Fight sound
// variants differ a little, as real ones would.
struct TEffect {
  const char* file;
  double hertz;  // 0 for noise
  double amplitude;
  double seconds;
  int32_t rate;
  int32_t channels;
};

const TEffect kNumbered[SFX_COUNT] = {
    {"sfx0", 880, 0.5, 0.10, 22050, 1}, {"sfx1", 1320, 0.4, 0.06, 22050, 1}, {"sfx2", 200, 0.5, 0.1, 22050, 1},
    {"sfx3", 440, 0.6, 0.20, 44100, 2}, {"sfx4", 660, 0.6, 0.20, 44100, 2},  {"sfx5", 550, 0.6, 0.2, 44100, 1},
    {"sfx6", 330, 0.6, 0.20, 44100, 1}, {"sfx7", 990, 0.6, 0.20, 44100, 2},
};
const TEffect kFight[FIGHT_SOUND_KINDS] = {
    {"woosh", 0, 0.6, 0.15, 22050, 1},    {"block", 150, 0.8, 0.12, 22050, 1},  {"punchw", 250, 0.8, 0.10, 22050, 1},
    {"punchm", 375, 0.8, 0.12, 44100, 1}, {"punchh", 770, 0.8, 0.15, 44100, 2},
};

TTestPcm Make(const TEffect& effect, double shift, uint32_t seed) {
  if (effect.hertz == 0) {
    return MakeNoiseBurst(effect.amplitude, effect.seconds, effect.rate, effect.channels, seed);
  }
  return MakeTone(effect.hertz + shift, effect.amplitude, effect.seconds, effect.rate, effect.channels);
}

void WriteSoundFiles(const ScopedTempDir& dir) {
  for (const TEffect& effect : kNumbered) {
    dir.Write(std::string("sfx/") + effect.file + ".ogg", EncodeOggVorbis(Make(effect, 0, 1)));
  }
  for (const TEffect& kind : kFight) {
    for (int32_t v = 0; v < FIGHT_SOUND_VARIANTS; v++) {
      dir.Write(std::string("sfx/") + kind.file + std::to_string(v) + ".ogg",
                EncodeOggVorbis(Make(kind, 5.0 * v, static_cast<uint32_t>(v + 2))));
    }
  }
}

// One event of a match and what it should sound like.
struct TEvent {
  int32_t sfx;  // -1 for a fight sound
  int32_t kind;
  float volume;
  const TEffect* effect;
};

std::string SoxStat(const std::string& raw) {
  std::string command = "sox -t raw -r 44100 -e signed -b 16 -c 2 '" + raw + "' -n stat 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
      output += buffer;
    }
    pclose(pipe);
  }
  return output;
}

double SoxFigure(const std::string& stat, const std::string& label) {
  size_t at = stat.find(label);
  return at == std::string::npos ? -999 : std::stod(stat.substr(stat.find(':', at) + 1));
}

}  // namespace

TEST(MatchSounds, EveryEventOfAMatchIsHeardDistinctlyAndUnclipped) {
  ScopedTempDir dir;
  WriteSoundFiles(dir);
  std::string raw = (dir.path() / "match.raw").string();
  ScopedEnv driver("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", raw);
  RegisterSoftMixDrivers();
  RegisterOggVorbisLoader();
  ResetGame();
  SoundOn = 1;
  SeedRandom(2024);

  SetupAudio();
  ASSERT_EQ(CurrentAudioDriver().Name(), u"SoftMix Multimedia");
  for (const auto& sound : Sfx) {
    ASSERT_NE(dynamic_cast<TSoftMixSound*>(sound.get()), nullptr);
  }

  // Menu moves and picks a match; countdown, fight; a miss, a block, a weak, a medium and a hard hit at the
  // loudness the fight gives them; the round ends; the match is lost, then another one won.
  const std::vector<TEvent> match = {
      {SFX_MENU_MOVE, 0, 1, &kNumbered[1]},           {SFX_MENU_ACTION, 0, 1, &kNumbered[0]},
      {SFX_COUNTDOWN, 0, 1, &kNumbered[3]},           {SFX_FIGHT, 0, 1, &kNumbered[4]},
      {-1, FIGHT_SOUND_WOOSH, 0.8f, &kFight[0]},      {-1, FIGHT_SOUND_BLOCK, 0.9f, &kFight[1]},
      {-1, FIGHT_SOUND_PUNCH_WEAK, 0.3f, &kFight[2]}, {-1, FIGHT_SOUND_PUNCH_MEDIUM, 0.6f, &kFight[3]},
      {-1, FIGHT_SOUND_PUNCH_HARD, 1.0f, &kFight[4]}, {SFX_ROUND_OVER, 0, 1, &kNumbered[5]},
      {SFX_MATCH_LOST, 0, 1, &kNumbered[6]},          {SFX_MATCH_WON, 0, 1, &kNumbered[7]},
  };
  // Each event is followed by 400 ms of output (35 fragments) before the next: the effect, then a silence that
  // keeps it apart from the next in the recording. Counted in fragments the device has taken, so a busy machine
  // that holds up the audio thread only makes the test take longer.
  const std::shared_ptr<TMixer> mixer = static_cast<TSoftMixSound*>(Sfx[0].get())->_mixer;
  constexpr int64_t kFragmentsPerEvent = 35;
  bool stalled = false;
  for (const TEvent& event : match) {
    int64_t before = mixer->Fragments();
    if (event.sfx >= 0) {
      PlaySfx(event.sfx);
    } else {
      PlayFightSound(event.kind, event.volume);
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (mixer->Fragments() < before + kFragmentsPerEvent && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (mixer->Fragments() < before + kFragmentsPerEvent) {
      stalled = true;
      break;
    }
  }
  ShutdownAudio();
  ResetGame();
  ASSERT_FALSE(stalled) << "the audio device stopped taking fragments";

  std::vector<int16_t> recording = ReadRecording(raw);
  std::vector<TRecordedSound> heard = FindSounds(recording);
  ASSERT_EQ(heard.size(), match.size());
  for (size_t i = 0; i < match.size(); i++) {
    const TEffect& effect = *match[i].effect;
    SCOPED_TRACE(std::string("event ") + std::to_string(i) + ", " + effect.file);
    if (effect.hertz == 0) {
      EXPECT_GT(heard[i].crossingsPerSecond, 2500);  // noise
    } else {
      EXPECT_NEAR(heard[i].crossingsPerSecond, effect.hertz + 7.5, effect.hertz * 0.04 + 10);
    }
    // Lossy coding lets the peaks of noise stray further than those of a tone.
    double peak = effect.amplitude * match[i].volume * 32767;
    EXPECT_NEAR(heard[i].peak, peak, peak * (effect.hertz == 0 ? 0.4 : 0.12));
    EXPECT_NEAR((heard[i].last - heard[i].first) / 44100.0, effect.seconds, 0.03);
  }

  std::string stat = SoxStat(raw);
  SCOPED_TRACE(stat);
  EXPECT_GT(SoxFigure(stat, "Length (seconds)"), 4.0);
  EXPECT_LT(SoxFigure(stat, "Maximum amplitude"), 0.99);
  EXPECT_GT(SoxFigure(stat, "Minimum amplitude"), -0.99);
  EXPECT_GT(SoxFigure(stat, "RMS     amplitude"), 0.01);
}
