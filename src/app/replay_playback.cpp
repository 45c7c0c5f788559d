#include "app/replay_playback.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/fight_view.h"
#include "controls/commands.h"
#include "frontend/font.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "media/core/text.h"
#include "media/graphics/graphics.h"
#include "media/platform/media.h"
#include "netplay/replay_player.h"
#include "shared/game_state.h"
#include "shared/rules.h"

namespace {

constexpr int32_t kVerdictY = 150;
constexpr int32_t kHelpY = 280;

std::unique_ptr<TReplayPlayer> player;
bool told = false;  // the verdict was told on the standard output

void Leave() {
  player.reset();
  GameState = GAMESTATE_OVER;
  MenuState = MENUSTATE_SLIDING_IN;
  MenuScreen = MENU_MAIN;
  SetInputLock(1);
}

// Whoever plays a replay from a shell reads the verdict there too, once.
void Tell() {
  if (told || (!player->Done() && player->MismatchTick() < 0)) {
    return;
  }
  told = true;
  if (player->MismatchTick() >= 0) {
    ReportWarning("the replay parts from this game at tick " + std::to_string(player->MismatchTick()));
  } else {
    std::printf("morvik: the replay of %d ticks was played back and every check agrees\n", player->Ticks());
    std::fflush(stdout);
  }
}

}  // namespace

namespace ReplayPlayback {

bool Start(std::u16string_view path, std::string* error) {
  TReplay replay;
  if (!LoadReplay(path, &replay, error)) {
    return false;
  }
  int32_t ring = std::clamp(replay.ring, 0, LEVEL_COUNT - 1);
  player = std::make_unique<TReplayPlayer>(std::move(replay));
  told = false;
  StartVersusMatch(VERSUS_REPLAY, ring);
  return true;
}

void Step() {
  if (player == nullptr) {
    return;
  }
  if (Menu::Back() != 0) {
    Leave();
    return;
  }
  if (!player->Done() && player->Step()) {
    PlayFightEvents(player->Events());
  }
  Tell();
}

void Draw() {
  if (player == nullptr) {
    return;
  }
  const TFight& fight = player->Fight();
  DrawFightView(fight, u"P1", u"P2", u"Replay");
  if (GameState != GAMESTATE_FIGHT) {
    return;
  }
  DrawFightMessages(fight, u"");
  if (player->Done() && player->Replay().Decided()) {
    DrawFightResult(fight);
  }
  if (SmallFont == nullptr) {
    return;
  }
  if (player->MismatchTick() >= 0) {
    SetColor(255, 255, 0);
    SmallFont->Draw(u"This replay parts from this game at tick " + IntToText(player->MismatchTick()), 200, kVerdictY,
                    ALIGN_CENTER, ALIGN_CENTER);
    SetColor(255, 255, 255);
  } else if (player->Done()) {
    SmallFont->Draw(player->Replay().Decided() ? u"Every check agrees" : u"Every check agrees; the match was left", 200,
                    kVerdictY, ALIGN_CENTER, ALIGN_CENTER);
  }
  if (player->Done()) {
    SmallFont->Draw(u"Esc: back", 200, kHelpY, ALIGN_CENTER, ALIGN_CENTER);
  }
}

int32_t MismatchTick() {
  return player != nullptr ? player->MismatchTick() : -1;
}

void Reset() {
  player.reset();
  told = false;
}

}  // namespace ReplayPlayback
