// The skin's own picture format: uncompressed 16-bit BMPs, 5 bits per
// channel, as the handheld reads them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "imaging/image.h"

// Pictures wider or taller than this are refused by every reader.
inline constexpr int kMaxPictureSide = 4096;

// "BM", 16 bits per pixel at offset 28 and compression 0 at offset 30: the
// files the 16-bit reader takes.
bool isBmp16(std::span<const std::uint8_t> bytes);

// Decodes a file isBmp16 accepts, using only the pixel offset, width and
// height of its header. Nothing when the header does not fit the data
// (short file, zero, negative or oversized sizes, pixels past the end).
std::optional<Image> readBmp16(std::span<const std::uint8_t> bytes);

// The whole file writeBmp16 writes: 54-byte header, bottom-up rows of 16-bit
// words padded to an even width, then two extra bytes.
std::vector<std::uint8_t> encodeBmp16(const Image& picture);

// Writes encodeBmp16 of `picture` to `path` all or nothing; false when the
// file could not be written (the old file, if any, is then unchanged).
bool writeBmp16(const Image& picture, const std::string& path);
