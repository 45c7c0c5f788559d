// The millisecond clock that round timers, animation phases and the computer opponent's delays read.
//
// A reading starts, when the media layer starts, at the system uptime in milliseconds modulo 2^30 and then
// counts up. So the random seed taken from it differs from run to run, while readings stay positive for more
// than twelve days of continuous running. (Raw uptime turns negative after 24.8 days, and every timer that starts
// from 0, such as the computer opponent's first decision, would then never fire.)
#pragma once

#include <cstdint>

// Milliseconds of the game's clock (or of the clock installed by SetClockSource).
int32_t ElapsedMillis();

// A clock reading plus a duration, wrapping at 32 bits like the clock itself, without signed overflow.
int32_t AddMillis(int32_t reading, int32_t duration);

// Milliseconds from earlier to later, two clock readings, wrapping like the clock itself.
int32_t DiffMillis(int32_t later, int32_t earlier);

// Where ElapsedMillis takes its readings from. Tests and the match simulator install a clock they move by hand.
class TClockSource {
public:
  virtual ~TClockSource() = default;
  virtual int32_t Now() = 0;
};

// Installs a clock; null restores the system clock. The caller keeps the source alive while it is installed.
void SetClockSource(TClockSource* source);

// A clock that stands still until moved.
class TManualClock : public TClockSource {
public:
  explicit TManualClock(int32_t start = 0) : _now(start) {}
  int32_t Now() override { return _now; }
  void Set(int32_t now) { _now = now; }
  void Advance(int32_t millis) { _now = AddMillis(_now, millis); }

private:
  int32_t _now;
};

// Fixes the clock's starting reading from the system uptime; part of the media layer's start-up. Without it the
// system clock starts from 0 at the first reading.
void StartClock();
