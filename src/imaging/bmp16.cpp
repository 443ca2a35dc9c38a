#include "imaging/bmp16.h"

#include "base/file_io.h"
#include "base/little_endian.h"

namespace {

constexpr std::size_t kHeaderSize = 54;

}  // namespace

bool isBmp16(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 34 && bytes[0] == 'B' && bytes[1] == 'M' && readLe16(bytes, 28) == 16 &&
         readLe32(bytes, 30) == 0;
}

std::optional<Image> readBmp16(std::span<const std::uint8_t> bytes) {
  if (!isBmp16(bytes)) return std::nullopt;
  const std::uint64_t offset = readLe32(bytes, 10);
  const auto width = static_cast<std::int32_t>(readLe32(bytes, 18));
  const auto height = static_cast<std::int32_t>(readLe32(bytes, 22));
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
    return std::nullopt;
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) + 1) & ~std::uint64_t{1};
  // The last word read is the last pixel of the last stored row; the sizes
  // are bounded above, so this cannot overflow.
  const std::uint64_t end = offset + 2 * ((height - 1) * stride + width);
  if (end > bytes.size()) return std::nullopt;

  Image picture(width, height);
  const std::uint8_t* data = bytes.data() + offset;
  for (int r = 0; r < height; ++r) {
    const std::uint8_t* row = data + 2 * r * stride;
    Color* target = &picture.at(0, height - 1 - r);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = row[2 * x] | static_cast<std::uint32_t>(row[2 * x + 1]) << 8;
      target[x] = rgb(((v >> 10) & 31) * 8, ((v >> 5) & 31) * 8, (v & 31) * 8);
    }
  }
  return picture;
}

std::vector<std::uint8_t> encodeBmp16(const Image& picture) {
  // A picture whose pixels do not match its size is written as empty
  // rather than read past its end.
  const bool usable =
      !picture.empty() &&
      picture.pixels.size() == static_cast<std::size_t>(picture.width) * picture.height;
  const int width = usable ? picture.width : 0;
  const int height = usable ? picture.height : 0;
  const std::size_t stride = (static_cast<std::size_t>(width) + 1) & ~std::size_t{1};
  const std::size_t imageSize = 2 * stride * height + 2;
  std::vector<std::uint8_t> out(kHeaderSize + imageSize, 0);
  out[0] = 'B';
  out[1] = 'M';
  putLe32(out, 2, static_cast<std::uint32_t>(kHeaderSize + imageSize));
  putLe32(out, 10, kHeaderSize);
  putLe32(out, 14, 40);
  putLe32(out, 18, static_cast<std::uint32_t>(width));
  putLe32(out, 22, static_cast<std::uint32_t>(height));
  putLe16(out, 26, 1);
  putLe16(out, 28, 16);
  putLe32(out, 34, static_cast<std::uint32_t>(imageSize));
  putLe32(out, 38, 2834);
  putLe32(out, 42, 2834);
  for (int r = 0; r < height; ++r) {
    const Color* source = &picture.pixels[static_cast<std::size_t>(height - 1 - r) * width];
    std::size_t at = kHeaderSize + 2 * stride * r;
    for (int x = 0; x < width; ++x, at += 2) {
      const Color c = source[x];
      putLe16(out, at, (redOf(c) & 0xF8) << 7 | (greenOf(c) & 0xF8) << 2 | (blueOf(c) & 0xF8) >> 3);
    }
  }
  return out;
}

bool writeBmp16(const Image& picture, const std::string& path) {
  return writeFileAtomically(path, encodeBmp16(picture));
}
