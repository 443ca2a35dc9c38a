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
#include "testsupport/temp_dir.h"

namespace {

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeSettings(const TempDir& dir, std::string_view bytes) {
  std::filesystem::create_directory(dir.path() / "settings");
  std::ofstream out(dir.path() / "settings" / "settings.ini", std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

EditorState readFrom(const TempDir& dir) {
  EditorState state;
  readEditorSettings(state, dir.path());
  return state;
}

TEST(EditorSettingsWrite, ExactBytesAndFolderCreatedWhenMissing) {
  TempDir dir;
  EditorState state;
  state.LastPath = "C:\\Skins\\R\xC3\xA9tro\\";
  state.Language = 3;
  state.BGColor = 16777215;
  state.SwapView = 1;
  ASSERT_FALSE(std::filesystem::exists(dir.path() / "settings"));
  writeEditorSettings(state, dir.path());
  EXPECT_EQ(readBytes(dir.path() / "settings" / "settings.ini"),
            "\xEF\xBB\xBF\r\n"
            "[settings]\r\n"
            "LastPath = C:\\Skins\\R\xC3\xA9tro\\\r\n"
            "Language = 3\r\n"
            "BGColor = 16777215\r\n"
            "SwapView = 1\r\n");

  // A second write replaces the file whole.
  writeEditorSettings(EditorState{}, dir.path());
  EXPECT_EQ(readBytes(dir.path() / "settings" / "settings.ini"),
            "\xEF\xBB\xBF\r\n[settings]\r\nLastPath = \r\nLanguage = 0\r\nBGColor = 0\r\n"
            "SwapView = 0\r\n");
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
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"settings.ini", "settings.ini.bak"}));
}

TEST(EditorSettingsWrite, UnwritablePlaceIsPassedOverSilently) {
  TempDir dir;
  // A plain file where the folder should be: neither the file nor the folder
  // can be created.
  std::ofstream(dir.path() / "settings") << "in the way";
  writeEditorSettings(EditorState{}, dir.path());
  EXPECT_EQ(readBytes(dir.path() / "settings"), "in the way");
  writeEditorSettings(EditorState{}, dir.path() / "no" / "such" / "base");
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

TEST(EditorSettingsWrite, PathWithLineBreakCannotInjectEntries) {
  TempDir dir;
  EditorState state;
  state.LastPath = "/tmp/x\r\nLanguage = 7";
  state.Language = 2;
  writeEditorSettings(state, dir.path());
  const EditorState back = readFrom(dir);
  EXPECT_EQ(back.Language, 2);
  EXPECT_EQ(back.LastPath, "");
}

TEST(EditorSettingsRead, RoundTripAndStartLayout) {
  TempDir dir;
  EditorState state;
  state.LastPath = "/home/me/skins/\xE6\x97\xA5\xE6\x9C\xAC/";
  state.Language = 9;
  state.BGColor = 0x123456;
  writeEditorSettings(state, dir.path());
  const EditorState back = readFrom(dir);
  EXPECT_EQ(back.LastPath, state.LastPath);
  EXPECT_EQ(back.Language, 9);
  EXPECT_EQ(back.BGColor, 0x123456u);
  EXPECT_EQ(back.SwapView, 0);
  EXPECT_EQ(back.PreviewX, 3);
  EXPECT_EQ(back.PanelX, 272);
}

TEST(EditorSettingsRead, MissingFileLeavesDefaults) {
  TempDir dir;
  const EditorState state = readFrom(dir);
  EXPECT_EQ(state.LastPath, "");
  EXPECT_EQ(state.Language, 0);
  EXPECT_EQ(state.BGColor, 0u);
  EXPECT_EQ(state.SwapView, 0);
  EXPECT_EQ(state.PreviewX, 3);
  EXPECT_EQ(state.PanelX, 272);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "settings"));
}

TEST(EditorSettingsRead, SwapViewOtherThanZeroMeansSwapped) {
  TempDir dir;
  writeSettings(dir, "[settings]\nSwapView = 5\n");
  EditorState state = readFrom(dir);
  EXPECT_EQ(state.SwapView, 1);
  EXPECT_EQ(state.PreviewX, 398);
  EXPECT_EQ(state.PanelX, 3);
  writeEditorSettings(state, dir.path());
  EXPECT_NE(readBytes(dir.path() / "settings" / "settings.ini").find("\r\nSwapView = 1\r\n"),
            std::string::npos);
}

TEST(EditorSettingsRead, MalformedValuesAndMissingKeys) {
  TempDir dir;
  writeSettings(dir,
                "; hand-edited\n[Settings]\nbgcolor = abc\nLANGUAGE = 12\nlastpath = D:\\x\\\n");
  EditorState state = readFrom(dir);
  EXPECT_EQ(state.BGColor, 0u);
  EXPECT_EQ(state.Language, 12);
  EXPECT_EQ(state.LastPath, "D:\\x\\");
  EXPECT_EQ(state.SwapView, 0);

  // A language outside 0..9 goes back to the file unchanged.
  writeEditorSettings(state, dir.path());
  EXPECT_EQ(readFrom(dir).Language, 12);

  // Keys of another group are not the editor's.
  writeSettings(dir, "[other]\nLanguage = 4\n[settings]\nBGColor = 255\n");
  state = readFrom(dir);
  EXPECT_EQ(state.Language, 0);
  EXPECT_EQ(state.BGColor, 255u);
}

TEST(EditorSettingsRead, OutOfRangeColourKeepsItsColourBits) {
  TempDir dir;
  writeSettings(dir, "[settings]\nBGColor = -1\n");
  EXPECT_EQ(readFrom(dir).BGColor, 0xFFFFFFu);
  writeSettings(dir, "[settings]\nBGColor = 99999999999999999999\n");
  EXPECT_EQ(readFrom(dir).BGColor, static_cast<std::uint32_t>(INT_MAX) & 0xFFFFFFu);
}

TEST(EditorSettingsRead, Latin1FileWithoutMark) {
  TempDir dir;
  writeSettings(dir, "[settings]\r\nLastPath = C:\\Caf\xE9\\\r\n");
  EXPECT_EQ(readFrom(dir).LastPath, "C:\\Caf\xC3\xA9\\");
}

TEST(LeadingInteger, SignDigitsAndLimits) {
  EXPECT_EQ(leadingInteger("42"), 42);
  EXPECT_EQ(leadingInteger("12abc"), 12);
  EXPECT_EQ(leadingInteger("-7 "), -7);
  EXPECT_EQ(leadingInteger("+3"), 3);
  EXPECT_EQ(leadingInteger("007"), 7);
  EXPECT_EQ(leadingInteger(""), 0);
  EXPECT_EQ(leadingInteger("abc"), 0);
  EXPECT_EQ(leadingInteger("-"), 0);
  EXPECT_EQ(leadingInteger("--5"), 0);
  EXPECT_EQ(leadingInteger(" 5"), 0);
  EXPECT_EQ(leadingInteger("2147483647"), INT_MAX);
  EXPECT_EQ(leadingInteger("2147483648"), INT_MAX);
  EXPECT_EQ(leadingInteger("-2147483648"), INT_MIN);
  EXPECT_EQ(leadingInteger("-99999999999999999999999999"), INT_MIN);
  EXPECT_EQ(leadingInteger(std::string(100000, '9')), INT_MAX);
}

}  // namespace
