#include "support/captured_warnings.h"

#include <gtest/gtest.h>

#include <algorithm>

int TWarnings::Lines() const {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

int TWarnings::Mentions(const std::string& part) const {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    count++;
  }
  return count;
}

TWarnings CaptureWarnings(const std::function<void()>& action) {
  testing::internal::CaptureStderr();
  try {
    action();
  } catch (...) {
    testing::internal::GetCapturedStderr();  // the capture ends either way: the next one must start afresh
    throw;
  }
  return TWarnings{testing::internal::GetCapturedStderr()};
}
