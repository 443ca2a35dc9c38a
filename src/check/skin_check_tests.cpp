// Each rule of the skin check against a skin that trips it and one that
// does not; the built-in skin, saved and loaded back, must show no error.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "base/platform.h"
#include "base/zip_writer.h"
#include "check/skin_check.h"
#include "imaging/bmp16.h"
#include "skin/skin_files.h"
#include "testsupport/fake_core_desktop.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/saved_skin.h"
#include "testsupport/temp_dir.h"

namespace {

struct LoadedSkin {
  SkinModel model;
  SkinImageTable images;
  SkinLoadRecord record;
  FakeCoreDesktop desktop;
  InterfaceTexts texts;

  LoadedSkin() {
    resetSkinModel(model);
    resetSkinImages(images);
  }
  bool loadFolder(const std::string& folder) {
    SkinIoContext io{desktop, texts};
    io.record = &record;
    return loadSkinFromFolder(model, images, io, folder);
  }
  std::vector<Finding> check() { return checkSkin(model, images, {&record}, texts); }
};

const Finding* find(const std::vector<Finding>& findings, std::string_view code) {
  for (const Finding& f : findings)
    if (f.code == code) return &f;
  return nullptr;
}

// The low-contrast finding of one colour field, or nullptr.
const Finding* lowContrast(const std::vector<Finding>& findings, std::string_view key) {
  for (const Finding& f : findings)
    if (f.code == "low-contrast" && f.key == key) return &f;
  return nullptr;
}

std::string lines(const std::vector<Finding>& findings) {
  std::string out;
  for (const Finding& f : findings) out += findingLine(f) + "\n";
  return out;
}

std::string readAll(const std::string& path) {
  std::ifstream in(pathFromUtf8(path), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeAll(const std::string& path, const std::string& bytes) {
  std::ofstream(pathFromUtf8(path), std::ios::binary) << bytes;
}

void replaceOnce(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

TEST(SkinCheck, TheBuiltInSkinShowsNoErrorInMemoryOrSavedAndLoaded) {
  LoadedSkin memory;
  const auto inMemory = checkSkin(memory.model, memory.images, {}, memory.texts);
  EXPECT_EQ(countSeverity(inMemory, Severity::Error), 0) << lines(inMemory);

  TempDir dir;
  LoadedSkin loaded;
  ASSERT_TRUE(loaded.loadFolder(saveBuiltinSkin(dir.folder())));
  const auto findings = loaded.check();
  EXPECT_EQ(countSeverity(findings, Severity::Error), 0) << lines(findings);
  EXPECT_EQ(find(findings, "picture-missing"), nullptr);
  EXPECT_EQ(find(findings, "picture-not-16bit"), nullptr);
  EXPECT_EQ(find(findings, "off-screen"), nullptr) << lines(findings);
  EXPECT_EQ(find(findings, "hidden-by-overlap"), nullptr) << lines(findings);
}

// A settings file edit that trips one rule, with the code it must give, or
// none for an edit that must stay quiet.
struct SettingsCase {
  const char* name;
  std::function<void(std::string&)> edit;
  const char* code;  // nullptr: the edit is sound
  Severity severity;
};

// A skin under a Swedish or Japanese folder name is read and checked like
// any other, the missing picture found by its name inside the skin.
TEST(SkinCheck, SkinsUnderNonAsciiFoldersAreChecked) {
  TempDir dir;
  for (const std::string name : {"Sk\xC3\xB6n", "\xE3\x82\xB9\xE3\x82\xAD\xE3\x83\xB3"}) {
    const std::string folder = saveBuiltinSkin(dir.folder() + name + "/");
    std::filesystem::remove(pathFromUtf8(folder + "icon/nds.bmp"));
    LoadedSkin skin;
    ASSERT_TRUE(skin.loadFolder(folder)) << name;
    const std::vector<Finding> findings = skin.check();
    EXPECT_EQ(countSeverity(findings, Severity::Error), 0) << lines(findings);
    const Finding* missing = find(findings, "picture-missing");
    ASSERT_NE(missing, nullptr) << lines(findings);
    EXPECT_NE(findingLine(*missing).find("icon/nds.bmp"), std::string::npos);
  }
}

TEST(SkinCheck, SettingsFileRules) {
  const std::vector<SettingsCase> cases = {
      {"key typo", [](std::string& s) { replaceOnce(s, "titleshow=", "titelshow="); },
       "unknown-key", Severity::Warning},
      {"key in other case and with blanks",
       [](std::string& s) { replaceOnce(s, "titleshow=", "Title Show ="); }, nullptr,
       Severity::Note},
      {"unknown section", [](std::string& s) { replaceOnce(s, "[big clock]", "[big clok]"); },
       "unknown-section", Severity::Warning},
      {"duplicate key",
       [](std::string& s) { replaceOnce(s, "[big clock]\r\n", "[big clock]\r\nshow=1\r\n"); },
       "duplicate-key", Severity::Warning},
      {"number that is none",
       [](std::string& s) { replaceOnce(s, "[start bar]\r\nx=0", "[start bar]\r\nx=abc"); },
       "value-unparsable", Severity::Warning},
      {"number with a tail",
       [](std::string& s) { replaceOnce(s, "[start bar]\r\nx=0", "[start bar]\r\nx=0px"); },
       "value-unparsable", Severity::Warning},
      {"hex and binary numbers",
       [](std::string& s) { replaceOnce(s, "[start bar]\r\nx=0", "[start bar]\r\nx=$0"); }, nullptr,
       Severity::Note},
      {"colour that is none",
       [](std::string& s) { replaceOnce(s, "formTextColor=0x", "formTextColor=white"); },
       "value-unparsable", Severity::Error},
      {"show flag 2",
       [](std::string& s) { replaceOnce(s, "[big clock]\r\nx=", "[big clock]\r\nshow=2\r\nx="); },
       "flag-not-boolean", Severity::Warning},
      {"last line without an end",
       [](std::string& s) { s = s.substr(0, s.rfind("[end]")) + "[big clock]\r\nx=3"; },
       "line-not-ended", Severity::Warning},
      {"comments", [](std::string& s) { s = "; made by hand\r\n" + s; }, nullptr, Severity::Note},
  };
  TempDir dir;
  const std::string folder = saveBuiltinSkin(dir.folder());
  const std::string original = readAll(folder + "uisettings.ini");
  for (const SettingsCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = original;
    c.edit(text);
    const auto findings = checkSettingsText(text, InterfaceTexts());
    if (!c.code) {
      EXPECT_TRUE(findings.empty()) << lines(findings);
      continue;
    }
    const Finding* f = find(findings, c.code);
    ASSERT_NE(f, nullptr) << lines(findings);
    EXPECT_EQ(f->severity, c.severity);
    EXPECT_GT(f->line, 0);
  }
}

TEST(SkinCheck, AKeyTypoSuggestsTheNearestKeyAndADuplicateNamesTheLineThatCounts) {
  InterfaceTexts texts;
  auto findings = checkSettingsText("[file name]\r\ntitelshow=1\r\n", texts);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].section, "file name");
  EXPECT_EQ(findings[0].key, "titelshow");
  EXPECT_NE(findings[0].message.find("did you mean titleshow?"), std::string::npos);
  findings = checkSettingsText("[file name]\r\nqqqqqqqqq=1\r\n", texts);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].message.find("did you mean"), std::string::npos);

