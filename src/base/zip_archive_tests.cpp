#include <gtest/gtest.h>

#include <random>

#include "base/zip_archive.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

Bytes text(std::string_view s) { return Bytes(s.begin(), s.end()); }

TEST(ZipArchive, ListsEntriesInOrderWithBackslashedNamesAndSizes) {
  TempDir dir;
  const std::string path = dir.folder() + "skin.zip";
  Bytes big(100000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7 / 3);
  ASSERT_TRUE(makeZip(
      path,
      {{"Skin/uisettings.ini", text("[x]\r\n")}, {"Skin/icon/cheat.bmp", big}, {"empty", {}}}));
  for (ZipArchive* archive : {new ZipArchive(path), new ZipArchive(readBytes(path))}) {
    ASSERT_EQ(archive->entryCount(), 3);
    EXPECT_EQ(archive->entryName(0), "Skin\\uisettings.ini");
    EXPECT_EQ(archive->entryName(1), "Skin\\icon\\cheat.bmp");
    EXPECT_EQ(archive->entrySize(1), big.size());
    EXPECT_EQ(archive->extract(1), big);
    EXPECT_EQ(archive->extract(0), text("[x]\r\n"));
    EXPECT_EQ(archive->extract(2), Bytes{});
    EXPECT_FALSE(archive->extract(3));
    EXPECT_FALSE(archive->extract(-1));
    EXPECT_EQ(archive->findEntry("SKIN\\ICON\\CHEAT.BMP"), 1);
    EXPECT_EQ(archive->findEntry("skin/icon/cheat.bmp"), -1);  // callers pass "\"
    delete archive;
  }
}

TEST(ZipArchive, DecodesCodePage437NamesUnlessFlaggedUtf8) {
  TempDir dir;
  const std::string path = dir.folder() + "names.zip";
  ASSERT_TRUE(makeZip(path, {{"m\x81sik\\\xE1.bmp", text("a")},
                             {"\xC3\xBC/x.bmp", text("b"), true},
                             {"same", text("first")},
                             {"SAME", text("second")}}));
  ZipArchive archive(path);
  ASSERT_EQ(archive.entryCount(), 4);
  EXPECT_EQ(archive.entryName(0), "m\xC3\xBCsik\\\xC3\x9F.bmp");  // müsik\ß.bmp
  EXPECT_EQ(archive.entryName(1), "\xC3\xBC\\x.bmp");
  EXPECT_EQ(archive.findEntry("same"), 2);  // the first of two spellings
  EXPECT_EQ(cp437ToUtf8("\xB0\xFF"), "\xE2\x96\x91\xC2\xA0");
}

TEST(ZipArchive, UnreadableArchivesHaveNoEntries) {
  TempDir dir;
  EXPECT_EQ(ZipArchive(dir.folder() + "missing.zip").entryCount(), 0);
  EXPECT_EQ(ZipArchive(dir.folder()).entryCount(), 0);
  EXPECT_EQ(ZipArchive(Bytes{}).entryCount(), 0);
  EXPECT_EQ(ZipArchive(text("PK\x05\x06 not really")).entryCount(), 0);
}

TEST(ZipArchive, EntriesClaimingTooMuchOrLyingAboutTheirSizeAreNotExtracted) {
  TempDir dir;
  const std::string path = dir.folder() + "forged.zip";
  ZipEntryRecipe huge{"huge.bmp", text("tiny"), false, kMaxZipEntrySize + 1};
  ZipEntryRecipe shortClaim{"short.bmp", Bytes(1000, 'x'), false, 10};
  ZipEntryRecipe longClaim{"long.bmp", Bytes(10, 'x'), false, 1000};
  ASSERT_TRUE(makeZip(path, {huge, shortClaim, longClaim}));
  ZipArchive archive(path);
  ASSERT_EQ(archive.entryCount(), 3);
  EXPECT_EQ(archive.entrySize(0), kMaxZipEntrySize + 1);
  EXPECT_FALSE(archive.extract(0));
  // Never more than the claimed size reaches the caller.
  const std::optional<Bytes> cut = archive.extract(1);
  EXPECT_TRUE(!cut || cut->size() == 10);
  EXPECT_FALSE(archive.extract(2));
}

TEST(ZipArchive, DamagedArchivesNeverCrash) {
  TempDir dir;
  const std::string path = dir.folder() + "good.zip";
  Bytes payload(3000);
  for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<std::uint8_t>(i % 13);
  ASSERT_TRUE(makeZip(path, {{"a/uisettings.ini", payload}, {"a/active.bmp", payload}}));
  const Bytes good = readBytes(path);
  std::mt19937 random(5);
  for (int round = 0; round < 400; ++round) {
    Bytes damaged = good;
    if (round % 4 == 0) damaged.resize(random() % damaged.size());
    for (int changes = 1 + random() % 3; changes > 0 && !damaged.empty(); --changes)
      damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
    ZipArchive archive(std::move(damaged));
    for (int i = 0; i < archive.entryCount(); ++i) {
      if (std::optional<Bytes> bytes = archive.extract(i)) {
        EXPECT_EQ(bytes->size(), archive.entrySize(i));
      }
    }
  }
}

}  // namespace
