// The runtime's text and number conversions.
#include "media/core/text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

std::u16string BytesToText(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  for (size_t i = 0; i < bytes.size(); i++) {
    text[i] = static_cast<unsigned char>(bytes[i]);
  }
  return text;
}

std::string TextToBytes(std::u16string_view text) {
  std::string bytes(text.size(), '\0');
  for (size_t i = 0; i < text.size(); i++) {
    bytes[i] = static_cast<char>(text[i] & 0xFF);
  }
  return bytes;
}

std::vector<std::u16string> SplitText(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string> fields;
  size_t start = 0;
  for (size_t found = text.find(separator); found != std::u16string_view::npos; found = text.find(separator, start)) {
    fields.emplace_back(text.substr(start, found - start));
    start = found + 1;
  }
  fields.emplace_back(text.substr(start));
  return fields;
}

std::string TextToUtf8(std::u16string_view text) {
  std::string utf8;
  for (size_t i = 0; i < text.size(); i++) {
    uint32_t c = text[i];
    // A surrogate pair is one character beyond 16 bits; a lone surrogate becomes U+FFFD.
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (c >> 18));
      utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

std::u16string IntToText(int32_t value) {
  return BytesToText(std::to_string(value));
}

TShortText& TShortText::Add(std::u16string_view text) {
  size_t count = std::min(text.size(), CAPACITY - _length);
  std::copy_n(text.begin(), count, _chars.begin() + static_cast<std::ptrdiff_t>(_length));
  _length += count;
  return *this;
}

TShortText& TShortText::Add(int32_t value) {
  char digits[16];
  std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
  for (const char* c = digits; c != end.ptr && _length < CAPACITY; c++) {
    _chars[_length++] = static_cast<char16_t>(*c);
  }
  return *this;
}

std::u16string FloatToText(float value) {
  char buffer[64];
  int length = std::snprintf(buffer, sizeof buffer, "%#.9g", static_cast<double>(value));
  return BytesToText(std::string_view(buffer, static_cast<size_t>(length)));
}

namespace {

bool IsSpace(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// The value of c as a digit of the given base, or -1.
int DigitValue(char16_t c, int base) {
  int digit = -1;
  if (c >= u'0' && c <= u'9') {
    digit = c - u'0';
  } else if (c >= u'a' && c <= u'f') {
    digit = c - u'a' + 10;
  } else if (c >= u'A' && c <= u'F') {
    digit = c - u'A' + 10;
  }
  return digit < base ? digit : -1;
}

}  // namespace

int32_t TextToInt(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) {
    i++;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    i++;
  }
  int base = 10;
  if (i < text.size() && text[i] == u'%') {
    base = 2;
    i++;
  } else if (i < text.size() && text[i] == u'$') {
    base = 16;
    i++;
  }
  // Unsigned arithmetic: an overlong number wraps like 32-bit integer arithmetic instead of overflowing.
  uint32_t value = 0;
  for (; i < text.size(); i++) {
    int digit = DigitValue(text[i], base);
    if (digit < 0) {
      break;
    }
    value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
  }
  if (negative) {
    value = 0u - value;
  }
  return static_cast<int32_t>(value);
}

double TextToFloat(std::u16string_view text) {
  // strtod reads a C string; a character beyond 8 bits or a zero ends the number anyway.
  std::string bytes;
  bytes.reserve(text.size());
  for (char16_t c : text) {
    if (c == 0 || c > 0xFF) {
      break;
    }
    bytes.push_back(static_cast<char>(c));
  }
  return std::strtod(bytes.c_str(), nullptr);
}

int32_t TruncateToInt(double value) {
  if (!(value == value)) {
    return 0;
  }
  if (value >= 2147483647.0) {
    return INT32_MAX;
  }
  if (value <= -2147483648.0) {
    return INT32_MIN;
  }
  return static_cast<int32_t>(value);
}
