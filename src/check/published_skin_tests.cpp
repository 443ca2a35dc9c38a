// Skins as authors publish them: written for later versions of the menu,
// with the settings and values those carry and only some of the pictures.
// Such a skin works on the handheld, so the check must find no error in it,
// and still find the text that the skin's own pixels make unreadable.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <span>
#include <string>

#include "check/skin_check.h"
#include "imaging/bmp16.h"
#include "skin/builtin_pictures.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "testsupport/fake_core_desktop.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/saved_skin.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void replaceOnce(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

std::string lines(const std::vector<Finding>& findings) {
  std::string out;
  for (const Finding& f : findings) out += findingLine(f) + "\n";
  return out;
}

std::vector<const Finding*> withCode(const std::vector<Finding>& findings, std::string_view code) {
  std::vector<const Finding*> out;
  for (const Finding& f : findings)
    if (f.code == code) out.push_back(&f);
  return out;
}

// The 15 of the 53 pictures the skin carries; the rest are missing.
const std::set<std::string> kCarried = {"upper_screen.bmp",  "lower_screen.bmp",   "startbar.bmp",
                                        "selectbar.bmp",     "start_released.bmp", "btn.bmp",
                                        "clock_numbers.bmp", "clock_colon.bmp",    "brightness.bmp",
                                        "reBack.bmp",        "cardFrame0.bmp",     "cardFrame1.bmp",
                                        "icon/nds.bmp",      "icon/gba.bmp",       "icon/pth.bmp"};

// A skin as published for a later version of the menu, in `folder`: its
// own dark screens, the keys and sections later menus read, colours
// written "0", "0x00a" and "ffffff", file=none, blank values, a key given
// twice, a byte-order mark, files the picture table does not name.
std::string writeLaterVersionSkin(const std::string& folder) {
  saveBuiltinSkin(folder);
  for (int i = 0; i < kSkinImageCount; ++i) {
    const std::string name(skinImageFileName(i));
    if (!kCarried.count(name)) fs::remove(folder + name);
  }
  writeBmp16(Image(256, 192, 0x102040), folder + "upper_screen.bmp");
  writeBmp16(Image(256, 192, 0x102040), folder + "lower_screen.bmp");
  writeAll(folder + "menu_bg.bmp", "later menus read this");
  writeAll(folder + "custom.ini", "[custom]\r\n");

  std::string s = readAll(folder + "uisettings.ini");
  s = "\xEF\xBB\xBF" + s;
  replaceOnce(s, "Title=", "Title = Night Sky");
  replaceOnce(s, "eMail=", "eMail =");
  replaceOnce(s, "formFrameColor=0x180c", "formFrameColor = 0x00a");
  replaceOnce(s, "buttonTextColor=0x7fff", "buttonTextColor = ffffff");
  replaceOnce(s, "spinBoxNormalColor=0x140c", "spinBoxNormalColor=0");
  replaceOnce(s, "gameInfoTitleColor=0x2413", "gameInfoTitleColor=0x7fff");
  replaceOnce(s, "cheatTitleTextColor=0x329e",
              "cheatTitleTextColor=0x329e\r\npopMenuBarColor = 0x7fff\r\n"
              "listViewBarColor1=0x1234\r\nlistViewBarColor2=0x1234\r\n"
              "spinBoxTextHiLightColor=0x7fff\r\nlistViewVarColor2=0");
  replaceOnce(s, "file=0", "file=none\r\nshow=1\r\ntext=Start");
  replaceOnce(s, "itemHeight=17",
              "itemHeight=17\r\nitemWidth=90\r\nbarLeft =\r\nshowFileOperations=1");
  replaceOnce(s, "[calendar day]\r\n",
              "[calendar day]\r\ndw=16\r\ndh=12\r\nhightlightColor=0x7fff\r\n");
  replaceOnce(s, "selectionBarColor2=0x2d60",
              "selectionBarColor2=0x2d60\r\nselectionBarOpacity=50\r\nshowSelectionBarBg=1\r\n"
              "x=0\r\ny=0\r\nshow=1\r\nscreen=1");
  replaceOnce(s, "[big clock]\r\nx=131\r\ny=141\r\nshow=1\r\n",
              "[big clock]\r\nx=131\r\ny=141\r\nshow=1\r\nshow=1\r\n\r\n"
              "[small clock]\r\nx=3\r\ny=4\r\nshow=1\r\n\r\n[battery icon]\r\nx=200\r\ny=2\r\n\r\n"
              "[calendar weekday]\r\nx=1\r\ny=1\r\ncolor=0x7fff\r\n");
  replaceOnce(s, "[end]", "[cheat menu]\r\nx=5\r\n\r\n[big Batery]\r\nx=1\r\n\r\n[end]");
  writeAll(folder + "uisettings.ini", s);
  return folder;
}

