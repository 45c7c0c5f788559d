// The UDP back-end for real: hosts and joiners of one process talking over 127.0.0.1 on ports the system chose.
#include "media/platform/enet_transport.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "media/platform/local_addresses.h"

namespace {

using namespace std::chrono_literals;

constexpr uint32_t kLocalHost = 0x7F000001;

// What one transport reported.
struct TLog {
  std::vector<int32_t> kinds;
  std::vector<int32_t> reasons;
  std::vector<std::vector<uint8_t>> messages[NET_CHANNELS];

  bool Saw(int32_t kind) const { return std::find(kinds.begin(), kinds.end(), kind) != kinds.end(); }
  int32_t Count(int32_t kind) const { return static_cast<int32_t>(std::count(kinds.begin(), kinds.end(), kind)); }
};

struct TWatched {
  TNetTransport* transport;
  TLog* log;
};

// Polls every transport (as the frame loop does) until done() holds or the deadline passes.
bool PumpUntil(std::vector<TWatched> watched, const std::function<bool()>& done, std::chrono::milliseconds limit = 5s) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    for (TWatched& one : watched) {
      for (TNetEvent event = one.transport->Poll(); event.kind != NET_EVENT_NONE; event = one.transport->Poll()) {
        one.log->kinds.push_back(event.kind);
        if (event.kind == NET_EVENT_DISCONNECTED) {
          one.log->reasons.push_back(event.reason);
        }
        if (event.kind == NET_EVENT_RECEIVED) {
          one.log->messages[event.channel].emplace_back(event.data.begin(), event.data.end());
        }
      }
    }
    if (done()) {
      return true;
    }
    std::this_thread::sleep_for(1ms);
  }
  return false;
}

std::vector<uint8_t> Message(uint8_t number, size_t size = 16) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; i++) {
    bytes[i] = static_cast<uint8_t>(number + i);
  }
  return bytes;
}

TNetOptions Quick() {
  TNetOptions options;
  options.timeoutMillis = 1000;
  return options;
}

// A host and a joiner, connected.
class ENetTransport : public ::testing::Test {
protected:
  void SetUp() override {
    TNetOpening host = HostOnline(0, Quick());
    ASSERT_TRUE(host.transport) << host.error;
    ASSERT_NE(host.localPort, 0);
    _port = host.localPort;
    _host = std::move(host.transport);
    TNetOpening joiner = JoinOnline({"127.0.0.1", _port}, Quick());
    ASSERT_TRUE(joiner.transport) << joiner.error;
    _joiner = std::move(joiner.transport);
    ASSERT_TRUE(Pump([&] { return _host->Connected() && _joiner->Connected(); }));
    EXPECT_EQ(_hostLog.kinds, std::vector<int32_t>{NET_EVENT_CONNECTED});
    EXPECT_EQ(_joinerLog.kinds, std::vector<int32_t>{NET_EVENT_CONNECTED});
  }

  bool Pump(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s) {
    return PumpUntil({{_host.get(), &_hostLog}, {_joiner.get(), &_joinerLog}}, done, limit);
  }

  uint16_t _port = 0;
  std::unique_ptr<TNetTransport> _host;
  std::unique_ptr<TNetTransport> _joiner;
  TLog _hostLog;
  TLog _joinerLog;
};

}  // namespace

TEST_F(ENetTransport, CarriesBothChannelsBothWays) {
  EXPECT_EQ(_joiner->PeerAddress(), (TNetAddress{kLocalHost, _port}));
  EXPECT_EQ(_host->PeerAddress().host, kLocalHost);
  for (uint8_t number = 0; number < 40; number++) {
    for (int32_t channel = 0; channel < NET_CHANNELS; channel++) {
      ASSERT_TRUE(_host->Send(channel, Message(number)));
      ASSERT_TRUE(_joiner->Send(channel, Message(static_cast<uint8_t>(100 + number), 24)));
    }
  }
  ASSERT_TRUE(Pump([&] {
    return _joinerLog.messages[0].size() == 40 && _hostLog.messages[0].size() == 40 &&
           _joinerLog.messages[1].size() == 40 && _hostLog.messages[1].size() == 40;
  })) << _joinerLog.messages[1].size()
      << " " << _hostLog.messages[1].size();
  for (uint8_t number = 0; number < 40; number++) {
    EXPECT_EQ(_joinerLog.messages[NET_CHANNEL_CONTROL][number], Message(number));
    EXPECT_EQ(_hostLog.messages[NET_CHANNEL_CONTROL][number], Message(static_cast<uint8_t>(100 + number), 24));
  }
  // The input channel keeps no order, but on this machine nothing is lost.
  std::vector<std::vector<uint8_t>> inputs = _joinerLog.messages[NET_CHANNEL_INPUT];
  std::sort(inputs.begin(), inputs.end());
  for (uint8_t number = 0; number < 40; number++) {
    EXPECT_EQ(inputs[number], Message(number));
  }
  TNetCounters counters = _host->Counters();
  EXPECT_EQ(counters.sent, 80);
  EXPECT_EQ(counters.sentBytes, 80 * 16);
  EXPECT_EQ(counters.received, 80);
  EXPECT_EQ(counters.receivedBytes, 80 * 24);
  EXPECT_GT(counters.wireBytesSent, counters.sentBytes);  // headers, acknowledgements
  EXPECT_GT(counters.wireBytesReceived, counters.receivedBytes);
  EXPECT_EQ(counters.droppedForeign, 0);
  // Measured by now, and not ENet's starting guess of half a second.
  EXPECT_LT(_host->RoundTripMillis(), 100);
  EXPECT_LT(_joiner->RoundTripMillis(), 100);
}

