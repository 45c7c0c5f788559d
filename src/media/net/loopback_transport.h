// Two transports joined in one process by an emulated link: what the tests and the soak of online matches play
// over instead of UDP. Datagrams travel through the link conditions on the game's clock (ElapsedMillis), so a
// test that installs a manual clock decides when each arrives, and a seed makes a run repeat exactly.
//
// The control channel behaves as a reliable protocol's does to its user: delayed by the link, and longer where a
// try is lost and resent, but never lost, doubled or reordered. The input channel gets the conditions whole.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "media/net/datagram_queue.h"
#include "media/net/link_conditions.h"
#include "media/net/transport.h"

// Datagrams each direction holds at once; far more than a match keeps in flight at 60 messages a second.
inline constexpr int32_t LOOPBACK_DEFAULT_CAPACITY = 1024;

class TLoopbackLink;

// One end of the link.
class TLoopbackEnd final : public TNetTransport {
public:
  TLoopbackEnd(TLoopbackLink& link, int32_t side) : _link(link), _side(side) {}

  bool Send(int32_t channel, std::span<const uint8_t> bytes) override;
  TNetEvent Poll() override;
  void Disconnect(int32_t reason) override;
  bool Connected() const override { return _state == kConnected; }
  TNetAddress PeerAddress() const override;
  int32_t RoundTripMillis() const override;
  TNetCounters Counters() const override { return _counters; }

private:
  friend class TLoopbackLink;
  enum TState { kConnected, kClosed };

  // The one-way delay this end has seen on what it received, smoothed as round trips are; 0 before any.
  int32_t IncomingDelay() const { return static_cast<int32_t>(_incomingDelay); }
  TNetEvent Close(int32_t reason);

  TLoopbackLink& _link;
  int32_t _side;
  TState _state = kConnected;
  bool _announced = false;  // CONNECTED reported
  double _incomingDelay = 0;
  bool _measured = false;
  int64_t _lastReliableDue = 0;  // keeps the control channel in order
  TNetCounters _counters;
  std::array<uint8_t, NET_MAX_MESSAGE> _message{};
};

class TLoopbackLink {
public:
  // Side 0 is the host, side 1 the joiner. Each direction draws from its own generator, both made from seed.
  // A peer that stops sending altogether (Cut) counts as gone after timeoutMillis.
  TLoopbackLink(const TLinkConditions& hostToJoiner, const TLinkConditions& joinerToHost, uint64_t seed,
                int32_t timeoutMillis = NET_DEFAULT_TIMEOUT_MILLIS, int32_t capacity = LOOPBACK_DEFAULT_CAPACITY);
  TLoopbackLink(const TLoopbackLink&) = delete;
  TLoopbackLink& operator=(const TLoopbackLink&) = delete;

  TNetTransport& End(int32_t side) { return _ends[static_cast<size_t>(side & 1)]; }
  TLoopbackEnd& Host() { return _ends[0]; }
  TLoopbackEnd& Joiner() { return _ends[1]; }

  // The made-up address each end sends from (127.0.0.1, a port of its own).
  TNetAddress Address(int32_t side) const;

  // What the conditions did to what side sent.
  const TLinkDirection& From(int32_t side) const { return _directions[static_cast<size_t>(side & 1)]; }

  // A datagram for side as if it came from another address (or from the peer's, to pose as the peer): it
  // arrives at side's next Poll. One over NET_MAX_MESSAGE is refused there, as the network layer would.
  void Inject(int32_t side, const TNetAddress& from, int32_t channel, std::span<const uint8_t> bytes);

  // The wire goes dead both ways, as when the other machine vanishes: nothing more arrives, what was in flight
  // is lost, and each end still connected reports DISCONNECTED with TIMEOUT once timeoutMillis have passed.
  void Cut();

private:
  friend class TLoopbackEnd;

  // The link's clock: milliseconds since it was made, read from ElapsedMillis and widened to 64 bits.
  int64_t Now();
  TDatagramQueue& Toward(int32_t side) { return _queues[static_cast<size_t>(side & 1)]; }
  bool Queue(int32_t toSide, const TDatagramHeader& header, std::span<const uint8_t> bytes);

  std::array<TLoopbackEnd, 2> _ends;
  std::array<TLinkDirection, 2> _directions;
  std::array<TDatagramQueue, 2> _queues;  // by the side they arrive at
  int32_t _timeoutMillis;
  int32_t _lastReading;
  int64_t _now = 0;
  bool _cut = false;
  int64_t _cutAt = 0;
};

// A link with the same conditions both ways and the default timeout and room.
std::unique_ptr<TLoopbackLink> MakeLoopbackPair(const TLinkConditions& conditions, uint64_t seed);
