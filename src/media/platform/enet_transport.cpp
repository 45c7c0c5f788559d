#include "media/platform/enet_transport.h"

#include <enet/enet.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "media/platform/enet_name_lookup.h"

namespace {

// The host's peer slots: its one peer, and room to answer joiners who come while it plays with "busy".
constexpr size_t kHostSlots = 4;
// What a peer may keep ENet holding for it at once, partly received messages included; far above anything a
// match sends, and small enough that a hostile peer cannot make it grow.
constexpr size_t kMaxWaitingData = 256 * 1024;

bool ENetReady() {
  // ENet's global state on this system is its clock's starting point; it stays until the process ends.
  static const bool ready = enet_initialize() == 0;
  return ready;
}

TNetAddress FromENet(const ENetAddress& address) {
  return {ENET_NET_TO_HOST_32(address.host), address.port};
}

class TENetTransport final : public TNetTransport {
public:
  TENetTransport(ENetHost* host, bool hosting, const TNetOptions& options);
  ~TENetTransport() override;
  TENetTransport(const TENetTransport&) = delete;
  TENetTransport& operator=(const TENetTransport&) = delete;

  // Joining: looks name up first, or connects at once to a dotted address.
  void Join(const TJoinTarget& target);

  bool Send(int32_t channel, std::span<const uint8_t> bytes) override;
  TNetEvent Poll() override;
  void Disconnect(int32_t reason) override;
  bool Connected() const override { return _state == kConnected; }
  TNetAddress PeerAddress() const override { return _peerAddress; }
  int32_t RoundTripMillis() const override;
  TNetCounters Counters() const override { return _counters; }

private:
  enum TState {
    kWaiting,     // hosting, before the first joiner
    kLookingUp,   // joining, the host's name being looked up
    kConnecting,  // joining, the host not yet answering
    kConnected,
    kClosed,  // over: DISCONNECTED reported, or Disconnect called
  };

  void Connect(uint32_t host);
  void Adopt(ENetPeer* peer);
  // Turns one of ENet's events into the game's; false when the game has no business with it.
  bool Take(ENetEvent& event, TNetEvent& result);
  TNetEvent Close(int32_t reason);
  void TakeWireCounts();
  static int ENET_CALLBACK Intercept(ENetHost* host, ENetEvent* event);

  ENetHost* _host;
  bool _hosting;
  TNetOptions _options;
  TState _state;
  ENetPeer* _peer = nullptr;  // our one peer, also while ENet says goodbye to it after Disconnect
  TNetAddress _peerAddress;
  int32_t _leaveReason = NET_REASON_QUIT;
  int32_t _failure = NET_REASON_NONE;  // a join that failed before Poll could say so
  std::unique_ptr<TNameLookup> _lookup;
  uint16_t _joinPort = 0;
  TNetCounters _counters;
  std::array<uint8_t, NET_MAX_MESSAGE> _message{};
};

// The transport whose host ENet is servicing on this thread, for the intercept (ENet passes it only the host).
thread_local TENetTransport* servicing = nullptr;

TENetTransport::TENetTransport(ENetHost* host, bool hosting, const TNetOptions& options)
    : _host(host), _hosting(hosting), _options(options), _state(hosting ? kWaiting : kConnecting) {
  // Nothing over the game's limit is sent or gathered from fragments, and a peer cannot pile up data.
  _host->maximumPacketSize = NET_MAX_MESSAGE;
  _host->maximumWaitingData = kMaxWaitingData;
  _host->intercept = Intercept;
}

TENetTransport::~TENetTransport() {
  if (_peer != nullptr) {
    // Said once, unreliably, and at once: the transport is going and cannot wait for an acknowledgement.
    enet_peer_disconnect_now(_peer, static_cast<enet_uint32>(_leaveReason));
  }
  enet_host_destroy(_host);
}

void TENetTransport::Join(const TJoinTarget& target) {
  _joinPort = target.port;
  if (std::optional<uint32_t> host = ParseDottedAddress(target.host)) {
    Connect(*host);
    return;
  }
  _state = kLookingUp;
  _lookup = std::make_unique<TNameLookup>(target.host);
}

void TENetTransport::Connect(uint32_t host) {
  ENetAddress address{};
  address.host = ENET_HOST_TO_NET_32(host);
  address.port = _joinPort;
  _peerAddress = {host, _joinPort};
  _peer = enet_host_connect(_host, &address, NET_CHANNELS, 0);
  if (_peer == nullptr) {
    _failure = NET_REASON_UNREACHABLE;
    return;
  }
  _state = kConnecting;
  enet_peer_timeout(_peer, 0, static_cast<enet_uint32>(_options.timeoutMillis),
                    static_cast<enet_uint32>(_options.timeoutMillis));
  enet_host_flush(_host);
  TakeWireCounts();
}

void TENetTransport::Adopt(ENetPeer* peer) {
  _peer = peer;
  _peerAddress = FromENet(peer->address);
  _state = kConnected;
  enet_peer_timeout(peer, 0, static_cast<enet_uint32>(_options.timeoutMillis),
                    static_cast<enet_uint32>(_options.timeoutMillis));
  // ENet would drop unreliable messages by itself when the round trip swings, to spare bandwidth; inputs are a
  // few bytes and each repeats what was not acknowledged, so dropping them would only make the game predict more.
  enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, ENET_PEER_PACKET_THROTTLE_ACCELERATION, 0);
}

