#include "support/overlong_text.h"

#include <stdexcept>

#include "media/core/data_limits.h"

std::string PastTheReadingLimit(const std::string& head, const std::string& filler, const std::string& tail) {
  if (filler.empty() || head.size() >= static_cast<size_t>(kTextFileBytes)) {
    throw std::invalid_argument("the filler must bring the text to the limit");
  }
  std::string text = head;
  while (text.size() <= static_cast<size_t>(kTextFileBytes)) {
    text += filler;
  }
  return text + tail;
}
