// The links the soak of online matches plays over, from a perfect one to a bad one: the soak tool prints a row for
// each, and the online match's benchmark measures each, so both speak of the same four.
#pragma once

#include <span>

#include "media/net/link_conditions.h"

struct TSoakLink {
  const char* name;
  TLinkConditions conditions;  // both ways alike
};

std::span<const TSoakLink> SoakLinks();