bool TENetTransport::Send(int32_t channel, std::span<const uint8_t> bytes) {
  if (_state != kConnected || channel < 0 || channel >= NET_CHANNELS) {
    _counters.refusedNoPeer++;
    return false;
  }
  if (bytes.size() > static_cast<size_t>(NET_MAX_MESSAGE)) {
    _counters.refusedOversize++;
    return false;
  }
  enet_uint32 flags = channel == NET_CHANNEL_CONTROL ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED;
  ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), flags);
  if (packet == nullptr) {
    _counters.droppedOverflow++;
    return false;
  }
  if (enet_peer_send(_peer, static_cast<enet_uint8>(channel), packet) != 0) {
    enet_packet_destroy(packet);
    _counters.droppedOverflow++;
    return false;
  }
  // Out now rather than at the next Poll: a frame's wait would add to every input's way across.
  enet_host_flush(_host);
  _counters.sent++;
  _counters.sentBytes += static_cast<int64_t>(bytes.size());
  TakeWireCounts();
  return true;
}

TNetEvent TENetTransport::Poll() {
  if (_failure != NET_REASON_NONE) {
    int32_t reason = _failure;
    _failure = NET_REASON_NONE;
    return Close(reason);
  }
  if (_state == kLookingUp) {
    uint32_t host = 0;
    TNameLookup::TResult result = _lookup->Result(host);
    if (result == TNameLookup::kRunning) {
      return {};
    }
    _lookup.reset();
    if (result == TNameLookup::kNotFound) {
      return Close(NET_REASON_NO_SUCH_HOST);
    }
    Connect(host);
    if (_failure != NET_REASON_NONE) {
      _failure = NET_REASON_NONE;
      return Close(NET_REASON_UNREACHABLE);
    }
  }
  TNetEvent result;
  ENetEvent event;
  servicing = this;
  for (;;) {
    int serviced = enet_host_service(_host, &event, 0);
    if (serviced < 0 && _state == kConnecting && _peer != nullptr) {
      // The system refused to send the join at all (no route to that network).
      enet_peer_reset(_peer);
      _peer = nullptr;
      result = Close(NET_REASON_UNREACHABLE);
      break;
    }
    if (serviced <= 0 || Take(event, result)) {
      break;
    }
  }
  servicing = nullptr;
  TakeWireCounts();
  return result;
}

bool TENetTransport::Take(ENetEvent& event, TNetEvent& result) {
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
      if (_hosting && _state == kWaiting) {
        Adopt(event.peer);
        result.kind = NET_EVENT_CONNECTED;
        return true;
      }
      if (!_hosting && event.peer == _peer && _state == kConnecting) {
        Adopt(event.peer);
        result.kind = NET_EVENT_CONNECTED;
        return true;
      }
      if (event.peer != _peer) {
        enet_peer_disconnect(event.peer, NET_REASON_BUSY);
      }
      return false;
    case ENET_EVENT_TYPE_RECEIVE: {
      ENetPacket* packet = event.packet;
      bool ours = event.peer == _peer && _state == kConnected && event.channelID < NET_CHANNELS;
      bool fits = packet->dataLength <= static_cast<size_t>(NET_MAX_MESSAGE);
      if (ours && fits) {
        std::memcpy(_message.data(), packet->data, packet->dataLength);
        result.kind = NET_EVENT_RECEIVED;
        result.channel = event.channelID;
        result.data = std::span<const uint8_t>(_message.data(), packet->dataLength);
        _counters.received++;
        _counters.receivedBytes += static_cast<int64_t>(packet->dataLength);
      } else if (ours) {
        _counters.refusedOversize++;
      }
      enet_packet_destroy(packet);
      return result.kind == NET_EVENT_RECEIVED;
    }
    case ENET_EVENT_TYPE_DISCONNECT:
      if (event.peer != _peer) {
        return false;  // a refused joiner gone
      }
      _peer = nullptr;
      if (_state != kConnected && _state != kConnecting) {
        return false;  // the end of our own Disconnect
      }
      // ENet reports its own timeouts with 0; the game never sends 0 (Disconnect sends NONE as QUIT).
      result = Close(event.data == 0 ? NET_REASON_TIMEOUT : static_cast<int32_t>(event.data));
      return true;
    case ENET_EVENT_TYPE_NONE:
      break;
  }
  return false;
}