TEST_F(ENetTransport, SendsAndDeliversTheLargestMessageButNothingLarger) {
  std::vector<uint8_t> largest = Message(1, NET_MAX_MESSAGE);
  EXPECT_FALSE(_host->Send(NET_CHANNEL_INPUT, Message(2, NET_MAX_MESSAGE + 1)));
  EXPECT_FALSE(_host->Send(NET_CHANNEL_CONTROL, Message(3, 4000)));
  EXPECT_FALSE(_host->Send(NET_CHANNELS, largest));
  ASSERT_TRUE(_host->Send(NET_CHANNEL_INPUT, largest));
  ASSERT_TRUE(_host->Send(NET_CHANNEL_CONTROL, largest));
  ASSERT_TRUE(Pump([&] { return _joinerLog.messages[0].size() + _joinerLog.messages[1].size() == 2; }));
  EXPECT_EQ(_joinerLog.messages[NET_CHANNEL_INPUT][0], largest);
  EXPECT_EQ(_joinerLog.messages[NET_CHANNEL_CONTROL][0], largest);
  EXPECT_EQ(_host->Counters().refusedOversize, 2);
  EXPECT_EQ(_host->Counters().refusedNoPeer, 1);
  EXPECT_EQ(_host->Counters().sent, 2);
}

TEST_F(ENetTransport, ASecondJoinerIsToldBusyAndNeverReachesTheGame) {
  TNetOpening second = JoinOnline({"127.0.0.1", _port}, Quick());
  ASSERT_TRUE(second.transport);
  TLog secondLog;
  ASSERT_TRUE(PumpUntil({{_host.get(), &_hostLog}, {_joiner.get(), &_joinerLog}, {second.transport.get(), &secondLog}},
                        [&] { return secondLog.Saw(NET_EVENT_DISCONNECTED); }));
  EXPECT_EQ(secondLog.reasons, std::vector<int32_t>{NET_REASON_BUSY});
  EXPECT_FALSE(second.transport->Connected());
  EXPECT_FALSE(second.transport->Send(NET_CHANNEL_CONTROL, Message(1)));
  EXPECT_EQ(_hostLog.Count(NET_EVENT_CONNECTED), 1);
  EXPECT_GT(_host->Counters().droppedForeign, 0);
  // The match goes on with the first.
  ASSERT_TRUE(_joiner->Send(NET_CHANNEL_CONTROL, Message(9)));
  ASSERT_TRUE(Pump([&] { return !_hostLog.messages[NET_CHANNEL_CONTROL].empty(); }));
  EXPECT_TRUE(_host->Connected());
}

TEST_F(ENetTransport, AQuitArrivesAfterTheControlMessagesSentBeforeIt) {
  for (uint8_t number = 0; number < 10; number++) {
    ASSERT_TRUE(_joiner->Send(NET_CHANNEL_CONTROL, Message(number)));
  }
  _joiner->Disconnect(NET_REASON_QUIT);
  EXPECT_FALSE(_joiner->Connected());
  EXPECT_FALSE(_joiner->Send(NET_CHANNEL_CONTROL, Message(99)));
  ASSERT_TRUE(Pump([&] { return _hostLog.Saw(NET_EVENT_DISCONNECTED); }));
  EXPECT_EQ(_hostLog.messages[NET_CHANNEL_CONTROL].size(), 10u);
  EXPECT_EQ(_hostLog.kinds.back(), NET_EVENT_DISCONNECTED);
  EXPECT_EQ(_hostLog.reasons, std::vector<int32_t>{NET_REASON_QUIT});
  EXPECT_FALSE(_host->Connected());
  // The one that left hears nothing more.
  EXPECT_EQ(_joinerLog.Count(NET_EVENT_DISCONNECTED), 0);
}

TEST_F(ENetTransport, TheGamesOwnReasonArrivesAsSent) {
  _host->Disconnect(NET_REASON_GAME + 2);
  ASSERT_TRUE(Pump([&] { return _joinerLog.Saw(NET_EVENT_DISCONNECTED); }));
  EXPECT_EQ(_joinerLog.reasons, std::vector<int32_t>{NET_REASON_GAME + 2});
}

TEST_F(ENetTransport, ATransportThatGoesAwayTellsItsPeer) {
  _joiner.reset();
  ASSERT_TRUE(PumpUntil({{_host.get(), &_hostLog}}, [&] { return _hostLog.Saw(NET_EVENT_DISCONNECTED); }));
  EXPECT_EQ(_hostLog.reasons, std::vector<int32_t>{NET_REASON_QUIT});
}

