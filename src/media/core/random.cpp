// The seeded random generator.
#include "media/core/random.h"

namespace {

constexpr int32_t kModulus = 2147483647;
constexpr int32_t kUnseeded = 4660;

int32_t state = kUnseeded;

// state * 48271 mod (2^31 - 1) by Schrage's method, so no product leaves 32 bits.
void Advance() {
  state = (state % 44488) * 48271 - (state / 44488) * 3399;
  if (state < 0) {
    state += kModulus;
  }
}

}  // namespace

void SeedRandom(int32_t seed) {
  state = seed & kModulus;
  if (state == 0 || state == kModulus) {
    state = kUnseeded;
  }
}

double RandomDouble() {
  Advance();
  int32_t a = state & 0x1FFFFFFC;
  Advance();
  int32_t b = state & 0x1FFFFFF8;
  return (a + b / 134217728.0) / 536870912.0;
}

int32_t RandomInt(int32_t low, int32_t high) {
  double r = RandomDouble();
  // In 64 bits: the span of two extreme bounds does not fit 32.
  int64_t d = int64_t{high} - low;
  if (d > 0) {
    return static_cast<int32_t>(low + static_cast<int64_t>(r * static_cast<double>(d + 1)));
  }
  return static_cast<int32_t>(high + static_cast<int64_t>(r * static_cast<double>(1 - d)));
}

int32_t RandomState() {
  return state;
}
