// The match loop. Every phase length is measured on the clock, not in frames; the comparisons with StateTime are
// strict, so a phase ends at the first frame later than its length.
#include "app/game.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/full_screen.h"
#include "app/hud.h"
#include "app/online_match.h"
#include "app/replay_playback.h"
#include "app/versus_match.h"
#include "controls/commands.h"
#include "controls/control.h"
#include "controls/pad_take_up.h"
#include "controls/side_devices.h"
#include "fighters/controller_ai.h"
#include "fighters/figure.h"
#include "frontend/font.h"
#include "frontend/guidance.h"
#include "frontend/menu.h"
#include "media/core/clock.h"
#include "media/core/text.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "media/input/input.h"
#include "media/input/key_codes.h"
#include "media/measure/frame_log.h"
#include "media/platform/media.h"
#include "media/platform/timer.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "shared/sounds.h"
#include "shared/window.h"

namespace {

constexpr int32_t kCountdownMillis = 5000;
constexpr int32_t kRoundOverMillis = 1000;
constexpr int32_t kLeastDelayMillis = 1;  // an adapted delay never reaches 0

int32_t Now() {
  return ElapsedMillis();
}

bool MatchDecided() {
  return RoundWinner >= 0 && RoundsWon[static_cast<size_t>(RoundWinner)] == ROUNDS_TO_WIN;
}

void EndMatch() {
  GameState = GAMESTATE_OVER;
  MenuState = MENUSTATE_SLIDING_IN;
  SetInputLock(1);
  if (RoundWinner == 0) {
    int32_t margin = RoundsWon[0] - RoundsWon[1];
    if (Progress[static_cast<size_t>(Level)] < margin) {
      Progress[static_cast<size_t>(Level)] = margin;
      Menu::SaveProgress();
    }
  }
}

// After each training round the sparring partner's delays follow the player's success: shorter after a round the
// player won, longer after one lost or drawn, by the share of the rounds the score stands apart.
void AdaptTrainingOpponent() {
  auto* ai = dynamic_cast<TControllerAI*>(Fighters[1]->controller.get());
  int32_t s0 = RoundsWon[0];
  int32_t s1 = RoundsWon[1];
  if (ai == nullptr || s0 + s1 == 0) {
    return;  // only drawn rounds so far: nothing to go by
  }
  int32_t won = RoundWinner == 0 ? 1 : 0;
  auto factor = static_cast<float>(1.0 + (std::abs(s0 - s1) / static_cast<double>(s0 + s1)) * (0.8 - 1.3 * won));
  for (int32_t* delay : {&ai->t_pose, &ai->t_punch, &ai->t_decide, &ai->t_vthresh}) {
    int32_t adapted = TruncateToInt(static_cast<float>(*delay) * factor);
    *delay = adapted < kLeastDelayMillis ? kLeastDelayMillis : adapted;
  }
}

void NextRound() {
  StateTime = Now();
  GameState = GAMESTATE_COUNTDOWN;
  Fighters[0]->Reset();
  Fighters[1]->Reset();
  if (Training == 1) {
    AdaptTrainingOpponent();
  }
}

// The session's first training countdown waits with the how-to-play card up until the player has read it.
bool WaitingForReady() {
  return Training == 1 && HowToPlayRead == 0;
}

// Opens the pause menu. Presses made before are dropped: a tap of Enter or of a cursor key in the fight must not
// choose or move in a menu that was not there when it was made.
void OpenPauseMenu() {
  PausedState = GameState;
  PauseTime = Now();
  PauseChoice = 0;
  PauseShowsCard = 0;
  GameState = GAMESTATE_PAUSED;
  DropPendingPresses();
}

// Back to where the pause menu was opened. A countdown goes on from where it stopped; in a fight the clock was
// never stopped, so a pause in its first second may hide "FIGHT!".
void ClosePauseMenu() {
  if (PausedState == GAMESTATE_COUNTDOWN) {
    StateTime = AddMillis(StateTime, DiffMillis(Now(), PauseTime));
  }
  GameState = PausedState;
}

void Step(bool focusLost) {
  // A game left for another window stops where it is: a fight must not go on while the player is away. Nothing
  // resumes by itself when the focus comes back.
  // An online fight cannot wait for one side: it goes on, as does the computer's demonstration.
  bool demo = Versus == VERSUS_DEMO || Versus == VERSUS_ONLINE || Versus == VERSUS_REPLAY;
  if (focusLost && !demo && (GameState == GAMESTATE_COUNTDOWN || GameState == GAMESTATE_FIGHT)) {
    OpenPauseMenu();
    return;
  }
  switch (GameState) {
    case GAMESTATE_SETUP:
      if ((Versus == VERSUS_PLAYERS || Versus == VERSUS_DEMO) && !VersusMatch::Begun()) {
        VersusMatch::Begin();  // its fighters stand in the ring while the menu slides away
      }
      if (MenuState == MENUSTATE_HIDDEN && Versus != VERSUS_NONE) {
        // A match of two has its own rounds: the fight counts down, fights and waits, tick by tick.
        GameState = GAMESTATE_FIGHT;
        SetInputLock(0);
      } else if (MenuState == MENUSTATE_HIDDEN) {
        PrepareGuidance();
        StateTime = Now();
        GameState = GAMESTATE_COUNTDOWN;
        PlaySfx(SFX_COUNTDOWN);
        SetInputLock(0);
      }
      break;
    case GAMESTATE_COUNTDOWN:
      if (WaitingForReady()) {
        // "Round 1" stays up and the count has not begun until the right hand is pressed.
        StateTime = Now();
        if (CommandHit(COMMAND_RIGHT_HAND) != 0) {
          HowToPlayRead = 1;
        }
      } else if (Now() > AddMillis(StateTime, kCountdownMillis)) {
        GameState = GAMESTATE_FIGHT;
        PlaySfx(SFX_FIGHT);
      }
      break;
    case GAMESTATE_FIGHT:
      if (Versus == VERSUS_ONLINE) {
        OnlineMatch::Step();
      } else if (Versus == VERSUS_REPLAY) {
        ReplayPlayback::Step();
      } else if (Versus != VERSUS_NONE) {
        if (VersusMatch::PauseHit()) {
          OpenPauseMenu();
        } else {
          VersusMatch::Step();
        }
      } else if (CommandHit(COMMAND_PAUSE) != 0) {
        OpenPauseMenu();
      } else {
        Game::Update();
      }
      break;
    case GAMESTATE_ROUND_OVER:
      if (Now() > AddMillis(StateTime, kRoundOverMillis)) {
        GameState = GAMESTATE_WAIT;
        if (Training == 0) {
          if (RoundWinner == 0 && RoundsWon[0] == ROUNDS_TO_WIN) {
            PlaySfx(SFX_MATCH_WON);
          } else if (RoundWinner == 1 && RoundsWon[1] == ROUNDS_TO_WIN) {
            PlaySfx(SFX_MATCH_LOST);
          }
        }
      }
      break;
    case GAMESTATE_WAIT:
      // Any command but Pause goes on, and so do Enter and Space, the keys a player tries first.
      if (AnyCommandHit(COMMAND_PAUSE) != 0 || MenuKeyHits(KEY_ENTER) != 0 || MenuKeyHits(KEY_SPACE) != 0) {
        if (Training == 0 && MatchDecided()) {
          EndMatch();
        } else {
          NextRound();
        }
      }
      break;
    case GAMESTATE_PAUSED:
      if (PauseShowsCard != 0) {
        // Any key or pad button puts the card away, and does nothing else: not a row of the menu below it.
        if (AnyPress() != 0) {
          PauseShowsCard = 0;
          DropPendingPresses();
        }
      } else if (CommandHit(COMMAND_PAUSE) != 0 || VersusMatch::PauseHit()) {
        ClosePauseMenu();
      }
      break;
    default:
      break;
  }
}

void DrawPauseMenu() {
  if (PauseShowsCard != 0) {
    if (Versus != VERSUS_NONE) {
      VersusMatch::DrawCard();
    } else {
      DrawHowToPlay(CARD_PAUSED);
    }
    return;
  }
  PauseChoice = Menu::Wrap(PauseChoice, Menu::NavigateUD(), 3);
  if (Menu::Button(u"Continue", 78, PauseChoice == 0 ? 1 : 0) != 0) {
    ClosePauseMenu();
  }
  if (Menu::Button(u"How to play", 126, PauseChoice == 1 ? 1 : 0) != 0) {
    PauseShowsCard = 1;
    DropPendingPresses();
  }
  if (Menu::Button(u"End match", 174, PauseChoice == 2 ? 1 : 0) != 0) {
    // Leaving a match this way saves no progress and plays no result sound. The players of a match of two join
    // again.
    ResetSideDevices();
    VersusMatch::End();
    GameState = GAMESTATE_OVER;
    MenuState = MENUSTATE_SLIDING_IN;
    SetInputLock(1);
  }
}

void DrawMessages() {
  if (GameState == GAMESTATE_COUNTDOWN || GameState == GAMESTATE_FIGHT) {
    // "Round n" for two seconds, then 3, 2, 1, then "FIGHT!" for the first second of the fight.
    int32_t n = 5 - DiffMillis(Now(), StateTime) / 1000;
    if (GameState == GAMESTATE_COUNTDOWN && Training == 1) {
      DrawHowToPlay(WaitingForReady() ? CARD_READY : CARD_COUNTDOWN);
    }
    if (n > 3) {
      Game::Info(TShortText(u"Round ").Add(Round).View());
    } else if (n > 0) {
      Game::Info(TShortText().Add(n).View());
    } else if (n == 0) {
      Game::Info(u"FIGHT!");
    }
  } else if (Training == 0 && (GameState == GAMESTATE_ROUND_OVER || GameState == GAMESTATE_WAIT)) {
    if (MatchDecided()) {
      Game::Info(RoundWinner == 0 ? u"You won!" : u"You lost");
    }
  } else if (GameState == GAMESTATE_PAUSED) {
    DrawPauseMenu();
  }
  if (GameState == GAMESTATE_WAIT) {
    DrawGoOnPrompt();
  }
}

}  // namespace

