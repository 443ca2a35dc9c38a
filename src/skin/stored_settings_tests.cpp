#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/settings_file.h"
#include "skin/stored_settings.h"

namespace {

const std::string kStamp = "2010/06/04-09:05:03";
std::string fixedClock() { return kStamp; }

SkinModel defaults() {
  SkinModel model;
  resetSkinModel(model);
  return model;
}

SkinModel readText(const std::string& text) {
  SkinModel model = defaults();
  readSkinSettings(model, std::vector<std::uint8_t>(text.begin(), text.end()));
  return model;
}

std::string save(SkinModel& model) {
  const std::vector<std::uint8_t> bytes = writeSkinSettings(model, fixedClock);
  return std::string(bytes.begin(), bytes.end());
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The line that starts with `prefix` becomes `line`.
std::string replacedLine(std::string text, const std::string& prefix, const std::string& line) {
  const std::size_t at = text.find("\n" + prefix);
  EXPECT_NE(at, std::string::npos) << prefix;
  if (at == std::string::npos) return text;
  const std::size_t end = text.find('\r', at);
  return text.replace(at + 1, end - at - 1, line);
}

// Every field, as the editor writes a skin, then worked over the way skins
// in the wild are: the keys of later versions of the menu, their sections,
// blanks around "=", black written "0", upper-case digits, an empty value,
// a key given twice, a comment, LF-only lines here and there, and no line
// end after "[end]".
std::string wildSkin() {
  SkinModel model = defaults();
  model.skinInfo.LastUpdate = "2009/01/01-00:00:00";
  std::string text = freshSettingsText(model);
  text = replaced(text, "formFrameColor=0x180c\r\n",
                  "formFrameColor = 0x180C\r\npopMenuBarColor = 0x7fff\r\n"
                  "listViewBarColor1=0x5ad6\n");
  text = replacedLine(text, "formBodyColor=", "formBodyColor=0");
  text = replaced(text, "Url=\r\n", "Url =\r\n; made by hand\r\n");
  text = replaced(text, "[calendar day]\r\nx=", "[calendar day]\r\ndw=12\r\ndh = 9\r\nx=");
  text = replacedLine(text, "file=", "file=none\nshow=1");
  text = replaced(text, "[big clock]\r\nx=", "[big clock]\r\nx=3\r\nx=");
  text = replaced(text, "\r\n[end]\r\n",
                  "\r\n[battery icon]\r\nx = 200\r\ny=4\r\nshow=1\r\n\r\n[end]");
  return text;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::size_t next = end;
    if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back(text.substr(start, next - start));
    start = next;
  }
  return lines;
}

// The lines of `after` that differ from `before`, which must have as many.
std::vector<std::string> changedLines(const std::string& before, const std::string& after) {
  const std::vector<std::string> a = linesOf(before);
  const std::vector<std::string> b = linesOf(after);
  EXPECT_EQ(a.size(), b.size());
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) changed.push_back(b[i]);
  return changed;
}

TEST(StoredSettings, UntouchedWildSkinComesBackWithOnlyLastUpdateNew) {
  const std::string text = wildSkin();
  SkinModel model = readText(text);
  EXPECT_EQ(model.globalSettings.formBodyColor, 0u);
  const std::string saved = save(model);
  EXPECT_EQ(changedLines(text, saved), std::vector<std::string>{"LastUpdate=" + kStamp + "\r\n"});
  EXPECT_EQ(saved.substr(saved.size() - 5), "[end]");

  // Saved again, it is the same file: what was written is what the next
  // save starts from.
  EXPECT_EQ(save(model), saved);
}

