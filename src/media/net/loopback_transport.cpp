#include "media/net/loopback_transport.h"

#include <algorithm>
#include <cstring>

#include "media/core/clock.h"

namespace {

constexpr uint32_t kLoopbackHost = 0x7F000001;  // 127.0.0.1
constexpr uint16_t kFirstPort = NET_DEFAULT_PORT;

// Round trips are smoothed as a reliable protocol smooths them: each new sample moves the mean an eighth.
constexpr double kSmoothing = 1.0 / 8.0;

// The two directions' generators, made from one seed so that neither repeats the other.
uint64_t DirectionSeed(uint64_t seed, int32_t side) {
  TLinkRandom random(seed);
  uint64_t first = random.Next();
  return side == 0 ? first : random.Next();
}

}  // namespace

// ---- the link

TLoopbackLink::TLoopbackLink(const TLinkConditions& hostToJoiner, const TLinkConditions& joinerToHost, uint64_t seed,
                             int32_t timeoutMillis, int32_t capacity)
    : _ends{TLoopbackEnd(*this, 0), TLoopbackEnd(*this, 1)},
      _directions{TLinkDirection(hostToJoiner, DirectionSeed(seed, 0)),
                  TLinkDirection(joinerToHost, DirectionSeed(seed, 1))},
      _queues{TDatagramQueue(capacity, NET_MAX_MESSAGE), TDatagramQueue(capacity, NET_MAX_MESSAGE)},
      _timeoutMillis(std::max(timeoutMillis, 0)),
      _lastReading(ElapsedMillis()) {}

TNetAddress TLoopbackLink::Address(int32_t side) const {
  return {kLoopbackHost, static_cast<uint16_t>(kFirstPort + (side & 1))};
}

int64_t TLoopbackLink::Now() {
  int32_t reading = ElapsedMillis();
  _now += DiffMillis(reading, _lastReading);
  _lastReading = reading;
  return _now;
}

bool TLoopbackLink::Queue(int32_t toSide, const TDatagramHeader& header, std::span<const uint8_t> bytes) {
  if (_cut) {
    return true;  // lost on a dead wire, which the sender cannot tell
  }
  return Toward(toSide).Push(header, bytes);
}

void TLoopbackLink::Inject(int32_t side, const TNetAddress& from, int32_t channel, std::span<const uint8_t> bytes) {
  TLoopbackEnd& end = _ends[static_cast<size_t>(side & 1)];
  if (bytes.size() > static_cast<size_t>(NET_MAX_MESSAGE)) {
    end._counters.refusedOversize++;
    return;
  }
  TDatagramHeader header;
  header.due = header.sentAt = Now();
  header.from = from;
  header.channel = channel;
  if (!Toward(side).Push(header, bytes)) {
    end._counters.droppedOverflow++;
  }
}

void TLoopbackLink::Cut() {
  if (_cut) {
    return;
  }
  _cut = true;
  _cutAt = Now();
  _queues[0].Clear();
  _queues[1].Clear();
}

std::unique_ptr<TLoopbackLink> MakeLoopbackPair(const TLinkConditions& conditions, uint64_t seed) {
  return std::make_unique<TLoopbackLink>(conditions, conditions, seed);
}

// ---- an end

TNetAddress TLoopbackEnd::PeerAddress() const {
  return _link.Address(1 - _side);
}

int32_t TLoopbackEnd::RoundTripMillis() const {
  const TLoopbackEnd& peer = _link._ends[static_cast<size_t>(1 - _side)];
  if (!_measured || !peer._measured) {
    return 0;
  }
  return IncomingDelay() + peer.IncomingDelay();
}

