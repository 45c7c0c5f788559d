// The link emulator: a UDP relay that puts a bad link between two games on one machine (or two), to try online
// matches under delay, jitter, loss, duplication and reordering. It listens on one port, forwards every datagram
// to the target, and sends the target's answers back to the client that wrote last, both ways through the same
// link conditions the in-process loopback uses, from a seed, so a run can be repeated.
//
//   link_emulator --listen 7621 --to 127.0.0.1:7620 --delay 50 --jitter 10 --loss 5 --reorder 1 --seed 7
//
// Delays are one way: --delay 50 makes a 100 ms round trip. It runs until --seconds have passed or it is
// interrupted (Ctrl+C, SIGTERM), then prints what it did in each direction.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "media/net/datagram_queue.h"
#include "media/net/link_conditions.h"
#include "media/net/net_address.h"

namespace {

// Room for datagrams in flight each way, and the largest relayed: ENet's largest datagram is 4096 bytes.
constexpr int32_t kCapacity = 1024;
constexpr int32_t kMaxDatagram = 4096;

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
  stopRequested = 1;
}

struct TOptions {
  std::string bind = "127.0.0.1";
  uint16_t listen = 0;
  std::string to;
  TLinkConditions conditions;
  uint64_t seed = 1;
  double seconds = 0;  // 0: until interrupted
};

struct TDirectionCounts {
  int64_t received = 0;
  int64_t forwarded = 0;
  int64_t overflow = 0;  // passed the conditions but found the queue full
  int64_t tooLarge = 0;
  int64_t failed = 0;  // the system refused to send it (or no client to send it to yet)
  int64_t bytesIn = 0;
  int64_t bytesOut = 0;
};

// One way through the relay: the conditions, the datagrams waiting to go out, and what happened.
struct TDirection {
  TDirection(const char* name, const TLinkConditions& conditions, uint64_t seed) : name(name), link(conditions, seed) {}

  const char* name;
  TLinkDirection link;
  TDatagramQueue queue{kCapacity, kMaxDatagram};
  TDirectionCounts counts;
};

void Usage() {
  std::fprintf(stderr,
               "usage: link_emulator --listen PORT --to HOST:PORT [--bind ADDRESS] [--delay MS] [--jitter MS]\n"
               "                     [--loss PCT] [--duplicate PCT] [--reorder PCT] [--hold MS] [--seed N]\n"
               "                     [--seconds N]\n"
               "Relays UDP datagrams from clients on ADDRESS:PORT (127.0.0.1 unless given) to HOST:PORT and the\n"
               "answers back, each way delayed by MS (one way) +/- the jitter (uniform), lost, duplicated and held\n"
               "back by up to --hold MS (default 40) so a later one overtakes, at the given percentages.\n");
}

bool ParseNumber(std::string_view text, double low, double high, double& value) {
  std::string copy(text);
  char* end = nullptr;
  errno = 0;
  value = std::strtod(copy.c_str(), &end);
  return !copy.empty() && end == copy.c_str() + copy.size() && errno == 0 && value >= low && value <= high;
}

bool ParseOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; i++) {
    std::string_view name = argv[i];
    if (name == "--help" || name == "-h") {
      Usage();
      std::exit(0);
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "link_emulator: %s needs a value\n", argv[i]);
      return false;
    }
    std::string_view text = argv[++i];
    double number = 0;
    bool ok = true;
    if (name == "--to") {
      options.to = text;
    } else if (name == "--bind") {
      options.bind = text;
    } else if (name == "--listen") {
      ok = ParseNumber(text, 1, 65535, number) && number == static_cast<uint16_t>(number);
      options.listen = static_cast<uint16_t>(number);
    } else if (name == "--delay" || name == "--jitter" || name == "--hold") {
      ok = ParseNumber(text, name == "--hold" ? 1 : 0, 60000, number);
      int32_t millis = static_cast<int32_t>(number);
      (name == "--delay"    ? options.conditions.delayMillis
       : name == "--jitter" ? options.conditions.jitterMillis
                            : options.conditions.reorderHoldMillis) = millis;
    } else if (name == "--loss" || name == "--duplicate" || name == "--reorder") {
      ok = ParseNumber(text, 0, 100, number);
      (name == "--loss"        ? options.conditions.lossPercent
       : name == "--duplicate" ? options.conditions.duplicatePercent
                               : options.conditions.reorderPercent) = number;
    } else if (name == "--seed") {
      ok = ParseNumber(text, 0, 1e18, number);
      options.seed = static_cast<uint64_t>(number);
    } else if (name == "--seconds") {
      ok = ParseNumber(text, 0, 1e7, number);
      options.seconds = number;
    } else {
      std::fprintf(stderr, "link_emulator: unknown option %s\n", argv[i - 1]);
      return false;
    }
    if (!ok) {
      std::fprintf(stderr, "link_emulator: %s %s is out of range\n", argv[i - 1], argv[i]);
      return false;
    }
  }
  if (options.listen == 0 || options.to.empty()) {
    Usage();
    return false;
  }
  return true;
}

