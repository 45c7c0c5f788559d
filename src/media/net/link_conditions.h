// The one model of a bad link, shared by the in-process loopback and the link emulator tool: what happens to each
// datagram going one way (delayed, dropped, duplicated, held back so a later one overtakes it), drawn from a
// seeded generator of its own, so a run repeats exactly and the game's own random sequence is never disturbed.
#pragma once

#include <cstdint>

// The conditions of one direction of a link.
struct TLinkConditions {
  int32_t delayMillis = 0;         // fixed one-way delay
  int32_t jitterMillis = 0;        // each datagram's delay varies by up to this much either way, uniformly
  double lossPercent = 0;          // share of datagrams lost
  double duplicatePercent = 0;     // share of datagrams delivered twice (the copy with its own delay)
  double reorderPercent = 0;       // share of datagrams held back...
  int32_t reorderHoldMillis = 40;  // ...by 1 to this many milliseconds more, so a later datagram overtakes them
};

// What the model did to the datagrams it was given.
struct TLinkCounts {
  int64_t offered = 0;  // datagrams handed to the link
  int64_t passed = 0;   // offered and not dropped (offered = passed + dropped)
  int64_t dropped = 0;
  int64_t duplicated = 0;  // extra copies delivered (a receiver sees passed + duplicated datagrams)
  int64_t reordered = 0;   // held back by an extra delay
  int64_t resent = 0;      // lost tries of reliable datagrams, which arrive later instead
};

// A datagram's fate on the unreliable path: how many copies arrive (0, 1 or 2) and each one's delay.
struct TLinkFate {
  int32_t copies = 0;
  int32_t delayMillis[2] = {0, 0};
};

// A small generator of its own (SplitMix64): fast, good enough for a link model, and the same on every machine.
class TLinkRandom {
public:
  explicit TLinkRandom(uint64_t seed) : _state(seed) {}
  uint64_t Next();
  // Uniform in [0, 1).
  double Unit();
  // Uniform among low..high, both included; low when high < low.
  int32_t Between(int32_t low, int32_t high);
  // True with the given chance in percent (0 never, 100 always).
  bool Chance(double percent);

private:
  uint64_t _state;
};

// One direction of a link: the conditions, the generator and the counts.
class TLinkDirection {
public:
  // Conditions outside their ranges are clamped: delays and jitter to 0..60000 ms, shares to 0..100.
  TLinkDirection(const TLinkConditions& conditions, uint64_t seed);

  // The fate of a datagram on the unreliable path: lost, or delivered after a delay, maybe held back, maybe twice.
  TLinkFate Unreliable();

  // The delay of a datagram on the reliable path: it is never lost, but each lost try costs a resend, which
  // waits a round trip and doubles its wait each time, as a reliable protocol backs off. (Keeping the order of
  // reliable datagrams is the caller's: a later one never arrives before an earlier one.)
  int32_t Reliable();

  const TLinkConditions& Conditions() const { return _conditions; }
  const TLinkCounts& Counts() const { return _counts; }

private:
  int32_t Delay();

  TLinkConditions _conditions;
  TLinkRandom _random;
  TLinkCounts _counts;
};