  // Everywhere the last value counts, in [file handle menu] x and y the first.
  findings = checkSettingsText("[big clock]\r\nx=1\r\nx=2\r\n", texts);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_NE(findings[0].message.find("value on line 3 counts"), std::string::npos);
  findings = checkSettingsText("[file handle menu]\r\nx=1\r\nx=2\r\n", texts);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_NE(findings[0].message.find("value on line 2 counts"), std::string::npos);
  // After [end] the handheld reads nothing more.
  EXPECT_TRUE(checkSettingsText("[end]\r\n[nonsense]\r\nzz=1\r\n", texts).empty());
  // The handheld's own misspelt header is known.
  EXPECT_TRUE(checkSettingsText("[clsoe btn]\r\nx=1\r\n", texts).empty());
  // Text quoted from the file is in its code page; the finding is UTF-8.
  findings = checkSettingsText("[file name]\r\nbr\xe4ite=1\r\ny=\xb5\r\n", texts);
  ASSERT_EQ(findings.size(), 2u) << lines(findings);
  EXPECT_EQ(findings[0].key, "br\u00e4ite");
  EXPECT_NE(findings[1].message.find("\"\u00b5\""), std::string::npos) << findings[1].message;
}

TEST(SkinCheck, ZeroBytesOnManyShortLinesLeaveEveryLineItsOwnText) {
  // Each line with a zero byte in it is read without it; however many such
  // lines there are, each must still be judged on its own text.
  auto keyOf = [](int i) {
    return std::string{static_cast<char>('a' + i / 26), static_cast<char>('a' + i % 26)};
  };
  std::string text = "[file name]\r\n";
  for (int i = 0; i < 300; ++i) text += keyOf(i) + std::string(1, '\0') + "=\r\n";
  const auto findings = checkSettingsText(text, InterfaceTexts());
  ASSERT_EQ(findings.size(), 300u) << lines(findings);
  for (int i = 0; i < 300; ++i) {
    EXPECT_EQ(findings[static_cast<std::size_t>(i)].key, keyOf(i));
    EXPECT_EQ(findings[static_cast<std::size_t>(i)].line, i + 2);
  }
}

