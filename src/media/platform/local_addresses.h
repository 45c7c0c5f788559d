// The machine's own addresses, for the host to tell the other player where to join.
#pragma once

#include <cstdint>
#include <vector>

#include "media/net/net_address.h"

// The machine's IPv4 addresses on interfaces that are up, loopback left out, each with port; in the order the
// system lists its interfaces, each address once. Empty when there is none (or the system will not say).
std::vector<TNetAddress> LocalAddresses(uint16_t port = NET_DEFAULT_PORT);
