#include "media/net/loopback_transport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "media/core/clock.h"

namespace {

// A message that carries its number, so a test can tell which arrived and in what order.
std::vector<uint8_t> Numbered(uint32_t number, size_t size = 8) {
  std::vector<uint8_t> bytes(size, static_cast<uint8_t>(number));
  std::memcpy(bytes.data(), &number, sizeof number);
  return bytes;
}

uint32_t NumberOf(std::span<const uint8_t> data) {
  uint32_t number = 0;
  std::memcpy(&number, data.data(), sizeof number);
  return number;
}

struct TArrival {
  uint32_t number;
  int32_t channel;
  int32_t at;
};

class LoopbackTransport : public ::testing::Test {
protected:
  LoopbackTransport() { SetClockSource(&_clock); }
  ~LoopbackTransport() override { SetClockSource(nullptr); }

  // Takes every event end has now; messages go to arrivals, anything else to others.
  void Drain(TNetTransport& end, std::vector<TArrival>& arrivals, std::vector<TNetEvent>* others = nullptr) {
    for (TNetEvent event = end.Poll(); event.kind != NET_EVENT_NONE; event = end.Poll()) {
      if (event.kind == NET_EVENT_RECEIVED) {
        arrivals.push_back({NumberOf(event.data), event.channel, _clock.Now()});
      } else if (others != nullptr) {
        others->push_back(event);
      }
    }
  }

  // Sends count numbered messages from one end on channel, one every step ms, taking what arrives at the other
  // end as it goes, and then waits long enough for the stragglers.
  std::vector<TArrival> Stream(TNetTransport& from, TNetTransport& to, int32_t channel, uint32_t count, int32_t step) {
    std::vector<TArrival> arrivals;
    for (uint32_t number = 0; number < count; number++) {
      EXPECT_TRUE(from.Send(channel, Numbered(number)));
      _clock.Advance(step);
      Drain(to, arrivals);
    }
    for (int i = 0; i < 1000; i++) {
      _clock.Advance(step);
      Drain(to, arrivals);
    }
    return arrivals;
  }

  TManualClock _clock{1000};
};

TLinkConditions Hostile() {
  TLinkConditions conditions;
  conditions.delayMillis = 40;
  conditions.jitterMillis = 30;
  conditions.lossPercent = 40;
  conditions.duplicatePercent = 20;
  conditions.reorderPercent = 20;
  return conditions;
}

}  // namespace

TEST_F(LoopbackTransport, BothEndsStartConnectedAndSayItFirst) {
  auto link = MakeLoopbackPair({}, 1);
  for (int32_t side = 0; side < 2; side++) {
    TNetTransport& end = link->End(side);
    EXPECT_TRUE(end.Connected());
    EXPECT_EQ(end.PeerAddress(), link->Address(1 - side));
    EXPECT_EQ(end.Poll().kind, NET_EVENT_CONNECTED);
    EXPECT_EQ(end.Poll().kind, NET_EVENT_NONE);
  }
  EXPECT_EQ(AddressText(link->Address(0)), "127.0.0.1:7620");
}

TEST_F(LoopbackTransport, ControlMessagesArriveWholeOnceAndInOrderOverAHostileLink) {
  TLoopbackLink link(Hostile(), Hostile(), 77);
  std::vector<TArrival> ignored;
  Drain(link.Joiner(), ignored);
  std::vector<TArrival> arrivals = Stream(link.Host(), link.Joiner(), NET_CHANNEL_CONTROL, 500, 5);
  ASSERT_EQ(arrivals.size(), 500u);
  for (uint32_t i = 0; i < arrivals.size(); i++) {
    EXPECT_EQ(arrivals[i].number, i);
    EXPECT_EQ(arrivals[i].channel, NET_CHANNEL_CONTROL);
    // Sent at 1000 + 5 i; nothing outruns the fastest the link carries.
    EXPECT_GE(arrivals[i].at - (1000 + 5 * static_cast<int32_t>(i)), 10);
  }
  EXPECT_GT(link.From(0).Counts().resent, 100);  // the loss was there: it cost resends, not messages
  EXPECT_EQ(link.Joiner().Counters().received, 500);
}

TEST_F(LoopbackTransport, InputMessagesShowTheConditions) {
  TLoopbackLink link(Hostile(), {}, 78);
  std::vector<TArrival> arrivals = Stream(link.Host(), link.Joiner(), NET_CHANNEL_INPUT, 3000, 5);
  const TLinkCounts& counts = link.From(0).Counts();
  EXPECT_EQ(counts.offered, 3000);
  EXPECT_EQ(static_cast<int64_t>(arrivals.size()), counts.passed + counts.duplicated);
  EXPECT_GT(counts.dropped, 1000);
  std::vector<int> seen(3000, 0);
  int overtaken = 0;
  for (size_t i = 0; i < arrivals.size(); i++) {
    EXPECT_EQ(arrivals[i].channel, NET_CHANNEL_INPUT);
    seen[arrivals[i].number]++;
    if (i > 0 && arrivals[i].number < arrivals[i - 1].number) {
      overtaken++;
    }
    EXPECT_GE(arrivals[i].at - (1000 + 5 * static_cast<int32_t>(arrivals[i].number)), 10);
  }
  int twice = 0;
  for (int count : seen) {
    EXPECT_LE(count, 2);
    twice += count == 2;
  }
  EXPECT_GT(twice, 200);
  EXPECT_GT(overtaken, 200);
}

