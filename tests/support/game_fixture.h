// A headless game for tests: every global at its start-up value, a manual clock, the "Null" audio driver with
// an empty log, the random generator in its unseeded state, and no gamepads (any a test installs are removed).
#pragma once

#include <gtest/gtest.h>

#include "media/core/clock.h"

class GameTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  TManualClock clock{100000};
};
