// One side of an online match whose other side is a script: the host's rollback session over a transport that
// hands it the peer's messages when the benchmark says, so a frame that rolls back exactly eight ticks of a round
// can be made again and again and measured alone.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "media/core/clock.h"
#include "media/net/transport.h"
#include "netplay/rollback_session.h"
#include "scripted_fight.h"

// The peer's end of the connection as the session sees it: connected from the start, no round trip, and only the
// messages the script delivers. What the session sends is counted and dropped.
class TScriptedPeer final : public TNetTransport {
public:
  // A message on channel for the session's next Poll (two at most between two frames).
  void Deliver(int32_t channel, std::span<const uint8_t> bytes);

  bool Send(int32_t channel, std::span<const uint8_t> bytes) override;
  TNetEvent Poll() override;
  void Disconnect(int32_t) override {}
  bool Connected() const override { return true; }
  TNetAddress PeerAddress() const override { return {}; }
  int32_t RoundTripMillis() const override { return 0; }
  TNetCounters Counters() const override { return _counters; }

private:
  std::array<std::array<uint8_t, NET_MAX_MESSAGE>, 2> _inbox{};
  std::array<size_t, 2> _sizes{};
  std::array<int32_t, 2> _channels{};
  size_t _count = 0;
  size_t _next = 0;
  TNetCounters _counters;
};

// The host of a match whose fighters press the scripted fight's inputs, brought through the handshake and the
// warm-up, each tick's peer frame delivered in time, so it stands in a round with nothing guessed.
class TScriptedMatch {
public:
  explicit TScriptedMatch(TManualClock& clock);
  TScriptedMatch(const TScriptedMatch&) = delete;
  TScriptedMatch& operator=(const TScriptedMatch&) = delete;

  // Frames with the peer silent: the session plays on guesses (up to SESSION_MAX_PREDICTION of them).
  void GuessAhead(int32_t frames);
  // The frame on which the peer's frames of every guessed tick arrive, the first of them not the one guessed, and
  // the next tick's with them: the session goes back to the first guessed tick and plays them all again.
  void FrameThatRollsBack();
  // Whether another guessing and rollback still lies within the script's round.
  bool RoomForAnother() const;
  bool InRound() const { return _session->Fight().Phase() == FIGHT_ROUND; }
  const TRollbackSession& Session() const { return *_session; }

private:
  void Frame();
  void DeliverFrames(int32_t count);

  TManualClock& _clock;
  std::vector<std::array<TInputFrame, 2>> _script = Script(kWarmUpTicks + kScriptTicks);
  TScriptedPeer _peer;
  std::unique_ptr<TRollbackSession> _session;
  int32_t _peerNext = 0;  // the peer's frames delivered: ticks 0.._peerNext-1
};
