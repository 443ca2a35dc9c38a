#include <array>
#include <bit>

#include "base/little_endian.h"
#include "imaging/bmp16.h"
#include "imaging/picture_decoder.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;

enum Compression : std::uint32_t { kRgb = 0, kBitFields = 3, kAlphaBitFields = 6 };

// Reads little-endian values; every read is checked against the end.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool has(std::uint64_t at, std::uint64_t count) const {
    return at <= bytes_.size() && count <= bytes_.size() - at;
  }
  std::uint32_t u16(std::size_t at) const { return readLe16(bytes_, at); }
  std::uint32_t u32(std::size_t at) const { return readLe32(bytes_, at); }
  const std::uint8_t* data(std::size_t at) const { return bytes_.data() + at; }

 private:
  std::span<const std::uint8_t> bytes_;
};

// One channel of a bit-field pixel, scaled to 0..255.
struct ChannelMask {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t maximum = 0;

  explicit ChannelMask(std::uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    maximum = mask >> shift;
  }
  std::uint32_t operator()(std::uint32_t pixel) const {
    if (maximum == 0) return 0;
    return static_cast<std::uint32_t>(std::uint64_t{(pixel & mask) >> shift} * 255 / maximum);
  }
};

struct BmpHeader {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative for top-down rows
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t pixelOffset = 0;
  std::size_t paletteOffset = 0;
  std::size_t paletteEntrySize = 4;
  std::uint32_t colorsUsed = 0;
  ChannelMask red, green, blue;
};

bool readHeader(const ByteReader& in, BmpHeader& header) {
  if (!in.has(0, kFileHeaderSize + 4)) return false;
  header.pixelOffset = in.u32(10);
  const std::uint32_t infoSize = in.u32(kFileHeaderSize);
  const std::size_t info = kFileHeaderSize;
  if (infoSize == 12) {  // OS/2 1.x core header
    if (!in.has(info, 12)) return false;
    header.width = in.u16(info + 4);
    header.height = static_cast<std::int16_t>(in.u16(info + 6));
    header.bitsPerPixel = in.u16(info + 10);
    header.paletteEntrySize = 3;
  } else if (infoSize >= 40 && infoSize <= 1024) {
    if (!in.has(info, infoSize)) return false;
    header.width = static_cast<std::int32_t>(in.u32(info + 4));
    header.height = static_cast<std::int32_t>(in.u32(info + 8));
    header.bitsPerPixel = in.u16(info + 14);
    header.compression = in.u32(info + 16);
    header.colorsUsed = in.u32(info + 32);
  } else if (infoSize >= 16 && infoSize < 40) {  // OS/2 2.x, shortened
    if (!in.has(info, infoSize)) return false;
    header.width = static_cast<std::int32_t>(in.u32(info + 4));
    header.height = static_cast<std::int32_t>(in.u32(info + 8));
    header.bitsPerPixel = in.u16(info + 14);
    if (infoSize >= 20) header.compression = in.u32(info + 16);
    if (infoSize >= 36) header.colorsUsed = in.u32(info + 32);
  } else {
    return false;
  }
  header.paletteOffset = info + infoSize;

  if (header.compression == kBitFields || header.compression == kAlphaBitFields) {
    if (header.bitsPerPixel != 16 && header.bitsPerPixel != 32) return false;
    // The masks follow the first 40 header bytes, whether the header holds
    // them (later versions) or they come after it (version 1).
    const std::size_t at = info + 40;
    if (!in.has(at, 12)) return false;
    header.red = ChannelMask(in.u32(at));
    header.green = ChannelMask(in.u32(at + 4));
    header.blue = ChannelMask(in.u32(at + 8));
  } else if (header.compression == kRgb) {
    if (header.bitsPerPixel == 16) {
      header.red = ChannelMask(0x7C00);
      header.green = ChannelMask(0x03E0);
      header.blue = ChannelMask(0x001F);
    } else if (header.bitsPerPixel == 32) {
      header.red = ChannelMask(0xFF0000);
      header.green = ChannelMask(0x00FF00);
      header.blue = ChannelMask(0x0000FF);
    }
  } else {
    return false;  // run-length and embedded JPEG/PNG forms are not taken
  }

  switch (header.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return false;
  }
  const std::int64_t rows = header.height < 0 ? -header.height : header.height;
  return header.width > 0 && rows > 0 && header.width <= kMaxPictureSide && rows <= kMaxPictureSide;
}

// The palette as colours; entries the file does not hold stay black, so an
// index past the palette never reads outside the file.
std::array<Color, 256> readPalette(const ByteReader& in, const BmpHeader& header) {
  std::array<Color, 256> palette{};
  if (header.bitsPerPixel > 8) return palette;
  std::uint64_t count = header.colorsUsed != 0 ? header.colorsUsed : 1u << header.bitsPerPixel;
  count = std::min<std::uint64_t>(count, 1u << header.bitsPerPixel);
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint64_t at = header.paletteOffset + i * header.paletteEntrySize;
    if (!in.has(at, 3)) break;
    const std::uint8_t* bgr = in.data(at);
    palette[i] = rgb(bgr[2], bgr[1], bgr[0]);
  }
  return palette;
}

}  // namespace

std::optional<Image> decodeBmp(std::span<const std::uint8_t> bytes) {
  const ByteReader in(bytes);
  BmpHeader header;
  if (!readHeader(in, header)) return std::nullopt;

  const int width = static_cast<int>(header.width);
  const int height = static_cast<int>(header.height < 0 ? -header.height : header.height);
  const std::uint64_t rowBits = std::uint64_t{header.bitsPerPixel} * width;
  const std::uint64_t stride = (rowBits + 31) / 32 * 4;
  // The last row needs its pixels, not its padding.
  if (!in.has(header.pixelOffset, stride * (height - 1) + (rowBits + 7) / 8)) return std::nullopt;

  const std::array<Color, 256> palette = readPalette(in, header);
  Image picture(width, height);
  for (int r = 0; r < height; ++r) {
    const std::uint8_t* row = in.data(header.pixelOffset + stride * r);
    const int y = header.height < 0 ? r : height - 1 - r;
    Color* target = &picture.at(0, y);
    switch (header.bitsPerPixel) {
      case 1:
      case 4:
      case 8: {
        const int bits = static_cast<int>(header.bitsPerPixel);
        const int perByte = 8 / bits;
        const unsigned mask = (1u << bits) - 1;
        for (int x = 0; x < width; ++x) {
          const int shift = 8 - bits * (x % perByte + 1);
          target[x] = palette[(row[x / perByte] >> shift) & mask];
        }
        break;
      }
      case 16:
        for (int x = 0; x < width; ++x) {
          const std::uint32_t v = row[2 * x] | std::uint32_t{row[2 * x + 1]} << 8;
          target[x] = rgb(header.red(v), header.green(v), header.blue(v));
        }
        break;
      case 24:
        for (int x = 0; x < width; ++x) target[x] = rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        break;
      case 32:
        for (int x = 0; x < width; ++x) {
          const std::uint8_t* p = row + 4 * x;
          const std::uint32_t v = p[0] | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                  std::uint32_t{p[3]} << 24;
          target[x] = rgb(header.red(v), header.green(v), header.blue(v));
        }
        break;
    }
  }
  return picture;
}
