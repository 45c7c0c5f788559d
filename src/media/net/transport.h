// The game's one connection to the other player's machine, as the online match sees it: two channels to exactly
// one peer, events taken without waiting once a frame, and the figures the network line of the fight shows.
//
// Behind it are the UDP back-end (media/platform/enet_transport.h) and, for tests and soaks in one process, the
// loopback (media/net/loopback_transport.h). Nothing above the media floor sees more of the network than this.
#pragma once

#include <cstdint>
#include <span>

#include "media/net/net_address.h"

// The channels. Control is reliable and in order: the handshake and match control, which must all arrive.
// Input is unsequenced and unreliable: a late input is worth nothing, and each input message repeats what the
// peer has not acknowledged, so a lost one costs nothing once the next arrives.
enum : int32_t { NET_CHANNEL_CONTROL = 0, NET_CHANNEL_INPUT = 1, NET_CHANNELS = 2 };

// The largest message either channel carries, in bytes. It fits one UDP datagram of the back-end with its headers
// on any usual path (1200 bytes of payload stay under the 1280-byte minimum every IPv6 link carries), so the
// unreliable channel is never split into fragments. Larger ones are neither sent nor delivered.
inline constexpr int32_t NET_MAX_MESSAGE = 1200;

// How long a peer may stay silent before it counts as gone: ENet's own default, and what players of online games
// expect before a match is given up.
inline constexpr int32_t NET_DEFAULT_TIMEOUT_MILLIS = 5000;

enum : int32_t {
  NET_EVENT_NONE,          // nothing (more) this frame
  NET_EVENT_CONNECTED,     // the peer is there: the first event of a connection
  NET_EVENT_RECEIVED,      // a message on channel
  NET_EVENT_DISCONNECTED,  // the connection is over, for reason; no event follows it
};

// Why a connection ended. A peer's own Disconnect(reason) arrives as that reason, so the game may send reasons of
// its own numbered from NET_REASON_GAME up; the transport uses the ones below it.
enum : int32_t {
  NET_REASON_NONE,          // the connection is not over
  NET_REASON_QUIT,          // the peer left on purpose
  NET_REASON_BUSY,          // the host already has its peer
  NET_REASON_TIMEOUT,       // the peer went silent (or never answered a join)
  NET_REASON_UNREACHABLE,   // the network refused to carry the join at all
  NET_REASON_NO_SUCH_HOST,  // the name to join does not resolve to an address
  NET_REASON_GAME = 16,     // the first of the game's own reasons
};

struct TNetEvent {
  int32_t kind = NET_EVENT_NONE;
  int32_t channel = 0;               // RECEIVED: the channel it came on
  std::span<const uint8_t> data;     // RECEIVED: the message, valid until the next Poll
  int32_t reason = NET_REASON_NONE;  // DISCONNECTED: why
};

// What went through the transport, for the network line and the soak's table. Messages are counted as the game
// sent and took them; wire bytes include what the back-end adds (headers, acknowledgements, pings, resends).
struct TNetCounters {
  int64_t sent = 0;  // messages accepted by Send
  int64_t sentBytes = 0;
  int64_t received = 0;  // messages handed to the game by Poll
  int64_t receivedBytes = 0;
  int64_t wireBytesSent = 0;
  int64_t wireBytesReceived = 0;
  int64_t refusedOversize = 0;  // messages over NET_MAX_MESSAGE, to send or received
  int64_t refusedNoPeer = 0;    // Sends with no connected peer or to a channel that does not exist
  int64_t droppedForeign = 0;   // datagrams from any address but the peer's (a refused second joiner's too)
  int64_t droppedOverflow = 0;  // messages lost to a full queue
};

class TNetTransport {
public:
  virtual ~TNetTransport() = default;

  // Sends bytes to the peer on channel, at once. False, and nothing sent, when there is no connected peer, the
  // channel does not exist, or the message is over NET_MAX_MESSAGE.
  virtual bool Send(int32_t channel, std::span<const uint8_t> bytes) = 0;

  // The next event, without waiting; kind NONE when there is none. Called every frame until it returns NONE.
  // A received message is copied into a buffer the transport owns, valid until the next Poll; nothing is
  // allocated once the connection is up.
  virtual TNetEvent Poll() = 0;

  // Tells the peer we leave, for reason (NONE is sent as QUIT), after every control message sent before it, and
  // lets go of the peer: no event follows and Connected() is false. Nothing when there is no peer.
  virtual void Disconnect(int32_t reason) = 0;

  // Whether a peer is connected: from CONNECTED until DISCONNECTED or Disconnect.
  virtual bool Connected() const = 0;

  // The peer's address; zero before there is one.
  virtual TNetAddress PeerAddress() const = 0;

  // The round trip to the peer in milliseconds, smoothed; 0 before any measurement.
  virtual int32_t RoundTripMillis() const = 0;

  virtual TNetCounters Counters() const = 0;
};
