// The game's shared state.
#include "shared/game_state.h"

#include "media/audio/audio.h"
#include "media/platform/timer.h"

TBindings KeyBindings;
TBindings PadBindings;
TBindings KeyBindings2;
TBindings PadBindings2;
const std::array<std::u16string, COMMAND_COUNT> CommandNames = {u"Up",         u"Down",      u"Forward", u"Backward",
                                                                u"Right Hand", u"Left Hand", u"Pause"};
std::array<std::u16string, KEY_CODES> KeyNames;
int32_t PadPresent = 0;
int32_t InputLock = 0;
int32_t SoundOn = 1;
int32_t Zoom = 2;
int32_t FullScreen = 0;
std::shared_ptr<TTimer> FrameTimer;
std::shared_ptr<TFont> GameFont;
std::shared_ptr<TFont> SmallFont;
std::array<std::shared_ptr<TSound>, SFX_COUNT> Sfx;
std::array<std::array<std::shared_ptr<TSound>, FIGHT_SOUND_VARIANTS>, FIGHT_SOUND_KINDS> FightSounds;
std::array<std::shared_ptr<TImage>, LEVEL_COUNT> Backgrounds;
std::array<std::shared_ptr<TFigure>, 2> Fighters;
std::array<int32_t, 2> RoundsWon = {0, 0};
int32_t Round = 0;
int32_t Level = 0;
int32_t Training = 0;
int32_t Versus = VERSUS_NONE;
int32_t VersusRing = 0;
int32_t OnlineInputDelay = 1;
std::string OnlineAddress;
int32_t RoundWinner = 0;
int32_t GameState = 0;
int32_t StateTime = 0;
int32_t PauseChoice = 0;
int32_t PauseShowsCard = 0;
int32_t PausedState = GAMESTATE_FIGHT;
int32_t PauseTime = 0;
std::array<int32_t, LEVEL_COUNT> Progress = {};
const std::array<int32_t, 4> VulnDamage = {1, 5, 10, 20};
const std::array<int32_t, 4> VulnPowerDrain = {30, 20, 10, 5};

void ResetGameState() {
  KeyBindings = {};
  PadBindings = {};
  KeyBindings2 = {};
  PadBindings2 = {};
  KeyNames = {};
  PadPresent = 0;
  InputLock = 0;
  SoundOn = 1;
  Zoom = 2;
  FullScreen = 0;
  FrameTimer = nullptr;
  GameFont = nullptr;
  SmallFont = nullptr;
  Sfx = {};
  FightSounds = {};
  Backgrounds = {};
  Fighters = {};
  RoundsWon = {0, 0};
  Round = 0;
  Level = 0;
  Training = 0;
  Versus = VERSUS_NONE;
  VersusRing = 0;
  OnlineInputDelay = 1;
  OnlineAddress.clear();
  RoundWinner = 0;
  GameState = 0;
  StateTime = 0;
  PauseChoice = 0;
  PauseShowsCard = 0;
  PausedState = GAMESTATE_FIGHT;
  PauseTime = 0;
  Progress = {};
}
