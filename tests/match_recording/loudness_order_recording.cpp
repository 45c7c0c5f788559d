// The game's effects as a player hears them: loaded by the game's own start-up, each played at full volume through
// the SoftMix driver on SDL's disk audio driver, one at a time with silence between, and found again in the
// recording. The heavier a punch, the higher it peaks, whichever variant a fight draws; the menu's two sounds
// peak at least 3 dB below the quietest hard hit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/startup.h"
#include "media/audio/audio.h"
#include "media/platform/media.h"
#include "media/platform/timer.h"
#include "shared/game_state.h"
#include "support/pcm_recording.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

// Each effect lasts under 0.4 s (the ring's calls are not played here): 0.6 s apart leaves a gap of silence.
constexpr int kFramesApart = 30;

double Db(int32_t peak) {
  return 20 * std::log10(peak / 32768.0);
}

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

void Play(const std::shared_ptr<TSound>& sound) {
  std::shared_ptr<TChannel> channel = AllocChannel();
  channel->SetVolume(1.0f);
  sound->Play(channel);
  for (int frame = 0; frame < kFramesApart; frame++) {
    FrameTimer->Wait();
  }
}

}  // namespace

TEST(LoudnessOrderRecording, HeavierPunchesPeakHigherAndTheMenuStaysBelowTheHardHit) {
  ScopedTempDir dir;
  CopyShippedData(MORVIK_GAME_DIR, dir.path());
  std::string raw = (dir.path() / "effects.raw").string();
  ScopedEnv driverName("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", raw);
  std::string error;
  ASSERT_TRUE(StartMedia(&error)) << error;
  LoadGameData();
  ASSERT_EQ(CurrentAudioDriver().Name(), u"SoftMix Multimedia");
  FrameTimer = TTimer::Create(50);
  ASSERT_NE(FrameTimer, nullptr);

  std::vector<std::string> played;
  for (int32_t effect : {int32_t{SFX_MENU_ACTION}, int32_t{SFX_MENU_MOVE}}) {
    ASSERT_NE(Sfx[static_cast<size_t>(effect)], nullptr);
    Play(Sfx[static_cast<size_t>(effect)]);
    played.push_back("sfx" + std::to_string(effect));
  }
  for (int32_t kind = 0; kind < FIGHT_SOUND_KINDS; kind++) {
    for (int32_t variant = 0; variant < FIGHT_SOUND_VARIANTS; variant++) {
      ASSERT_NE(FightSounds[static_cast<size_t>(kind)][static_cast<size_t>(variant)], nullptr);
      Play(FightSounds[static_cast<size_t>(kind)][static_cast<size_t>(variant)]);
    }
  }
  FrameTimer = nullptr;
  StopMedia();
  ResetGame();

  std::vector<TRecordedSound> sounds = FindSounds(ReadRecording(raw), 30, 100);
  ASSERT_EQ(sounds.size(), 2u + FIGHT_SOUND_KINDS * FIGHT_SOUND_VARIANTS) << "each effect once, apart";
  // The kinds from the miss to the hard hit: each one's lowest peak above the lighter one's highest.
  double lighterHighest = -99;
  double quietestHardHit = 0;
  for (int32_t kind = 0; kind < FIGHT_SOUND_KINDS; kind++) {
    double lowest = 0, highest = -99;
    for (int32_t variant = 0; variant < FIGHT_SOUND_VARIANTS; variant++) {
      double peak = Db(sounds[static_cast<size_t>(2 + kind * FIGHT_SOUND_VARIANTS + variant)].peak);
      lowest = std::min(lowest, peak);
      highest = std::max(highest, peak);
    }
    std::printf("fight sound kind %d: peaks %.1f to %.1f dB of full scale\n", kind, lowest, highest);
    EXPECT_GT(lowest, lighterHighest) << "kind " << kind;
    lighterHighest = highest;
    quietestHardHit = lowest;
  }
  for (size_t menu = 0; menu < 2; menu++) {
    std::printf("menu sound %s: peak %.1f dB of full scale\n", played[menu].c_str(), Db(sounds[menu].peak));
    EXPECT_LE(Db(sounds[menu].peak), quietestHardHit - 3.0) << played[menu];
  }
}
