#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "i18n/interface_texts.h"
#include "testsupport/temp_dir.h"

namespace {

// Language files are looked up relative to the current folder, so each test
// runs inside its own temporary folder and puts the old one back.
class LanguageFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    std::filesystem::create_directory("language");
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  static void writeLanguageFile(std::string_view name, std::string_view bytes) {
    std::ofstream out(std::filesystem::path("language") / std::string(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  static void expectAllBuiltin(const InterfaceTexts& texts) {
    for (const auto& group : interfaceTextGroups()) {
      for (auto key : group.keys) EXPECT_EQ(texts.text(key), builtinInterfaceText(key)) << key;
    }
  }

 private:
  TempDir dir_;
  std::filesystem::path previous_;
};

TEST(InterfaceTextKeys, SixGroupsOf160KeysInFileOrderThenTheEditorsOwnThenTheChecks) {
  const auto& groups = interfaceTextGroups();
  ASSERT_EQ(groups.size(), 8u);
  const std::pair<std::string_view, std::size_t> expected[] = {
      {"Menu", 48},       {"Panel", 4},     {"Colors", 29}, {"Images", 51},
      {"Information", 5}, {"Elements", 23}, {"Editor", 43}, {"Check", 47}};
  std::set<std::string_view> seen;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    EXPECT_EQ(groups[i].name, expected[i].first);
    EXPECT_EQ(groups[i].keys.size(), expected[i].second) << groups[i].name;
    for (auto key : groups[i].keys) {
      EXPECT_TRUE(key.starts_with("LANG_") && key.ends_with("$")) << key;
      EXPECT_TRUE(seen.insert(key).second) << "duplicate " << key;
      EXPECT_FALSE(builtinInterfaceText(key).empty()) << key;
    }
  }
  EXPECT_EQ(seen.size(), 250u);
  EXPECT_EQ(groups[0].keys.front(), "LANG_FILE$");
  EXPECT_EQ(groups[0].keys.back(), "LANG_ERROR$");
  EXPECT_EQ(groups[3].keys.front(), "LANG_IMAGE_upper_screen$");
  EXPECT_EQ(groups[3].keys.back(), "LANG_IMAGE_pitchon$");
  EXPECT_EQ(groups[5].keys.back(), "LANG_CHEAT_CANCEL_ALL_BTN_text$");
}

TEST(InterfaceTextKeys, PanelLabelsAreTheNamesASkinAuthorKnows) {
  EXPECT_EQ(builtinInterfaceText("LANG_COLOR_gameInfoTextColor$"), "gameInfoTextColor");
  EXPECT_EQ(builtinInterfaceText("LANG_COLOR_cheatTitleTextColor$"), "cheatTitleTextColor");
  EXPECT_EQ(builtinInterfaceText("LANG_IMAGE_upper_screen$"), "upper_screen.bmp");
  EXPECT_EQ(builtinInterfaceText("LANG_IMAGE_cheat$"), "cheat.bmp");
  EXPECT_EQ(builtinInterfaceText("LANG_IMAGE_txt$"), "text.bmp");
  EXPECT_EQ(builtinInterfaceText("LANG_IMAGE_noactivehotke$"), "noactivehotke.bmp");
  EXPECT_EQ(builtinInterfaceText("LANG_SETTINGS_FILE_NAME_title$"), "FileName Titleshow");
  EXPECT_EQ(builtinInterfaceText("LANG_CHEAT_CANCEL_ALL_BTN_text$"), "CheatClearAllButton");
  EXPECT_EQ(builtinInterfaceText("LANG_CLOSE_BTN_text$"), "CheatCloseButton");
  EXPECT_EQ(builtinInterfaceText("LANG_ERROR$"), "Error");
  EXPECT_EQ(builtinInterfaceText("LANG_FILE_NOTFOUND$"), "File not found");
  EXPECT_EQ(builtinInterfaceText("LANG_FILE_UNKNOWN$"), "Unknown picture format");
  EXPECT_EQ(builtinInterfaceText("LANG_FILE_NOTSAVE$"), "File could not be saved");
  EXPECT_EQ(builtinInterfaceText("LANG_NOT_A_KEY$"), "");
  EXPECT_FALSE(missingSettingsMessage().empty());
}

TEST(InterfaceTextKeys, TextsHoldOnlyKnownKeys) {
  InterfaceTexts texts;
  EXPECT_EQ(texts.text("LANG_OK$"), "OK");
  texts.set("LANG_OK$", "Ja");
  texts.set("LANG_UNKNOWN$", "ignored");
  EXPECT_EQ(texts.text("LANG_OK$"), "Ja");
  EXPECT_EQ(texts.text("LANG_UNKNOWN$"), "");
  texts.resetToBuiltin();
  EXPECT_EQ(texts.text("LANG_OK$"), "OK");
}

TEST(InterfaceTextKeys, LanguageFileNames) {
  EXPECT_EQ(languageFileName(0), "");
  EXPECT_EQ(languageFileName(1), "t_chinese.ini");
  EXPECT_EQ(languageFileName(5), "german.ini");
  EXPECT_EQ(languageFileName(9), "japanese.ini");
  EXPECT_EQ(languageFileName(10), "");
  EXPECT_EQ(languageFileName(-1), "");
}

TEST_F(LanguageFolder, FileOverridesKeysOfTheRightGroupOnly) {
  writeLanguageFile("german.ini",
                    "[menu]\n"
                    "lang_file$ = x\n"
                    "LANG_PANEL_COLORS$ = in the wrong group\n"
                    "[Panel]\n"
                    "LANG_PANEL_COLORS$ = Farben\n"
                    "[Images]\n"
                    "LANG_IMAGE_txt$ = Textdatei\n"
                    "LANG_UNHEARD_OF$ = nobody reads this\n"
                    "[End]\n"
                    "LANG_OK$ = after the end\n");
  InterfaceTexts texts;
  loadInterfaceTexts(texts, 5);
  EXPECT_EQ(texts.text("LANG_FILE$"), "x");
  EXPECT_EQ(texts.text("LANG_PANEL_COLORS$"), "Farben");
  EXPECT_EQ(texts.text("LANG_IMAGE_txt$"), "Textdatei");
  EXPECT_EQ(texts.text("LANG_OK$"), "OK");
  EXPECT_EQ(texts.text("LANG_FILE_NEW$"), builtinInterfaceText("LANG_FILE_NEW$"));
}

TEST_F(LanguageFolder, EmptyValueGivesEmptyText) {
  writeLanguageFile("spanish.ini", "[Menu]\nLANG_FILE$ =\n");
  InterfaceTexts texts;
  loadInterfaceTexts(texts, 3);
  EXPECT_EQ(texts.text("LANG_FILE$"), "");
}

TEST_F(LanguageFolder, LanguageZeroAfterAnotherBringsBackBuiltins) {
  writeLanguageFile("francais.ini", "[Menu]\nLANG_FILE$ = Fichier\nLANG_OK$ = D'accord\n");
  InterfaceTexts texts;
  loadInterfaceTexts(texts, 4);
  ASSERT_EQ(texts.text("LANG_FILE$"), "Fichier");
  loadInterfaceTexts(texts, 0);
  expectAllBuiltin(texts);
}

TEST_F(LanguageFolder, OutOfRangeOrMissingLanguageShowsBuiltins) {
  writeLanguageFile("german.ini", "[Menu]\nLANG_FILE$ = Datei\n");
  InterfaceTexts texts;
  loadInterfaceTexts(texts, 5);
  loadInterfaceTexts(texts, 12);
  expectAllBuiltin(texts);
  loadInterfaceTexts(texts, 5);
  loadInterfaceTexts(texts, 9);  // japanese.ini does not exist
  expectAllBuiltin(texts);
  loadInterfaceTexts(texts, -3);
  expectAllBuiltin(texts);
}

TEST_F(LanguageFolder, EncodingFollowsTheByteOrderMark) {
  writeLanguageFile("italiano.ini", "[Menu]\nLANG_FILE$ = Citt\xC3\xA0\n");
  writeLanguageFile("pbrasil.ini", "\xEF\xBB\xBF[Menu]\r\nLANG_FILE$ = Citt\xC3\xA0\r\n");
  InterfaceTexts texts;
  loadInterfaceTexts(texts, 7);
  EXPECT_EQ(texts.text("LANG_FILE$"), "Citt\xC3\x83\xC2\xA0");  // two characters for one
  loadInterfaceTexts(texts, 6);
  EXPECT_EQ(texts.text("LANG_FILE$"), "Citt\xC3\xA0");
}

}  // namespace
