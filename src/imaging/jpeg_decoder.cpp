// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <vector>

#include "imaging/bmp16.h"
#include "imaging/picture_decoder.h"

namespace {

// Progressive files may hold any number of scans, each a pass over the whole
// picture. Encoders write about ten; past this many the file is taken as
// hostile rather than spending seconds on it.
constexpr int kMaxScans = 256;

// The error manager with the jump target; libjpeg's own would end the
// process.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void failDecode(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

void ignoreMessage(j_common_ptr) {}

void limitScans(j_common_ptr cinfo) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->input_scan_number > kMaxScans) failDecode(cinfo);
}

// Everything the decode touches lives in the caller's frame; see the PNG
// decoder for why.
struct JpegJob {
  jpeg_decompress_struct cinfo;
  JpegErrors errors;
  jpeg_progress_mgr progress;
  std::vector<std::uint8_t> samples;
  int components = 0;
  bool inverted = false;  // Adobe CMYK stores ink amounts inverted
};

// Runs inside the setjmp of decodeInto: no objects with destructors here.
void readJpeg(JpegJob& job, std::span<const std::uint8_t> bytes) {
  jpeg_decompress_struct& cinfo = job.cinfo;
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = 512L << 20;
  job.progress.progress_monitor = limitScans;
  cinfo.progress = &job.progress;
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxPictureSide ||
      cinfo.image_height > kMaxPictureSide)
    failDecode(reinterpret_cast<j_common_ptr>(&cinfo));

  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
      cinfo.out_color_space = JCS_GRAYSCALE;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      cinfo.out_color_space = JCS_CMYK;
      job.inverted = cinfo.saw_Adobe_marker;
      break;
    default:
      cinfo.out_color_space = JCS_RGB;
      break;
  }
  jpeg_start_decompress(&cinfo);
  job.components = cinfo.output_components;
  const std::size_t stride = std::size_t{cinfo.output_width} * job.components;
  job.samples.resize(stride * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &job.samples[stride * cinfo.output_scanline];
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
      failDecode(reinterpret_cast<j_common_ptr>(&cinfo));
  }
  jpeg_finish_decompress(&cinfo);
}

bool decodeInto(JpegJob& job, std::span<const std::uint8_t> bytes) {
  if (setjmp(job.errors.jump)) return false;
  readJpeg(job, bytes);
  return true;
}

Color cmykToRgb(const std::uint8_t* p, bool inverted) {
  int c = p[0], m = p[1], y = p[2], k = p[3];
  if (!inverted) {
    c = 255 - c;
    m = 255 - m;
    y = 255 - y;
    k = 255 - k;
  }
  return rgb(c * k / 255, m * k / 255, y * k / 255);
}

}  // namespace

std::optional<Image> decodeJpeg(std::span<const std::uint8_t> bytes) {
  JpegJob job{};
  job.cinfo.err = jpeg_std_error(&job.errors.manager);
  job.errors.manager.error_exit = failDecode;
  job.errors.manager.output_message = ignoreMessage;
  const bool decoded = decodeInto(job, bytes);
  const int width = static_cast<int>(job.cinfo.output_width);
  const int height = static_cast<int>(job.cinfo.output_height);
  jpeg_destroy_decompress(&job.cinfo);  // also safe when creation failed
  if (!decoded || job.samples.size() != std::size_t(width) * height * job.components)
    return std::nullopt;

  Image picture(width, height);
  const std::uint8_t* p = job.samples.data();
  for (Color& pixel : picture.pixels) {
    switch (job.components) {
      case 1:
        pixel = rgb(p[0], p[0], p[0]);
        break;
      case 3:
        pixel = rgb(p[0], p[1], p[2]);
        break;
      default:
        pixel = cmykToRgb(p, job.inverted);
        break;
    }
    p += job.components;
  }
  return picture;
}
