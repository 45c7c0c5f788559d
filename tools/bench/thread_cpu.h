// The CPU time of another thread of this process, found by the id the kernel gave it: how the benchmark measures
// what SDL's audio thread spends, without touching the code that runs on it.
#pragma once

#include <sys/types.h>

#include <vector>

// The ids of this process's threads.
std::vector<pid_t> ThreadIds();

// A thread that did not exist in `before` and whose name starts with `prefix`, waiting up to a second for it
// to appear and take its name (a new thread names itself once it runs); 0 when there is none.
pid_t NewThread(const std::vector<pid_t>& before, const char* prefix);

// Seconds of CPU the thread has used so far.
double ThreadCpuSeconds(pid_t thread);
