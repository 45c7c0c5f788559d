// How many bytes the program holds on the heap right now, so a test can see whether memory stays flat while the
// game runs. Under the sanitizers their allocator answers; otherwise the C library's.
#pragma once

#include <cstdint>

int64_t LiveHeapBytes();
