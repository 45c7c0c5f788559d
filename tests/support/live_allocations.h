// How many blocks the program holds from operator new right now: the test executable counts every new and
// delete, so a test can see whether memory stays flat while the game runs.
#pragma once

#include <cstdint>

int64_t LiveAllocations();
// Blocks allocated so far, over the whole run.
int64_t TotalAllocations();
