#include "media/platform/enet_name_lookup.h"

#include <enet/enet.h>

#include <atomic>
#include <system_error>
#include <thread>

struct TNameLookup::TShared {
  std::string name;
  uint32_t host = 0;  // written before result, read after it
  std::atomic<TResult> result{kRunning};
};

TNameLookup::TNameLookup(const std::string& name) : _shared(std::make_shared<TShared>()) {
  _shared->name = name;
  try {
    std::thread([shared = _shared] { LookUp(*shared); }).detach();
  } catch (const std::system_error&) {
    LookUp(*_shared);  // no thread to be had: look it up here, slow as it may be, rather than fail the join
  }
}

TNameLookup::~TNameLookup() = default;

TNameLookup::TResult TNameLookup::Result(uint32_t& host) const {
  TResult result = _shared->result.load(std::memory_order_acquire);
  if (result == kFound) {
    host = _shared->host;
  }
  return result;
}

void TNameLookup::LookUp(TShared& shared) {
  ENetAddress address{};
  bool found = enet_address_set_host(&address, shared.name.c_str()) == 0;
  // ENet keeps the address in network byte order.
  shared.host = ENET_NET_TO_HOST_32(address.host);
  shared.result.store(found ? kFound : kNotFound, std::memory_order_release);
}
