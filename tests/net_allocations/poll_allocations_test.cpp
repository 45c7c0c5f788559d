// Sending and polling allocate nothing once a connection is up: an online match sends and polls every frame, and
// an allocation a frame would in time show as a stall. Counted are the game's allocations (operator new); ENet
// keeps its packets with malloc and free, which this count does not see.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>

#include "headless/allocation_meter.h"
#include "media/core/clock.h"
#include "media/net/loopback_transport.h"
#include "media/platform/enet_transport.h"
#include "netplay/rollback_session.h"

namespace {

// One frame of a match on both sides: each sends an input and now and then a control message, then takes every
// event it has.
int64_t Frame(TNetTransport& a, TNetTransport& b, int32_t frame) {
  std::array<uint8_t, 64> input{};
  input[0] = static_cast<uint8_t>(frame);
  int64_t events = 0;
  for (TNetTransport* side : {&a, &b}) {
    side->Send(NET_CHANNEL_INPUT, input);
    if (frame % 30 == 0) {
      side->Send(NET_CHANNEL_CONTROL, std::span<const uint8_t>(input.data(), 8));
    }
    for (TNetEvent event = side->Poll(); event.kind != NET_EVENT_NONE; event = side->Poll()) {
      events++;
    }
    events += side->RoundTripMillis() >= 0 && side->Counters().sent > 0;
  }
  return events;
}

}  // namespace

TEST(NetAllocations, TheLoopbackAllocatesNothingOverABadLink) {
  TManualClock clock(0);
  SetClockSource(&clock);
  TLinkConditions conditions;
  conditions.delayMillis = 50;
  conditions.jitterMillis = 20;
  conditions.lossPercent = 5;
  conditions.duplicatePercent = 2;
  conditions.reorderPercent = 2;
  auto link = MakeLoopbackPair(conditions, 1);
  int32_t frame = 0;
  for (; frame < 300; frame++, clock.Advance(16)) {
    Frame(link->End(0), link->End(1), frame);
  }
  StartCountingAllocations();
  int64_t events = 0;
  for (; frame < 3300; frame++, clock.Advance(16)) {
    events += Frame(link->End(0), link->End(1), frame);
  }
  int64_t counted = StopCountingAllocations();
  SetClockSource(nullptr);
  EXPECT_EQ(counted, 0);
  EXPECT_GT(link->End(0).Counters().received, 2500);  // the frames did carry messages
  EXPECT_GT(events, 5000);
}

TEST(NetAllocations, TheUdpTransportAllocatesNothingOfTheGames) {
  TNetOpening host = HostOnline(0);
  ASSERT_TRUE(host.transport) << host.error;
  TNetOpening joiner = JoinOnline({"127.0.0.1", host.localPort});
  ASSERT_TRUE(joiner.transport) << joiner.error;
  for (int i = 0; i < 5000 && !(host.transport->Connected() && joiner.transport->Connected()); i++) {
    host.transport->Poll();
    joiner.transport->Poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_TRUE(host.transport->Connected() && joiner.transport->Connected());
  int32_t frame = 0;
  for (; frame < 100; frame++) {
    Frame(*host.transport, *joiner.transport, frame);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  StartCountingAllocations();
  for (; frame < 1100; frame++) {
    Frame(*host.transport, *joiner.transport, frame);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  int64_t counted = StopCountingAllocations();
  EXPECT_EQ(counted, 0);
  EXPECT_GT(host.transport->Counters().received, 900);
}

// The rollback session's frame, going back and playing ticks again under a bad link, allocates nothing either.
TEST(NetAllocations, TheRollbackSessionAllocatesNothingWhileItRollsBack) {
  TManualClock clock(0);
  SetClockSource(&clock);
  TLinkConditions conditions;
  conditions.delayMillis = 50;
  conditions.jitterMillis = 20;
  conditions.lossPercent = 5;
  auto link = MakeLoopbackPair(conditions, 2);
  TRollbackSession host(link->Host(), {});
  TRollbackSession joiner(link->Joiner(), {.side = 1});
  // Presses the other side cannot guess: a punch now and then, a guard held and let go.
  auto frame = [&](int32_t at) {
    clock.Advance(20);
    host.Tick(at % 9 == 0 ? MakeInput({0}, {0}) : INPUT_NONE);
    joiner.Tick(at % 23 < 11 ? MakeInput({1}, at % 23 == 0 ? std::initializer_list<int32_t>{1}
                                                           : std::initializer_list<int32_t>{})
                             : INPUT_NONE);
  };
  int32_t at = 0;
  for (; at < 300; at++) {
    frame(at);
  }
  StartCountingAllocations();
  for (; at < 3300; at++) {
    frame(at);
  }
  int64_t counted = StopCountingAllocations();
  SetClockSource(nullptr);
  EXPECT_EQ(counted, 0);
  EXPECT_EQ(host.State(), SESSION_RUNNING);
  EXPECT_GT(host.Figures().rollbacks + joiner.Figures().rollbacks, 100);
}
