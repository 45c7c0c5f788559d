#include "media/net/net_address.h"

#include <charconv>

namespace {

// A decimal number of at most maxDigits digits, the whole of text, at most limit.
std::optional<uint32_t> ParseDecimal(std::string_view text, size_t maxDigits, uint32_t limit) {
  if (text.empty() || text.size() > maxDigits) {
    return std::nullopt;
  }
  uint32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value > limit) {
    return std::nullopt;
  }
  return value;
}

bool IsHostNameCharacter(char c) {
  return c != ':' && IsJoinAddressCharacter(static_cast<unsigned char>(c));
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

std::string AddressText(const TNetAddress& address) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    text += std::to_string((address.host >> shift) & 0xFF);
    text += shift > 0 ? '.' : ':';
  }
  text += std::to_string(address.port);
  return text;
}

std::optional<uint32_t> ParseDottedAddress(std::string_view text) {
  uint32_t host = 0;
  for (int part = 0; part < 4; part++) {
    size_t dot = part < 3 ? text.find('.') : text.size();
    if (dot == std::string_view::npos) {
      return std::nullopt;
    }
    std::optional<uint32_t> number = ParseDecimal(text.substr(0, dot), 3, 255);
    if (!number) {
      return std::nullopt;
    }
    host = host << 8 | *number;
    text.remove_prefix(part < 3 ? dot + 1 : dot);
  }
  return host;
}

bool IsJoinAddressCharacter(int32_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == ':';
}

std::optional<TJoinTarget> ParseJoinTarget(std::string_view text, uint16_t defaultPort) {
  text = Trimmed(text);
  TJoinTarget target;
  target.port = defaultPort;
  size_t colon = text.rfind(':');
  if (colon != std::string_view::npos) {
    std::optional<uint32_t> port = ParseDecimal(text.substr(colon + 1), 5, 65535);
    if (!port || *port == 0) {
      return std::nullopt;
    }
    target.port = static_cast<uint16_t>(*port);
    text = text.substr(0, colon);
  }
  // 253 characters is the longest name the name system carries.
  if (text.empty() || text.size() > 253) {
    return std::nullopt;
  }
  for (char c : text) {
    if (!IsHostNameCharacter(c)) {
      return std::nullopt;
    }
  }
  target.host = std::string(text);
  return target;
}
