#include "support/watchdog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

ScopedWatchdog::ScopedWatchdog(std::string what, std::chrono::seconds limit) : _what(std::move(what)) {
  _thread = std::thread(&ScopedWatchdog::Watch, this, limit);
}

ScopedWatchdog::~ScopedWatchdog() {
  {
    std::lock_guard<std::mutex> lock(_mutex);
    _done = true;
  }
  _finished.notify_one();
  _thread.join();
}

void ScopedWatchdog::Watch(std::chrono::seconds limit) {
  std::unique_lock<std::mutex> lock(_mutex);
  if (_finished.wait_for(lock, limit, [this] { return _done; })) {
    return;
  }
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test != nullptr ? std::string(test->test_suite_name()) + "." + test->name() : "the test program";
  std::fprintf(stderr, "[  FAILED  ] %s: %s did not come back within %lld s; stopped here instead of hanging\n",
               name.c_str(), _what.c_str(), static_cast<long long>(limit.count()));
  std::fflush(stderr);
  // The hung call holds the test's own thread: nothing can unwind it, so the program ends here.
  _exit(1);
}
