// A guard over a piece of a test that could hang (an open that waits on a named pipe, a read that never ends):
// when the piece has not come back within its time, the test program stops at once with a line naming the test
// and what hung, so a regression fails in seconds instead of at the test runner's timeout, with no word of why.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class ScopedWatchdog {
public:
  // Watches from now until the object goes. what names the piece in the message: "opening a named pipe".
  explicit ScopedWatchdog(std::string what, std::chrono::seconds limit = std::chrono::seconds(10));
  ~ScopedWatchdog();
  ScopedWatchdog(const ScopedWatchdog&) = delete;
  ScopedWatchdog& operator=(const ScopedWatchdog&) = delete;

private:
  void Watch(std::chrono::seconds limit);

  std::string _what;
  std::mutex _mutex;
  std::condition_variable _finished;
  bool _done = false;
  std::thread _thread;
};
