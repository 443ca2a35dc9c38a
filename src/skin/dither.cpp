#include "skin/dither.h"

#include <algorithm>
#include <vector>

namespace {

// A low-bits error is at most 7, so its shares are at most 3, 1 and 2, and
// the below-right share (7 / 16) is always 0.
struct Shares {
  std::uint8_t right, belowLeft, below;
};
constexpr Shares kShares[8] = {
    {0 * 7 / 16, 0 * 3 / 16, 0 * 5 / 16}, {1 * 7 / 16, 1 * 3 / 16, 1 * 5 / 16},
    {2 * 7 / 16, 2 * 3 / 16, 2 * 5 / 16}, {3 * 7 / 16, 3 * 3 / 16, 3 * 5 / 16},
    {4 * 7 / 16, 4 * 3 / 16, 4 * 5 / 16}, {5 * 7 / 16, 5 * 3 / 16, 5 * 5 / 16},
    {6 * 7 / 16, 6 * 3 / 16, 6 * 5 / 16}, {7 * 7 / 16, 7 * 3 / 16, 7 * 5 / 16},
};

inline std::uint16_t addClamped(std::uint16_t value, int share) {
  return static_cast<std::uint16_t>(std::min(value + share, 255));
}

// One channel's rows as 16-bit values with a one-cell border left and right.
using Row = std::vector<std::uint16_t>;

void loadRow(Row& row, const Image& picture, int y, int shift) {
  const Color* source = &picture.pixels[static_cast<std::size_t>(y) * picture.width];
  for (int x = 0; x < picture.width; ++x) row[x + 1] = (source[x] >> shift) & 0xFF;
}

}  // namespace

void dither15(Image& picture) {
  if (picture.empty() ||
      picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height)
    return;
  const int width = picture.width;
  const int height = picture.height;
  // The channels never mix, so each is diffused on its own over two rolling
  // rows: the current one and the one below, which collects error.
  Row current(width + 2), below(width + 2);
  for (int shift = 0; shift <= 16; shift += 8) {
    loadRow(below, picture, 0, shift);
    for (int y = 0; y < height; ++y) {
      std::swap(current, below);
      if (y + 1 < height) {
        loadRow(below, picture, y + 1, shift);
      } else {
        std::fill(below.begin(), below.end(), 0);
      }
      below[0] = 0;
      below[width + 1] = 0;
      Color* target = &picture.pixels[static_cast<std::size_t>(y) * width];
      const Color keepOthers = ~(Color{0xFF} << shift);
      for (int x = 1; x <= width; ++x) {
        const int c = current[x];
        const int kept = c & 0xF8;
        const Shares& share = kShares[c - kept];
        current[x + 1] = addClamped(current[x + 1], share.right);
        below[x - 1] = addClamped(below[x - 1], share.belowLeft);
        below[x] = addClamped(below[x], share.below);
        target[x - 1] = (target[x - 1] & keepOthers) | static_cast<Color>(kept) << shift;
      }
    }
  }
}
