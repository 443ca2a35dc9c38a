#include "skin/skin_model.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// UTF-8 continuation bytes belong to the character before them, so the
// "last four characters" of a text are counted in characters, not bytes.
bool startsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

}  // namespace

void resetSkinModel(SkinModel& model) {
  for (const SkinField& field : skinFields()) {
    switch (field.kind) {
      case FieldKind::Text:
        field.text(model)->clear();
        break;
      case FieldKind::ColorDs:
        *field.color(model) = colorFromText(field.defaultColor);
        break;
      case FieldKind::Integer:
        *field.integer(model) = field.defaultInteger;
        break;
    }
  }
  model.storedSettings.reset();
}

bool sameFieldValue(const SkinField& field, const SkinModel& a, const SkinModel& b) {
  switch (field.kind) {
    case FieldKind::Text:
      return *field.readText(a) == *field.readText(b);
    case FieldKind::ColorDs:
      return *field.readColor(a) == *field.readColor(b);
    case FieldKind::Integer:
      return *field.readInteger(a) == *field.readInteger(b);
  }
  return true;
}

Color colorFromText(std::string_view text) {
  // Only the lower-case prefix is dropped: "0X7FFF" keeps its "0X" and is
  // then cut to its last four characters, which the handheld does the same.
  std::string rest;
  rest.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '0' && i + 1 < text.size() && text[i + 1] == 'x') {
      ++i;
      continue;
    }
    rest += text[i];
  }

  std::size_t start = rest.size();
  int characters = 0;
  while (start > 0 && characters < 4) {
    --start;
    if (startsCharacter(rest[start])) ++characters;
  }
  std::string digits(4 - characters, '0');
  digits.append(rest, start, std::string::npos);

  std::uint32_t value = 0;
  for (char c : digits) {
    const int digit = hexDigit(c);
    if (digit < 0) break;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }

  const Color red = (value & 31) * 8;
  const Color green = ((value >> 5) & 31) * 8;
  const Color blue = ((value >> 10) & 31) * 8;
  return red + 256 * green + 65536 * blue;
}

std::string colorToText(Color color) {
  const std::uint32_t red = color & 255;
  const std::uint32_t green = (color >> 8) & 255;
  const std::uint32_t blue = (color >> 16) & 255;
  const std::uint32_t value = red / 8 + (green / 8) * 32 + (blue / 8) * 1024;
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text = "0x";
  for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 15];
  return text;
}
