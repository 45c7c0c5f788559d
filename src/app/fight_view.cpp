#include "app/fight_view.h"

#include "app/game.h"
#include "app/hud.h"
#include "fight/fight.h"
#include "frontend/font.h"
#include "media/core/text.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "shared/sounds.h"

namespace {

constexpr int32_t kTicksPerSecond = FRAMES_PER_SECOND;
constexpr int32_t kNameY = 52;
constexpr int32_t kPromptY = 132;

}  // namespace

void DrawFightView(const TFight& fight, std::u16string_view leftName, std::u16string_view rightName,
                   std::u16string_view caption) {
  int32_t now = fight.Now();
  fight.Fighter(0).DrawAt(now);
  fight.Fighter(1).DrawAt(now);
  DrawHud(fight.Fighter(0), fight.Fighter(1), fight.RoundsWon(0), fight.RoundsWon(1));
  if (SmallFont == nullptr) {
    return;
  }
  SmallFont->Draw(leftName, 10, kNameY, ALIGN_LEFT, ALIGN_TOP);
  SmallFont->Draw(rightName, 390, kNameY, ALIGN_RIGHT, ALIGN_TOP);
  if (!caption.empty()) {
    SmallFont->Draw(caption, 200, kNameY, ALIGN_CENTER, ALIGN_TOP);
  }
}

void DrawFightMessages(const TFight& fight, std::u16string_view goOnPrompt) {
  int32_t ticks = fight.PhaseTicks();
  switch (fight.Phase()) {
    case FIGHT_COUNTDOWN: {
      // "Round n" for two seconds, then 3, 2, 1.
      int32_t n = 5 - ticks / kTicksPerSecond;
      if (n > 3) {
        Game::Info(TShortText(u"Round ").Add(fight.Round()).View());
      } else if (n > 0) {
        Game::Info(TShortText().Add(n).View());
      }
      break;
    }
    case FIGHT_ROUND:
      if (ticks < kTicksPerSecond) {
        Game::Info(u"FIGHT!");
      }
      break;
    case FIGHT_WAIT:
      if (SmallFont != nullptr && !goOnPrompt.empty()) {
        SmallFont->Draw(goOnPrompt, 200, kPromptY, ALIGN_CENTER, ALIGN_TOP);
      }
      break;
    default:
      break;
  }
}

void DrawFightResult(const TFight& fight) {
  int32_t winner = fight.Winner();
  TShortText text(u"Player ");
  text.Add(winner + 1).Add(u" wins ").Add(fight.RoundsWon(winner)).Add(u":").Add(fight.RoundsWon(1 - winner));
  Game::Info(text.View());
}

void PlayFightEvents(std::span<const TFightEvent> events) {
  for (const TFightEvent& event : events) {
    if (event.kind == TFightEvent::MATCH_SOUND) {
      PlaySfx(event.sound);
    } else {
      PlayFightSoundVariant(event.sound, event.tick + event.fighter, event.volume);
    }
  }
}
