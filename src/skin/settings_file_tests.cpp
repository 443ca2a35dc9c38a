#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "base/platform.h"
#include "i18n/interface_texts.h"
#include "imaging/image.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "testsupport/fake_core_desktop.h"
#include "testsupport/temp_dir.h"

namespace {

const std::string kStamp = "2010/06/04-09:05:03";
std::string fixedClock() { return kStamp; }

std::vector<std::uint8_t> bytesOf(const std::string& text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::string textOf(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string writeText(SkinModel& model) { return textOf(writeSkinSettings(model, fixedClock)); }

SkinModel defaults() {
  SkinModel model;
  resetSkinModel(model);
  return model;
}

// Reads `text` into a default model.
SkinModel readText(const std::string& text) {
  SkinModel model = defaults();
  readSkinSettings(model, bytesOf(text));
  return model;
}

std::vector<std::string> splitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

void expectSameFields(SkinModel& a, SkinModel& b) {
  for (const SkinField& field : skinFields()) {
    SCOPED_TRACE(std::string(field.section) + " " + std::string(field.key));
    switch (field.kind) {
      case FieldKind::Text:
        EXPECT_EQ(*field.text(a), *field.text(b));
        break;
      case FieldKind::ColorDs:
        EXPECT_EQ(*field.color(a), *field.color(b));
        break;
      case FieldKind::Integer:
        EXPECT_EQ(*field.integer(a), *field.integer(b));
        break;
    }
  }
}

// A model in which every field differs from its default and from its
// neighbours, with colours already in codec form.
SkinModel everyFieldChanged() {
  SkinModel model;
  int n = 0;
  for (const SkinField& field : skinFields()) {
    ++n;
    switch (field.kind) {
      case FieldKind::Text:
        *field.text(model) = "text " + std::to_string(n) + " \xC3\xA9\xE2\x82\xAC = x";
        break;
      case FieldKind::ColorDs:
        *field.color(model) = colorFromText(colorToText(static_cast<Color>(n) * 0x010305u));
        break;
      case FieldKind::Integer:
        *field.integer(model) = n % 2 ? -1000 * n : 1000 * n + 7;
        break;
    }
  }
  model.fileName.x = INT32_MIN;
  model.fileName.y = INT32_MAX;
  return model;
}

// ---- What the writer produces ----

TEST(WriteSkinSettings, DefaultFileLayout) {
  SkinModel model = defaults();
  const std::string text = writeText(model);
  EXPECT_EQ(model.skinInfo.LastUpdate, kStamp);
  EXPECT_EQ(text.size(), 2659u);
  const std::vector<std::string> lines = splitCrLf(text);
  ASSERT_EQ(lines.size(), 243u);

  const std::vector<std::string> head = {"[SkinInfo]",
                                         "Title=",
                                         "Author=",
                                         "eMail=",
                                         "Url=",
                                         "LastUpdate=" + kStamp,
                                         "",
                                         "[global settings]",
                                         "formFrameColor=0x180c",
                                         "formBodyColor=0x0c63",
                                         "formTextColor=0x3b1f",
                                         "formTitleTextColor=0x3b1f",
                                         "buttonTextColor=0x7fff",
                                         "listTextBgColor=0x2413",
                                         "listTextColor=0x3b1f",
                                         "listTextHighLightColor=0x7b48",
                                         "vTextColor=0x329e",
                                         "vTextHighLightColor=0x7fff",
                                         "cheatListTextColor=0x3b1f",
                                         "cheatListTextHighLightColor=0x7b48",
                                         "logoFrameColor=0x2413",
                                         "popMenuTextColor=0x3b1f",
                                         "popMenuTextHighLightColor=0x7348",
                                         "popMenuBodyColor=0x0422",
                                         "popSubMenuTextColor=0x3b1f",
                                         "popSubMenuTextHighLightColor=0x7fff",
                                         "popSubMenuBodyColor=0x0422",
                                         "spinBoxNormalColor=0x140c",
                                         "spinBoxFocusColor=0x38d7",
                                         "spinBoxFrameColor=0x38d7",
                                         "spinBoxTextColor=0x2818",
                                         "spinBoxTextHighLightColor=0x7fff",
                                         "romInfoTextColor=0x36bf",
                                         "romInfoTitleColor=0x2413",
                                         "romInfoBodyColor=0x329e",
                                         "romInfoFrameColor=0x329e",
                                         "gameInfoTextColor=0x329e",
                                         "gameInfoTitleColor=0x2413",
                                         "fileNameTextColor=0x329e",
                                         "timeTextColor=0x329e",
                                         "gameNameColor=0x329e",
                                         "cheatTitleTextColor=0x329e",
                                         "",
                                         "[file name]",
                                         "x=127"};
  for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << "line " << i + 1;

  EXPECT_EQ(lines[242], "[end]");
  EXPECT_EQ(lines[241], "");
  const std::string startButton =
      "[start button]\r\nx=0\r\ny=172\r\nw=58\r\nh=20\r\n"
      "textColor=0x7fff\r\nfile=0\r\n\r\n";
  EXPECT_NE(text.find(startButton), std::string::npos);
  EXPECT_NE(text.find("\r\n[close btn]\r\n"), std::string::npos);
  EXPECT_EQ(text.find("clsoe"), std::string::npos);
  EXPECT_NE(text.find("\r\n[List type menu]\r\nx=2\r\ny=125\r\nw=61\r\nh=50\r\n\r\n[end]\r\n"),
            std::string::npos);
}

TEST(WriteSkinSettings, NegativeIntegersAndLongTextsAreWrittenWhole) {
  SkinModel model = defaults();
  model.fileName.x = -5;
  model.skinInfo.Author = std::string(150000, 'a') + "z";
  const std::string text = writeText(model);
  EXPECT_NE(text.find("\r\nx=-5\r\n"), std::string::npos);
  EXPECT_NE(text.find("Author=" + model.skinInfo.Author + "\r\n"), std::string::npos);
  // "-5" is one character shorter than the default "127".
  EXPECT_EQ(text.size(), 2659u - 1 + 150001u);
  EXPECT_EQ(text.substr(text.size() - 7), "[end]\r\n");
}

TEST(WriteSkinSettings, TextsAreEncodedInTheFileCodePage) {
  SkinModel model = defaults();
  model.skinInfo.Title = "Caf\xC3\xA9 \xE2\x82\xAC \xE7\x9A\xAE";  // e acute, euro, a CJK character
  const std::string text = writeText(model);
  EXPECT_NE(text.find("\r\nTitle=Caf\xE9 \x80 ?\r\n"), std::string::npos);
}

// A line break cannot stand inside a value: written as it is, the rest of
// the text would pose as headers and keys of the file.
TEST(WriteSkinSettings, LineBreaksInTextsCannotInjectLines) {
  SkinModel model = defaults();
  model.skinInfo.Title = "One\r\n[file name]\r\nx=5";
  model.skinInfo.Url = "a\nb\rc";
  const std::string text = writeText(model);
  EXPECT_EQ(splitCrLf(text).size(), 243u);
  EXPECT_NE(text.find("\r\nTitle=One  [file name]  x=5\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nUrl=a b c\r\n"), std::string::npos);
  SkinModel read = defaults();
  readSkinSettings(read, bytesOf(text));
  EXPECT_EQ(read.fileName.x, 127);
  EXPECT_EQ(read.skinInfo.Title, "One  [file name]  x=5");
}

// ---- Reading back what was written ----

TEST(SettingsRoundTrip, EveryFieldReadsBackAsWritten) {
  SkinModel written = everyFieldChanged();
  const std::vector<std::uint8_t> file = writeSkinSettings(written, fixedClock);
  SkinModel read = defaults();
  readSkinSettings(read, file);
  expectSameFields(written, read);

  // Reading the same file over a different skin gives the same model: the
  // file names every field.
  SkinModel other = everyFieldChanged();
  other.skinInfo.Title = "something else";
  other.globalSettings.formFrameColor = 0;
  other.fileName.show = 12345;
  readSkinSettings(other, file);
  expectSameFields(written, other);

  // The colour pass first, as the archive loader does, gives the same.
  SkinModel reversed = defaults();
  readSkinColors(reversed, file);
  readSkinElements(reversed, file);
  expectSameFields(written, reversed);

  // And the second write is identical to the first.
  EXPECT_EQ(writeSkinSettings(read, fixedClock), file);
}

TEST(SettingsRoundTrip, DefaultsReadBackWithColoursInSavedForm) {
  SkinModel written = defaults();
  SkinModel read;
  readSkinSettings(read, writeSkinSettings(written, fixedClock));
  expectSameFields(written, read);
  EXPECT_EQ(read.globalSettings.formFrameColor, colorFromText("0x180c"));
}

TEST(SettingsRoundTrip, InfoTextsLoseTheirLeadingBlanks) {
  SkinModel written = defaults();
  written.skinInfo.Title = "  two";
  written.skinInfo.Url = " one";
  written.skinInfo.Author = "inner  blanks ";
  SkinModel read = defaults();
  readSkinSettings(read, writeSkinSettings(written, fixedClock));
  EXPECT_EQ(read.skinInfo.Title, "two");
  EXPECT_EQ(read.skinInfo.Url, "one");
  EXPECT_EQ(read.skinInfo.Author, "inner  blanks ");
}

// Every byte but 0, CR and LF can stand in an info text: 0 is skipped by the
// reader and CR and LF end the line. A blank is kept everywhere but at the
// text's start. Reading and writing again must reproduce the file exactly,
// whatever code page the skin was written in.
TEST(SettingsRoundTrip, EveryStorableByteSurvivesReadAndWrite) {
  std::string title = "x";
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n') title += static_cast<char>(b);
  const std::string gbk = "\xC6\xA4\xB7\xF4 \xB2\xE2\xCA\xD4";  // Chinese in GBK

  SkinModel model = defaults();
  std::string file = writeText(model);
  const std::string emptyTitle = "Title=\r\n";
  file.replace(file.find(emptyTitle), emptyTitle.size(), "Title=" + title + "\r\n");
  const std::string emptyAuthor = "Author=\r\n";
  file.replace(file.find(emptyAuthor), emptyAuthor.size(), "Author=" + gbk + "\r\n");

  readSkinSettings(model, bytesOf(file));
  EXPECT_EQ(writeText(model), file);
}

// ---- Line splitting ----

TEST(ReadSkinSettings, LineEndsOfEveryKind) {
  const std::string crlf = "[file name]\r\nx=11\r\ny=22\r\n";
  const std::string lf = "[file name]\nx=11\ny=22\n";
  const std::string cr = "[file name]\rx=11\ry=22\r";
  const std::string mixed = "[file name]\n\rx=11\r\r\ny=22\n";
  for (const std::string& text : {crlf, lf, cr, mixed}) {
    SkinModel model = readText(text);
    EXPECT_EQ(model.fileName.x, 11);
    EXPECT_EQ(model.fileName.y, 22);
  }
}

TEST(ReadSkinSettings, UnterminatedLastLineIsNotRead) {
  SkinModel model = readText("[file name]\r\nx=11\r\ny=22");
  EXPECT_EQ(model.fileName.x, 11);
  EXPECT_EQ(model.fileName.y, 71);
}

TEST(ReadSkinSettings, ZeroBytesAddNothing) {
  const std::string text = std::string("[file") + '\0' + " name]\r\nx=1" + '\0' + "2\r\n";
  SkinModel model = readText(text);
  EXPECT_EQ(model.fileName.x, 12);
}

std::string utf16le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

TEST(ReadSkinSettings, Utf16WithoutByteOrderMarkReadsLikeAnsi) {
  const std::string text =
      "[SkinInfo]\r\nTitle=Wide\r\n[global settings]\r\nformBodyColor=0x001f\r\n"
      "[file name]\r\nx=33\r\n";
  SkinModel wide = readText(utf16le(text));
  SkinModel narrow = readText(text);
  expectSameFields(wide, narrow);
  EXPECT_EQ(wide.skinInfo.Title, "Wide");
  EXPECT_EQ(wide.globalSettings.formBodyColor, rgb(248, 0, 0));
  EXPECT_EQ(wide.fileName.x, 33);
}

TEST(ReadSkinSettings, Utf16ByteOrderMarkHidesTheFirstHeader) {
  const std::string text = "[SkinInfo]\r\nTitle=Wide\r\n[file name]\r\nx=33\r\n";
  SkinModel model = defaults();
  model.skinInfo.Title = "before";
  readSkinSettings(model, bytesOf("\xFF\xFE" + utf16le(text)));
  EXPECT_EQ(model.skinInfo.Title, "before");
  EXPECT_EQ(model.fileName.x, 33);
}

// ---- Headers and keys ----

TEST(ReadSkinSettings, HeadersAndKeysIgnoreBlanksAndCase) {
  for (const char* header : {"[Global Settings]", "[ global settings ]", "[GLOBALSETTINGS]"}) {
    SkinModel model = readText(std::string(header) + "\r\nFORMFRAMECOLOR = 0x1234\r\n");
    EXPECT_EQ(model.globalSettings.formFrameColor, colorFromText("0x1234")) << header;
  }
  SkinModel model = readText("[ File Name ]\r\nTitle Show=0\r\n S H O W =0\r\n");
  EXPECT_EQ(model.fileName.titleshow, 0);
  EXPECT_EQ(model.fileName.show, 0);
}

TEST(ReadSkinSettings, TabsAreNotBlanksInKeys) {
  SkinModel model = readText("[file name]\r\n\tx=5\r\n[file\tname]\r\ny=6\r\n");
  EXPECT_EQ(model.fileName.x, 127);
  // The tabbed header is unknown, so y still belongs to "[file name]".
  EXPECT_EQ(model.fileName.y, 6);
}

TEST(ReadSkinSettings, KeysBeforeAnyKnownHeaderChangeNothing) {
  SkinModel model = readText("x=5\r\nformFrameColor=0x001f\r\nTitle=T\r\n[unknown]\r\ny=9\r\n");
  SkinModel expected = defaults();
  expected.fileHandleMenu.x = 0;
  expected.fileHandleMenu.y = 0;
  expectSameFields(model, expected);
}

TEST(ReadSkinSettings, UnknownHeaderKeepsTheSectionAbove) {
  SkinModel model = readText("[file type]\r\nx=1\r\n[whatever]\r\ny=2\r\nw=3\r\n");
  EXPECT_EQ(model.fileType.x, 1);
  EXPECT_EQ(model.fileType.y, 2);
  EXPECT_EQ(model.fileType.w, 3);
}

TEST(ReadSkinSettings, MisspeltCloseButtonHeader) {
  SkinModel model = readText("[clsoe btn]\r\nx=7\r\ny=8\r\nw=9\r\nh=10\r\n");
  EXPECT_EQ(model.closeBtn.x, 7);
  EXPECT_EQ(model.closeBtn.y, 8);
  EXPECT_EQ(model.closeBtn.w, 9);
  EXPECT_EQ(model.closeBtn.h, 10);
}

TEST(ReadSkinSettings, EachPassKnowsItsOwnHeaders) {
  // The colour pass does not know "[start menu]", so this textColor is the
  // start button's; the element pass does not know "[global settings]", so
  // this x is the file name's.
  SkinModel model = readText(
      "[start button]\r\n[start menu]\r\ntextColor=0x001f\r\n"
      "[file name]\r\n[global settings]\r\nx=44\r\n");
  EXPECT_EQ(model.startButton.textColor, rgb(248, 0, 0));
  EXPECT_EQ(model.fileName.x, 44);
  EXPECT_EQ(model.startMenu.x, 0);
}

TEST(ReadSkinSettings, LastOccurrenceWins) {
  SkinModel model = readText("[file name]\r\nx=1\r\nx=2\r\n[file name]\r\nx=3\r\n");
  EXPECT_EQ(model.fileName.x, 3);
}

TEST(ReadSkinSettings, NothingIsReadAfterTheEndLine) {
  SkinModel model = readText("[file name]\r\nx=1\r\n[end]\r\nx=2\r\ny=3\r\n");
  EXPECT_EQ(model.fileName.x, 1);
  EXPECT_EQ(model.fileName.y, 71);
}

// ---- Values ----

TEST(ReadSkinSettings, IntegerValues) {
  const std::vector<std::pair<std::string, std::int32_t>> cases = {
      {"x= 12", 12},
      {"x=12abc", 12},
      {"x=abc", 0},
      {"x=-5", -5},
      {"x=$10", 16},
      {"x=$fF", 255},
      {"x=%101", 5},
      {"x=+7", 7},
      {"x=-$10", -16},
      {"x=\t 3", 3},
      {"x=- 3", 0},
      {"x=", 0},
      {"x", 0},
      {"x=4294967295", -1},
      {"x=2147483648", INT32_MIN},
      {"x=4294967296", 0},
      {"x=18446744073709551617", 1},
      {"x=$FFFFFFFF80000000", INT32_MIN},
      {"x=1=2", 1},
      {"x=%12", 1},
      {"x=$", 0},
      {"x=99999999999999999999999", -159383553},
  };
  for (const auto& [line, expected] : cases) {
    SkinModel model = readText("[file name]\r\n" + line + "\r\n");
    EXPECT_EQ(model.fileName.x, expected) << line;
  }
}

TEST(ReadSkinSettings, ColourValuesLoseEveryBlank) {
  const std::string header = "[global settings]\r\n";
  EXPECT_EQ(readText(header + "formFrameColor=0x 7f ff\r\n").globalSettings.formFrameColor,
            rgb(248, 248, 248));
  EXPECT_EQ(readText(header + "formFrameColor  =  0x001f  \r\n").globalSettings.formFrameColor,
            rgb(248, 0, 0));
  // The value ends at the next "=".
  EXPECT_EQ(readText(header + "formFrameColor=12=3456\r\n").globalSettings.formFrameColor,
            colorFromText("0x0012"));
  EXPECT_EQ(readText(header + "formFrameColor=\r\n").globalSettings.formFrameColor, 0u);
}

TEST(ReadSkinSettings, TextValuesKeepEverythingAfterTheFirstEquals) {
  SkinModel model = readText("[SkinInfo]\r\nTitle=A=B\r\nUrl=a\tb \r\n");
  EXPECT_EQ(model.skinInfo.Title, "A=B");
  EXPECT_EQ(model.skinInfo.Url, "a\tb ");
}

// One leading blank goes per line read while "[SkinInfo]" is current,
// counted after the line's header has taken effect.
TEST(ReadSkinSettings, InfoTextsLoseOneBlankPerSkinInfoLine) {
  SkinModel model =
      readText("[SkinInfo]\r\nTitle=  A\r\nAuthor=Me\r\nUrl=     U\r\n[file name]\r\n");
  EXPECT_EQ(model.skinInfo.Title, "A");
  EXPECT_EQ(model.skinInfo.Url, "    U");

  model = readText("[SkinInfo]\r\nTitle=   A\r\n[file name]\r\n");
  EXPECT_EQ(model.skinInfo.Title, "  A");

  // Already held texts lose theirs too while "[SkinInfo]" lines are read.
  model = defaults();
  model.skinInfo.eMail = "  mail";
  readSkinSettings(model, bytesOf("[SkinInfo]\r\n[file name]\r\n"));
  EXPECT_EQ(model.skinInfo.eMail, " mail");
}

// ---- "[file handle menu]" ----

TEST(FileHandleMenu, FirstXAndYWinWidthAndHeightLast) {
  SkinModel model = readText(
      "[file handle menu]\r\nx=5\r\ny=6\r\nw=7\r\nh=8\r\nx=50\r\nw=70\r\n"
      "[not known]\r\nx=9\r\ny=10\r\nw=5\r\n");
  EXPECT_EQ(model.fileHandleMenu.x, 5);
  EXPECT_EQ(model.fileHandleMenu.y, 6);
  EXPECT_EQ(model.fileHandleMenu.w, 5);
  EXPECT_EQ(model.fileHandleMenu.h, 8);
}

TEST(FileHandleMenu, MissingOrMinusOneGivesZero) {
  SkinModel model = defaults();
  model.fileHandleMenu.w = 99;
  readSkinSettings(model, bytesOf("[file name]\r\nx=1\r\n"));
  EXPECT_EQ(model.fileHandleMenu.x, 0);
  EXPECT_EQ(model.fileHandleMenu.y, 0);
  EXPECT_EQ(model.fileHandleMenu.w, 99);
  EXPECT_EQ(model.fileHandleMenu.h, 80);

  model = readText("[file handle menu]\r\nx=-1\r\n");
  EXPECT_EQ(model.fileHandleMenu.x, 0);
  // -1 still marks the field unread, so a later x is taken.
  model = readText("[file handle menu]\r\nx=-1\r\nx=4\r\n");
  EXPECT_EQ(model.fileHandleMenu.x, 4);
}

TEST(ReadSkinSettings, EmptyInputChangesOnlyFileHandleMenuPosition) {
  SkinModel model = everyFieldChanged();
  SkinModel expected = model;
  readSkinSettings(model, {});
  expected.fileHandleMenu.x = 0;
  expected.fileHandleMenu.y = 0;
  expectSameFields(model, expected);
}

// ---- Large input ----

// A 50 MB title followed by many "[SkinInfo]" lines, and a 50 MB line
// without an end: both must be read in time linear in the size.
TEST(ReadSkinSettings, HugeLinesStayLinear) {
  const std::size_t big = 50u << 20;
  std::string text = "[SkinInfo]\r\nTitle=" + std::string(2000, ' ') + std::string(big, 'T');
  text += "\r\n";
  for (int i = 0; i < 1000; ++i) text += "Author=a\r\n";
  text += "[file name]\r\nx=" + std::string(big, '1');
  SkinModel model = readText(text);
  EXPECT_EQ(model.skinInfo.Title.size(), 1000 + big - 1);
  EXPECT_EQ(model.skinInfo.Author, "a");
  EXPECT_EQ(model.fileName.x, 127);
}

// ---- Loading from a folder ----

void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

TEST(LoadSkinFromFolder, MissingSettingsShowsMessageAndChangesNothing) {
  TempDir dir;
  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts, fixedClock};
  SkinModel model = everyFieldChanged();
  const SkinModel before = model;
  SkinImageTable images;
  images[0].picture = Image(3, 2, rgb(1, 2, 3));

  EXPECT_FALSE(loadSkinFromFolder(model, images, io, dir.folder()));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].title, texts.text("LANG_ERROR$"));
  EXPECT_EQ(desktop.messages[0].body, missingSettingsMessage());
  SkinModel unchanged = before;
  expectSameFields(model, unchanged);
  EXPECT_EQ(images[0].picture.width, 3);
  EXPECT_EQ(images[0].picture.pixels, std::vector<Color>(6, rgb(1, 2, 3)));
  EXPECT_TRUE(desktop.progress.empty());

