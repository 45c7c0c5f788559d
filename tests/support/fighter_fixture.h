// Two fighters facing each other in a headless game, steered by nothing (the base controller), with silent
// fight sounds that the "Null" driver logs.
#pragma once

#include <memory>

#include "fighters/figure.h"
#include "support/game_fixture.h"

// A controller that counts how often the fighter's step asked it for a decision.
class TCountingController : public TController {
public:
  int32_t Update() override {
    calls++;
    return 0;
  }
  int calls = 0;
};

class FighterTest : public GameTest {
protected:
  void SetUp() override;

  // Places the left fighter at ax and the right one at bx, both guarding at the middle.
  void Place(int32_t ax, int32_t bx);
  // One tick of the round: both Control steps, then both Update steps.
  void Tick();
  // The fight sound kind of the latest play, or -1 when nothing was played.
  int32_t LastFightSoundKind() const;
  float LastVolume() const;

  std::shared_ptr<TCountingController> aControl = std::make_shared<TCountingController>();
  std::shared_ptr<TCountingController> bControl = std::make_shared<TCountingController>();
  std::shared_ptr<TFigure> a;  // left, facing growing x
  std::shared_ptr<TFigure> b;  // right
};