bool Resolve(const std::string& host, uint16_t port, sockaddr_in& address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
    return false;
  }
  address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  address.sin_port = htons(port);
  freeaddrinfo(found);
  return true;
}

TNetAddress FromSocket(const sockaddr_in& address) {
  return {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
}

int64_t NowMillis() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Takes one datagram from socket into direction, through the conditions. False when there was none.
bool TakeIn(int socket, TDirection& direction, int64_t now, sockaddr_in& from, const sockaddr_in* onlyFrom,
            int64_t& ignored) {
  std::array<uint8_t, kMaxDatagram + 1> buffer;
  socklen_t length = sizeof from;
  ssize_t size =
      recvfrom(socket, buffer.data(), buffer.size(), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &length);
  if (size < 0) {
    return false;
  }
  if (onlyFrom != nullptr && !(FromSocket(from) == FromSocket(*onlyFrom))) {
    ignored++;
    return true;
  }
  if (size > kMaxDatagram) {
    direction.counts.tooLarge++;
    return true;
  }
  direction.counts.received++;
  direction.counts.bytesIn += size;
  TLinkFate fate = direction.link.Unreliable();
  TDatagramHeader header;
  header.sentAt = now;
  header.from = FromSocket(from);
  for (int32_t copy = 0; copy < fate.copies; copy++) {
    header.due = now + fate.delayMillis[copy];
    if (!direction.queue.Push(header, std::span<const uint8_t>(buffer.data(), static_cast<size_t>(size)))) {
      direction.counts.overflow++;
    }
  }
  return true;
}

// Sends out every datagram of direction that is due, from socket to target (none: dropped as failed).
void SendDue(int socket, TDirection& direction, int64_t now, const sockaddr_in* target) {
  while (!direction.queue.Empty() && direction.queue.Front().due <= now) {
    std::span<const uint8_t> bytes = direction.queue.FrontBytes();
    if (target != nullptr && sendto(socket, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(target),
                                    sizeof *target) == static_cast<ssize_t>(bytes.size())) {
      direction.counts.forwarded++;
      direction.counts.bytesOut += static_cast<int64_t>(bytes.size());
    } else {
      direction.counts.failed++;
    }
    direction.queue.Pop();
  }
}

void PrintCounts(const TOptions& options, const TDirection* directions, int64_t ignored) {
  const TLinkConditions& c = options.conditions;
  std::printf(
      "link emulator %s:%u -> %s: delay %d ms, jitter %d ms, loss %g %%, duplicate %g %%, reorder %g %% "
      "(hold %d ms), seed %llu\n",
      options.bind.c_str(), options.listen, options.to.c_str(), c.delayMillis, c.jitterMillis, c.lossPercent,
      c.duplicatePercent, c.reorderPercent, c.reorderHoldMillis, static_cast<unsigned long long>(options.seed));
  std::printf("%-16s %9s %9s %9s %10s %9s %9s %9s %9s %11s %11s\n", "direction", "received", "passed", "dropped",
              "duplicated", "reordered", "forwarded", "overflow", "in_flight", "bytes_in", "bytes_out");
  for (int side = 0; side < 2; side++) {
    const TDirection& d = directions[side];
    const TLinkCounts& link = d.link.Counts();
    std::printf("%-16s %9lld %9lld %9lld %10lld %9lld %9lld %9lld %9d %11lld %11lld\n", d.name,
                static_cast<long long>(d.counts.received), static_cast<long long>(link.passed),
                static_cast<long long>(link.dropped), static_cast<long long>(link.duplicated),
                static_cast<long long>(link.reordered), static_cast<long long>(d.counts.forwarded),
                static_cast<long long>(d.counts.overflow), d.queue.Size(), static_cast<long long>(d.counts.bytesIn),
                static_cast<long long>(d.counts.bytesOut));
  }
  for (int side = 0; side < 2; side++) {
    const TDirection& d = directions[side];
    if (d.counts.tooLarge + d.counts.failed > 0) {
      std::printf("%s: %lld over %d bytes refused, %lld not sent (refused by the system, or no client yet)\n", d.name,
                  static_cast<long long>(d.counts.tooLarge), kMaxDatagram, static_cast<long long>(d.counts.failed));
    }
  }
  if (ignored > 0) {
    std::printf("%lld datagrams to the relay's own port from others than the target ignored\n",
                static_cast<long long>(ignored));
  }
  std::fflush(stdout);
}

int OpenSocket(const sockaddr_in* bindTo) {
  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (fd >= 0 && bindTo != nullptr && bind(fd, reinterpret_cast<const sockaddr*>(bindTo), sizeof *bindTo) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, options)) {
    return 2;
  }
  std::optional<TJoinTarget> to = ParseJoinTarget(options.to, 0);
  sockaddr_in target{};
  sockaddr_in listenAddress{};
  if (!to || to->port == 0 || !Resolve(to->host, to->port, target)) {
    std::fprintf(stderr, "link_emulator: cannot find the target %s (HOST:PORT)\n", options.to.c_str());
    return 2;
  }
  if (!Resolve(options.bind, options.listen, listenAddress)) {
    std::fprintf(stderr, "link_emulator: cannot find the address %s to listen on\n", options.bind.c_str());
    return 2;
  }
  int clientSide = OpenSocket(&listenAddress);
  int targetSide = OpenSocket(nullptr);
  if (clientSide < 0 || targetSide < 0) {
    std::fprintf(stderr, "link_emulator: cannot listen on %s:%u: %s\n", options.bind.c_str(), options.listen,
                 std::strerror(errno));
    return 1;
  }
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  // Each direction draws from its own generator, both made from the seed.
  TLinkRandom seeds(options.seed);
  uint64_t toTargetSeed = seeds.Next();
  TDirection directions[2] = {{"client -> target", options.conditions, toTargetSeed},
                              {"target -> client", options.conditions, seeds.Next()}};
  std::printf("relaying %s:%u <-> %s\n", options.bind.c_str(), options.listen, options.to.c_str());
  std::fflush(stdout);

  int64_t start = NowMillis();
  int64_t end = options.seconds > 0 ? start + static_cast<int64_t>(options.seconds * 1000) : INT64_MAX;
  bool haveClient = false;
  sockaddr_in client{};
  int64_t ignored = 0;
  while (stopRequested == 0) {
    int64_t now = NowMillis();
    if (now >= end) {
      break;
    }
    SendDue(targetSide, directions[0], now, &target);
    SendDue(clientSide, directions[1], now, haveClient ? &client : nullptr);
    // Sleep until a datagram comes in or the next one is due; a tenth of a second at most, to see a stop.
    int64_t wait = std::min<int64_t>(end - now, 100);
    for (const TDirection& direction : directions) {
      if (!direction.queue.Empty()) {
        wait = std::min(wait, std::max<int64_t>(direction.queue.Front().due - now, 0));
      }
    }
    pollfd fds[2] = {{clientSide, POLLIN, 0}, {targetSide, POLLIN, 0}};
    if (poll(fds, 2, static_cast<int>(wait)) <= 0) {
      continue;
    }
    now = NowMillis();
    sockaddr_in from{};
    while ((fds[0].revents & POLLIN) != 0 && TakeIn(clientSide, directions[0], now, from, nullptr, ignored)) {
      client = from;  // answers go to whoever wrote last
      haveClient = true;
    }
    while ((fds[1].revents & POLLIN) != 0 && TakeIn(targetSide, directions[1], now, from, &target, ignored)) {
    }
  }
  PrintCounts(options, directions, ignored);
  close(clientSide);
  close(targetSide);
  return 0;
}