  // A folder of that name is no settings file either, but it is not missing.
  std::filesystem::create_directory(dir.path() / "uisettings.ini");
  EXPECT_FALSE(loadSkinFromFolder(model, images, io, dir.folder()));
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[1].body,
            dir.folder() + "uisettings.ini : " + texts.text("LANG_FILE_UNREADABLE$"));
}

// A settings file that is there but gives nothing says why, so the author
// looks at the file and not for it; nothing changes either way.
TEST(LoadSkinFromFolder, SettingsThatCannotBeReadOrAreTooLargeSaySo) {
  TempDir dir;
  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts, fixedClock};
  SkinModel model = everyFieldChanged();
  const SkinModel before = model;
  SkinImageTable images;
  const std::string path = dir.folder() + "uisettings.ini";

  // Sparse: no disk space is taken, and nothing is read before the size
  // is checked.
  writeFile(path, "[file name]\r\nx=42\r\n");
  std::filesystem::resize_file(pathFromUtf8(path), (256u << 20) + 1);
  EXPECT_FALSE(loadSkinFromFolder(model, images, io, dir.folder()));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].body, path + " : " + texts.text("LANG_FILE_TOOLARGE$"));
  SkinModel unchanged = before;
  expectSameFields(model, unchanged);
  EXPECT_TRUE(desktop.progress.empty());
}

