// The frame loop allocates nothing: a training match of two computer players on the game's own data, run
// headless, allocates not once in thousands of frames once every picture has its drawables. An allocation a
// frame would go unnoticed by a player for a while and then show as a stall.
#include <gtest/gtest.h>

#include "app/game.h"
#include "headless/allocation_meter.h"
#include "headless/headless_fight.h"

namespace {

constexpr int kWarmUpFrames = 1500;  // every state of a round, and a few rounds, before counting
constexpr int kCountedFrames = 2500;

void RunFrames(THeadlessFight& fight, int frames) {
  for (int frame = 0; frame < frames; frame++) {
    fight.PressOnIfWaiting();
    Game::Frame();
    fight.EndFrame();
  }
}

}  // namespace

TEST(FightFrames, AllocateNothing) {
  THeadlessFight fight(MORVIK_GAME_DIR, false);
  RunFrames(fight, kWarmUpFrames);
  StartCountingAllocations();
  RunFrames(fight, kCountedFrames);
  EXPECT_EQ(StopCountingAllocations(), 0) << "run tools' frame_cost --trace-allocations to see where";
}

TEST(FightFrames, TheCountSeesAnAllocation) {
  StartCountingAllocations();
  // Called by name: a new-expression whose memory nothing uses may be left out by the optimiser.
  void* memory = ::operator new(64);
  int64_t counted = StopCountingAllocations();
  ::operator delete(memory);
  EXPECT_EQ(counted, 1);
}