struct Checked {
  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinModel model;
  SkinImageTable images;
  SkinLoadRecord record;
  std::vector<Finding> findings;

  explicit Checked(const std::string& folder) {
    resetSkinModel(model);
    resetSkinImages(images);
    SkinIoContext io{desktop, texts};
    io.record = &record;
    EXPECT_TRUE(loadSkinFromFolder(model, images, io, folder));
    findings = checkSkin(model, images, {&record}, texts);
  }
};

TEST(PublishedSkin, ALaterVersionSkinGivesNoErrorAndOneNoteForWhatLaterMenusRead) {
  TempDir dir;
  Checked skin(writeLaterVersionSkin(dir.folder()));
  const auto& findings = skin.findings;
  EXPECT_EQ(countSeverity(findings, Severity::Error), 0) << lines(findings);
  EXPECT_TRUE(withCode(findings, "unknown-key").empty()) << lines(findings);
  EXPECT_TRUE(withCode(findings, "unknown-section").empty()) << lines(findings);

  // One note for all of them: 5 in [global settings], 2 in [start button],
  // 3 in [start menu], 3 in [calendar day], 6 in [main list], and the 10
  // lines under the sections of later menus.
  const auto notes = withCode(findings, "later-version-settings");
  ASSERT_EQ(notes.size(), 1u) << lines(findings);
  EXPECT_EQ(notes[0]->severity, Severity::Note);
  EXPECT_EQ(notes[0]->message, "29 settings for later versions of the menu, kept as they are");
  EXPECT_EQ(countSeverity(findings, Severity::Note), 1) << lines(findings);

  // One finding names every missing picture.
  const auto missing = withCode(findings, "picture-missing");
  ASSERT_EQ(missing.size(), 1u) << lines(findings);
  EXPECT_EQ(missing[0]->picture, "");
  EXPECT_EQ(missing[0]->pictures.size(), 38u);
  EXPECT_EQ(missing[0]->pictures.front(), "active.bmp");
  EXPECT_NE(missing[0]->message.find("38 pictures are not in the skin: active.bmp, "),
            std::string::npos);
  EXPECT_NE(missing[0]->message.find("icon/unk.bmp"), std::string::npos);
  EXPECT_FALSE(missing[0]->views.empty());

  // What is left are warnings an author can act on: the word where a
  // number belongs, the blank value, the key given twice.
  std::set<std::string> warnings;
  for (const Finding& f : findings)
    if (f.severity == Severity::Warning) warnings.insert(f.code + " " + findingSubject(f));
  EXPECT_EQ(warnings,
            (std::set<std::string>{"duplicate-key [big clock] show",
                                   "value-unparsable [start button] file", "picture-missing "}))
      << lines(findings);
}

TEST(PublishedSkin, TheSkinsOwnPixelsThatMakeTextUnreadableStillGiveTheError) {
  TempDir dir;
  const std::string folder = writeLaterVersionSkin(dir.folder());
  // The skin's own selection bar in the colour of the highlighted text.
  writeBmp16(Image(256, 42, 0xF8F8F8), folder + "selectbar.bmp");
  std::string s = readAll(folder + "uisettings.ini");
  replaceOnce(s, "listTextHighLightColor=0x7b48", "listTextHighLightColor=0x7fff");
  writeAll(folder + "uisettings.ini", s);
  Checked skin(folder);
  const auto contrast = withCode(skin.findings, "low-contrast");
  const auto it = std::find_if(contrast.begin(), contrast.end(),
                               [](const Finding* f) { return f->key == "listTextHighLightColor"; });
  ASSERT_NE(it, contrast.end()) << lines(skin.findings);
  EXPECT_EQ((*it)->severity, Severity::Error);
}