TEST(LoadSkinFromFolder, ReadsTheSettingsFileAnyCase) {
  for (const char* name : {"uisettings.ini", "UISettings.INI"}) {
    TempDir dir;
    writeFile(dir.path() / name,
              "[SkinInfo]\r\nTitle=Folder skin\r\n[global settings]\r\nformBodyColor=0x001f\r\n"
              "[file name]\r\nx=42\r\n");
    FakeCoreDesktop desktop;
    InterfaceTexts texts;
    SkinIoContext io{desktop, texts, fixedClock};
    SkinModel model = defaults();
    SkinImageTable images;
    EXPECT_TRUE(loadSkinFromFolder(model, images, io, dir.folder())) << name;
    EXPECT_EQ(model.skinInfo.Title, "Folder skin");
    EXPECT_EQ(model.globalSettings.formBodyColor, rgb(248, 0, 0));
    EXPECT_EQ(model.fileName.x, 42);
    for (const FakeMessage& message : desktop.messages)
      EXPECT_NE(message.body, missingSettingsMessage());
  }
}

TEST(LoadSkinFromFolder, EmptyFileIsRead) {
  TempDir dir;
  writeFile(dir.path() / "uisettings.ini", "");
  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts, fixedClock};
  SkinModel model = defaults();
  SkinImageTable images;
  EXPECT_TRUE(loadSkinFromFolder(model, images, io, dir.folder()));
  EXPECT_EQ(model.fileHandleMenu.x, 0);
  EXPECT_EQ(model.fileName.x, 127);
}

TEST(LocalLastUpdateText, HasTheFixedForm) {
  const std::string text = localLastUpdateText();
  ASSERT_EQ(text.size(), 19u);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char expected = i == 4 || i == 7 ? '/' : i == 10 ? '-' : i == 13 || i == 16 ? ':' : 0;
    if (expected) {
      EXPECT_EQ(text[i], expected) << text;
    } else {
      EXPECT_TRUE(text[i] >= '0' && text[i] <= '9') << text;
    }
  }
}

}  // namespace
