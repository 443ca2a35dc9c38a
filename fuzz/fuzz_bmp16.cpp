// The skin's own 16-bit BMP reader over arbitrary bytes. A picture it
// accepts must be sane and must survive the writer unchanged: every channel
// it produces is a multiple of 8, which the 16-bit format holds exactly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "imaging/bmp16.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const bool taken = isBmp16(bytes);
  const std::optional<Image> picture = readBmp16(bytes);
  if (!picture) return 0;
  if (!taken) std::abort();
  if (picture->width <= 0 || picture->height <= 0 || picture->width > kMaxPictureSide ||
      picture->height > kMaxPictureSide ||
      picture->pixels.size() != std::size_t(picture->width) * picture->height)
    std::abort();

  const std::optional<Image> again = readBmp16(encodeBmp16(*picture));
  if (!again || again->width != picture->width || again->height != picture->height ||
      again->pixels != picture->pixels)
    std::abort();
  return 0;
}