struct PictureCase {
  const char* name;
  std::string picture;
  std::function<Image()> make;
  const char* code;
  Severity severity;
};

TEST(SkinCheck, PictureRules) {
  const std::vector<PictureCase> cases = {
      {"small background", "cheatbg.bmp", [] { return Image(200, 150, 0x102030); }, "picture-size",
       Severity::Error},
      {"right background", "cheatbg.bmp", [] { return Image(256, 192, 0x102030); }, nullptr,
       Severity::Note},
      {"background 4 rows too high", "upper_screen.bmp", [] { return Image(256, 196, 0x102030); },
       "picture-size", Severity::Warning},
      {"background a column short", "lower_screen.bmp", [] { return Image(255, 192, 0x102030); },
       "picture-size", Severity::Warning},
      {"background twice the size", "lower_screen.bmp", [] { return Image(512, 384, 0x102030); },
       "picture-size", Severity::Error},
      {"narrow start bar", "startbar.bmp", [] { return Image(200, 20, 0x102030); }, "picture-size",
       Severity::Warning},
      {"clock strip of 11 rows", "clock_numbers.bmp", [] { return Image(24, 311, 0xFFFFFF); },
       "picture-size", Severity::Warning},
      {"icon without transparency", "icon/nds.bmp", [] { return Image(32, 32, 0x808080); },
       "picture-no-key", Severity::Note},
      {"icon all transparent", "icon/nds.bmp", [] { return Image(32, 32, 0x00F800); },
       "picture-all-key", Severity::Warning},
      {"empty", "btn.bmp", [] { return Image(); }, "picture-empty", Severity::Error},
  };
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(c.name);
    LoadedSkin skin;
    skin.images[SkinImageTable::indexOf(c.picture)].picture = c.make();
    const auto findings = checkSkin(skin.model, skin.images, {}, skin.texts);
    const Finding* f = nullptr;
    for (const Finding& each : findings)
      if (each.picture == c.picture &&
          (c.code ? each.code == c.code : each.code.starts_with("picture-")))
        f = &each;
    if (!c.code) {
      EXPECT_EQ(f, nullptr) << lines(findings);
      continue;
    }
    ASSERT_NE(f, nullptr) << lines(findings);
    EXPECT_EQ(f->severity, c.severity);
  }
  LoadedSkin skin;
  skin.images[SkinImageTable::indexOf("cheatbg.bmp")].picture = Image(200, 150);
  const auto findings = checkSkin(skin.model, skin.images, {}, skin.texts);
  const Finding* size = find(findings, "picture-size");
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(findingLine(*size),
            "error picture-size cheatbg.bmp: 200 x 150, the screen needs 256 x 192");
  EXPECT_EQ(size->views, std::vector<int>{13});
}