TEST(StoredSettings, OneEditRewritesOneLineKeepingItsKeyAndBlanks) {
  const std::string text = wildSkin();
  SkinModel model = readText(text);
  save(model);
  const std::string before = *model.storedSettings;

  model.globalSettings.formFrameColor = colorFromText("0x001f");
  EXPECT_EQ(changedLines(before, storedSettingsWithChanges(model)),
            std::vector<std::string>{"formFrameColor = 0x001f\r\n"});

  // The value the reader takes is the last of a key given twice.
  model.bigClock.x = 77;
  model.skinInfo.Url = "http://x";
  const std::string saved = storedSettingsWithChanges(model);
  EXPECT_EQ(
      changedLines(before, saved),
      (std::vector<std::string>{"Url =http://x\r\n", "formFrameColor = 0x001f\r\n", "x=77\r\n"}));
  EXPECT_NE(saved.find("[big clock]\r\nx=3\r\nx=77\r\n"), std::string::npos);

  // Back to what the file said: the author's own spelling returns.
  model.globalSettings.formFrameColor = colorFromText("0x180c");
  EXPECT_NE(storedSettingsWithChanges(model).find("formFrameColor = 0x180C\r\n"),
            std::string::npos);
}

TEST(StoredSettings, FieldsTheFileLacksAreAddedWhereTheReaderFindsThem) {
  SkinModel model = readText(
      "[SkinInfo]\nTitle=Old\n\n[file name]\nx=1\n\n[calendar day]\nhighlightColor=0x1\n\n"
      "[end]");
  const std::string saved = save(model);
  // The section's own block grows, in the file's line ends, before its
  // blank line.
  EXPECT_NE(saved.find("[file name]\nx=1\ny=" + std::to_string(model.fileName.y) + "\n"),
            std::string::npos);
  EXPECT_NE(
      saved.find("[SkinInfo]\nTitle=Old\nAuthor=\neMail=\nUrl=\nLastUpdate=" + kStamp + "\n\n"),
      std::string::npos);
  // A section the file lacks comes whole before "[end]", in table order.
  const std::size_t global = saved.find("[global settings]\nformFrameColor=");
  const std::size_t menu = saved.find("[List type menu]\nx=");
  ASSERT_NE(global, std::string::npos);
  ASSERT_NE(menu, std::string::npos);
  EXPECT_LT(global, menu);
  EXPECT_LT(menu, saved.find("[end]"));
  EXPECT_NE(saved.find("highlightColor=0x1\n"), std::string::npos);
  EXPECT_EQ(saved.substr(saved.size() - 7), "\n\n[end]");

  // Every field reads back as the model holds it.
  SkinModel again = readText(saved);
  for (const SkinField& field : skinFields()) {
    if (field.kind == FieldKind::Integer) {
      EXPECT_EQ(*field.integer(again), *field.integer(model));
    }
    if (field.kind == FieldKind::ColorDs) {
      EXPECT_EQ(*field.color(again), *field.color(model));
    }
  }
}

// What the writer adds must not change how the reader takes the lines
// that were there: a save reads back as the model it wrote.
TEST(StoredSettings, AddedLinesLeaveTheReadingOfOtherLinesAlone) {
  auto readsBackAsWritten = [](const std::string& text) {
    SkinModel model = readText(text);
    const std::string saved = save(model);
    SkinModel again = readText(saved);
    EXPECT_EQ(save(again), saved) << text;
    return again;
  };
  // A header in UTF-16 is a header to the reader, which drops zero bytes:
  // its missing keys join it instead of a second section of the same name.
  std::string utf16;
  for (char c : std::string("[global settings]\r\nformFrameColor=0x1234\r\n")) {
    utf16 += '\0';
    utf16 += c;
  }
  const SkinModel wide = readsBackAsWritten("[file name]\r\nx=1\r\n" + utf16 + "[end]\r\n");
  EXPECT_EQ(wide.globalSettings.formFrameColor, colorFromText("0x1234"));

  // The colour pass does not stop at "[end]": lines after it belong to the
  // colour section above it, also once sections are added before "[end]".
  const SkinModel after = readsBackAsWritten(
      "[global settings]\r\nformFrameColor=0x1\r\n[end]\r\npopMenuBodyColor=0x2\r\n");
  EXPECT_EQ(after.globalSettings.popMenuBodyColor, colorFromText("0x2"));
  // Nor, without a colour section above "[end]", do they start to count.
  const SkinModel none = readsBackAsWritten("[file name]\r\nx=1\r\n[end]\r\ncolor=0x3\r\n");
  EXPECT_EQ(none.timeText.color, defaults().timeText.color);
}

