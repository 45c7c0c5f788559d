// The match of two players in the frame loop.
#include "app/versus_match.h"

#include <array>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/fight_view.h"
#include "app/game.h"
#include "controls/commands.h"
#include "controls/control.h"
#include "controls/side_devices.h"
#include "fight/ai_pilot.h"
#include "fight/fight.h"
#include "fighters/opponent.h"
#include "frontend/font.h"
#include "frontend/guidance.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "frontend/versus_card.h"
#include "media/core/clock.h"
#include "media/core/text.h"
#include "media/graphics/graphics.h"
#include "media/input/gamepad.h"
#include "media/input/input.h"
#include "media/input/key_codes.h"
#include "media/platform/media.h"
#include "netplay/replay_file.h"
#include "netplay/replay_recorder.h"
#include "shared/game_state.h"
#include "shared/rules.h"

namespace {

constexpr int32_t kTicksPerSecond = 1000 / FRAME_MILLIS;
// The main screen left alone this long shows the computer fighting itself.
constexpr int32_t kIdleMillis = 30000;
// A decided demonstration stays on the result this long before the next one.
constexpr int32_t kDemoResultTicks = 3 * kTicksPerSecond;
// The result's rows answer only after this long: a punch still being mashed as the last round ends must not
// choose Rematch or Back before the players have seen who won.
constexpr int32_t kResultLockTicks = 2 * kTicksPerSecond;
// The roster's levels whose computer opponents fight the demonstration: 5 and 8.
constexpr std::array<int32_t, 2> kDemoLevels = {4, 7};
constexpr int32_t kResultRowY[2] = {174, 222};

// Made once: a match starts by loading the state of a new fight, so the frame loop allocates nothing.
std::unique_ptr<TFight> fight;
TFightState freshFight;
std::array<std::unique_ptr<TAIPilot>, 2> pilots;
int32_t resultChoice = 0;
int32_t overTicks = 0;  // frames shown since the match was decided
int32_t idleSince = 0;
int32_t idleCursor = -1;
uint32_t seenPresses = 0;  // key and pad presses counted when the main screen was last found idle
int32_t demoRing = 0;
bool begun = false;
// A match of two players here is written to the replays as it was played, once decided or left.
TReplayRecorder recorder;
bool recording = false;  // the present match's fight was made: from the menu's slide out to the match's end

// The side's commands of this frame as the fight takes them.
TInputFrame ReadSide(int32_t side) {
  TCommandFrame commands;
  for (int32_t command = 0; command < COMMAND_PAUSE; command++) {
    commands.down[static_cast<size_t>(command)] = SideCommandDown(side, command) != 0;
    commands.hit[static_cast<size_t>(command)] = SideCommandHit(side, command) != 0;
  }
  return PackInput(commands, SideCommandDown(side, COMMAND_PAUSE) != 0, SideCommandHit(side, COMMAND_PAUSE) != 0);
}

// Back to the menus: the main screen after the result's Back or a demonstration.
void Leave() {
  VersusMatch::End();
  GameState = GAMESTATE_OVER;
  MenuState = MENUSTATE_SLIDING_IN;
  MenuScreen = MENU_MAIN;
  ResetSideDevices();
  SetInputLock(1);
}

void WriteRecording() {
  if (!recording) {
    return;
  }
  recording = false;
  if (recorder.Ticks() == 0) {
    return;
  }
  KeepReplay(recorder.Replay());
}

void Record(std::array<TInputFrame, 2> frames) {
  if (!recording) {
    return;
  }
  int32_t tick = fight->Tick() - 1;
  recorder.Add(frames[0], frames[1], ReplayHashesTick(tick) ? fight->Hash() : 0);
  if (fight->Phase() == FIGHT_OVER) {
    recorder.End(tick, fight->Winner());
    WriteRecording();
  }
}

void DrawResult() {
  DrawFightResult(*fight);
  if (Versus != VERSUS_PLAYERS) {
    return;
  }
  if (overTicks < kResultLockTicks) {
    DropPendingPresses();
  }
  resultChoice = Menu::Wrap(resultChoice, Menu::NavigateUD(), 2);
  if (Menu::Button(u"Rematch", kResultRowY[0], resultChoice == 0 ? 1 : 0) != 0) {
    VersusMatch::Begin();
  } else if (Menu::Button(u"Back", kResultRowY[1], resultChoice == 1 ? 1 : 0) != 0 || Menu::Back() != 0) {
    Leave();
  }
}

void DrawMessages() {
  if (fight->Phase() == FIGHT_COUNTDOWN && fight->Round() == 1 && Versus == VERSUS_PLAYERS) {
    DrawVersusCard(CARD_COUNTDOWN);
  }
  DrawFightMessages(*fight, Versus == VERSUS_PLAYERS ? u"Either player: a punch goes on" : u"");
  if (fight->Phase() == FIGHT_OVER) {
    DrawResult();
  }
}

}  // namespace

