// What the real-window check programs share: each failed check prints one line and counts, and the program's
// status says whether any failed.
#pragma once

#include <cstdio>
#include <string>

inline int failures = 0;

inline void Check(bool ok, const std::string& what) {
  if (!ok) {
    std::fprintf(stderr, "FAILED: %s\n", what.c_str());
    failures++;
  }
}
