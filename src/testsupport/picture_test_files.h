// Builders for the files the picture and archive tests feed in: PNG and JPEG
// through the libraries' writers, BMPs and ZIP archives put together here.
#pragma once

#include <minizip/zip.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

// clang-format off
#include <jpeglib.h>
// clang-format on

#include "base/platform.h"
#include "imaging/image.h"

using Bytes = std::vector<std::uint8_t>;

inline void putLe(Bytes& out, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void writeBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(pathFromUtf8(path), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

inline Bytes readBytes(const std::string& path) {
  std::ifstream in(pathFromUtf8(path), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A BMP with a 40-byte header (plus `extraHeader` bytes of masks or
// palette), rows as given, bottom-up unless `topDown`.
struct BmpRecipe {
  int width = 1;
  int height = 1;
  int bitsPerPixel = 24;
  std::uint32_t compression = 0;
  bool topDown = false;
  Bytes afterHeader;  // palette (BGRx) or bit-field masks
  Bytes pixels;       // rows in file order, padded
};

inline Bytes makeBmp(const BmpRecipe& recipe) {
  const std::size_t offset = 54 + recipe.afterHeader.size();
  Bytes out(offset, 0);
  out[0] = 'B';
  out[1] = 'M';
  putLe(out, 2, static_cast<std::uint32_t>(offset + recipe.pixels.size()), 4);
  putLe(out, 10, static_cast<std::uint32_t>(offset), 4);
  putLe(out, 14, 40, 4);
  putLe(out, 18, static_cast<std::uint32_t>(recipe.width), 4);
  putLe(out, 22, static_cast<std::uint32_t>(recipe.topDown ? -recipe.height : recipe.height), 4);
  putLe(out, 26, 1, 2);
  putLe(out, 28, static_cast<std::uint32_t>(recipe.bitsPerPixel), 2);
  putLe(out, 30, recipe.compression, 4);
  putLe(out, 34, static_cast<std::uint32_t>(recipe.pixels.size()), 4);
  std::copy(recipe.afterHeader.begin(), recipe.afterHeader.end(), out.begin() + 54);
  out.insert(out.end(), recipe.pixels.begin(), recipe.pixels.end());
  return out;
}

// A plain 24-bit BMP of `picture`.
inline Bytes makeBmp24(const Image& picture) {
  BmpRecipe recipe;
  recipe.width = picture.width;
  recipe.height = picture.height;
  const std::size_t stride = (picture.width * 3 + 3) / 4 * 4;
  recipe.pixels.assign(stride * picture.height, 0);
  for (int r = 0; r < picture.height; ++r)
    for (int x = 0; x < picture.width; ++x) {
      const Color c = picture.at(x, picture.height - 1 - r);
      std::uint8_t* p = &recipe.pixels[r * stride + 3 * x];
      p[0] = static_cast<std::uint8_t>(blueOf(c));
      p[1] = static_cast<std::uint8_t>(greenOf(c));
      p[2] = static_cast<std::uint8_t>(redOf(c));
    }
  return makeBmp(recipe);
}

// PNG from raw rows in the layout of `colorType` and `bitDepth`.
struct PngRecipe {
  int width = 1;
  int height = 1;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<png_color> palette;
  Bytes transparency;  // tRNS alphas for palette entries
  Bytes rows;          // height rows of packed samples
};

inline void appendPngData(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

inline Bytes makePng(const PngRecipe& recipe) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, appendPngData, nullptr);
  png_set_IHDR(png, info, recipe.width, recipe.height, recipe.bitDepth, recipe.colorType,
               recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!recipe.palette.empty())
    png_set_PLTE(png, info, recipe.palette.data(), static_cast<int>(recipe.palette.size()));
  if (!recipe.transparency.empty())
    png_set_tRNS(png, info, recipe.transparency.data(),
                 static_cast<int>(recipe.transparency.size()), nullptr);
  png_write_info(png, info);
  const std::size_t stride = recipe.rows.size() / recipe.height;
  std::vector<png_bytep> rows(recipe.height);
  for (int y = 0; y < recipe.height; ++y)
    rows[y] = const_cast<png_bytep>(recipe.rows.data() + y * stride);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

inline Bytes makeRgbPng(const Image& picture) {
  PngRecipe recipe;
  recipe.width = picture.width;
  recipe.height = picture.height;
  for (Color c : picture.pixels) {
    recipe.rows.push_back(static_cast<std::uint8_t>(redOf(c)));
    recipe.rows.push_back(static_cast<std::uint8_t>(greenOf(c)));
    recipe.rows.push_back(static_cast<std::uint8_t>(blueOf(c)));
  }
  return makePng(recipe);
}

inline Bytes makeJpeg(const Image& picture, bool grey = false, int quality = 100,
                      bool progressive = false) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(picture.width);
  cinfo.image_height = static_cast<JDIMENSION>(picture.height);
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<std::uint8_t> row(picture.width * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < picture.width; ++x) {
      const Color c = picture.at(x, static_cast<int>(cinfo.next_scanline));
      if (grey) {
        row[x] = static_cast<std::uint8_t>(redOf(c));
      } else {
        row[3 * x] = static_cast<std::uint8_t>(redOf(c));
        row[3 * x + 1] = static_cast<std::uint8_t>(greenOf(c));
        row[3 * x + 2] = static_cast<std::uint8_t>(blueOf(c));
      }
    }
    JSAMPROW rowPointer = row.data();
    jpeg_write_scanlines(&cinfo, &rowPointer, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

// One archive entry: its name exactly as stored, its bytes, and optionally
// the UTF-8 name flag, storing without compression, or a forged unpacked
// size (stored raw, unchecked).
struct ZipEntryRecipe {
  std::string name;
  Bytes bytes;
  bool utf8Name = false;
  std::uint64_t claimedSize = 0;  // 0: the real size
  bool stored = false;
};

inline bool makeZip(const std::string& path, const std::vector<ZipEntryRecipe>& entries) {
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return false;
  for (const ZipEntryRecipe& entry : entries) {
    zip_fileinfo info{};
    const bool forged = entry.claimedSize != 0;
    const bool raw = forged || entry.stored;
    const uLong flags = entry.utf8Name ? (1u << 11) : 0;
    if (zipOpenNewFileInZip4_64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                raw ? 0 : Z_DEFLATED, raw ? 0 : Z_DEFAULT_COMPRESSION,
                                forged ? 1 : 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                nullptr, 0, 0, flags, 0) != ZIP_OK)
      return false;
    zipWriteInFileInZip(zip, entry.bytes.data(), static_cast<unsigned>(entry.bytes.size()));
    if (forged) {
      const uLong crc = crc32(0, entry.bytes.data(), static_cast<uInt>(entry.bytes.size()));
      zipCloseFileInZipRaw64(zip, entry.claimedSize, crc);
    } else {
      zipCloseFileInZip(zip);
    }
  }
  return zipClose(zip, nullptr) == ZIP_OK;
}