bool TLoopbackEnd::Send(int32_t channel, std::span<const uint8_t> bytes) {
  if (_state != kConnected || channel < 0 || channel >= NET_CHANNELS) {
    _counters.refusedNoPeer++;
    return false;
  }
  if (bytes.size() > static_cast<size_t>(NET_MAX_MESSAGE)) {
    _counters.refusedOversize++;
    return false;
  }
  _counters.sent++;
  _counters.sentBytes += static_cast<int64_t>(bytes.size());
  _counters.wireBytesSent += static_cast<int64_t>(bytes.size());

  int64_t now = _link.Now();
  TLinkDirection& direction = _link._directions[static_cast<size_t>(_side)];
  TDatagramHeader header;
  header.sentAt = now;
  header.from = _link.Address(_side);
  header.channel = channel;
  if (channel == NET_CHANNEL_CONTROL) {
    header.due = std::max(now + direction.Reliable(), _lastReliableDue);
    _lastReliableDue = header.due;
    if (!_link.Queue(1 - _side, header, bytes)) {
      _counters.droppedOverflow++;
    }
    return true;
  }
  TLinkFate fate = direction.Unreliable();
  for (int32_t copy = 0; copy < fate.copies; copy++) {
    header.due = now + fate.delayMillis[copy];
    if (!_link.Queue(1 - _side, header, bytes)) {
      _counters.droppedOverflow++;
    }
  }
  return true;
}

void TLoopbackEnd::Disconnect(int32_t reason) {
  if (_state != kConnected) {
    return;
  }
  _state = kClosed;
  // The notice travels the control channel behind everything sent on it before.
  int64_t now = _link.Now();
  TDatagramHeader header;
  header.sentAt = now;
  header.due = std::max(now + _link._directions[static_cast<size_t>(_side)].Reliable(), _lastReliableDue);
  header.from = _link.Address(_side);
  header.channel = NET_CHANNEL_CONTROL;
  header.reason = reason == NET_REASON_NONE ? NET_REASON_QUIT : reason;
  if (!_link.Queue(1 - _side, header, {})) {
    _counters.droppedOverflow++;
  }
}

TNetEvent TLoopbackEnd::Close(int32_t reason) {
  _state = kClosed;
  TNetEvent event;
  event.kind = NET_EVENT_DISCONNECTED;
  event.reason = reason;
  return event;
}

TNetEvent TLoopbackEnd::Poll() {
  int64_t now = _link.Now();
  if (_state == kConnected && !_announced) {
    _announced = true;
    TNetEvent event;
    event.kind = NET_EVENT_CONNECTED;
    return event;
  }
  TDatagramQueue& incoming = _link.Toward(_side);
  TNetAddress peer = PeerAddress();
  while (!incoming.Empty() && incoming.Front().due <= now) {
    const TDatagramHeader& header = incoming.Front();
    if (!(header.from == peer)) {
      _counters.droppedForeign++;
      incoming.Pop();
      continue;
    }
    if (_state != kConnected) {
      incoming.Pop();  // we left: nothing more of the peer reaches the game
      continue;
    }
    double delay = static_cast<double>(now - header.sentAt);
    _incomingDelay = _measured ? _incomingDelay + (delay - _incomingDelay) * kSmoothing : delay;
    _measured = true;
    if (header.reason != NET_REASON_NONE) {
      int32_t reason = header.reason;
      incoming.Pop();
      return Close(reason);
    }
    std::span<const uint8_t> bytes = incoming.FrontBytes();
    std::memcpy(_message.data(), bytes.data(), bytes.size());
    TNetEvent event;
    event.kind = NET_EVENT_RECEIVED;
    event.channel = header.channel;
    event.data = std::span<const uint8_t>(_message.data(), bytes.size());
    _counters.received++;
    _counters.receivedBytes += static_cast<int64_t>(bytes.size());
    _counters.wireBytesReceived += static_cast<int64_t>(bytes.size());
    incoming.Pop();
    return event;
  }
  if (_state == kConnected && _link._cut && now - _link._cutAt >= _link._timeoutMillis) {
    return Close(NET_REASON_TIMEOUT);
  }
  return {};
}
