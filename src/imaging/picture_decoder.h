// The general picture decoder: a whole BMP, PNG or JPEG file held in memory
// to a picture, or nothing. Hostile input fails cleanly: every read is
// bounds-checked, library errors come back as failures, and pictures wider
// or taller than kMaxPictureSide are refused before their pixels are
// allocated.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "imaging/image.h"

// Picks the format by its signature.
std::optional<Image> decodePicture(std::span<const std::uint8_t> bytes);

// BMP: 1, 4, 8, 16, 24 and 32 bits, plain or with bit fields, bottom-up or
// top-down rows, Windows and OS/2 headers. Alpha is ignored.
std::optional<Image> decodeBmp(std::span<const std::uint8_t> bytes);

// PNG of any colour type and depth, interlaced or not. A pixel whose alpha
// is below 128 becomes the key colour the handheld shows as transparent.
std::optional<Image> decodePng(std::span<const std::uint8_t> bytes);

// Baseline and progressive JPEG, grey, colour or CMYK.
std::optional<Image> decodeJpeg(std::span<const std::uint8_t> bytes);

// Red 0, green 248, blue 0: the colour skin pictures use for "transparent".
inline constexpr Color kTransparentKey = rgb(0, 248, 0);