TEST_F(ENetTransport, APeerThatFallsSilentTimesOut) {
  // The joiner is no longer polled: it answers nothing, as a machine that vanished.
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(PumpUntil({{_host.get(), &_hostLog}}, [&] { return _hostLog.Saw(NET_EVENT_DISCONNECTED); }));
  EXPECT_EQ(_hostLog.reasons, std::vector<int32_t>{NET_REASON_TIMEOUT});
  EXPECT_GE(std::chrono::steady_clock::now() - start, 900ms);  // not before the timeout
}

TEST_F(ENetTransport, ALaterJoinerIsRefusedToo) {
  _joiner->Disconnect(NET_REASON_QUIT);
  ASSERT_TRUE(Pump([&] { return _hostLog.Saw(NET_EVENT_DISCONNECTED); }));
  TNetOpening late = JoinOnline({"127.0.0.1", _port}, Quick());
  TLog lateLog;
  ASSERT_TRUE(PumpUntil({{_host.get(), &_hostLog}, {late.transport.get(), &lateLog}},
                        [&] { return lateLog.Saw(NET_EVENT_DISCONNECTED); }));
  EXPECT_EQ(lateLog.reasons, std::vector<int32_t>{NET_REASON_BUSY});
  EXPECT_EQ(_hostLog.Count(NET_EVENT_CONNECTED), 1);
}

TEST(ENetJoin, AJoinNobodyAnswersTimesOut) {
  uint16_t port = 0;
  {
    TNetOpening probe = HostOnline(0);  // a port that was free a moment ago and is free again
    ASSERT_TRUE(probe.transport);
    port = probe.localPort;
  }
  TNetOpening joiner = JoinOnline({"127.0.0.1", port}, Quick());
  ASSERT_TRUE(joiner.transport);
  TLog log;
  ASSERT_TRUE(PumpUntil({{joiner.transport.get(), &log}}, [&] { return log.Saw(NET_EVENT_DISCONNECTED); }));
  EXPECT_EQ(log.kinds, std::vector<int32_t>{NET_EVENT_DISCONNECTED});
  ASSERT_EQ(log.reasons.size(), 1u);
  EXPECT_TRUE(log.reasons[0] == NET_REASON_TIMEOUT || log.reasons[0] == NET_REASON_UNREACHABLE) << log.reasons[0];
}

TEST(ENetJoin, ANameThatDoesNotResolveEndsWithNoSuchHost) {
  // .invalid is reserved never to resolve.
  TNetOpening joiner = JoinOnline({"no-such-ring.invalid", NET_DEFAULT_PORT}, Quick());
  ASSERT_TRUE(joiner.transport);
  TLog log;
  ASSERT_TRUE(PumpUntil(
      {{joiner.transport.get(), &log}}, [&] { return log.Saw(NET_EVENT_DISCONNECTED); }, 30s));
  EXPECT_EQ(log.reasons, std::vector<int32_t>{NET_REASON_NO_SUCH_HOST});
  EXPECT_EQ(joiner.transport->Poll().kind, NET_EVENT_NONE);
}

TEST(ENetJoin, ANameThatResolvesIsJoined) {
  TNetOpening host = HostOnline(0, Quick());
  ASSERT_TRUE(host.transport);
  TNetOpening joiner = JoinOnline({"localhost", host.localPort}, Quick());
  ASSERT_TRUE(joiner.transport);
  TLog hostLog;
  TLog joinerLog;
  ASSERT_TRUE(PumpUntil(
      {{host.transport.get(), &hostLog}, {joiner.transport.get(), &joinerLog}},
      [&] { return joiner.transport->Connected(); }, 30s));
  EXPECT_EQ(joiner.transport->PeerAddress(), (TNetAddress{kLocalHost, host.localPort}));
}

TEST(ENetHost, APortInUseIsRefusedWithAReason) {
  TNetOpening first = HostOnline(0);
  ASSERT_TRUE(first.transport);
  TNetOpening second = HostOnline(first.localPort);
  EXPECT_FALSE(second.transport);
  EXPECT_NE(second.error.find(std::to_string(first.localPort)), std::string::npos) << second.error;
}

TEST(LocalAddresses, AreThisMachinesOwnLoopbackLeftOut) {
  std::vector<TNetAddress> addresses = LocalAddresses(7700);
  for (const TNetAddress& address : addresses) {
    EXPECT_NE(address.host >> 24, 127u) << AddressText(address);
    EXPECT_EQ(address.port, 7700);
    EXPECT_EQ(std::count(addresses.begin(), addresses.end(), address), 1);
    // Only an address of this machine can be bound to.
    int socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(socket, 0);
    sockaddr_in bound{};
    bound.sin_family = AF_INET;
    bound.sin_addr.s_addr = htonl(address.host);
    EXPECT_EQ(::bind(socket, reinterpret_cast<const sockaddr*>(&bound), sizeof bound), 0) << AddressText(address);
    ::close(socket);
  }
}