TEST_F(LoopbackTransport, AMessageArrivesAfterTheFixedDelayAndNotBefore) {
  TLinkConditions conditions;
  conditions.delayMillis = 30;
  auto link = MakeLoopbackPair(conditions, 2);
  TNetTransport& host = link->End(0);
  TNetTransport& joiner = link->End(1);
  host.Poll();
  joiner.Poll();
  EXPECT_EQ(host.RoundTripMillis(), 0);
  const uint8_t hello[] = {1, 2, 3};
  ASSERT_TRUE(host.Send(NET_CHANNEL_INPUT, hello));
  _clock.Advance(29);
  EXPECT_EQ(joiner.Poll().kind, NET_EVENT_NONE);
  _clock.Advance(1);
  TNetEvent event = joiner.Poll();
  ASSERT_EQ(event.kind, NET_EVENT_RECEIVED);
  EXPECT_EQ(event.channel, NET_CHANNEL_INPUT);
  ASSERT_EQ(event.data.size(), 3u);
  EXPECT_EQ(event.data[2], 3);
  // Measured one way only so far; the answer makes the round trip.
  EXPECT_EQ(host.RoundTripMillis(), 0);
  ASSERT_TRUE(joiner.Send(NET_CHANNEL_CONTROL, hello));
  _clock.Advance(30);
  EXPECT_EQ(host.Poll().kind, NET_EVENT_RECEIVED);
  EXPECT_EQ(host.RoundTripMillis(), 60);
  EXPECT_EQ(joiner.RoundTripMillis(), 60);
  TNetCounters counters = host.Counters();
  EXPECT_EQ(counters.sent, 1);
  EXPECT_EQ(counters.sentBytes, 3);
  EXPECT_EQ(counters.received, 1);
}

TEST_F(LoopbackTransport, AForeignDatagramIsIgnoredAndCounted) {
  auto link = MakeLoopbackPair({}, 3);
  TNetTransport& host = link->End(0);
  host.Poll();
  const uint8_t bytes[] = {9, 9, 9, 9};
  link->Inject(0, {0x0A000009, 5000}, NET_CHANNEL_CONTROL, bytes);
  link->Inject(0, {link->Address(1).host, 7000}, NET_CHANNEL_INPUT, bytes);  // the right machine, another port
  EXPECT_EQ(host.Poll().kind, NET_EVENT_NONE);
  EXPECT_EQ(host.Counters().droppedForeign, 2);
  EXPECT_EQ(host.Counters().received, 0);
  // The same datagram from the peer's own address is taken: the filter is the address.
  link->Inject(0, link->Address(1), NET_CHANNEL_INPUT, bytes);
  EXPECT_EQ(host.Poll().kind, NET_EVENT_RECEIVED);
}

TEST_F(LoopbackTransport, OversizeMessagesAreNeitherSentNorDelivered) {
  auto link = MakeLoopbackPair({}, 4);
  TNetTransport& host = link->End(0);
  TNetTransport& joiner = link->End(1);
  host.Poll();
  joiner.Poll();
  std::vector<uint8_t> largest(NET_MAX_MESSAGE, 1);
  std::vector<uint8_t> over(NET_MAX_MESSAGE + 1, 2);
  EXPECT_FALSE(host.Send(NET_CHANNEL_INPUT, over));
  EXPECT_FALSE(host.Send(NET_CHANNEL_CONTROL, over));
  EXPECT_TRUE(host.Send(NET_CHANNEL_INPUT, largest));
  EXPECT_EQ(host.Counters().refusedOversize, 2);
  EXPECT_EQ(host.Counters().sent, 1);
  link->Inject(1, link->Address(0), NET_CHANNEL_INPUT, over);
  TNetEvent event = joiner.Poll();
  ASSERT_EQ(event.kind, NET_EVENT_RECEIVED);
  EXPECT_EQ(event.data.size(), static_cast<size_t>(NET_MAX_MESSAGE));
  EXPECT_EQ(joiner.Poll().kind, NET_EVENT_NONE);
  EXPECT_EQ(joiner.Counters().refusedOversize, 1);
  EXPECT_FALSE(host.Send(NET_CHANNELS, largest));
  EXPECT_EQ(host.Counters().refusedNoPeer, 1);
}

