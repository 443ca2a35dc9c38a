#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>

#include "base/platform.h"
#include "base/test_zip_writer.h"
#include "base/zip_archive.h"
#include "base/zip_writer.h"
#include "testsupport/file_size_limit.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(ZipWriter, EntriesComeBackInOrderWithTheirNamesBytesAndTimes) {
  TempDir dir;
  const std::string path = dir.folder() + "Skin.zip";
  const SampleArchive sample;
  ASSERT_NO_FATAL_FAILURE(writeSampleArchive(path, sample));
  EXPECT_LT(fs::file_size(path), sample.random.size() + 10000);  // deflated, not stored
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"Skin.zip"});

  ZipArchive archive(path);
  ASSERT_EQ(archive.entryCount(), 5);
  EXPECT_EQ(archive.entryName(1),
            "Skin\\icon\\ch\xC3\xA9"
            "at.bmp");
  EXPECT_EQ(archive.entryName(2), "\xD0\xA1\xD0\xBA\xD0\xB8\xD0\xBD\\empty");
  EXPECT_EQ(archive.extract(0), sample.settings);
  EXPECT_EQ(archive.extract(1), sample.random);
  EXPECT_EQ(archive.extract(2), Bytes{});
  EXPECT_EQ(archive.extract(3), sample.plain);
  EXPECT_TRUE(archive.entryTime(0) == (ZipTime{2023, 8, 15, 13, 45, 30}));  // two-second steps
  EXPECT_TRUE(archive.entryTime(4) == (ZipTime{2107, 12, 31, 23, 59, 58}));
}

TEST(ZipWriter, NamesTheFormatCannotCarryFailTheArchive) {
  TempDir dir;
  const std::string path = dir.folder() + "names.zip";
  ASSERT_TRUE(makeZip(path, {{"old", text("old")}}));
  const Bytes before = readBytes(path);
  const std::time_t now = std::time(nullptr);
  for (const std::string& bad : {std::string(), std::string("a\0b", 3), std::string("\xFF.bmp"),
                                 std::string("\xC3"), std::string(0x10000, 'n')}) {
    ZipWriter zip(path);
    ASSERT_TRUE(zip.add("fine", text("1"), now));
    EXPECT_FALSE(zip.add(bad, text("2"), now)) << bad.size();
    EXPECT_FALSE(zip.add("fine too", text("3"), now));
    EXPECT_FALSE(zip.finish());
    EXPECT_EQ(readBytes(path), before);
  }
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"names.zip"});
}

TEST(ZipWriter, AFailedWriteKeepsTheOldArchiveAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.folder() + "old.zip";
  const std::time_t now = std::time(nullptr);
  ASSERT_TRUE(makeZip(path, {{"Old/uisettings.ini", text("old")}}));
  const Bytes old = readBytes(path);
  const std::vector<std::string> listing = {"old.zip"};

  {  // cut off half-way by the disk
    ZipWriter zip(path);
    FileSizeLimit limit(8192);
    bool added = true;
    for (unsigned seed = 0; seed < 4 && added; ++seed)
      added = zip.add("big" + std::to_string(seed), noise(5000, seed), now);
    const bool written = added && zip.finish();
    EXPECT_FALSE(written);
  }
  EXPECT_EQ(readBytes(path), old);
  EXPECT_EQ(namesIn(dir.path()), listing);

  {  // given up before it was finished
    ZipWriter zip(path);
    ASSERT_TRUE(zip.add("new", text("new"), now));
  }
  EXPECT_EQ(readBytes(path), old);
  EXPECT_EQ(namesIn(dir.path()), listing);

  {  // the folder it belongs in is missing
    ZipWriter zip(dir.folder() + "missing/new.zip");
    EXPECT_TRUE(zip.failed());
    EXPECT_FALSE(zip.add("new", text("new"), now));
    EXPECT_FALSE(zip.finish());
  }
  EXPECT_EQ(namesIn(dir.path()), listing);

  // A folder where the archive should go is not replaced.
  fs::create_directory(dir.path() / "folder.zip");
  writeBytes(dir.folder() + "folder.zip/keep", text("kept"));
  {
    ZipWriter zip(dir.folder() + "folder.zip");
    EXPECT_TRUE(zip.add("new", text("new"), now));
    EXPECT_FALSE(zip.finish());
  }
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"folder.zip", "old.zip"}));
  EXPECT_EQ(namesIn(dir.path() / "folder.zip"), std::vector<std::string>{"keep"});
}

}  // namespace
