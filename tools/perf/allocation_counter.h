// Counts the program's calls of operator new while counting is switched on: how a measuring tool proves that a
// stretch of code allocates nothing. Linking allocation_counter.cpp replaces the global operator new and delete.
#pragma once

#include <cstdint>

// Starts counting from zero; with trace, every allocation counted also prints the call stack to standard error.
void StartCountingAllocations(bool trace = false);
// Stops counting and returns how many allocations were counted since the start.
int64_t StopCountingAllocations();
// Allocations counted so far while counting is on.
int64_t AllocationsCounted();
