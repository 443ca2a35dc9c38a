// What the archive writer's tests of every system share.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <random>
#include <string_view>

#include "base/zip_writer.h"
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

// Five entries that try the writer: a settings file, an incompressible
// picture past one deflate window under a non-ASCII name, an empty entry in
// a Cyrillic folder, a long compressible run, and times before 1980 and
// after 2107, which ZIP cannot hold.
struct SampleArchive {
  Bytes settings = text("[SkinInfo]\r\nTitle=x\r\n");
  Bytes random = noise(70000, 1);
  Bytes plain = Bytes(300000, 'a');
  std::time_t summer = localTime(2023, 8, 15, 13, 45, 31);
};

inline void writeSampleArchive(const std::string& path, const SampleArchive& sample) {
  ZipWriter zip(path);
  ASSERT_TRUE(zip.add("Skin/uisettings.ini", sample.settings, sample.summer));
  ASSERT_TRUE(
      zip.add("Skin/icon/ch\xC3\xA9"
              "at.bmp",
              sample.random, localTime(1999, 12, 31, 23, 59, 58)));
  ASSERT_TRUE(zip.add("\xD0\xA1\xD0\xBA\xD0\xB8\xD0\xBD/empty", {}, sample.summer));  // Скин/empty
  ASSERT_TRUE(zip.add("plain", sample.plain, localTime(1975, 6, 1, 12, 0, 0)));
  ASSERT_TRUE(zip.add("late", {}, localTime(2200, 1, 1, 0, 0, 0)));
  ASSERT_TRUE(zip.finish());
  EXPECT_FALSE(zip.finish());  // nothing is renamed twice
}
