// What the program allocates, two ways: how many calls of operator new a stretch of code makes (a measuring tool
// or test proves that the frame loop allocates nothing with it), and how many bytes the heap holds now (a test sees
// whether memory stays flat while the game runs).
#pragma once

#include <cstdint>

// Starts counting operator new's calls, on any thread, from zero; with trace, every allocation counted also prints
// the call stack to standard error. A program that counts links the replacements of the global operator new and
// delete that do it.
void StartCountingAllocations(bool trace = false);
// Stops counting and returns how many allocations were counted since the start.
int64_t StopCountingAllocations();
// Allocations counted so far while counting is on.
int64_t AllocationsCounted();

// How many bytes the program holds on the heap right now. Under the sanitizers their allocator answers; otherwise
// the C library's.
int64_t LiveHeapBytes();