TEST(PublishedSkin, TextOverABuiltInPictureIsLeftToTheMissingPictureFinding) {
  // Text in the very colour of the built-in selection bar: unreadable in
  // the preview, but over a picture the skin does not have.
  const int bar = SkinImageTable::indexOf("selectbar.bmp");
  const Image& builtin = builtinSkinPicture(bar);
  const Color barColor = builtin.at(builtin.width / 2, builtin.height / 2);
  TempDir dir;
  const std::string folder = writeLaterVersionSkin(dir.folder());
  fs::remove(folder + "selectbar.bmp");
  std::string s = readAll(folder + "uisettings.ini");
  replaceOnce(s, "listTextHighLightColor=0x7b48",
              "listTextHighLightColor=" + colorToText(barColor));
  writeAll(folder + "uisettings.ini", s);
  Checked skin(folder);
  for (const Finding& f : skin.findings)
    EXPECT_FALSE(f.code == "low-contrast" && f.key == "listTextHighLightColor") << findingLine(f);
  EXPECT_EQ(countSeverity(skin.findings, Severity::Error), 0) << lines(skin.findings);
  const auto missing = withCode(skin.findings, "picture-missing");
  ASSERT_EQ(missing.size(), 1u);
  EXPECT_NE(std::find(missing[0]->pictures.begin(), missing[0]->pictures.end(), "selectbar.bmp"),
            missing[0]->pictures.end());

  // The same skin held by the editor with nothing on disk behind it: every
  // picture is its own, and the text is judged against the bar.
  const auto inMemory = checkSkin(skin.model, skin.images, {}, skin.texts);
  const auto it = std::find_if(inMemory.begin(), inMemory.end(), [](const Finding& f) {
    return f.code == "low-contrast" && f.key == "listTextHighLightColor";
  });
  ASSERT_NE(it, inMemory.end()) << lines(inMemory);
  EXPECT_EQ(it->severity, Severity::Error);
}

TEST(PublishedSkin, ASingleMissingPictureIsNamedAsThePictureOfItsFinding) {
  TempDir dir;
  const std::string folder = saveBuiltinSkin(dir.folder());
  fs::remove(folder + "lamp.bmp");
  Checked skin(folder);
  const auto missing = withCode(skin.findings, "picture-missing");
  ASSERT_EQ(missing.size(), 1u);
  EXPECT_EQ(missing[0]->picture, "lamp.bmp");
  EXPECT_TRUE(missing[0]->pictures.empty());
}

TEST(PublishedSkin, ASixteenBitBmpWithBitFieldsIsNotCalledAnythingButSixteenBit) {
  TempDir dir;
  const std::string folder = saveBuiltinSkin(dir.folder());
  BmpRecipe fields;
  fields.width = 2;
  fields.height = 2;
  fields.bitsPerPixel = 16;
  fields.compression = 3;
  fields.afterHeader = {0x00, 0x7c, 0, 0, 0xe0, 0x03, 0, 0, 0x1f, 0, 0, 0};
  fields.pixels.assign(8, 0x42);
  writeBytes(folder + "btn.bmp", makeBmp(fields));
  writeBytes(folder + "btn3.bmp", makeRgbPng(Image(2, 2, 0x404040)));
  Checked skin(folder);
  std::map<std::string, std::string> notes;
  for (const Finding* f : withCode(skin.findings, "picture-not-16bit"))
    notes[f->picture] = f->message;
  ASSERT_EQ(notes.size(), 2u) << lines(skin.findings);
  EXPECT_EQ(notes["btn.bmp"].find("not as a 16-bit BMP"), std::string::npos) << notes["btn.bmp"];
  EXPECT_NE(notes["btn.bmp"].find("plain 16-bit"), std::string::npos) << notes["btn.bmp"];
  EXPECT_NE(notes["btn3.bmp"].find("stored as PNG, not as a 16-bit BMP"), std::string::npos);
}

// The colour as written, and what the check makes of it: nothing when it
// reads as what it evidently means.
struct ColorCase {
  const char* written;
  const char* code;  // nullptr: nothing to say
  Severity severity;
  const char* said = "";
};

