// The link emulator tool, run for real between UDP endpoints of this process: two of the game's own transports
// playing through it, and two bare sockets that count every datagram, checked against the counts it prints.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "media/platform/enet_transport.h"

namespace {

using namespace std::chrono_literals;

// A UDP socket on 127.0.0.1, on a port the system chose.
class TUdpSocket {
public:
  TUdpSocket() {
    _fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(_fd, reinterpret_cast<sockaddr*>(&address), &length);
    _port = ntohs(address.sin_port);
  }
  ~TUdpSocket() { Close(); }
  void Close() {
    if (_fd >= 0) {
      close(_fd);
      _fd = -1;
    }
  }
  uint16_t Port() const { return _port; }

  void SendTo(uint16_t port, const std::vector<uint8_t>& bytes) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    ASSERT_EQ(sendto(_fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to),
              static_cast<ssize_t>(bytes.size()));
  }

  // The next datagram within wait and the port it came from; false when none came.
  bool Receive(std::vector<uint8_t>& bytes, uint16_t& fromPort, int waitMillis) {
    pollfd fd{_fd, POLLIN, 0};
    if (poll(&fd, 1, waitMillis) <= 0) {
      return false;
    }
    bytes.resize(65536);
    sockaddr_in from{};
    socklen_t length = sizeof from;
    ssize_t size = recvfrom(_fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (size < 0) {
      return false;
    }
    bytes.resize(static_cast<size_t>(size));
    fromPort = ntohs(from.sin_port);
    return true;
  }

private:
  int _fd = -1;
  uint16_t _port = 0;
};

// A port free a moment ago.
uint16_t FreePort() {
  TUdpSocket probe;
  return probe.Port();
}

// The tool running in a process of its own, its standard output in a pipe.
class TEmulator {
public:
  explicit TEmulator(std::vector<std::string> arguments) {
    int out[2];
    EXPECT_EQ(pipe(out), 0);
    _pid = fork();
    if (_pid == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv;
      std::string program = LINK_EMULATOR;
      argv.push_back(program.data());
      for (std::string& argument : arguments) {
        argv.push_back(argument.data());
      }
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(out[1]);
    _out = fdopen(out[0], "r");
  }
  ~TEmulator() {
    if (_pid > 0) {
      kill(_pid, SIGKILL);
      waitpid(_pid, nullptr, 0);
    }
    if (_out != nullptr) {
      fclose(_out);
    }
  }

  // The first line, written once it listens.
  std::string FirstLine() {
    char line[512] = {};
    return std::fgets(line, sizeof line, _out) != nullptr ? line : "";
  }

  // Stops it as Ctrl+C would, and returns the rest of what it printed and how it ended.
  std::string Stop(int& status) {
    kill(_pid, SIGINT);
    std::string rest;
    char line[512];
    while (std::fgets(line, sizeof line, _out) != nullptr) {
      rest += line;
    }
    waitpid(_pid, &status, 0);
    _pid = -1;
    return rest;
  }

private:
  pid_t _pid = -1;
  FILE* _out = nullptr;
};

// The numbers of one direction's row of the printed table, by column name.
std::map<std::string, int64_t> Row(const std::string& report, const std::string& direction) {
  std::istringstream lines(report);
  std::string line;
  std::vector<std::string> names;
  std::map<std::string, int64_t> row;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    if (line.rfind("direction", 0) == 0) {
      std::string name;
      words >> name;
      while (words >> name) {
        names.push_back(name);
      }
    } else if (line.rfind(direction, 0) == 0) {
      words.ignore(static_cast<std::streamsize>(direction.size()));
      for (const std::string& name : names) {
        words >> row[name];
      }
    }
  }
  return row;
}

std::vector<uint8_t> Datagram(int32_t number) {
  std::vector<uint8_t> bytes(20, static_cast<uint8_t>(number));
  bytes[0] = static_cast<uint8_t>(number >> 8);
  return bytes;
}

}  // namespace

