#include "headless/soak_links.h"

#include <array>

namespace {

TLinkConditions Link(int32_t delay, int32_t jitter, double loss, double reorder) {
  TLinkConditions conditions;
  conditions.delayMillis = delay;
  conditions.jitterMillis = jitter;
  conditions.lossPercent = loss;
  conditions.reorderPercent = reorder;
  return conditions;
}

// The delays are one way: each link's round trip is twice its delay.
const std::array<TSoakLink, 4> kLinks = {{
    {"none", Link(0, 0, 0, 0)},
    {"30 ms RTT", Link(15, 0, 0, 0)},
    {"100 ms RTT, +-20 ms, 5 % loss, 1 % reorder", Link(50, 20, 5, 1)},
    {"200 ms RTT, 10 % loss", Link(100, 0, 10, 0)},
}};

}  // namespace

std::span<const TSoakLink> SoakLinks() {
  return kLinks;
}