TEST(PublishedSkin, AColourIsWrongOnlyWhenItReadsAsSomethingElseThanItSays) {
  const std::vector<ColorCase> cases = {
      {"0", nullptr, Severity::Note},
      {"0x00a", nullptr, Severity::Note},
      {"0x7FFF", nullptr, Severity::Note},
      {"0X7fff", nullptr, Severity::Note},
      {"0x 7f ff", nullptr, Severity::Note},
      {"ffffff", nullptr, Severity::Note},
      {"#FFFFFF", nullptr, Severity::Note},
      {"000000", nullptr, Severity::Note},
      {"0x0007fff", nullptr, Severity::Note},
      {"ff0000", "value-unparsable", Severity::Error, "is read as 0x0000, not as 0x001f"},
      {"0x00ff00", "value-unparsable", Severity::Error, "is read as 0x7f00, not as 0x03e0"},
      {"white", "value-unparsable", Severity::Error, "it is read as 0x0000"},
      {"0x7fff ; white", "value-unparsable", Severity::Error, "it is read as 0x0000"},
      {"0x12345", "value-unparsable", Severity::Error, "it is read as 0x2345"},
      {"0x7fff\t", "value-unparsable", Severity::Error, "it is read as 0x0fff"},
      {"0x0000 ; black", "value-unparsable", Severity::Warning, "it is read as 0x0000"},
      {"", "value-unparsable", Severity::Warning,
       "formTextColor has no value; it is read as 0x0000"},
  };
  InterfaceTexts texts;
  for (const ColorCase& c : cases) {
    SCOPED_TRACE(c.written);
    const auto findings = checkSettingsText(
        std::string("[global settings]\r\nformTextColor =") + c.written + "\r\n", texts);
    if (!c.code) {
      EXPECT_TRUE(findings.empty()) << lines(findings);
      continue;
    }
    ASSERT_EQ(findings.size(), 1u) << lines(findings);
    EXPECT_EQ(findings[0].code, c.code);
    EXPECT_EQ(findings[0].severity, c.severity);
    EXPECT_EQ(findings[0].line, 2);
    EXPECT_NE(findings[0].message.find(c.said), std::string::npos) << findings[0].message;
  }
}

TEST(PublishedSkin, AWordOrNothingWhereANumberBelongsIsAWarning) {
  InterfaceTexts texts;
  auto findings = checkSettingsText("[start button]\r\nfile=none\r\nx =\r\n", texts);
  ASSERT_EQ(findings.size(), 2u) << lines(findings);
  EXPECT_EQ(findings[0].severity, Severity::Warning);
  EXPECT_NE(findings[0].message.find("\"none\" is not a number; it is read as 0"),
            std::string::npos);
  EXPECT_EQ(findings[1].severity, Severity::Warning);
  EXPECT_NE(findings[1].message.find("x has no value; it is read as 0"), std::string::npos);
  // Blank texts are usual and mean nothing more than they say.
  EXPECT_TRUE(checkSettingsText("[SkinInfo]\r\neMail =\r\nUrl=\r\n", texts).empty());
}

TEST(PublishedSkin, SectionsOfLaterMenusEndTheSectionBeforeThemAsTheReaderDoes) {
  InterfaceTexts texts;
  // Their lines are their own, not more of [big clock]'s.
  auto findings = checkSettingsText(
      "[big clock]\r\nx=1\r\n[Small Clock]\r\nx=2\r\nshow=1\r\n[calendar dayx 2]\r\ny=3\r\n",
      texts);
  ASSERT_EQ(findings.size(), 1u) << lines(findings);
  EXPECT_EQ(findings[0].code, "later-version-settings");
  EXPECT_EQ(findings[0].message, "3 settings for later versions of the menu, kept as they are");
  EXPECT_EQ(findings[0].line, 0);
  EXPECT_EQ(findings[0].section, "");

  // A header nobody knows still leaves the section before in force.
  findings = checkSettingsText("[big clock]\r\nx=1\r\n[big clok]\r\nx=2\r\n", texts);
  ASSERT_EQ(findings.size(), 2u) << lines(findings);
  EXPECT_EQ(findings[0].code, "unknown-section");
  EXPECT_EQ(findings[1].code, "duplicate-key");
  EXPECT_EQ(findings[1].section, "big clock");

  // Keys of later menus are known only where they belong; a slip in one of
  // our own keys beside them is still a typo.
  findings = checkSettingsText(
      "[calendar day]\r\nhighlightColor=0x7fff\r\nHightlightColor=0\r\nshw=1\r\n"
      "[file name]\r\ndw=3\r\n",
      texts);
  ASSERT_EQ(findings.size(), 3u) << lines(findings);
  EXPECT_EQ(findings[0].key, "shw");
  EXPECT_NE(findings[0].message.find("did you mean show?"), std::string::npos);
  EXPECT_EQ(findings[1].key, "dw");
  EXPECT_EQ(findings[1].section, "file name");
  EXPECT_EQ(findings[2].message, "2 settings for later versions of the menu, kept as they are");
}

