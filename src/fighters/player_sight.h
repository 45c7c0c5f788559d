// What a person at the screen sees of a fight, and remembers for the moment it takes to react: each fighter's
// pose as drawn (its sprite cell), its place in the ring, its health and power bars. Nothing else: not the
// opponent's timers nor what it plans, which the screen never shows.
#pragma once

#include <array>
#include <cstdint>

#include "fighters/figure.h"

// One fighter as drawn.
struct TSeenFighter {
  int32_t cell = 0;  // sprite cell of the pose (TFigure::PoseCell)
  int32_t x = 0;
  int32_t health = 0;
  std::array<int32_t, HANDS> power{};

  // The pose read back from the cell: the action (ACTION_RECOVER for an arm that is out), the height, where the
  // cell shows one (a walk does not: its height reads 1), and the hand out or that hit.
  int32_t Action() const;
  int32_t Height() const;
  int32_t Side() const;
  // How hard each punch would land, as the rules tell from the pose.
  TVulnMatrix Openings() const;
};

// Both fighters at one moment: the one the player steers and the opponent.
struct TSight {
  int32_t time = 0;  // clock reading when it was seen
  TSeenFighter self;
  TSeenFighter opponent;

  int32_t Distance() const;
};

// What fig and its opponent look like now.
TSight Look(const TFigure& fig, int32_t now);

// The last second or so of sights, one per tick, in a ring that never allocates.
class TSightMemory {
public:
  // Longest reaction delay that can be looked back over.
  static constexpr int32_t LONGEST_MILLIS = 1200;

  // Adds a sight. One that comes after a gap (the pause between rounds) starts the memory afresh: what was seen
  // before it says nothing of the new round.
  void Remember(const TSight& sight);
  // The latest sight at least delay ms old, or nullptr when none is that old.
  const TSight* SeenBefore(int32_t now, int32_t delay) const;

private:
  static constexpr size_t kCapacity = 64;  // ticks: more than LONGEST_MILLIS
  std::array<TSight, kCapacity> _sights{};
  size_t _count = 0;
  size_t _next = 0;
};