TEST(SkinCheck, StoredPicturesMissingUnreadableOrNotSixteenBit) {
  TempDir dir;
  const std::string folder = saveBuiltinSkin(dir.folder());
  std::filesystem::remove(folder + "icon/nds.bmp");
  writeAll(folder + "btn.bmp", "not a picture");
  // A 24-bit BMP is read, and noted as one that a save converts.
  writeBytes(folder + "btn3.bmp", makeBmp24(Image(39, 14, 0x404040)));
  LoadedSkin skin;
  ASSERT_TRUE(skin.loadFolder(folder));
  const auto findings = skin.check();
  auto codeOf = [&](std::string_view picture) {
    std::vector<std::string> codes;
    for (const Finding& f : findings)
      if (f.picture == picture) codes.push_back(f.code);
    return codes;
  };
  EXPECT_EQ(codeOf("icon/nds.bmp"), std::vector<std::string>{"picture-missing"});
  EXPECT_EQ(codeOf("btn.bmp"), std::vector<std::string>{"picture-unreadable"});
  EXPECT_EQ(codeOf("btn3.bmp")[0], "picture-not-16bit");
  EXPECT_TRUE(codeOf("active.bmp").empty());
  // The loader's own messages are unchanged by the record; an absent
  // picture is none.
  ASSERT_EQ(skin.desktop.messages.size(), 1u);
  EXPECT_NE(skin.desktop.messages[0].body.find("btn.bmp: "), std::string::npos);
}

TEST(SkinCheck, LayoutRules) {
  {
    SCOPED_TRACE("clock wholly off a screen while shown");
    LoadedSkin skin;
    skin.model.bigClock.x = 300;
    const auto findings = checkSkin(skin.model, skin.images, {}, skin.texts);
    const Finding* f = find(findings, "off-screen");
    ASSERT_NE(f, nullptr) << lines(findings);
    EXPECT_EQ(f->severity, Severity::Error);
    EXPECT_EQ(f->section, "big clock");
    EXPECT_EQ(f->views.size(), 14u);
    skin.model.bigClock.show = 0;
    EXPECT_EQ(find(checkSkin(skin.model, skin.images, {}, skin.texts), "off-screen"), nullptr);
  }
  {
    SCOPED_TRACE("clock partly off");
    LoadedSkin skin;
    skin.model.bigClock.x = 220;
    const auto findings = checkSkin(skin.model, skin.images, {}, skin.texts);
    const Finding* f = find(findings, "off-screen");
    ASSERT_NE(f, nullptr) << lines(findings);
    EXPECT_EQ(f->severity, Severity::Warning);
  }
  {
    SCOPED_TRACE("brightness button moved over the start button");
    LoadedSkin skin;
    skin.images[SkinImageTable::indexOf("brightness.bmp")].picture = Image(60, 20, 0x203040);
    skin.model.brightnessBtn.x = skin.model.startButton.x;
    skin.model.brightnessBtn.y = skin.model.startButton.y;
    auto findings = checkSkin(skin.model, skin.images, {}, skin.texts);
    const Finding* f = find(findings, "hidden-by-overlap");
    ASSERT_NE(f, nullptr) << lines(findings);
    EXPECT_EQ(f->section, "start button");
    EXPECT_NE(f->message.find("brightness.bmp"), std::string::npos);
    // Beside it, nothing is hidden.
    skin.model.brightnessBtn.x = 100;
    findings = checkSkin(skin.model, skin.images, {}, skin.texts);
    EXPECT_EQ(find(findings, "hidden-by-overlap"), nullptr) << lines(findings);
  }
}