TEST_F(LoopbackTransport, APeerThatVanishesTimesOutAfterTheTimeout) {
  TLinkConditions conditions;
  conditions.delayMillis = 20;
  TLoopbackLink link(conditions, conditions, 5, 3000);
  link.Host().Poll();
  link.Joiner().Poll();
  const uint8_t bytes[] = {1};
  link.Host().Send(NET_CHANNEL_CONTROL, bytes);  // in flight when the wire goes: lost with it
  link.Cut();
  EXPECT_TRUE(link.Host().Send(NET_CHANNEL_INPUT, bytes));  // the sender cannot tell
  _clock.Advance(2999);
  EXPECT_EQ(link.Joiner().Poll().kind, NET_EVENT_NONE);
  EXPECT_EQ(link.Host().Poll().kind, NET_EVENT_NONE);
  EXPECT_TRUE(link.Host().Connected());
  _clock.Advance(1);
  for (int32_t side = 0; side < 2; side++) {
    TNetEvent event = link.End(side).Poll();
    EXPECT_EQ(event.kind, NET_EVENT_DISCONNECTED);
    EXPECT_EQ(event.reason, NET_REASON_TIMEOUT);
    EXPECT_FALSE(link.End(side).Connected());
    EXPECT_EQ(link.End(side).Poll().kind, NET_EVENT_NONE);  // nothing follows
    EXPECT_FALSE(link.End(side).Send(NET_CHANNEL_INPUT, bytes));
  }
  EXPECT_EQ(link.Joiner().Counters().received, 0);
}

TEST_F(LoopbackTransport, ACleanQuitArrivesAfterWhatWasSentBeforeItWithItsReason) {
  TLinkConditions conditions = Hostile();
  conditions.lossPercent = 30;
  TLoopbackLink link(conditions, conditions, 6);
  link.Host().Poll();
  link.Joiner().Poll();
  for (uint32_t number = 0; number < 20; number++) {
    link.Host().Send(NET_CHANNEL_CONTROL, Numbered(number));
  }
  link.Host().Disconnect(NET_REASON_QUIT);
  EXPECT_FALSE(link.Host().Connected());
  EXPECT_FALSE(link.Host().Send(NET_CHANNEL_CONTROL, Numbered(99)));
  // What the joiner says now reaches no one: the host has let go.
  link.Joiner().Send(NET_CHANNEL_CONTROL, Numbered(7));
  std::vector<TArrival> arrivals;
  std::vector<TNetEvent> others;
  for (int i = 0; i < 2000 && others.empty(); i++) {
    _clock.Advance(5);
    Drain(link.Joiner(), arrivals, &others);
  }
  ASSERT_EQ(arrivals.size(), 20u);
  ASSERT_EQ(others.size(), 1u);
  EXPECT_EQ(others[0].kind, NET_EVENT_DISCONNECTED);
  EXPECT_EQ(others[0].reason, NET_REASON_QUIT);
  EXPECT_FALSE(link.Joiner().Connected());
  _clock.Advance(10000);
  EXPECT_EQ(link.Host().Poll().kind, NET_EVENT_NONE);
  EXPECT_EQ(link.Host().Counters().received, 0);
}

TEST_F(LoopbackTransport, AGamesOwnReasonPassesThroughAndNoReasonMeansQuit) {
  for (int32_t reason : {int32_t{NET_REASON_GAME + 3}, int32_t{NET_REASON_NONE}}) {
    auto link = MakeLoopbackPair({}, 8);
    link->End(1).Poll();
    link->End(0).Disconnect(reason);
    link->End(0).Disconnect(NET_REASON_BUSY);  // once gone, a second call sends nothing
    TNetEvent event = link->End(1).Poll();
    EXPECT_EQ(event.kind, NET_EVENT_DISCONNECTED);
    EXPECT_EQ(event.reason, reason == NET_REASON_NONE ? NET_REASON_QUIT : reason);
    EXPECT_EQ(link->End(1).Poll().kind, NET_EVENT_NONE);
  }
}

TEST_F(LoopbackTransport, TheSameSeedRepeatsARunExactly) {
  auto run = [this](uint64_t seed) {
    _clock.Set(1000);
    TLoopbackLink link(Hostile(), Hostile(), seed);
    std::vector<TArrival> arrivals = Stream(link.Host(), link.Joiner(), NET_CHANNEL_INPUT, 300, 7);
    std::vector<int32_t> flat;
    for (const TArrival& arrival : arrivals) {
      flat.push_back(static_cast<int32_t>(arrival.number));
      flat.push_back(arrival.at);
    }
    return flat;
  };
  EXPECT_EQ(run(5), run(5));
  EXPECT_NE(run(5), run(6));
}

TEST_F(LoopbackTransport, AFullQueueCountsWhatItCannotHold) {
  TLinkConditions conditions;
  conditions.delayMillis = 100;
  TLoopbackLink link(conditions, conditions, 9, NET_DEFAULT_TIMEOUT_MILLIS, 8);
  for (uint32_t number = 0; number < 20; number++) {
    EXPECT_TRUE(link.Host().Send(NET_CHANNEL_INPUT, Numbered(number)));
  }
  EXPECT_EQ(link.Host().Counters().droppedOverflow, 12);
  _clock.Advance(100);
  std::vector<TArrival> arrivals;
  Drain(link.Joiner(), arrivals);
  ASSERT_EQ(arrivals.size(), 8u);
  EXPECT_EQ(arrivals.back().number, 7u);
}
