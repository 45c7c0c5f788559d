// Addresses of the other player's machine: an IPv4 address and a UDP port, as the online menus show them and as
// the player types them ("192.168.1.20:7620", "ringside.example.org", "10.0.0.5:7700").
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The UDP port a game hosts on unless the player chooses another.
inline constexpr uint16_t NET_DEFAULT_PORT = 7620;

// An IPv4 address and port, both in host byte order (192.168.1.20 is 0xC0A80114).
struct TNetAddress {
  uint32_t host = 0;
  uint16_t port = 0;

  bool operator==(const TNetAddress&) const = default;
};

// "192.168.1.20:7620".
std::string AddressText(const TNetAddress& address);

// The address of a dotted quad ("10.0.0.5"): four decimal numbers 0..255, nothing else; none otherwise.
std::optional<uint32_t> ParseDottedAddress(std::string_view text);

// What the player typed to join a game: a host name or dotted address, and a port.
struct TJoinTarget {
  std::string host;
  uint16_t port = NET_DEFAULT_PORT;
};

// The longest join address the menus take and the settings keep: longer than any host name and port a player
// types.
inline constexpr size_t JOIN_ADDRESS_MAX = 80;

// Whether c may stand in a join address: a host name's letters, digits, '-', '.' and '_', and the ':' before the
// port. The menu takes no other typed character, and the settings file no address with one.
bool IsJoinAddressCharacter(int32_t c);

// Reads "HOST" or "HOST:PORT", with spaces around it ignored; the port is 1..65535 and defaults to defaultPort.
// None for an empty host, a bad port, or characters a host name cannot hold (so a typing slip fails here and
// not after a name lookup).
std::optional<TJoinTarget> ParseJoinTarget(std::string_view text, uint16_t defaultPort = NET_DEFAULT_PORT);
