#include "netplay/rollback_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/match_simulation.h"
#include "fight/pilot.h"
#include "headless/netplay_match.h"
#include "media/core/clock.h"
#include "media/net/loopback_transport.h"

namespace {

class RollbackSession : public ::testing::Test {
protected:
  RollbackSession() { SetClockSource(&_clock); }
  ~RollbackSession() override { SetClockSource(nullptr); }

  void Frame(TRollbackSession& a, TRollbackSession& b, TInputFrame aInput = INPUT_NONE) {
    _clock.Advance(20);
    a.Tick(aInput);
    b.Tick(INPUT_NONE);
  }

  std::vector<uint8_t> Bytes(size_t size) { return std::vector<uint8_t>(_buffer.data(), _buffer.data() + size); }

  TManualClock _clock{5000};
  std::array<uint8_t, NETPLAY_MAX_PACKET> _buffer{};
};

// Matches of two newcomers under each link the game must play over: both machines end every match on the same
// tick with the same hash, winner and sounds, and the worse links really make the sessions guess wrong. (At 30 ms
// the input delay of a tick hides the trip: nothing is ever guessed.)
// Whole matches are long (some 10,000 ticks each, played again many times over); the soak tool plays thousands.
TEST_F(RollbackSession, BothMachinesSeeTheSameMatchesOverEveryLink) {
  struct TCase {
    const char* name;
    TLinkConditions link;
    bool rollsBack;
  };
  // The delays are one way: the round trip is twice the delay.
  const std::array<TCase, 4> cases = {
      {{"perfect", TLinkConditions{}, false},
       {"30 ms", TLinkConditions{.delayMillis = 15}, false},
       {"100 ms, jitter, loss, reorder",
        TLinkConditions{.delayMillis = 50, .jitterMillis = 20, .lossPercent = 5, .reorderPercent = 1}, true},
       {"200 ms, 10 % loss", TLinkConditions{.delayMillis = 100, .lossPercent = 10}, true}}};
  constexpr int kMatches = 5;
  for (const TCase& test : cases) {
    int64_t rollbacks = 0;
    for (int match = 0; match < kMatches; match++) {
      TNetplayMatch played = PlayNetplayMatch(test.link, 1000 + static_cast<uint64_t>(match), 1, 40000, _clock);
      EXPECT_TRUE(played.Agreed()) << test.name << ", match " << match << ": ticks " << played.endTick[0] << "/"
                                   << played.endTick[1] << ", desync " << played.desync;
      EXPECT_FALSE(played.stalled) << test.name;
      EXPECT_EQ(played.state[0], SESSION_RUNNING) << test.name;
      rollbacks += played.figures[0].rollbacks + played.figures[1].rollbacks;
    }
    EXPECT_EQ(rollbacks > 0, test.rollsBack) << test.name << ": " << rollbacks << " rollbacks";
  }
}

// After a match each side may ask for another; the next one begins only when both have asked, on both machines
// from the same fresh fight, and the frames still in flight from the match before do not leak into it.
TEST_F(RollbackSession, ARematchBeginsWhenBothAskAndPlaysTheSameOnBoth) {
  auto link = MakeLoopbackPair(
      TLinkConditions{.delayMillis = 50, .jitterMillis = 20, .lossPercent = 5, .reorderPercent = 1}, 6);
  TRollbackSession host(link->Host(), {});
  TRollbackSession joiner(link->Joiner(), {.side = 1});
  TPlayerModel newcomer = TPlayerModel::Newcomer();
  std::array<std::unique_ptr<TPilot>, 2> pilots = {newcomer.CreatePilot(), newcomer.CreatePilot()};
  auto frame = [&] {
    _clock.Advance(20);
    host.Tick(pilots[0]->Next(host.Fight(), 0));
    joiner.Tick(pilots[1]->Next(joiner.Fight(), 1));
  };
  auto playToTheEnd = [&] {
    for (int frames = 0; frames < 60000 && (host.OverTick() < 0 || joiner.OverTick() < 0); frames++) {
      frame();
    }
    ASSERT_GE(host.OverTick(), 0);
    EXPECT_EQ(host.OverTick(), joiner.OverTick());
    EXPECT_EQ(host.OverHash(), joiner.OverHash());
  };
  playToTheEnd();
  int32_t firstEnd = host.OverTick();

  host.AskRematch();
  for (int frames = 0; frames < 100; frames++) {
    frame();
  }
  EXPECT_TRUE(joiner.PeerAskedRematch());
  EXPECT_EQ(host.Match(), 0) << "one side's wish is not enough";
  joiner.AskRematch();
  for (int frames = 0; frames < 100; frames++) {
    frame();
  }
  ASSERT_EQ(host.Match(), 1);
  ASSERT_EQ(joiner.Match(), 1);
  EXPECT_EQ(host.OverTick(), -1);
  uint64_t hostHash = 0;
  uint64_t joinerHash = 0;
  ASSERT_TRUE(host.ConfirmedHash(20, &hostHash));
  ASSERT_TRUE(joiner.ConfirmedHash(20, &joinerHash));
  EXPECT_EQ(hostHash, joinerHash);
  playToTheEnd();
  EXPECT_NE(host.OverTick(), firstEnd) << "the second match was played anew, not the first one's end kept";
  EXPECT_EQ(host.State(), SESSION_RUNNING);
  EXPECT_EQ(joiner.State(), SESSION_RUNNING);
  // The first match's last frames, still arriving after the rematch began, are an honest peer's, not hostile.
  EXPECT_EQ(host.Figures().droppedPackets, 0);
  EXPECT_EQ(joiner.Figures().droppedPackets, 0);
}

// A peer that speaks the protocol by hand: an honest hash for every tick but one.
TEST_F(RollbackSession, AFightThatPartsStopsAtTheFirstTickItParted) {
  auto link = MakeLoopbackPair({}, 1);
  TRollbackSession host(link->Host(), {});
  TNetTransport& peer = link->Joiner();
  THelloPacket hello;
  hello.inputDelay = 1;
  hello.rulesHash = FightRulesHash();
  FillVersion("1.1", &hello.version, &hello.versionLength);
  peer.Send(NET_CHANNEL_CONTROL, Bytes(EncodeHello(hello, _buffer)));

  TFight honest;  // the peer's own fight: both players press nothing
  constexpr int32_t kTampered = 30;
  for (int32_t frame = 0; frame < 60 && host.State() != SESSION_DESYNC; frame++) {
    _clock.Advance(20);
    host.Tick(INPUT_NONE);
    for (TNetEvent event = peer.Poll(); event.kind != NET_EVENT_NONE; event = peer.Poll()) {
    }
    honest.Advance(INPUT_NONE, INPUT_NONE);
    TInputPacket input;
    input.firstTick = 0;
    input.count = frame + 1;
    input.ack = 0;
    input.hashTick = honest.Tick() - 1;
    input.hash = honest.Hash() ^ (input.hashTick == kTampered ? 1u : 0u);
    peer.Send(NET_CHANNEL_INPUT, Bytes(EncodeInput(input, _buffer)));
  }
  EXPECT_EQ(host.State(), SESSION_DESYNC);
  EXPECT_EQ(host.DesyncTick(), kTampered);
  EXPECT_EQ(host.Message(), "The game went out of step at tick 30");
}

// Messages a broken or hostile peer might send are dropped and counted, and the match goes on unharmed.
TEST_F(RollbackSession, HostilePacketsAreDroppedAndCounted) {
  auto link = MakeLoopbackPair(TLinkConditions{.delayMillis = 10}, 2);
  TRollbackSession host(link->Host(), {});
  TRollbackSession joiner(link->Joiner(), {.side = 1});
  for (int frame = 0; frame < 20; frame++) {
    Frame(host, joiner);
  }
  ASSERT_EQ(host.State(), SESSION_RUNNING);

  TInputPacket input;
  input.firstTick = 0;
  input.count = 5;
  std::vector<uint8_t> whole = Bytes(EncodeInput(input, _buffer));
  std::vector<std::vector<uint8_t>> hostile;
  hostile.emplace_back(whole.begin(), whole.end() - 1);  // truncated
  hostile.push_back(whole);
  hostile.back().resize(NETPLAY_MAX_PACKET + 1);  // oversized
  input.firstTick = 5000;                         // far in the future
  hostile.push_back(Bytes(EncodeInput(input, _buffer)));
  input.firstTick = 0;
  input.frames[2] = 0xFFFF;  // bits no pad presses
  hostile.push_back(Bytes(EncodeInput(input, _buffer)));
  input.frames[2] = 0;
  input.ack = 60;  // claims frames the host never sent
  hostile.push_back(Bytes(EncodeInput(input, _buffer)));
  input.ack = 0;
  hostile.push_back(Bytes(EncodeInput(input, _buffer)));
  hostile.back()[1] = 77;  // a kind of message that does not exist
  for (const auto& bytes : hostile) {
    link->Inject(0, link->Address(1), NET_CHANNEL_INPUT, bytes);
  }
  // From anyone but the peer, even a well-formed message goes no further than the transport.
  TNetAddress stranger{0x0A000063, 7620};
  hostile.push_back(Bytes(EncodeQuit(NET_REASON_QUIT, _buffer)));
  link->Inject(0, stranger, NET_CHANNEL_CONTROL, hostile.back());
  int32_t before = host.Fight().Tick();
  for (int frame = 0; frame < 100; frame++) {
    Frame(host, joiner, frame % 7 == 0 ? MakeInput({0}, {0}) : INPUT_NONE);
  }
  EXPECT_EQ(host.Figures().droppedPackets, 6);
  EXPECT_EQ(link->Host().Counters().droppedForeign, 1);
  // A flood of them, frame after frame (the acknowledgement of frames not yet sent is one no longer): each dropped
  // and counted, the fight goes on, and the transport's queue does not grow past its room (what does not fit is
  // counted as lost, not kept).
  const std::array<size_t, 5> flood = {0, 1, 2, 3, 5};
  for (int frame = 0; frame < 50; frame++) {
    for (size_t copy = 0; copy < 200; copy++) {
      link->Inject(0, link->Address(1), NET_CHANNEL_INPUT, hostile[flood[copy % flood.size()]]);
    }
    Frame(host, joiner);
  }
  EXPECT_EQ(host.Figures().droppedPackets + link->Host().Counters().droppedOverflow, 6 + 50 * 200);
  EXPECT_EQ(host.State(), SESSION_RUNNING);
  EXPECT_EQ(host.State(), SESSION_RUNNING);
  EXPECT_GE(host.Fight().Tick(), before + 95);
  uint64_t hostHash = 0;
  uint64_t joinerHash = 0;
  int32_t confirmed = std::min(host.ConfirmedTicks(), joiner.ConfirmedTicks()) - 1;
  ASSERT_GT(confirmed, 140);
  ASSERT_TRUE(host.ConfirmedHash(confirmed, &hostHash));
  ASSERT_TRUE(joiner.ConfirmedHash(confirmed, &joinerHash));
  EXPECT_EQ(hostHash, joinerHash);
}

// Silence halts the fight after half a second and ends the match after five; a quit ends it at once; two versions
// refuse each other, each player told which the other has.
TEST_F(RollbackSession, SilenceQuittingAndOtherVersionsEndTheMatchAsThePlayerIsTold) {
  {
    auto link = MakeLoopbackPair(TLinkConditions{.delayMillis = 10}, 3);
    TRollbackSession host(link->Host(), {});
    TRollbackSession joiner(link->Joiner(), {.side = 1});
    for (int frame = 0; frame < 50; frame++) {
      Frame(host, joiner);
    }
    link->Cut();
    int32_t interruptedAt = -1;
    int32_t goneAt = -1;
    for (int32_t millis = 20; millis <= 6000 && goneAt < 0; millis += 20) {
      _clock.Advance(20);
      host.Tick(INPUT_NONE);
      if (host.State() == SESSION_INTERRUPTED && interruptedAt < 0) {
        interruptedAt = millis;
      }
      if (host.State() == SESSION_PEER_LEFT) {
        goneAt = millis;
      }
    }
    // A little over 500 ms and 5 s since the last message, which was in flight for 10 ms.
    EXPECT_GE(interruptedAt, 480);
    EXPECT_LE(interruptedAt, 540);
    EXPECT_GE(goneAt, 4980);
    EXPECT_LE(goneAt, 5040);
  }
  {
    auto link = MakeLoopbackPair(TLinkConditions{.delayMillis = 10}, 4);
    TRollbackSession host(link->Host(), {});
    TRollbackSession joiner(link->Joiner(), {.side = 1});
    for (int frame = 0; frame < 50; frame++) {
      Frame(host, joiner);
    }
    // The fight waits while nothing arrives, and goes on when something does.
    int32_t tick = host.Fight().Tick();
    for (int frame = 0; frame < 30; frame++) {
      _clock.Advance(20);
      host.Tick(INPUT_NONE);
    }
    EXPECT_EQ(host.State(), SESSION_INTERRUPTED);
    // As far as the guesses go past the last frame heard, which was a tick of input delay ahead.
    EXPECT_LE(host.Fight().Tick(), tick + 1 + SESSION_MAX_PREDICTION);
    for (int frame = 0; frame < 5; frame++) {
      Frame(host, joiner);
    }
    EXPECT_EQ(host.State(), SESSION_RUNNING);
    joiner.Leave();
    EXPECT_EQ(joiner.State(), SESSION_LEFT);
    Frame(host, joiner);
    EXPECT_EQ(host.State(), SESSION_PEER_LEFT);
    EXPECT_EQ(host.Message(), "The other player left");
  }
  {
    auto link = MakeLoopbackPair(TLinkConditions{.delayMillis = 10}, 5);
    TRollbackSession host(link->Host(), {.version = "1.1"});
    TRollbackSession joiner(link->Joiner(), {.side = 1, .version = "1.2"});
    for (int frame = 0; frame < 5; frame++) {
      Frame(host, joiner);
    }
    EXPECT_EQ(host.State(), SESSION_REFUSED);
    EXPECT_EQ(host.Message(), "The other player has Morvik 1.2; you have 1.1");
    EXPECT_EQ(joiner.State(), SESSION_REFUSED);
    EXPECT_EQ(joiner.Message(), "The other player has Morvik 1.1; you have 1.2");
    EXPECT_EQ(host.Fight().Tick(), 0);
  }
}

}  // namespace
