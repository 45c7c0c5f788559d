// Periodic timers that pace the game's loops: 50 ticks a second for the frame loop.
//
// A timer's platform thread only posts a tick message to the game thread; ticks are counted, and their events
// emitted, on the game thread when messages are next taken (PollSystem or Wait), so the count needs no lock.
// Ticks fall on absolute deadlines, so the timer does not drift: 50 ticks of a 50 Hz timer take 1000 ms.
#pragma once

#include <cstdint>
#include <memory>

#include "media/core/events.h"

class TTimer {
public:
  static constexpr int32_t MAX_TIMERS = 16;

  // Starts a timer with a period of 1000 / hz milliseconds, truncated (50 Hz gives 20 ms). Each tick emits event,
  // or the standard tick event (id 2049, source the timer, data the tick count) when event is null. Null when
  // the period is not a whole positive number of milliseconds, the platform refuses, or 16 timers already run.
  static std::shared_ptr<TTimer> Create(float hz, std::shared_ptr<TEvent> event = nullptr);
  ~TTimer();

  // Ticks counted so far.
  int32_t Ticks();

  // Ticks the platform has fired that the game thread has not taken yet: what the next PollSystem or Wait adds
  // to Ticks(). Safe to read at any time.
  int32_t Pending() const;

  // Waits for the next tick: takes and dispatches messages as they arrive until the tick count differs from the
  // count at the previous wait, then returns the difference (1 when the caller keeps up, more when a frame took
  // longer than a period; missed ticks are not replayed). Returns 0 at once when the timer has been stopped.
  int32_t Wait();

  // Stops the timer; it posts no more ticks.
  int32_t Stop();

  int32_t _ticks = 0;
  int32_t _wticks = 0;
  std::shared_ptr<TTimer> _cycle;  // the timer itself while it runs, keeping it alive
  std::shared_ptr<TEvent> _event;
  int32_t _handle = 0;  // the platform timer; 0 once stopped

  // Called on the game thread for each tick the platform posted.
  void _Tick();
};

// Stops every running timer; part of the media layer's shut-down.
void StopAllTimers();
