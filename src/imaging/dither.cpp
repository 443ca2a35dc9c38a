#include "imaging/dither.h"

#include <utility>
#include <vector>

namespace {

// The three channels never mix, so they travel together in one word, ten
// bits apart (red at bit 0, green at 10, blue at 20): a channel of at most
// 255 plus a share of at most 3 never carries into its neighbour, and one
// multiplication computes a share for all three at once.
using Packed = std::uint32_t;

constexpr Packed kLowBits = 0x7u | 0x7u << 10 | 0x7u << 20;
constexpr Packed kShareBits = 0x3Fu | 0x3Fu << 10 | 0x3Fu << 20;
constexpr Packed kOverflowBits = 0x1u | 0x1u << 10 | 0x1u << 20;
constexpr Packed kChannelBits = 0xFFu | 0xFFu << 10 | 0xFFu << 20;

inline Packed pack(Color c) { return (c & 0xFF) | (c >> 8 & 0xFF) << 10 | (c >> 16 & 0xFF) << 20; }

inline Color unpack(Packed v) { return rgb(v & 0xFF, v >> 10 & 0xFF, v >> 20 & 0xFF); }

// e * numerator / 16 in each channel, truncated. An error is at most 7, so
// the product stays within the channel's ten bits.
template <unsigned numerator>
inline Packed share(Packed error) {
  return (error * numerator) >> 4 & kShareBits;
}

// Adds a share and clamps every channel to 255: a sum past 255 has bit 8
// set, which turns its low eight bits all on.
inline Packed addClamped(Packed value, Packed add) {
  const Packed sum = value + add;
  const Packed overflow = sum >> 8 & kOverflowBits;
  return (sum | overflow * 0xFF) & kChannelBits;
}

void loadRow(std::vector<Packed>& row, const Color* source, int width) {
  for (int x = 0; x < width; ++x) row[x + 1] = pack(source[x]);
  row[0] = 0;
  row[width + 1] = 0;
}

void diffuse(Image& picture, const std::uint8_t* held) {
  const int width = picture.width;
  const int height = picture.height;
  // Two rolling rows with a border cell at each end: the current one and
  // the one below, which collects error before its turn.
  std::vector<Packed> current(width + 2), below(width + 2);
  loadRow(below, picture.pixels.data(), width);
  for (int y = 0; y < height; ++y) {
    std::swap(current, below);
    Color* target = &picture.pixels[static_cast<std::size_t>(y) * width];
    if (y + 1 < height) {
      loadRow(below, target + width, width);
    } else {
      std::fill(below.begin(), below.end(), 0);
    }
    const std::uint8_t* heldRow = held ? held + static_cast<std::size_t>(y) * width : nullptr;
    for (int x = 1; x <= width; ++x) {
      // What diffused into a held pixel is never read, so it is dropped.
      if (heldRow && heldRow[x - 1]) continue;
      const Packed c = current[x];
      const Packed error = c & kLowBits;
      // The below-right share, error * 1 / 16, is always 0.
      current[x + 1] = addClamped(current[x + 1], share<7>(error));
      below[x - 1] = addClamped(below[x - 1], share<3>(error));
      below[x] = addClamped(below[x], share<5>(error));
      target[x - 1] = unpack(c - error);
    }
  }
}

bool wellFormed(const Image& picture) {
  return !picture.empty() &&
         picture.pixels.size() == static_cast<std::size_t>(picture.width) * picture.height;
}

}  // namespace

void dither15(Image& picture) {
  if (wellFormed(picture)) diffuse(picture, nullptr);
}

void dither15(Image& picture, const std::vector<std::uint8_t>& held) {
  if (!wellFormed(picture)) return;
  diffuse(picture, held.size() == picture.pixels.size() ? held.data() : nullptr);
}
