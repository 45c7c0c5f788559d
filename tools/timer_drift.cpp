// Measures the frame timer against the monotonic clock: how long 50 ticks of the 50 Hz timer take (aim: 1000 ms),
// and how late each tick is handed to the game thread. Prints a short report; exit status 1 when the timer drifts
// by more than 0.1 %.
//
//   timer_drift [seconds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/platform/media.h"
#include "media/platform/timer.h"

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  std::string error;
  if (!StartMedia(&error)) {
    std::fprintf(stderr, "timer_drift: %s\n", error.c_str());
    return 2;
  }
  auto timer = TTimer::Create(50.0f);
  if (timer == nullptr) {
    std::fprintf(stderr, "timer_drift: the timer was refused\n");
    return 2;
  }
  using Clock = std::chrono::steady_clock;
  timer->Wait();  // start on a tick
  Clock::time_point start = Clock::now();
  int32_t ticks = 0;
  int32_t waits = 0;
  std::vector<double> lateness;
  while (ticks < seconds * 50) {
    ticks += timer->Wait();
    waits++;
    double ideal = ticks * 20.0;
    double actual = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    lateness.push_back(actual - ideal);
  }
  double total = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::sort(lateness.begin(), lateness.end());
  double per50 = total * 50.0 / ticks;
  std::printf("ticks: %d in %.1f ms over %d waits\n", ticks, total, waits);
  std::printf("50 ticks take %.2f ms (aim 1000.00)\n", per50);
  std::printf("lateness of the wake-up after a tick: median %.3f ms, 99th %.3f ms, max %.3f ms\n",
              lateness[lateness.size() / 2], lateness[lateness.size() * 99 / 100], lateness.back());
  timer->Stop();
  StopMedia();
  return per50 > 1001.0 || per50 < 999.0 ? 1 : 0;
}