// What the reader makes of `text`, from the built-in defaults.
SkinModel readModel(const std::string& text) {
  SkinModel model;
  resetSkinModel(model);
  readSkinSettings(model,
                   std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  return model;
}

TEST(PublishedSkin, ALineThatOnePassOfTheReaderTakesForTheSectionBeforeIsNamedSo) {
  InterfaceTexts texts;
  // The colour pass does not know [start menu]: the text colour that later
  // menus give the start menu becomes the start button's.
  const std::string colours =
      "[start button]\r\ntextColor=0x7fff\r\n[start menu]\r\nx=0\r\ntextColor=0x001f\r\n";
  auto findings = checkSettingsText(colours, texts);
  ASSERT_EQ(findings.size(), 2u) << lines(findings);
  EXPECT_EQ(findings[0].code, "counts-for-other-section");
  EXPECT_EQ(findings[0].severity, Severity::Warning);
  EXPECT_EQ(findings[0].section, "start menu");
  EXPECT_EQ(findings[0].key, "textColor");
  EXPECT_EQ(findings[0].line, 5);
  EXPECT_EQ(findings[0].message,
            "line 5: textColor here sets [start button] textColor: the handheld reads these lines "
            "as part of [start button]");
  EXPECT_EQ(findings[1].code, "later-version-settings");
  EXPECT_EQ(readModel(colours).startButton.textColor, colorFromText("0x001f"));

  // The number-and-text pass does not know [global settings]; a stray
  // number there is not ignored but moves the file name.
  const std::string numbers = "[file name]\r\ny=71\r\n[global settings]\r\ny=5\r\n";
  findings = checkSettingsText(numbers, texts);
  ASSERT_EQ(findings.size(), 1u) << lines(findings);
  EXPECT_EQ(findings[0].code, "counts-for-other-section");
  EXPECT_EQ(findings[0].section, "global settings");
  EXPECT_EQ(readModel(numbers).fileName.y, 5);

  // Where both passes know the section, a key it lacks is just unknown.
  const std::string plain = "[start button]\r\ntextColor=0x7fff\r\n[main list]\r\nfile=1\r\n";
  findings = checkSettingsText(plain, texts);
  ASSERT_EQ(findings.size(), 1u) << lines(findings);
  EXPECT_EQ(findings[0].code, "unknown-key");
  EXPECT_EQ(readModel(plain).startButton.file, 0);
}

TEST(PublishedSkin, AByteOrderMarkBeforeTheFirstHeaderIsSkipped) {
  InterfaceTexts texts;
  auto findings = checkSettingsText("\xEF\xBB\xBF[file name]\r\ntitelshow=1\r\n", texts);
  ASSERT_EQ(findings.size(), 1u) << lines(findings);
  EXPECT_EQ(findings[0].code, "unknown-key");
  EXPECT_EQ(findings[0].section, "file name");
  EXPECT_EQ(findings[0].line, 2);
  // Only at the very start: elsewhere the bytes are part of the line,
  // which is then no header.
  findings = checkSettingsText("[big clock]\r\n\xEF\xBB\xBF[file name]\r\ntitleshow=1\r\n", texts);
  ASSERT_EQ(findings.size(), 1u) << lines(findings);
  EXPECT_EQ(findings[0].code, "unknown-key");
  EXPECT_EQ(findings[0].section, "big clock");
}

}  // namespace
