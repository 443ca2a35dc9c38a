// POSIX only: pipes, file modes, fork and symbolic links (file_io_windows_tests.cpp has the Windows
// counterparts).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "base/file_io.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Opens the pipe's writing end after a while and closes it, so a reader
// that blocked on the pipe gets going again instead of hanging the test.
class PipeRescuer {
 public:
  explicit PipeRescuer(std::string path)
      : thread_([path = std::move(path)] {
          std::this_thread::sleep_for(std::chrono::seconds(2));
          const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
          if (fd >= 0) ::close(fd);
        }) {}
  ~PipeRescuer() { thread_.join(); }

 private:
  std::thread thread_;
};

// The id of a process that has ended and been reaped.
pid_t goneProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST(FileIo, PipesAndOversizedFilesAreNotRead) {
  TempDir dir;
  const std::string pipe = dir.folder() + "active.bmp";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  {
    PipeRescuer rescuer(pipe);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(readWholeFile(pipe));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  }

  // A sparse file far beyond any picture comes back unread rather than
  // filling memory.
  const std::string huge = dir.folder() + "cheatbg.bmp";
  writeBytes(huge, Bytes{'B', 'M'});
  fs::resize_file(huge, kMaxReadFileSize + 1);
  EXPECT_EQ(readWholeFile(huge), Bytes{});
  EXPECT_EQ(readWholeFile(dir.folder() + "cheatbg.bmp", 2), Bytes{});
  fs::resize_file(huge, 2);
  EXPECT_EQ(readWholeFile(huge, 2), (Bytes{'B', 'M'}));
}

TEST(FileIo, AFileWithoutReadPermissionIsUnreadable) {
  // Root reads whatever the mode says.
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  TempDir dir;
  writeBytes(dir.folder() + "a.bin", Bytes{1, 2});
  ASSERT_EQ(::chmod((dir.folder() + "a.bin").c_str(), 0), 0);
  EXPECT_EQ(readFileExplained(dir.folder() + "a.bin").failure, ReadFailure::Unreadable);
}

TEST(FileIo, LeftoverTemporariesAreRemovedOnlyWhenOursAndTheirWriterIsGone) {
  TempDir dir;
  const std::string gone = std::to_string(goneProcess());
  const std::string alive = std::to_string(::getppid());
  const std::string self = std::to_string(::getpid());
  const std::vector<std::string> removed = {
      "active.bmp.tmp-" + gone + "-0", "active.bmp.tmp-" + gone + "-17",
      "uisettings.ini.tmp-" + gone + "-3",
      "active.bmp.tmp-" + self + "-999999",  // an earlier write of this process, over
  };
  const std::vector<std::string> kept = {
      "active.bmp",
      "active.bmp.tmp-" + alive + "-1",  // its writer may still finish it
      "active.bmp.tmp-" + gone,
      "active.bmp.tmp-" + gone + "-",
      "active.bmp.tmp-" + gone + "-1x",
      "active.bmp.tmp--1",
      "active.bmp.tmp-0-1",
      "active.bmp.tmp-99999999999999999999-1",
      "Active.bmp.tmp-" + gone + "-1",  // not a name we write
      "readme.txt.tmp-" + gone + "-1",
      ".tmp-" + gone + "-1",
      "active.bmp.TMP-" + gone + "-1",
  };
  for (const std::string& name : removed) writeBytes(dir.folder() + name, Bytes(1, 'x'));
  for (const std::string& name : kept) writeBytes(dir.folder() + name, Bytes(1, 'k'));
  // Neither a folder nor a link under our pattern is ours to remove.
  fs::create_directory(dir.path() / ("btn.bmp.tmp-" + gone + "-2"));
  fs::create_symlink(dir.path() / "active.bmp", dir.path() / ("btn.bmp.tmp-" + gone + "-3"));
  // A write of this process in progress keeps its file.
  PendingFile live(dir.folder() + "btn.bmp");
  ASSERT_TRUE(live.isOpen());

  const std::vector<std::string> names = {"active.bmp", "btn.bmp", "uisettings.ini"};
  removeLeftoverTemporaries(dir.folder(), names);
  std::vector<std::string> expected = kept;
  expected.push_back("btn.bmp.tmp-" + gone + "-2");
  expected.push_back("btn.bmp.tmp-" + gone + "-3");
  std::vector<std::string> left = namesIn(dir.path());
  std::erase_if(left, [](const std::string& n) {
    return n.starts_with("btn.bmp.tmp-" + std::to_string(::getpid()));
  });
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(left, expected);
  ASSERT_TRUE(live.write(Bytes(2, 'n')));
  EXPECT_TRUE(live.commit());
  EXPECT_EQ(readBytes(dir.folder() + "btn.bmp"), Bytes(2, 'n'));
}

// Names that differ only in case are one file on Windows.
TEST(FileIo, OfTwoSpellingsTheSmallestIsFound) {
  TempDir dir;
  fs::create_directory(dir.path() / "Icon");
  writeBytes(dir.folder() + "Icon/CHEAT.bmp", Bytes{2});
  writeBytes(dir.folder() + "Icon/cheat.BMP", Bytes{3});
  CaseInsensitiveFolder folder(dir.folder());
  // Whatever the listing order.
  EXPECT_EQ(folder.find("icon/cheat.bmp"), dir.folder() + "Icon/CHEAT.bmp");
}

}  // namespace
