#include "imaging/picture_decoder.h"

std::optional<Image> decodePicture(std::span<const std::uint8_t> bytes) {
  static constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return decodeBmp(bytes);
  if (bytes.size() >= 8 && std::equal(kPngSignature, kPngSignature + 8, bytes.begin()))
    return decodePng(bytes);
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
    return decodeJpeg(bytes);
  return std::nullopt;
}
