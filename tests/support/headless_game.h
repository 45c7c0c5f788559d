// A whole game without a screen or a keyboard: the recording drawing driver in an open "window" at zoom 2, the
// default bindings, a font whose glyphs can be told apart in the drawing log, key presses sent as the window's
// events, and frames run one by one on the manual clock.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "headless/recording_driver.h"
#include "support/game_fixture.h"

class TImage;
class TPixmap;

class HeadlessGameTest : public GameTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // The key's events as the window sends them.
  void KeyDown(int32_t key);
  void KeyUp(int32_t key);
  // Pressed and released before the next frame.
  void Tap(int32_t key);

  // One frame of the game, then 20 ms on the clock (one tick of the frame timer).
  void RunFrame();
  void RunFrames(int count);
  // Runs frames until the condition holds, at most limit frames; false when it never did.
  template <typename Condition>
  bool RunUntil(Condition condition, int limit = 100000) {
    for (int i = 0; i < limit; i++) {
      if (condition()) {
        return true;
      }
      RunFrame();
    }
    return condition();
  }

  // Makes pads the game's gamepads as if they had been there at start-up: they are counted and taken up.
  void StartWithPads(class TPadPlatform& pads);

  // Sets a match up the way the menu does, with the menu already gone; training as for a player who has read the
  // how-to-play card, whose countdowns count at once.
  void StartTraining();
  void StartTournament(int32_t level);

  // A text the test font drew in the last frame: from the pen's start to the end of its last glyph, and the glyph
  // cells' top and bottom.
  struct TPlacedText {
    std::u16string text;
    float left = 0, top = 0, right = 0, bottom = 0;
  };
  // The texts the font drew in the last frame, in drawing order, one entry per Draw call.
  std::vector<std::u16string> TextsDrawn() const;
  std::vector<TPlacedText> TextsPlaced() const;
  // The first text drawn in the last frame that reads text; its rectangle all zero when there is none.
  TPlacedText Placed(const std::u16string& text) const;
  bool Shows(const std::u16string& text) const;
  // The rectangles of the last frame drawn in the given colour.
  std::vector<TDrawRecord> RectsIn(int32_t red, int32_t green, int32_t blue) const;
  // The drawing records of the last frame.
  const std::vector<TDrawRecord>& LastFrame() const { return lastFrame; }

  TRecordingDriver driver;
  std::vector<TDrawRecord> lastFrame;
  std::vector<const TPixmap*> glyphs;  // the font's pixmap of each character code
};

// A font whose metrics are simple: every glyph 10 wide with spacing 2, baseline 40, centre 30, top 20, offset 4.
constexpr int32_t kTestGlyphWidth = 10;
std::shared_ptr<class TFont> MakeTestFont(std::vector<const TPixmap*>* glyphs);
