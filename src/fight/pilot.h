// What steers one side of a match of two players through input frames alone, as a player at the keys does: the
// computer, or a model of a person in the match simulator. A pilot decides on copies of the two fighters, so it
// can change nothing of the match but through the frames it hands it.
#pragma once

#include <cstdint>

#include "fight/fight.h"
#include "fight/input_frame.h"
#include "fighters/figure.h"

class TPilot {
public:
  virtual ~TPilot() = default;
  // The frame for the side's fighter (0 the left, 1 the right) in the fight's next tick.
  virtual TInputFrame Next(const TFight& fight, int32_t side) = 0;
};

// The fight's two fighters as one side sees them, for a controller to decide on: copies in a ring whose clock is
// the fight's and that makes no sound, each the other's opponent.
class TShadowFighters {
public:
  TShadowFighters();
  TShadowFighters(const TShadowFighters&) = delete;
  TShadowFighters& operator=(const TShadowFighters&) = delete;

  // Copies the fight's fighters as they stand before its next tick, self the side's, and the fight's clock.
  void Take(const TFight& fight, int32_t side);

  TFigure self;
  TFigure opponent;

private:
  class TQuietRing : public TRing {
  public:
    int32_t Now() const override { return now; }
    void Sound(const TFigure&, int32_t, float) override {}
    int32_t now = 0;
  };

  TQuietRing _ring;
};

// The frame of a player going on after a knockout (FIGHT_WAIT): the right hand pressed anew every other tick.
TInputFrame GoOnInput(const TFight& fight);