// Two of the game's transports, the joiner reaching the host through the emulator with these conditions.
class TRelayedMatch {
public:
  explicit TRelayedMatch(std::vector<std::string> conditions) {
    TNetOpening host = HostOnline(0);
    EXPECT_TRUE(host.transport) << host.error;
    uint16_t relay = FreePort();
    std::vector<std::string> arguments = {"--listen", std::to_string(relay), "--to",
                                          "127.0.0.1:" + std::to_string(host.localPort)};
    arguments.insert(arguments.end(), conditions.begin(), conditions.end());
    _emulator = std::make_unique<TEmulator>(arguments);
    EXPECT_NE(_emulator->FirstLine().find("relaying"), std::string::npos);
    _host = std::move(host.transport);
    _joiner = JoinOnline({"127.0.0.1", relay}).transport;
  }

  // Polls both sides, keeping their messages, until done() or five seconds have passed.
  bool Pump(const std::function<bool()>& done) {
    for (auto deadline = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < deadline;) {
      for (auto [transport, log] : {std::pair{_host.get(), atHost}, std::pair{_joiner.get(), atJoiner}}) {
        for (TNetEvent event = transport->Poll(); event.kind != NET_EVENT_NONE; event = transport->Poll()) {
          if (event.kind == NET_EVENT_RECEIVED) {
            log[event.channel].emplace_back(event.data.begin(), event.data.end());
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

  bool Connect() {
    return Pump([&] { return _host->Connected() && _joiner->Connected(); });
  }

  // Sends count numbered messages each way on each channel, the host's from 0 and the joiner's from 100.
  void SendEachWay(int32_t count) {
    for (int32_t number = 0; number < count; number++) {
      for (int32_t channel = 0; channel < NET_CHANNELS; channel++) {
        ASSERT_TRUE(_host->Send(channel, Datagram(number)));
        ASSERT_TRUE(_joiner->Send(channel, Datagram(100 + number)));
      }
      std::this_thread::sleep_for(1ms);
    }
  }

  // The joiner leaves, the host hears it, the emulator is stopped: its report.
  std::string End() {
    _joiner->Disconnect(NET_REASON_QUIT);
    EXPECT_TRUE(Pump([&] { return !_host->Connected(); }));
    int status = 0;
    std::string report = _emulator->Stop(status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << report;
    return report;
  }

  std::vector<std::vector<uint8_t>> atHost[NET_CHANNELS];
  std::vector<std::vector<uint8_t>> atJoiner[NET_CHANNELS];

private:
  std::unique_ptr<TEmulator> _emulator;
  std::unique_ptr<TNetTransport> _host;
  std::unique_ptr<TNetTransport> _joiner;
};

TEST(LinkEmulator, CarriesAMatchBetweenTwoOfTheGamesTransportsBothWays) {
  TRelayedMatch match({"--delay", "5", "--seed", "3"});
  ASSERT_TRUE(match.Connect());
  match.SendEachWay(30);
  ASSERT_TRUE(match.Pump([&] {
    return match.atHost[0].size() == 30 && match.atHost[1].size() == 30 && match.atJoiner[0].size() == 30 &&
           match.atJoiner[1].size() == 30;
  }));
  for (int32_t number = 0; number < 30; number++) {
    EXPECT_EQ(match.atJoiner[NET_CHANNEL_CONTROL][number], Datagram(number));
    EXPECT_EQ(match.atHost[NET_CHANNEL_CONTROL][number], Datagram(100 + number));
  }
  std::string report = match.End();
  for (const char* direction : {"client -> target", "target -> client"}) {
    std::map<std::string, int64_t> row = Row(report, direction);
    EXPECT_GT(row["received"], 30) << report;
    EXPECT_EQ(row["dropped"], 0) << report;
    // All went through but what was on its way (an acknowledgement of the goodbye) when it stopped.
    EXPECT_EQ(row["forwarded"] + row["in_flight"], row["received"]) << report;
    EXPECT_LE(row["in_flight"], 2) << report;
    EXPECT_GT(row["bytes_out"], 30 * 20) << report;
  }
}

TEST(LinkEmulator, TheControlChannelLosesNothingOverALossyLinkAndTheInputChannelDoes) {
  TRelayedMatch match({"--delay", "5", "--jitter", "3", "--loss", "20", "--duplicate", "5", "--reorder", "10", "--hold",
                       "10", "--seed", "4"});
  ASSERT_TRUE(match.Connect());
  match.SendEachWay(60);
  ASSERT_TRUE(match.Pump([&] { return match.atHost[0].size() == 60 && match.atJoiner[0].size() == 60; }));
  for (int32_t number = 0; number < 60; number++) {
    EXPECT_EQ(match.atJoiner[NET_CHANNEL_CONTROL][number], Datagram(number));
    EXPECT_EQ(match.atHost[NET_CHANNEL_CONTROL][number], Datagram(100 + number));
  }
  // Inputs are not resent: some of them are gone. (They share datagrams with control messages at times, which
  // the resends then carry, so the share lost is below the link's.)
  EXPECT_LT(match.atJoiner[NET_CHANNEL_INPUT].size() + match.atHost[NET_CHANNEL_INPUT].size(), 120u);
  std::string report = match.End();
  EXPECT_GT(Row(report, "client -> target")["dropped"], 0) << report;
  EXPECT_GT(Row(report, "target -> client")["dropped"], 0) << report;
}

TEST(LinkEmulator, ItsPrintedCountsAddUpToWhatWentThrough) {
  auto run = [](uint64_t seed) {
    TUdpSocket client;
    TUdpSocket target;
    uint16_t relay = FreePort();
    TEmulator emulator({"--listen", std::to_string(relay), "--to", "127.0.0.1:" + std::to_string(target.Port()),
                        "--delay", "3", "--jitter", "2", "--loss", "20", "--duplicate", "10", "--reorder", "10",
                        "--hold", "5", "--seed", std::to_string(seed)});
    EXPECT_NE(emulator.FirstLine().find("relaying"), std::string::npos);
    constexpr int32_t kSent = 400;
    int64_t atTarget = 0;
    int64_t atClient = 0;
    std::vector<uint8_t> bytes;
    uint16_t from = 0;
    // The target answers everything that reaches it; the relay answers to the client from its listening port.
    auto drain = [&](int waitMillis) {
      bool any = false;
      while (target.Receive(bytes, from, waitMillis)) {
        atTarget++;
        target.SendTo(from, bytes);
        any = true;
        waitMillis = 0;
      }
      while (client.Receive(bytes, from, 0)) {
        EXPECT_EQ(from, relay);
        atClient++;
        any = true;
      }
      return any;
    };
    for (int32_t number = 0; number < kSent; number++) {
      client.SendTo(relay, Datagram(number));
      drain(0);
      std::this_thread::sleep_for(200us);
    }
    // Until nothing has come for a while: everything in flight has arrived.
    for (int quiet = 0; quiet < 30;) {
      quiet = drain(10) ? 0 : quiet + 1;
    }
    int status = 0;
    std::string report = emulator.Stop(status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << report;
    std::map<std::string, int64_t> out = Row(report, "client -> target");
    std::map<std::string, int64_t> back = Row(report, "target -> client");
    EXPECT_EQ(out["received"], kSent) << report;
    EXPECT_EQ(out["passed"] + out["dropped"], out["received"]) << report;
    EXPECT_EQ(out["forwarded"], out["passed"] + out["duplicated"] - out["overflow"] - out["in_flight"]) << report;
    EXPECT_EQ(out["forwarded"], atTarget) << report;
    EXPECT_EQ(back["received"], atTarget) << report;
    EXPECT_EQ(back["passed"] + back["dropped"], back["received"]) << report;
    EXPECT_EQ(back["forwarded"], back["passed"] + back["duplicated"] - back["overflow"] - back["in_flight"]) << report;
    EXPECT_EQ(back["forwarded"], atClient) << report;
    EXPECT_EQ(out["bytes_in"], 20 * kSent) << report;
    EXPECT_EQ(back["bytes_out"], 20 * atClient) << report;
    // 20 % of 400 is 80, give or take 8 at one standard deviation.
    EXPECT_NEAR(static_cast<double>(out["dropped"]), 80.0, 32.0) << report;
    EXPECT_GT(out["duplicated"], 10) << report;
    EXPECT_GT(out["reordered"], 10) << report;
    return std::vector<int64_t>{out["dropped"],  out["duplicated"],  out["reordered"],
                                back["dropped"], back["duplicated"], back["reordered"]};
  };
  std::vector<int64_t> first = run(21);
  EXPECT_EQ(run(21), first);  // the same seed, the same fates
}
