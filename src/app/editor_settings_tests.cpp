#include <gtest/gtest.h>

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

TEST(EditorSettingsWrite, UnwritablePlaceIsPassedOverSilently) {
  TempDir dir;
  // A plain file where the folder should be: neither the file nor the folder
  // can be created.
  std::ofstream(dir.path() / "settings") << "in the way";
  writeEditorSettings(EditorState{}, dir.path());
  EXPECT_EQ(readBytes(dir.path() / "settings"), "in the way");
  writeEditorSettings(EditorState{}, dir.path() / "no" / "such" / "base");
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