void TENetTransport::Disconnect(int32_t reason) {
  _leaveReason = reason == NET_REASON_NONE ? NET_REASON_QUIT : reason;
  if (_state == kConnected) {
    // After every control message sent before it has arrived.
    enet_peer_disconnect_later(_peer, static_cast<enet_uint32>(_leaveReason));
    enet_host_flush(_host);
    TakeWireCounts();
  } else if (_peer != nullptr && _state == kConnecting) {
    enet_peer_disconnect_now(_peer, static_cast<enet_uint32>(_leaveReason));
    _peer = nullptr;
  }
  _lookup.reset();
  _failure = NET_REASON_NONE;
  _state = kClosed;
}

TNetEvent TENetTransport::Close(int32_t reason) {
  _state = kClosed;
  TNetEvent event;
  event.kind = NET_EVENT_DISCONNECTED;
  event.reason = reason;
  return event;
}

int32_t TENetTransport::RoundTripMillis() const {
  if (_state != kConnected) {
    return 0;
  }
  // ENet starts every peer at its default round trip with no variance, and replaces it at the first
  // acknowledgement: until then there is no measurement.
  if (_peer->roundTripTime == ENET_PEER_DEFAULT_ROUND_TRIP_TIME && _peer->roundTripTimeVariance == 0) {
    return 0;
  }
  return static_cast<int32_t>(_peer->roundTripTime);
}

void TENetTransport::TakeWireCounts() {
  // ENet's totals are 32 bits wide and left for their user to reset.
  _counters.wireBytesSent += _host->totalSentData;
  _counters.wireBytesReceived += _host->totalReceivedData;
  _host->totalSentData = 0;
  _host->totalReceivedData = 0;
}

int ENET_CALLBACK TENetTransport::Intercept(ENetHost* host, ENetEvent*) {
  TENetTransport* self = servicing;
  if (self != nullptr && self->_host == host && self->_peer != nullptr &&
      (host->receivedAddress.host != self->_peer->address.host ||
       host->receivedAddress.port != self->_peer->address.port)) {
    // ENet still answers it (a joiner is told "busy"); none of it reaches the game.
    self->_counters.droppedForeign++;
  }
  return 0;
}

}  // namespace

TNetOpening HostOnline(uint16_t port, const TNetOptions& options) {
  TNetOpening opening;
  if (!ENetReady()) {
    opening.error = "The network could not be started.";
    return opening;
  }
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = port;
  ENetHost* host = enet_host_create(&address, kHostSlots, NET_CHANNELS, 0, 0);
  if (host == nullptr) {
    int error = errno;
    opening.error = "Cannot host on UDP port " + std::to_string(port) + ": " + std::strerror(error) + ".";
    return opening;
  }
  opening.localPort = host->address.port;
  opening.transport = std::make_unique<TENetTransport>(host, true, options);
  return opening;
}

TNetOpening JoinOnline(const TJoinTarget& target, const TNetOptions& options) {
  TNetOpening opening;
  if (!ENetReady()) {
    opening.error = "The network could not be started.";
    return opening;
  }
  ENetHost* host = enet_host_create(nullptr, 1, NET_CHANNELS, 0, 0);
  if (host == nullptr) {
    opening.error = "Cannot open a UDP socket to join.";
    return opening;
  }
  opening.localPort = host->address.port;
  auto transport = std::make_unique<TENetTransport>(host, false, options);
  transport->Join(target);
  opening.transport = std::move(transport);
  return opening;
}
