#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_io.h"
#include "base/platform.h"
#include "testsupport/file_size_limit.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(FileIo, ReadsWholeFilesAndNothingElse) {
  TempDir dir;
  Bytes content(200000);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i);
  writeBytes(dir.folder() + "a.bin", content);
  writeBytes(dir.folder() + "empty.bin", {});
  EXPECT_EQ(readWholeFile(dir.folder() + "a.bin"), content);
  EXPECT_EQ(readWholeFile(dir.folder() + "empty.bin"), Bytes{});
  EXPECT_FALSE(readWholeFile(dir.folder() + "missing.bin"));
  EXPECT_FALSE(readWholeFile(dir.folder()));
}

TEST(FileIo, AFailedReadSaysWhetherTheFileIsMissingUnreadableOrTooLarge) {
  TempDir dir;
  writeBytes(dir.folder() + "a.bin", Bytes{1, 2});
  const FileRead ok = readFileExplained(dir.folder() + "a.bin");
  EXPECT_EQ(ok.failure, ReadFailure::None);
  EXPECT_EQ(ok.bytes, (Bytes{1, 2}));

  EXPECT_EQ(readFileExplained(dir.folder() + "missing.bin").failure, ReadFailure::Missing);
  EXPECT_EQ(readFileExplained(dir.folder() + "a.bin/inside").failure, ReadFailure::Missing);
  fs::create_directory(dir.folder() + "uisettings.ini");
  EXPECT_EQ(readFileExplained(dir.folder() + "uisettings.ini").failure, ReadFailure::Unreadable);

  const FileRead large = readFileExplained(dir.folder() + "a.bin", 1);
  EXPECT_EQ(large.failure, ReadFailure::TooLarge);
  EXPECT_FALSE(large.bytes);
}

TEST(FileIo, AtomicWritesReplaceWholeFilesAndLeaveNoTemporaries) {
  TempDir dir;
  const std::string path = dir.folder() + "uisettings.ini";
  ASSERT_TRUE(writeFileAtomically(path, Bytes(5000, 'a')));
  ASSERT_TRUE(writeFileAtomically(path, Bytes(3, 'b')));
  EXPECT_EQ(readBytes(path), Bytes(3, 'b'));
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"uisettings.ini"});
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::owner_read, fs::perms::owner_read);
}

TEST(FileIo, AFailedWriteLeavesTheOldFileIntact) {
  TempDir dir;
  const std::string path = dir.folder() + "cheatbg.bmp";
  writeBytes(path, Bytes(100, 'o'));
  {
    FileSizeLimit limit(4096);  // the new file is cut off half-way
    EXPECT_FALSE(writeFileAtomically(path, Bytes(50000, 'n')));
  }
  EXPECT_EQ(readBytes(path), Bytes(100, 'o'));
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"cheatbg.bmp"});

  // A folder in the way is not replaced either.
  fs::create_directory(dir.path() / "btn.bmp");
  writeBytes(dir.folder() + "btn.bmp/keep", Bytes(1, 'k'));
  EXPECT_FALSE(writeFileAtomically(dir.folder() + "btn.bmp", Bytes(10, 'n')));
  EXPECT_EQ(readBytes(dir.folder() + "btn.bmp/keep"), Bytes(1, 'k'));
  EXPECT_FALSE(writeFileAtomically(dir.folder() + "no/such/folder.bmp", Bytes(1, 'n')));
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"btn.bmp", "cheatbg.bmp"}));
}

TEST(FileIo, ABatchReplacesItsFilesOnlyAtCommitAndLeavesNothingWhenDropped) {
  TempDir dir;
  const std::string a = dir.folder() + "a.bmp";
  const std::string b = dir.folder() + "b.bmp";
  writeBytes(a, Bytes(10, 'o'));
  {
    FileBatch batch;
    EXPECT_EQ(batch.stage(a, Bytes(3, 'n')), FileBatch::Staged::Done);
    EXPECT_EQ(batch.stage(b, Bytes(4, 'n')), FileBatch::Staged::Done);
    EXPECT_EQ(batch.stage(dir.folder() + "no/c.bmp", Bytes(1, 'n')), FileBatch::Staged::NotCreated);
    EXPECT_EQ(readBytes(a), Bytes(10, 'o'));  // staged, not yet in place
    EXPECT_EQ(namesIn(dir.path()).size(), 3u);
  }
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"a.bmp"});
  EXPECT_EQ(readBytes(a), Bytes(10, 'o'));

  FileBatch batch;
  batch.stage(a, Bytes(3, 'n'));
  batch.stage(b, Bytes(4, 'n'));
  fs::create_directory(dir.path() / "c.bmp");
  batch.stage(dir.folder() + "c.bmp", Bytes(1, 'n'));  // a folder in the way shows at the rename
  {
    FileSizeLimit limit(1000);
    EXPECT_EQ(batch.stage(dir.folder() + "d.bmp", Bytes(5000, 'n')),
              FileBatch::Staged::WriteFailed);
  }
  EXPECT_EQ(batch.commit(), std::vector<std::string>{dir.folder() + "c.bmp"});
  EXPECT_EQ(readBytes(a), Bytes(3, 'n'));
  EXPECT_EQ(readBytes(b), Bytes(4, 'n'));
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
}

TEST(FileIo, FindsFilesAndFoldersSpelledInAnotherCase) {
  TempDir dir;
  fs::create_directory(dir.path() / "Icon");
  writeBytes(dir.folder() + "Active.BMP", Bytes{1});
  writeBytes(dir.folder() + "Icon/CHEAT.bmp", Bytes{2});
  CaseInsensitiveFolder folder(dir.folder());
  EXPECT_EQ(folder.find("active.bmp"), dir.folder() + "Active.BMP");
  EXPECT_EQ(folder.find("icon/cheat.bmp"), dir.folder() + "Icon/CHEAT.bmp");
  EXPECT_FALSE(folder.find("icon/nds.bmp"));
  EXPECT_FALSE(folder.find("active.bmp/x"));
  EXPECT_FALSE(folder.find("btn.bmp"));
  EXPECT_EQ(upperAscii("icon\\Cheat.bmp \xC3\xA9"), "ICON\\CHEAT.BMP \xC3\xA9");
}

}  // namespace
