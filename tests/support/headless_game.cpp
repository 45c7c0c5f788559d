#include "support/headless_game.h"

#include "app/game.h"
#include "controls/default_bindings.h"
#include "controls/pad_take_up.h"
#include "fighters/controller_ai.h"
#include "fighters/controller_human.h"
#include "fighters/figure.h"
#include "fighters/opponent.h"
#include "frontend/font.h"
#include "frontend/guidance.h"
#include "frontend/match_start.h"
#include "frontend/menu.h"
#include "media/core/events.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "media/input/gamepad.h"
#include "shared/game_state.h"
#include "shared/window.h"

std::shared_ptr<TFont> MakeTestFont(std::vector<const TPixmap*>* glyphs) {
  auto font = std::make_shared<TFont>();
  font->_charSize = 64;
  font->_image = TImage::Create(64, 64, 256, 0);
  glyphs->clear();
  for (int32_t code = 0; code < 256; code++) {
    auto pixmap = TPixmap::Create(1, 1, TPixmap::FORMAT_RGBA8888);
    font->_image->SetPixmap(code, pixmap);
    glyphs->push_back(pixmap.get());
    font->_charWidth[static_cast<size_t>(code)] = kTestGlyphWidth;
  }
  font->_charSpacing = 2;
  font->_baseline = 40;
  font->_center = 30;
  font->_top = 20;
  font->_offset = 4;
  return font;
}

void HeadlessGameTest::SetUp() {
  GameTest::SetUp();
  SetGameGraphicsDriver(&driver);
  SetupGraphics();
  GameFont = MakeTestFont(&glyphs);
  InstallDefaultBindings(-1);
  for (int32_t level = 0; level < LEVEL_COUNT; level++) {
    auto opponent = std::make_shared<TOpponent>();
    // Slow and patient at level 0, quicker further up; red, health 100 + 10 per level.
    opponent->params = {1000 - 80 * level, 400, 200, 2000, 3, 0, 255, 0, 0, 100 + 10 * level};
    Opponents.push_back(opponent);
  }
}

void HeadlessGameTest::TearDown() {
  CloseGraphics();
  SetGameGraphicsDriver(nullptr);
  GameTest::TearDown();
}

void HeadlessGameTest::KeyDown(int32_t key) {
  EmitEvent(TEvent{EVENT_KEYDOWN, nullptr, key, 0, 0, 0});
}

void HeadlessGameTest::KeyUp(int32_t key) {
  EmitEvent(TEvent{EVENT_KEYUP, nullptr, key, 0, 0, 0});
}

void HeadlessGameTest::Tap(int32_t key) {
  KeyDown(key);
  KeyUp(key);
}

void HeadlessGameTest::RunFrame() {
  driver.log.clear();
  Game::Frame();
  lastFrame = driver.log;
  clock.Advance(20);
}

void HeadlessGameTest::RunFrames(int count) {
  for (int i = 0; i < count; i++) {
    RunFrame();
  }
}

void HeadlessGameTest::StartWithPads(TPadPlatform& pads) {
  SetPadPlatform(&pads);
  TakeUpGamepads(CountGamepads());
}

void HeadlessGameTest::StartTraining() {
  // A player who has read the how-to-play card already: the countdown counts at once.
  HowToPlayRead = 1;
  StartTrainingMatch();
  MenuState = MENUSTATE_HIDDEN;  // as if the slide were over
  MenuSlide = 400;
}

void HeadlessGameTest::StartTournament(int32_t level) {
  StartTournamentMatch(level);
  MenuState = MENUSTATE_HIDDEN;
  MenuSlide = 400;
}

std::vector<HeadlessGameTest::TPlacedText> HeadlessGameTest::TextsPlaced() const {
  // Glyphs of one Draw call follow each other on one line, each 12 to the right of the one before.
  std::vector<TPlacedText> texts;
  const TDrawRecord* previous = nullptr;
  for (const TDrawRecord& record : lastFrame) {
    if (record.kind != TDrawRecord::IMAGE) {
      previous = nullptr;
      continue;
    }
    int32_t code = -1;
    for (size_t c = 0; c < glyphs.size(); c++) {
      if (glyphs[c] == record.pixmap) {
        code = static_cast<int32_t>(c);
      }
    }
    if (code < 0) {
      previous = nullptr;
      continue;
    }
    bool continues = previous != nullptr && record.ty == previous->ty && record.tx == previous->tx + 12;
    if (!continues) {
      texts.push_back({u"", record.Left(), record.Top(), 0, record.Bottom()});
    }
    texts.back().text += static_cast<char16_t>(code);
    texts.back().right = record.Left() + kTestGlyphWidth;
    previous = &record;
  }
  return texts;
}

std::vector<std::u16string> HeadlessGameTest::TextsDrawn() const {
  std::vector<std::u16string> texts;
  for (const TPlacedText& placed : TextsPlaced()) {
    texts.push_back(placed.text);
  }
  return texts;
}

HeadlessGameTest::TPlacedText HeadlessGameTest::Placed(const std::u16string& text) const {
  for (const TPlacedText& placed : TextsPlaced()) {
    if (placed.text == text) {
      return placed;
    }
  }
  return {};
}

bool HeadlessGameTest::Shows(const std::u16string& text) const {
  for (const auto& drawn : TextsDrawn()) {
    if (drawn == text) {
      return true;
    }
  }
  return false;
}

std::vector<TDrawRecord> HeadlessGameTest::RectsIn(int32_t red, int32_t green, int32_t blue) const {
  std::vector<TDrawRecord> rects;
  for (const TDrawRecord& record : lastFrame) {
    if (record.kind == TDrawRecord::RECT && record.red == red && record.green == green && record.blue == blue) {
      rects.push_back(record);
    }
  }
  return rects;
}
