// 24-bit colour as the whole program holds it: red + 256 * green + 65536 *
// blue, red in the low byte.
#pragma once

#include <cstdint>

using Color = std::uint32_t;

inline constexpr Color rgb(int r, int g, int b) {
  return static_cast<Color>(r) | static_cast<Color>(g) << 8 | static_cast<Color>(b) << 16;
}
inline constexpr int redOf(Color c) { return c & 0xFF; }
inline constexpr int greenOf(Color c) { return (c >> 8) & 0xFF; }
inline constexpr int blueOf(Color c) { return (c >> 16) & 0xFF; }
