// Writing a picture as a PNG, BMP or JPEG file, 8 bits per RGB channel.
// Encoders return the file's bytes, or nothing when encoding failed; they
// never end the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image.h"

// The screenshot requester's filter order.
enum class ImageFileFormat { Png = 0, Bmp = 1, Jpeg = 2 };

std::vector<std::uint8_t> encodePng(const Image& image);
std::vector<std::uint8_t> encodeBmp(const Image& image);  // 24-bit, bottom-up
std::vector<std::uint8_t> encodeJpeg(const Image& image, int quality = 92);

std::vector<std::uint8_t> encodeImage(const Image& image, ImageFileFormat format);

// Encodes and writes, replacing an existing file. Returns whether the whole
// file was written.
bool writeImageFile(const std::string& path, const Image& image, ImageFileFormat format);