namespace Game {

int32_t Load() {
  for (int32_t level = 0; level < LEVEL_COUNT; level++) {
    std::u16string path = u"gfx/bg" + IntToText(level) + u".png";
    Backgrounds[static_cast<size_t>(level)] = LoadImageFile(path, -1);
    if (Backgrounds[static_cast<size_t>(level)] == nullptr) {
      ReportWarning("cannot load the ring background \"" + TextToBytes(path) + "\"");
    }
  }
  return 0;
}

int32_t Main(const std::function<void()>& beforeFirstFrame) {
  SetupGraphics();
  FrameLogStep("window");
  if (beforeFirstFrame) {
    beforeFirstFrame();
    FrameLogStep("waited for the loading");
  }
  while (TakeCloseRequest() == 0 && QuitRequested == 0) {
    Frame();
    if (QuitRequested != 0) {
      break;  // "Quit" ends the game at once
    }
    int32_t ticks = FrameTimer->Wait();
    FrameLogTicksWaited(ticks);
  }
  return 0;
}

int32_t Frame() {
  TakeFullScreenRequest();
  FrameLogFrameStarted(GameState);
  FollowGamepads();
  if (InputLock == 0) {
    TControl::Update();
  }
  // Taken every frame, so that a loss seen in the menus is not held against a later fight.
  bool focusLost = TakeFocusLoss() != 0;
  // The other machine goes on whatever this one shows: the connection is served every frame.
  OnlineMatch::Frame();
  Cls();
  if (GameState > GAMESTATE_NONE) {
    DrawImageFrame(Backgrounds[static_cast<size_t>(Level)], 0, 0, 0);
    Step(focusLost);
  }
  // Tested again: the step may have changed it.
  if (GameState > GAMESTATE_NONE) {
    Draw();
  }
  Menu::Draw();
  VersusMatch::WatchIdleMenu();
  FlipFrame(0);
  FrameLogFramePresented();
  return 0;
}

int32_t Info(std::u16string_view text) {
  GameFont->Draw(text, 200, 100, ALIGN_CENTER, ALIGN_CENTER);
  return 0;
}

int32_t Update() {
  int32_t knockout = TFigure::Tick(*Fighters[0], *Fighters[1]);
  if (knockout == KNOCKOUT_NONE) {
    return 0;
  }
  // Both down is a drawn round: nobody scores.
  RoundWinner = knockout == KNOCKOUT_BOTH ? -1 : knockout;
  GameState = GAMESTATE_ROUND_OVER;
  StateTime = Now();
  Round++;
  if (RoundWinner >= 0) {
    RoundsWon[static_cast<size_t>(RoundWinner)]++;
  }
  PlaySfx(SFX_ROUND_OVER);
  return 0;
}

int32_t Draw() {
  if (Versus == VERSUS_ONLINE) {
    OnlineMatch::Draw();
    return 0;
  }
  if (Versus == VERSUS_REPLAY) {
    ReplayPlayback::Draw();
    return 0;
  }
  if (Versus != VERSUS_NONE) {
    VersusMatch::Draw();
    if (GameState == GAMESTATE_PAUSED) {
      DrawPauseMenu();
    }
    return 0;
  }
  Fighters[0]->Draw();
  Fighters[1]->Draw();
  DrawHud(*Fighters[0], *Fighters[1], RoundsWon[0], RoundsWon[1]);
  DrawMessages();
  return 0;
}

}  // namespace Game