TEST(SkinCheck, ContrastOfEachTextAgainstThePixelsUnderIt) {
  LoadedSkin skin;
  // White on the white selection bar of the list view.
  skin.images[SkinImageTable::indexOf("selectbar.bmp")].picture = Image(256, 42, 0xF8F8F8);
  skin.model.globalSettings.listTextHighLightColor = 0xF8F8F8;
  auto findings = checkSkin(skin.model, skin.images, {}, skin.texts);
  const Finding* f = lowContrast(findings, "listTextHighLightColor");
  ASSERT_NE(f, nullptr) << lines(findings);
  EXPECT_EQ(f->severity, Severity::Error);
  EXPECT_EQ(f->section, "global settings");
  EXPECT_NE(std::find(f->views.begin(), f->views.end(), 1), f->views.end());
  EXPECT_NE(f->message.find("File browser, list view"), std::string::npos);

  // Mid grey on the white bar is legible enough to warn only; black is fine.
  skin.model.globalSettings.listTextHighLightColor = 0xB0B0B0;
  findings = checkSkin(skin.model, skin.images, {}, skin.texts);
  f = lowContrast(findings, "listTextHighLightColor");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->severity, Severity::Warning);
  skin.model.globalSettings.listTextHighLightColor = 0;
  EXPECT_EQ(
      lowContrast(checkSkin(skin.model, skin.images, {}, skin.texts), "listTextHighLightColor"),
      nullptr);
}

TEST(SkinCheck, LuminanceAndDistanceHelpers) {
  EXPECT_NEAR(contrastRatio(relativeLuminance(0xFFFFFF), relativeLuminance(0)), 21.0, 1e-9);
  EXPECT_NEAR(contrastRatio(relativeLuminance(0x777777), relativeLuminance(0xFFFFFF)), 4.48, 0.01);
  EXPECT_EQ(editDistance("titelshow", "titleshow"), 2);
  EXPECT_EQ(editDistance("X", "x"), 0);
  EXPECT_EQ(fillText("%2 of %1%", {"a", "b"}), "b of a%");
}

TEST(SkinCheck, ArchiveNamesThatDifferOnlyInCase) {
  TempDir dir;
  const std::string folder = saveBuiltinSkin(dir.folder() + "s/");
  const std::string zipPath = dir.folder() + "s.zip";
  {
    ZipWriter zip(zipPath);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      const std::string name = genericUtf8FromPath(std::filesystem::relative(entry.path(), folder));
      const std::string bytes = readAll(utf8FromPath(entry.path()));
      zip.add("s/" + name,
              std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
      if (name == "btn.bmp")
        zip.add("s/BTN.bmp",
                std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
    }
    ASSERT_TRUE(zip.finish());
  }
  LoadedSkin skin;
  SkinIoContext io{skin.desktop, skin.texts};
  io.record = &skin.record;
  ASSERT_TRUE(openSkinArchive(skin.model, skin.images, io, zipPath));
  const auto findings = skin.check();
  const Finding* f = find(findings, "archive-case-clash");
  ASSERT_NE(f, nullptr) << lines(findings);
  EXPECT_EQ(f->severity, Severity::Warning);
  EXPECT_EQ(countSeverity(findings, Severity::Error), 0) << lines(findings);
}

TEST(SkinCheck, JsonCarriesEveryFieldEscaped) {
  Finding f;
  f.severity = Severity::Warning;
  f.code = "unknown-key";
  f.file = "uisettings.ini";
  f.section = "file name";
  f.key = "ti\"tel";
  f.line = 4;
  f.views = {0, 1};
  f.message = "a\tb";
  const std::string json = findingsJson({f});
  EXPECT_NE(json.find("\"warnings\": 1"), std::string::npos);
  EXPECT_NE(json.find("\"key\": \"ti\\\"tel\""), std::string::npos);
  EXPECT_NE(json.find("\"views\": [0, 1]"), std::string::npos);
  EXPECT_NE(json.find("\"message\": \"a\\u0009b\""), std::string::npos);
  // A byte that is not UTF-8 (a path in another encoding) cannot break it.
  f.file = "sk\xe4n/uisettings.ini";
  f.message = "\u00e4";
  const std::string mended = findingsJson({f});
  EXPECT_NE(mended.find("\"file\": \"sk\ufffdn/uisettings.ini\""), std::string::npos) << mended;
  EXPECT_NE(mended.find("\"message\": \"\u00e4\""), std::string::npos) << mended;
  EXPECT_EQ(findingsJson({}),
            "{\n  \"errors\": 0,\n  \"warnings\": 0,\n  \"notes\": 0,\n  \"findings\": []\n}\n");
}

}  // namespace
