#include "thread_cpu.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

std::vector<pid_t> ThreadIds() {
  std::vector<pid_t> ids;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
    ids.push_back(static_cast<pid_t>(std::stol(entry.path().filename().string())));
  }
  return ids;
}

pid_t NewThread(const std::vector<pid_t>& before, const char* prefix) {
  for (int attempt = 0; attempt < 1000; attempt++) {
    for (pid_t id : ThreadIds()) {
      if (std::find(before.begin(), before.end(), id) != before.end()) {
        continue;
      }
      std::string name;
      std::getline(std::ifstream("/proc/self/task/" + std::to_string(id) + "/comm"), name);
      if (name.rfind(prefix, 0) == 0) {
        return id;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return 0;
}

double ThreadCpuSeconds(pid_t thread) {
  // Linux names the CPU clock of a thread by its id: the kernel's CPUCLOCK_SCHED of a per-thread clock, as
  // pthread_getcpuclockid builds it.
  auto clock = static_cast<clockid_t>((~static_cast<unsigned>(thread) << 3) | 6);
  timespec now{};
  if (clock_gettime(clock, &now) != 0) {
    return -1;
  }
  return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}
