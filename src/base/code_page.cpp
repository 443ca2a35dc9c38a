#include "base/code_page.h"

#include <array>
#include <cstdint>

#include "base/platform.h"

namespace {

// Characters of bytes 0x80..0x9F. The unassigned bytes 0x81, 0x8D, 0x8F,
// 0x90 and 0x9D keep their own number so that they round-trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char32_t byteToChar(std::uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

// The byte that holds `c`, or -1 when the code page has none.
int charToByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
  return -1;
}

}  // namespace

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t& out) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(pos);
  std::size_t length;
  char32_t value;
  char32_t minimum;
  if (lead < 0x80) {
    out = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (text.size() - pos < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const std::uint8_t next = byte(pos + i);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  out = value;
  return length;
}

std::string cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    // Plain ASCII is the same in both encodings and is copied in runs.
    std::size_t run = pos;
    while (run < bytes.size() && static_cast<std::uint8_t>(bytes[run]) < 0x80) ++run;
    out.append(bytes, pos, run - pos);
    if (run == bytes.size()) break;
    appendUtf8(out, byteToChar(static_cast<std::uint8_t>(bytes[run])));
    pos = run + 1;
  }
  return out;
}

std::string utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t run = pos;
    while (run < text.size() && static_cast<std::uint8_t>(text[run]) < 0x80) ++run;
    out.append(text, pos, run - pos);
    pos = run;
    if (pos == text.size()) break;
    char32_t c = 0;
    const std::size_t length = decodeUtf8(text, pos, c);
    if (length == 0) {
      out += '?';
      ++pos;
      continue;
    }
    const int b = charToByte(c);
    out += b < 0 ? '?' : static_cast<char>(b);
    pos += length;
  }
  return out;
}

std::string upperCaseName(std::string_view text) {
  std::string upper;
  upper.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t c = 0;
    const std::size_t length = decodeUtf8(text, pos, c);
    if (length == 0) {
      upper += text[pos++];
      continue;
    }
    appendUtf8(upper, upperCaseLetter(c));
    pos += length;
  }
  return upper;
}
