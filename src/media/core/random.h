// The seeded random generator behind the computer opponent's choices and the choice among sound variants.
//
// A multiplicative congruential generator (multiplier 48271 modulo 2^31 - 1) with fixed constants, so a seed
// always yields the same sequence: a recorded match replays exactly.
#pragma once

#include <cstdint>

// State := seed with its top bit cleared; 0 and 2147483647 give 4660, the state before any seeding.
void SeedRandom(int32_t seed);

// A uniformly distributed integer between the bounds, both included, given in either order.
int32_t RandomInt(int32_t low, int32_t high);

// A double in [0, 1) made from two steps of the generator.
double RandomDouble();

// The generator's state, for replays and tests.
int32_t RandomState();
