// What the archive writer's tests of every system share.
#pragma once

#include <cstdint>
#include <ctime>
#include <random>
#include <string_view>

#include "testsupport/picture_test_files.h"

inline Bytes text(std::string_view s) { return Bytes(s.begin(), s.end()); }

// Bytes that do not compress.
inline Bytes noise(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

// Seconds since the epoch of a local date and time.
inline std::time_t localTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return std::mktime(&local);
}
