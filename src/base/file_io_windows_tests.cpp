// Windows counterparts of file_io_posix_tests.cpp: devices instead of pipes,
// processes made with CreateProcess instead of fork, and what Windows adds:
// a rename over a file fails while someone holds it open without sharing.
#define NOMINMAX
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "base/file_io.h"
#include "base/platform.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// This test program started again, suspended before it runs any code: a
// process that is there for as long as the test wants.
struct SuspendedProcess {
  PROCESS_INFORMATION info{};
  SuspendedProcess() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_list_tests";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &info))
      info = {};
  }
  // Ends the process and lets go of it: its id then names no process.
  ProcessId end() {
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    const ProcessId id = info.dwProcessId;
    info = {};
    return id;
  }
  ~SuspendedProcess() {
    if (info.hProcess) end();
  }
};

TEST(FileIo, DevicesAndOversizedFilesAreNotRead) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(readFileExplained("NUL").failure, ReadFailure::Unreadable);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

  TempDir dir;
  const std::string huge = dir.folder() + "cheatbg.bmp";
  writeBytes(huge, Bytes{'B', 'M'});
  fs::resize_file(pathFromUtf8(huge), kMaxReadFileSize + 1);
  EXPECT_EQ(readWholeFile(huge), Bytes{});
  fs::resize_file(pathFromUtf8(huge), 2);
  EXPECT_EQ(readWholeFile(huge, 2), (Bytes{'B', 'M'}));
}

// Windows replaces no file that is open, not even one opened for reading
// and shared: the program holds no file open past its read, and a file
// another program holds is reported and kept whole.
TEST(FileIo, AFileHeldOpenElsewhereIsKeptWholeAndTheRestOfTheBatchIsSaved) {
  TempDir dir;
  const std::string path = dir.folder() + "active.bmp";
  writeBytes(path, Bytes(10, 'o'));
  ASSERT_TRUE(readWholeFile(path));
  EXPECT_TRUE(writeFileAtomically(path, Bytes(3, 'n')));
  EXPECT_EQ(readBytes(path), Bytes(3, 'n'));

  HANDLE locked = CreateFileW(pathFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  FileBatch batch;
  EXPECT_EQ(batch.stage(path, Bytes(5, 'x')), FileBatch::Staged::Done);
  EXPECT_EQ(batch.stage(dir.folder() + "btn.bmp", Bytes(2, 'b')), FileBatch::Staged::Done);
  EXPECT_EQ(batch.commit(), std::vector<std::string>{path});
  CloseHandle(locked);
  EXPECT_EQ(readBytes(path), Bytes(3, 'n'));
  EXPECT_EQ(readBytes(dir.folder() + "btn.bmp"), Bytes(2, 'b'));
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"active.bmp", "btn.bmp"}));
}

TEST(FileIo, LeftoverTemporariesAreRemovedOnlyWhenOursAndTheirWriterIsGone) {
  TempDir dir;
  SuspendedProcess running;
  ASSERT_NE(running.info.hProcess, nullptr);
  SuspendedProcess ended;
  ASSERT_NE(ended.info.hProcess, nullptr);
  const std::string gone = std::to_string(ended.end());
  const std::string alive = std::to_string(running.info.dwProcessId);
  const std::string self = std::to_string(currentProcessId());
  ASSERT_TRUE(processHasEnded(std::stoul(gone)));
  ASSERT_FALSE(processHasEnded(std::stoul(alive)));
  ASSERT_FALSE(processHasEnded(currentProcessId()));

  const std::vector<std::string> removed = {
      "active.bmp.tmp-" + gone + "-0", "uisettings.ini.tmp-" + gone + "-3",
      "active.bmp.tmp-" + self + "-999999",  // an earlier write of this process, over
  };
  const std::vector<std::string> kept = {
      "active.bmp",
      "active.bmp.tmp-" + alive + "-1",  // its writer may still finish it
      "active.bmp.tmp-" + gone,
      "active.bmp.tmp-0-1",
      "active.bmp.tmp-99999999999999999999-1",
      "readme.txt.tmp-" + gone + "-1",
  };
  for (const std::string& name : removed) writeBytes(dir.folder() + name, Bytes(1, 'x'));
  for (const std::string& name : kept) writeBytes(dir.folder() + name, Bytes(1, 'k'));
  // A folder under our pattern is not ours to remove.
  fs::create_directory(dir.path() / ("btn.bmp.tmp-" + gone + "-2"));
  // A write of this process in progress keeps its file.
  PendingFile live(dir.folder() + "btn.bmp");
  ASSERT_TRUE(live.isOpen());

  const std::vector<std::string> names = {"active.bmp", "btn.bmp", "uisettings.ini"};
  removeLeftoverTemporaries(dir.folder(), names);
  std::vector<std::string> expected = kept;
  expected.push_back("btn.bmp.tmp-" + gone + "-2");
  std::vector<std::string> left = namesIn(dir.path());
  std::erase_if(left, [&](const std::string& n) { return n.starts_with("btn.bmp.tmp-" + self); });
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(left, expected);
  ASSERT_TRUE(live.write(Bytes(2, 'n')));
  EXPECT_TRUE(live.commit());
  EXPECT_EQ(readBytes(dir.folder() + "btn.bmp"), Bytes(2, 'n'));
}

}  // namespace