TEST(StoredSettings, LastLineWithoutLineEnd) {
  // Sections the file lacks go before "[end]", which stays without one.
  SkinModel ended = readText("[file name]\r\nx=1\r\n\r\n[end]");
  const std::string saved = save(ended);
  EXPECT_TRUE(saved.ends_with("\r\n\r\n[end]"));
  EXPECT_EQ(readText(saved).fileName.x, 1);

  // "y=2" is not read (no line end), and still is not: the field is added
  // before it, and a line that was unread does not come to count.
  SkinModel open = readText("[file name]\r\nx=1\r\ny=2");
  const std::string written = save(open);
  EXPECT_NE(written.find("[file name]\r\nx=1\r\ny=" + std::to_string(open.fileName.y) + "\r\n"),
            std::string::npos);
  EXPECT_NE(written.find("titleshow=" + std::to_string(open.fileName.titleshow) +
                         "\r\n\r\n[SkinInfo]\r\n"),
            std::string::npos);
  EXPECT_TRUE(written.ends_with("\r\n\r\ny=2"));
  SkinModel again = readText(written);
  EXPECT_EQ(save(again), written);

  // A header without a line end opens nothing: the keys of its section
  // come in a section of their own, not under the one above.
  SkinModel header = readText("[big clock]\r\nx=5\r\n[file name]");
  header.fileName.x = 9;
  EXPECT_EQ(readText(save(header)).bigClock.x, 5);
  EXPECT_EQ(readText(save(header)).fileName.x, 9);
}

TEST(StoredSettings, Utf8TextsAndByteOrderMark) {
  const std::string title = "\xE6\x97\xA5\xE6\x9C\xAC";  // 日本
  SkinModel model =
      readText("\xEF\xBB\xBF[SkinInfo]\r\nTitle=" + title + "\r\n[file name]\r\nx=5\r\n");
  EXPECT_EQ(model.skinInfo.Title, title);
  EXPECT_EQ(model.fileName.x, 5);

  model.skinInfo.Author = "Zoë";
  const std::string saved = save(model);
  EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF[SkinInfo]\r\nTitle=" + title + "\r\nAuthor=Zoë\r\n"));

  // Bytes that are not UTF-8 (GBK here) stay as they were unless edited.
  const std::string gbk = "\xC6\xA4\xB7\xF4";
  SkinModel chinese = readText("[SkinInfo]\r\nTitle=" + gbk + "\r\nAuthor=a\r\n");
  chinese.skinInfo.Author = "b";
  const std::string written = save(chinese);
  EXPECT_NE(written.find("Title=" + gbk + "\r\nAuthor=b\r\n"), std::string::npos);
}

TEST(StoredSettings, SectionsOfLaterMenusEndTheSectionAbove) {
  const SkinModel model =
      readText("[big clock]\r\nx=5\r\n[small clock]\r\nx=9\r\n[Battery Icon]\r\nshow=0\r\n");
  EXPECT_EQ(model.bigClock.x, 5);
  EXPECT_EQ(model.bigClock.show, defaults().bigClock.show);
  // Any other header still continues the section above, as the handheld
  // reads it.
  EXPECT_EQ(readText("[big clock]\r\nx=5\r\n[clock 2]\r\nx=9\r\n").bigClock.x, 9);
}

