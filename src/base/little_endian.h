// Little-endian integers in byte buffers, the byte order of the picture and
// archive formats the skins use. Callers check that the bytes are there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline std::uint32_t readLe16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | std::uint32_t{bytes[at + 1]} << 8;
}

inline std::uint32_t readLe32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return readLe16(bytes, at) | readLe16(bytes, at + 2) << 16;
}

inline void putLe16(std::span<std::uint8_t> out, std::size_t at, std::uint32_t value) {
  out[at] = static_cast<std::uint8_t>(value);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void putLe32(std::span<std::uint8_t> out, std::size_t at, std::uint32_t value) {
  putLe16(out, at, value & 0xFFFF);
  putLe16(out, at + 2, value >> 16);
}

inline void appendLe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  appendLe16(out, value & 0xFFFF);
  appendLe16(out, value >> 16);
}
