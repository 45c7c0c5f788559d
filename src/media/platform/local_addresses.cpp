#include "media/platform/local_addresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>

std::vector<TNetAddress> LocalAddresses(uint16_t port) {
  std::vector<TNetAddress> addresses;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) {
    return addresses;
  }
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET || (entry->ifa_flags & IFF_UP) == 0 ||
        (entry->ifa_flags & IFF_LOOPBACK) != 0) {
      continue;
    }
    TNetAddress address;
    address.host = ntohl(reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr.s_addr);
    address.port = port;
    // 127.0.0.0/8 is this machine whatever interface carries it; the other player cannot reach it.
    if ((address.host >> 24) == 127 || std::find(addresses.begin(), addresses.end(), address) != addresses.end()) {
      continue;
    }
    addresses.push_back(address);
  }
  freeifaddrs(list);
  return addresses;
}