TEST(OtherSettings, ListedInFileOrderAndEditedInPlace) {
  SkinModel model = readText(wildSkin());
  std::vector<OtherSetting> others = otherSettings(model);
  std::vector<std::string> names;
  for (const OtherSetting& other : others)
    names.push_back(other.section + "|" + other.key + "=" + other.value);
  EXPECT_EQ(names, (std::vector<std::string>{"global settings|popMenuBarColor=0x7fff",
                                             "global settings|listViewBarColor1=0x5ad6",
                                             "start button|show=1", "calendar day|dw=12",
                                             "calendar day|dh=9", "battery icon|x=200",
                                             "battery icon|y=4", "battery icon|show=1"}));
  EXPECT_TRUE(readsAsColor(others[0].value));
  EXPECT_FALSE(readsAsColor(others[3].value));

  const std::string before = *model.storedSettings;
  ASSERT_TRUE(setOtherSettingValue(model, others[4].line, "11"));
  EXPECT_EQ(changedLines(before, *model.storedSettings), std::vector<std::string>{"dh = 11\r\n"});
  EXPECT_FALSE(setOtherSettingValue(model, others[4].line, "11"));
  // A line the model owns is not another setting.
  EXPECT_FALSE(setOtherSettingValue(model, before.find("formBodyColor"), "0x1"));

  ASSERT_TRUE(removeOtherSetting(model, otherSettings(model)[1].line));
  EXPECT_EQ(model.storedSettings->find("listViewBarColor1"), std::string::npos);
  EXPECT_EQ(otherSettings(model).size(), others.size() - 1);
}

TEST(OtherSettings, AddedToTheirSectionOrAsNewSectionBeforeEnd) {
  SkinModel model = readText(wildSkin());
  ASSERT_TRUE(addOtherSetting(model, "calendar day", "highlightColor", "0x001f"));
  EXPECT_NE(model.storedSettings->find("\r\nhighlightColor=0x001f\r\n\r\n[start bar]"),
            std::string::npos);
  ASSERT_TRUE(addOtherSetting(model, "volume icon", "x", "9"));
  EXPECT_NE(model.storedSettings->find("\r\n[volume icon]\r\nx=9\r\n\r\n[end]"), std::string::npos);

  // A key of the model sets the field; one the reader would take for the
  // section above is refused.
  ASSERT_TRUE(addOtherSetting(model, "FILE NAME", "X", "42"));
  EXPECT_EQ(model.fileName.x, 42);
  EXPECT_FALSE(addOtherSetting(model, "", "k", "1"));
  EXPECT_FALSE(addOtherSetting(model, "s", "k=v", "1"));

  // The built-in skin starts from the text the editor would write.
  SkinModel builtIn = defaults();
  ASSERT_TRUE(addOtherSetting(builtIn, "global settings", "popMenuBarColor", "0x7fff"));
  EXPECT_NE(builtIn.storedSettings->find("\r\npopMenuBarColor=0x7fff\r\n\r\n[file name]"),
            std::string::npos);
  // There a new section would follow "[List type menu]", whose y the
  // reader would take this one for.
  EXPECT_FALSE(addOtherSetting(builtIn, "my own", "y", "1"));
  EXPECT_TRUE(addOtherSetting(builtIn, "my own", "depth", "1"));
}

TEST(SetSkinSetting, KnownFieldsOtherKeysAndNewKeys) {
  SkinModel model = readText(wildSkin());
  EXPECT_TRUE(setSkinSetting(model, "Global Settings", "formbodycolor", "0x001f"));
  EXPECT_EQ(model.globalSettings.formBodyColor, colorFromText("0x001f"));
  EXPECT_TRUE(setSkinSetting(model, "start menu", "itemHeight", "$10"));
  EXPECT_EQ(model.startMenu.itemHeight, 16);
  EXPECT_TRUE(setSkinSetting(model, "battery icon", "SHOW", "0"));
  EXPECT_NE(model.storedSettings->find("[battery icon]\r\nx = 200\r\ny=4\r\nshow=0\r\n"),
            std::string::npos);
  EXPECT_TRUE(setSkinSetting(model, "start menu", "barLeft", "4"));
  EXPECT_NE(model.storedSettings->find("barLeft=4"), std::string::npos);
  EXPECT_FALSE(setSkinSetting(model, "start menu", "barLeft", "4"));
}

}  // namespace