namespace VersusMatch {

void Begin() {
  if (fight == nullptr) {
    fight = std::make_unique<TFight>();
    fight->Save(&freshFight);
  }
  WriteRecording();
  fight->Load(freshFight);
  begun = true;
  if (Versus == VERSUS_PLAYERS) {
    recorder.Begin(GAME_VERSION, FightRulesHash(), false, Level, -1);
    recording = true;
  }
  resultChoice = 0;
  overTicks = 0;
  if (Versus == VERSUS_DEMO) {
    for (size_t side = 0; side < pilots.size(); side++) {
      auto level = static_cast<size_t>(kDemoLevels[side]);
      if (level < Opponents.size()) {
        pilots[side] = std::make_unique<TAIPilot>(Opponents[level]->params);
      }
    }
  } else {
    PrepareVersusCard();
  }
  DropPendingPresses();
}

bool Begun() {
  return begun;
}

void End() {
  WriteRecording();
  begun = false;
}

bool PauseHit() {
  return Versus == VERSUS_PLAYERS && (SideCommandHit(0, COMMAND_PAUSE) != 0 || SideCommandHit(1, COMMAND_PAUSE) != 0);
}

void Step() {
  if (Versus == VERSUS_DEMO) {
    if (AnyPress() != 0) {
      Leave();
      return;
    }
    if (fight->Phase() == FIGHT_OVER && overTicks > kDemoResultTicks) {
      demoRing = Menu::Wrap(demoRing, 1, LEVEL_COUNT);
      Level = demoRing;
      Begin();
    }
  } else {
    FollowSidePads();
  }
  if (fight->Phase() == FIGHT_OVER) {
    overTicks++;
  }
  std::array<TInputFrame, 2> frames{};
  for (int32_t side = 0; side < 2; side++) {
    if (Versus == VERSUS_DEMO) {
      frames[static_cast<size_t>(side)] =
          pilots[static_cast<size_t>(side)] != nullptr ? pilots[static_cast<size_t>(side)]->Next(*fight, side) : 0;
    } else {
      frames[static_cast<size_t>(side)] = ReadSide(side);
    }
  }
  // After a knockout Enter and Space go on as well, the keys a player tries first: as player 1's right hand.
  if (Versus == VERSUS_PLAYERS && fight->Phase() == FIGHT_WAIT &&
      (MenuKeyHits(KEY_ENTER) != 0 || MenuKeyHits(KEY_SPACE) != 0)) {
    frames[0] |= MakeInput({}, {COMMAND_RIGHT_HAND});
  }
  bool over = fight->Phase() == FIGHT_OVER;
  PlayFightEvents(fight->Advance(frames[0], frames[1]));
  if (!over) {
    Record(frames);
  }
}

void Draw() {
  if (fight == nullptr) {
    return;
  }
  if (Versus == VERSUS_DEMO) {
    DrawFightView(*fight, u"CPU 1", u"CPU 2", u"Demonstration: press any key");
  } else {
    DrawFightView(*fight, u"P1", u"P2");
  }
  if (GameState == GAMESTATE_FIGHT) {
    DrawMessages();
  }
}

void DrawCard() {
  DrawVersusCard(CARD_PAUSED);
}

void WatchIdleMenu() {
  bool onMainScreen = (GameState == GAMESTATE_NONE || GameState == GAMESTATE_OVER) && MenuState == MENUSTATE_SHOWN &&
                      MenuScreen == MENU_MAIN && InputLock == 0;
  // Watched without taking anything: a press the menu has not read yet stays for it.
  uint32_t presses = KeyPressCount() + PadPressCount();
  bool pressed = presses != seenPresses;
  seenPresses = presses;
  for (const std::shared_ptr<TControl>& control : AttachedControls) {
    pressed = pressed || control->Down() != 0;
  }
  if (!onMainScreen || pressed || MainCursor != idleCursor) {
    idleSince = ElapsedMillis();
    idleCursor = MainCursor;
    return;
  }
  if (DiffMillis(ElapsedMillis(), idleSince) > kIdleMillis && Opponents.size() > static_cast<size_t>(kDemoLevels[1])) {
    StartVersusMatch(VERSUS_DEMO, demoRing);
    idleSince = ElapsedMillis();
  }
}

void Reset() {
  begun = false;
  resultChoice = 0;
  overTicks = 0;
  idleSince = ElapsedMillis();
  idleCursor = -1;
  demoRing = 0;
  pilots = {};
  recording = false;
}

}  // namespace VersusMatch
