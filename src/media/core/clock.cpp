// The millisecond clock.
#include "media/core/clock.h"

#include <time.h>

namespace {

TClockSource* installedSource = nullptr;

// The monotonic time at start-up and the reading it stands for.
int64_t startMonotonicMillis = -1;
uint32_t startReading = 0;

int64_t ClockMillis(clockid_t id) {
  timespec now{};
  clock_gettime(id, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

void StartClock() {
  // Uptime includes time spent suspended, like the uptime the seed has always come from; the readings then
  // advance with the monotonic clock, which never jumps.
  startReading = static_cast<uint32_t>(ClockMillis(CLOCK_BOOTTIME) % (int64_t{1} << 30));
  startMonotonicMillis = ClockMillis(CLOCK_MONOTONIC);
}

int32_t ElapsedMillis() {
  if (installedSource != nullptr) {
    return installedSource->Now();
  }
  if (startMonotonicMillis < 0) {
    startMonotonicMillis = ClockMillis(CLOCK_MONOTONIC);
  }
  auto elapsed = static_cast<uint32_t>(ClockMillis(CLOCK_MONOTONIC) - startMonotonicMillis);
  return static_cast<int32_t>(startReading + elapsed);
}

int32_t AddMillis(int32_t reading, int32_t duration) {
  return static_cast<int32_t>(static_cast<uint32_t>(reading) + static_cast<uint32_t>(duration));
}

int32_t DiffMillis(int32_t later, int32_t earlier) {
  return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}

void SetClockSource(TClockSource* source) {
  installedSource = source;
}
