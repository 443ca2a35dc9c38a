// POSIX only: symbolic links (on Windows only administrators and developer mode may make them) and
// pipes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/editor_settings.h"
#include "base/platform.h"
#include "testsupport/temp_dir.h"

namespace {

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(EditorSettingsWrite, ReplacesTheFileWholeThroughALinkAndClearsUpKilledWrites) {
  TempDir dir;
  const std::filesystem::path folder = dir.path() / "settings";
  std::filesystem::create_directory(folder);
  std::ofstream(dir.path() / "kept.ini") << "old";
  std::filesystem::create_symlink(dir.path() / "kept.ini", folder / "settings.ini");
  // What an editor killed while writing leaves (no process has so high an id), and
  // another program's file.
  std::ofstream(folder / "settings.ini.tmp-999999999-0") << "half";
  std::ofstream(folder / "settings.ini.bak") << "mine";
  EditorState state;
  state.Language = 4;
  writeEditorSettings(state, dir.path());
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "settings.ini"));
  EXPECT_EQ(readBytes(dir.path() / "kept.ini"), formatEditorSettings(state));
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    left.push_back(utf8FromPath(entry.path().filename()));
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"settings.ini", "settings.ini.bak"}));
}

TEST(EditorSettingsWrite, PipeUnderTheSettingsNameDoesNotBlockTheExit) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "settings");
  const std::filesystem::path pipe = dir.path() / "settings" / "settings.ini";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

  // Should the writer wait for a reader, one turns up after a while so the
  // test ends either way; the elapsed time tells the two apart.
  std::atomic<bool> done = false;
  std::thread rescue([&] {
    for (int i = 0; i < 50 && !done; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (done) return;
    const int fd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ::close(fd);
  });
  const auto start = std::chrono::steady_clock::now();
  writeEditorSettings(EditorState{}, dir.path());
  const auto elapsed = std::chrono::steady_clock::now() - start;
  done = true;
  rescue.join();
  EXPECT_LT(elapsed, std::chrono::seconds(2));
}

}  // namespace
