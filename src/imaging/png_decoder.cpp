#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "imaging/bmp16.h"
#include "imaging/picture_decoder.h"

namespace {

// Everything the decode touches lives here, in the caller's frame, so a
// longjmp out of libpng leaves it in a defined state and runs no destructor.
struct PngJob {
  std::span<const std::uint8_t> bytes;
  std::size_t position = 0;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  std::vector<std::uint8_t> rgba;
  std::vector<png_bytep> rows;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
  if (count > job->bytes.size() - job->position) png_error(png, "truncated");
  std::memcpy(out, job->bytes.data() + job->position, count);
  job->position += count;
}

[[noreturn]] void failDecode(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void ignoreWarning(png_structp, png_const_charp) {}

// Runs inside the setjmp of decodeInto: no objects with destructors here.
void readPng(png_structp png, png_infop info, PngJob& job) {
  png_set_read_fn(png, &job, readFromMemory);
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  png_set_chunk_malloc_max(png, 8u << 20);
  png_set_chunk_cache_max(png, 1000);
  png_read_info(png, info);

  int bitDepth = 0, colorType = 0, interlace = 0;
  png_get_IHDR(png, info, &job.width, &job.height, &bitDepth, &colorType, &interlace, nullptr,
               nullptr);
  if (job.width == 0 || job.height == 0 || job.width > kMaxPictureSide ||
      job.height > kMaxPictureSide)
    png_error(png, "size");

  // Whatever the source, rows come out as 8-bit red, green, blue, alpha.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != std::size_t{job.width} * 4) png_error(png, "layout");

  job.rgba.resize(std::size_t{job.width} * job.height * 4);
  job.rows.resize(job.height);
  for (png_uint_32 y = 0; y < job.height; ++y)
    job.rows[y] = &job.rgba[std::size_t{y} * job.width * 4];
  png_read_image(png, job.rows.data());
  png_read_end(png, nullptr);
}

bool decodeInto(png_structp png, png_infop info, PngJob& job) {
  if (setjmp(png_jmpbuf(png))) return false;
  readPng(png, info, job);
  return true;
}

}  // namespace

std::optional<Image> decodePng(std::span<const std::uint8_t> bytes) {
  PngJob job;
  job.bytes = bytes;
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failDecode, ignoreWarning);
  if (!png) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return std::nullopt;
  }
  const bool decoded = decodeInto(png, info, job);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!decoded) return std::nullopt;

  Image picture(static_cast<int>(job.width), static_cast<int>(job.height));
  const std::uint8_t* p = job.rgba.data();
  for (Color& pixel : picture.pixels) {
    pixel = p[3] < 128 ? kTransparentKey : rgb(p[0], p[1], p[2]);
    p += 4;
  }
  return picture;
}
