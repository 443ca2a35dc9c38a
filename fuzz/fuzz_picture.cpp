// The general picture decoder (BMP, PNG, JPEG by signature) over arbitrary
// bytes, followed by what the loader does with a decoded picture: error
// diffusion to 5 bits per channel, after which the 16-bit writer and reader
// must carry it exactly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "imaging/bmp16.h"
#include "imaging/dither.h"
#include "imaging/picture_decoder.h"

namespace {

bool sane(const Image& picture) {
  return picture.width > 0 && picture.height > 0 && picture.width <= kMaxPictureSide &&
         picture.height <= kMaxPictureSide &&
         picture.pixels.size() == std::size_t(picture.width) * picture.height;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::optional<Image> picture = decodePicture(std::span<const std::uint8_t>(data, size));
  if (!picture) return 0;
  if (!sane(*picture)) std::abort();

  // Big pictures are legitimate but make every run slow; their decoding has
  // been exercised already.
  if (picture->pixels.size() > 256 * 256) return 0;
  dither15(*picture);
  if (!sane(*picture)) std::abort();
  const std::optional<Image> again = readBmp16(encodeBmp16(*picture));
  if (!again || again->pixels != picture->pixels) std::abort();
  return 0;
}
