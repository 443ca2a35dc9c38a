#include "imaging/image_encoders.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "base/little_endian.h"
#include "base/platform.h"

namespace {

// 8-bit RGB triples of one row.
void packRow(const Image& image, int y, std::uint8_t* out) {
  for (int x = 0; x < image.width; ++x) {
    const Color c = image.at(x, y);
    *out++ = static_cast<std::uint8_t>(redOf(c));
    *out++ = static_cast<std::uint8_t>(greenOf(c));
    *out++ = static_cast<std::uint8_t>(blueOf(c));
  }
}

// Sizes the encoders accept: non-empty, and small enough that every size
// computation stays within 32 bits.
bool encodable(const Image& image) {
  return !image.empty() && image.width <= 65535 && image.height <= 65535 &&
         image.pixels.size() == static_cast<std::size_t>(image.width) * image.height;
}

struct PngSink {
  std::vector<std::uint8_t>* bytes;
  bool failed = false;
};

void pngWrite(png_structp png, png_bytep data, png_size_t length) {
  auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
  if (sink->failed) return;
  try {
    sink->bytes->insert(sink->bytes->end(), data, data + length);
  } catch (...) {
    sink->failed = true;  // no exception may cross the C library
  }
}

void pngFlush(png_structp) {}

// Everything touched after setjmp lives in the caller's frame, so a longjmp
// from libpng skips no destructor.
bool encodePngInto(const Image& image, std::vector<std::uint8_t>& row, PngSink& sink) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &sink, pngWrite, pngFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    packRow(image, y, row.data());
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return !sink.failed;
}

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void jpegErrorExit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

void jpegSilent(j_common_ptr, int) {}

bool encodeJpegInto(const Image& image, int quality, std::vector<std::uint8_t>& row,
                    unsigned char*& buffer, unsigned long& size) {
  jpeg_compress_struct cinfo{};
  JpegError error{};
  cinfo.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = jpegErrorExit;
  error.manager.emit_message = jpegSilent;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(image.width);
  cinfo.image_height = static_cast<JDIMENSION>(image.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  for (int y = 0; y < image.height; ++y) {
    packRow(image, y, row.data());
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const Image& image) {
  if (!encodable(image)) return {};
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width) * 3);
  PngSink sink{&bytes};
  if (!encodePngInto(image, row, sink)) return {};
  return bytes;
}

std::vector<std::uint8_t> encodeBmp(const Image& image) {
  if (!encodable(image)) return {};
  const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
  const std::uint64_t dataSize = static_cast<std::uint64_t>(stride) * image.height;
  if (dataSize > 0xFFFFFFFFull - 54) return {};
  std::vector<std::uint8_t> out;
  out.reserve(54 + dataSize);
  out.push_back('B');
  out.push_back('M');
  appendLe32(out, static_cast<std::uint32_t>(54 + dataSize));
  appendLe32(out, 0);
  appendLe32(out, 54);
  appendLe32(out, 40);
  appendLe32(out, static_cast<std::uint32_t>(image.width));
  appendLe32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up rows
  appendLe16(out, 1);
  appendLe16(out, 24);
  appendLe32(out, 0);  // BI_RGB
  appendLe32(out, static_cast<std::uint32_t>(dataSize));
  appendLe32(out, 2835);  // 72 dpi
  appendLe32(out, 2835);
  appendLe32(out, 0);
  appendLe32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    std::size_t written = 0;
    for (int x = 0; x < image.width; ++x) {
      const Color c = image.at(x, y);
      out.push_back(static_cast<std::uint8_t>(blueOf(c)));
      out.push_back(static_cast<std::uint8_t>(greenOf(c)));
      out.push_back(static_cast<std::uint8_t>(redOf(c)));
      written += 3;
    }
    for (; written < stride; ++written) out.push_back(0);
  }
  return out;
}

std::vector<std::uint8_t> encodeJpeg(const Image& image, int quality) {
  if (!encodable(image)) return {};
  std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width) * 3);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = encodeJpegInto(image, quality, row, buffer, size);
  std::vector<std::uint8_t> bytes;
  if (ok && buffer) bytes.assign(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

std::vector<std::uint8_t> encodeImage(const Image& image, ImageFileFormat format) {
  switch (format) {
    case ImageFileFormat::Png:
      return encodePng(image);
    case ImageFileFormat::Bmp:
      return encodeBmp(image);
    case ImageFileFormat::Jpeg:
      return encodeJpeg(image);
  }
  return {};
}

bool writeImageFile(const std::string& path, const Image& image, ImageFileFormat format) {
  const std::vector<std::uint8_t> bytes = encodeImage(image, format);
  if (bytes.empty()) return false;
  std::ofstream file(pathFromUtf8(path), std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  return static_cast<bool>(file);
}
