#include "media/net/link_conditions.h"

#include <algorithm>

namespace {

// A reliable datagram is tried at most this often; a link that loses it every time is cut, not slow, and the
// loopback models a cut link on its own (the peer times out).
constexpr int32_t kMaxReliableTries = 16;
// The first resend never waits less than this, as a reliable protocol's retransmission timer has a floor.
constexpr int32_t kMinResendMillis = 30;
// No delay of the model is longer than a minute, which keeps every sum of delays far from overflowing.
constexpr int32_t kMaxDelayMillis = 60000;

double ClampPercent(double percent) {
  // NaN compares false everywhere and becomes 0.
  return percent > 0 ? std::min(percent, 100.0) : 0.0;
}

}  // namespace

uint64_t TLinkRandom::Next() {
  uint64_t z = (_state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

double TLinkRandom::Unit() {
  // The top 53 bits make a double's whole mantissa.
  return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

int32_t TLinkRandom::Between(int32_t low, int32_t high) {
  if (high <= low) {
    return low;
  }
  uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(high) - low) + 1;
  return static_cast<int32_t>(low + static_cast<int64_t>(Next() % span));
}

bool TLinkRandom::Chance(double percent) {
  return Unit() * 100.0 < percent;
}

TLinkDirection::TLinkDirection(const TLinkConditions& conditions, uint64_t seed)
    : _conditions(conditions), _random(seed) {
  _conditions.delayMillis = std::clamp(_conditions.delayMillis, 0, kMaxDelayMillis);
  _conditions.jitterMillis = std::clamp(_conditions.jitterMillis, 0, kMaxDelayMillis);
  _conditions.reorderHoldMillis = std::clamp(_conditions.reorderHoldMillis, 1, kMaxDelayMillis);
  _conditions.lossPercent = ClampPercent(_conditions.lossPercent);
  _conditions.duplicatePercent = ClampPercent(_conditions.duplicatePercent);
  _conditions.reorderPercent = ClampPercent(_conditions.reorderPercent);
}

int32_t TLinkDirection::Delay() {
  int32_t jitter = _random.Between(-_conditions.jitterMillis, _conditions.jitterMillis);
  return std::max(_conditions.delayMillis + jitter, 0);
}

TLinkFate TLinkDirection::Unreliable() {
  _counts.offered++;
  TLinkFate fate;
  if (_random.Chance(_conditions.lossPercent)) {
    _counts.dropped++;
    return fate;
  }
  _counts.passed++;
  fate.copies = 1;
  fate.delayMillis[0] = Delay();
  if (_random.Chance(_conditions.reorderPercent)) {
    _counts.reordered++;
    fate.delayMillis[0] += _random.Between(1, _conditions.reorderHoldMillis);
  }
  if (_random.Chance(_conditions.duplicatePercent)) {
    _counts.duplicated++;
    fate.copies = 2;
    fate.delayMillis[1] = Delay();
  }
  return fate;
}

int32_t TLinkDirection::Reliable() {
  _counts.offered++;
  _counts.passed++;
  int32_t waited = 0;
  int32_t resendAfter = std::max(2 * (_conditions.delayMillis + _conditions.jitterMillis), kMinResendMillis);
  for (int32_t tries = 1; tries < kMaxReliableTries && _random.Chance(_conditions.lossPercent); tries++) {
    _counts.resent++;
    waited += resendAfter;
    resendAfter = std::min(resendAfter * 2, kMaxDelayMillis);
  }
  return waited + Delay();
}
