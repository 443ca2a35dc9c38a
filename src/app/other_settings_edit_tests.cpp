// The settings no model field owns, edited through the editor's one edit
// path: each edit one undo step that undo and redo take back and forth,
// none redrawn, stale or malformed requests refused; and the notation
// scripts set any setting with.
#include <gtest/gtest.h>

#include <fstream>

#include "app/editor.h"
#include "app/other_settings_edit.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/saved_skin.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void writeText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The built-in skin as authors' skins have it: keys of later versions of
// the menu in a known section, and a whole section the model does not know.
std::string dialectSkin(const std::string& folder) {
  saveBuiltinSkin(folder);
  const fs::path file = fs::path(folder) / "uisettings.ini";
  std::string text = readText(file);
  const std::string header = "[global settings]\r\n";
  const std::size_t global = text.find(header);
  if (global != std::string::npos)
    text.insert(global + header.size(), "popMenuBarColor = 0x7c00\r\nlistViewBarColor1=0x001f\r\n");
  const std::string extra = "[battery icon]\r\nx = 3\r\nshow =\r\n";
  const std::size_t end = text.find("[end]");
  text.insert(end == std::string::npos ? text.size() : end, extra);
  writeText(file, text);
  return folder;
}

struct CountingView : EditorListener {
  int others = 0;
  int fills = 0;
  int canvases = 0;
  void otherSettingsChanged() override { ++others; }
  void skinReplaced() override { ++fills; }
  void canvasChanged() override { ++canvases; }
};

const OtherSetting* named(const std::vector<OtherSetting>& settings, std::string_view section,
                          std::string_view key) {
  for (const OtherSetting& s : settings)
    if (s.section == section && s.key == key) return &s;
  return nullptr;
}

class OtherSettingsEditTest : public ::testing::Test {
 protected:
  OtherSettingsEditTest() {
    editor.addListener(view);
    editor.start();
    desktop.folderAnswers.push_back(dialectSkin(skins.folder() + "dialect/"));
    editor.openFolder();
    view = CountingView{};
  }
  const OtherSetting& setting(std::string_view section, std::string_view key) {
    settings = editor.otherSettings();
    const OtherSetting* found = named(settings, section, key);
    if (!found) throw std::runtime_error("no such setting");
    return *found;
  }

  TempDir home;
  TempDir skins;
  FakeDesktop desktop;
  CountingView view;
  Editor editor{desktop, home.path()};
  std::vector<OtherSetting> settings;
};

TEST_F(OtherSettingsEditTest, AValueEditIsOneStepThatUndoAndRedoTakeBackAndForth) {
  ASSERT_NE(named(editor.otherSettings(), "global settings", "popMenuBarColor"), nullptr);
  const std::size_t steps = editor.history().size();
  const int redraws = editor.redrawCount();
  EXPECT_TRUE(editor.setOtherSetting(setting("battery icon", "x").line, "12"));
  EXPECT_EQ(setting("battery icon", "x").value, "12");
  EXPECT_EQ(editor.history().size(), steps + 1);
  EXPECT_EQ(editor.history().undoLabel(), "[battery icon] x");
  EXPECT_TRUE(editor.modified());
  EXPECT_EQ(view.others, 1);
  // Nothing the preview draws changed.
  EXPECT_EQ(editor.redrawCount(), redraws);

  // The same value again is no edit.
  EXPECT_FALSE(editor.setOtherSetting(setting("battery icon", "x").line, "12"));
  EXPECT_EQ(editor.history().size(), steps + 1);

  editor.undo();
  EXPECT_EQ(setting("battery icon", "x").value, "3");
  EXPECT_FALSE(editor.modified());
  EXPECT_EQ(view.fills, 1);
  editor.redo();
  EXPECT_EQ(setting("battery icon", "x").value, "12");
}

TEST_F(OtherSettingsEditTest, AddAndRemoveAreStepsOfTheirOwn) {
  const std::size_t before = editor.otherSettings().size();
  EXPECT_TRUE(editor.addOtherSetting("calendar day", "dw", "8"));
  EXPECT_EQ(setting("calendar day", "dw").value, "8");
  EXPECT_EQ(editor.otherSettings().size(), before + 1);
  EXPECT_EQ(editor.history().undoLabel(), "[calendar day] dw");
  // A whole new section.
  EXPECT_TRUE(editor.addOtherSetting("volume icon", "x", "200"));
  EXPECT_EQ(setting("volume icon", "x").value, "200");

  EXPECT_TRUE(editor.removeOtherSetting(setting("global settings", "popMenuBarColor").line));
  EXPECT_EQ(named(editor.otherSettings(), "global settings", "popMenuBarColor"), nullptr);
  EXPECT_EQ(editor.otherSettings().size(), before + 1);
  EXPECT_EQ(view.others, 3);

  editor.undo();
  EXPECT_EQ(setting("global settings", "popMenuBarColor").value, "0x7c00");
  editor.undo();
  editor.undo();
  EXPECT_EQ(editor.otherSettings().size(), before);
  EXPECT_FALSE(editor.modified());
}

TEST_F(OtherSettingsEditTest, AnAddedKeyThatNamesAFieldSetsTheFieldAndIsDrawn) {
  const int redraws = editor.redrawCount();
  EXPECT_TRUE(editor.addOtherSetting("big clock", "x", "40"));
  EXPECT_EQ(editor.model().bigClock.x, 40);
  EXPECT_EQ(named(editor.otherSettings(), "big clock", "x"), nullptr);
  EXPECT_EQ(editor.redrawCount(), redraws + 1);
  editor.undo();
  EXPECT_NE(editor.model().bigClock.x, 40);
}

TEST_F(OtherSettingsEditTest, StaleLinesAndMalformedPartsChangeNothing) {
  const std::size_t line = setting("battery icon", "x").line;
  const std::size_t steps = editor.history().size();
  // A line of the text before the last change names nothing now, or
  // another setting.
  EXPECT_TRUE(editor.addOtherSetting("global settings", "fps", "30"));
  const std::vector<OtherSetting> now = editor.otherSettings();
  if (!findOtherSetting(now, line)) {
    EXPECT_FALSE(editor.setOtherSetting(line, "99"));
    EXPECT_FALSE(editor.removeOtherSetting(line));
  }
  EXPECT_FALSE(editor.setOtherSetting(line + 1, "99"));  // inside a line
  EXPECT_FALSE(editor.removeOtherSetting(std::size_t(-1)));
  // A value with a line end would make two lines of one.
  EXPECT_FALSE(editor.setOtherSetting(setting("battery icon", "x").line, "1\r\n[end]"));
  EXPECT_FALSE(editor.addOtherSetting("battery icon", "y", "1\n2"));
  EXPECT_FALSE(editor.addOtherSetting("", "y", "1"));
  EXPECT_FALSE(editor.addOtherSetting("battery] [x", "y", "1"));
  EXPECT_FALSE(editor.addOtherSetting("battery icon", "  ", "1"));
  EXPECT_FALSE(editor.addOtherSetting("battery icon", "a=b", "1"));
  EXPECT_FALSE(editor.addOtherSetting("battery icon", "[x]", "1"));
  EXPECT_EQ(editor.history().size(), steps + 1);
  EXPECT_EQ(setting("battery icon", "x").value, "3");
}

TEST_F(OtherSettingsEditTest, APickedColourIsWrittenAsTheHandheldWritesColours) {
  desktop.colorAnswers.push_back(rgb(255, 0, 0));
  EXPECT_TRUE(editor.pickOtherSettingColor(setting("global settings", "popMenuBarColor").line));
  ASSERT_EQ(desktop.colorRequests.size(), 1u);
  EXPECT_EQ(desktop.colorRequests[0], colorFromText("0x7c00"));
  EXPECT_EQ(setting("global settings", "popMenuBarColor").value, "0x001f");
  EXPECT_EQ(editor.history().undoLabel(), "[global settings] popMenuBarColor");

  // Cancelled (the colour comes back as it was): the value keeps its spelling.
  const std::size_t steps = editor.history().size();
  EXPECT_FALSE(editor.pickOtherSettingColor(setting("global settings", "listViewBarColor1").line));
  EXPECT_EQ(setting("global settings", "listViewBarColor1").value, "0x001f");
  EXPECT_EQ(editor.history().size(), steps);
  // A value that is no colour opens no picker.
  EXPECT_FALSE(editor.pickOtherSettingColor(setting("battery icon", "x").line));
  EXPECT_EQ(desktop.colorRequests.size(), 2u);
}

TEST_F(OtherSettingsEditTest, NewAndOpenShowTheirOwnSettings) {
  editor.setOtherSetting(setting("battery icon", "x").line, "5");
  desktop.unsavedAnswers.push_back(EditorDesktop::UnsavedAnswer::Discard);
  editor.newSkin();
  EXPECT_TRUE(editor.otherSettings().empty());
  // The built-in skin takes a key of its own.
  EXPECT_TRUE(editor.addOtherSetting("battery icon", "x", "1"));
  EXPECT_EQ(setting("battery icon", "x").value, "1");
  editor.undo();
  EXPECT_TRUE(editor.otherSettings().empty());
}

TEST(SettingAssignment, ParsesSectionKeyAndValueAsScriptsWriteThem) {
  const auto plain = parseSettingAssignment("[calendar day] dw=8");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->section, "calendar day");
  EXPECT_EQ(plain->key, "dw");
  EXPECT_EQ(plain->value, "8");
  const auto spaced = parseSettingAssignment("  [ start button ]  text =  Start menu ");
  ASSERT_TRUE(spaced);
  EXPECT_EQ(spaced->section, "start button");
  EXPECT_EQ(spaced->key, "text");
  EXPECT_EQ(spaced->value, "Start menu");
  // An empty value is as usual as "key =" in the files.
  const auto empty = parseSettingAssignment("[battery icon] show=");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->value, "");
  // "=" in the value belongs to it.
  EXPECT_EQ(parseSettingAssignment("[a] b=c=d")->value, "c=d");

  for (const char* bad :
       {"", "dw=8", "calendar day] dw=8", "[calendar day dw=8", "[calendar day] dw", "[] dw=8",
        "[calendar day] =8", "[calendar day] dw=8\nx=1", "[[x]] y=1"})
    EXPECT_FALSE(parseSettingAssignment(bad)) << bad;
}

TEST(SettingChanges, AnyKeyIsSetAndWhatChangedIsListed) {
  SkinModel model;
  resetSkinModel(model);
  SkinImageTable images;
  SkinChanges field = setAnySetting("big clock", "x", "17")(model, images);
  EXPECT_EQ(model.bigClock.x, 17);
  ASSERT_EQ(field.fields.size(), 1u);
  EXPECT_EQ(field.fields[0].section, "big clock");
  EXPECT_EQ(field.fields[0].key, "x");

  const SkinChanges other = setAnySetting("calendar day", "dw", "8")(model, images);
  EXPECT_TRUE(other.storedText);
  EXPECT_TRUE(other.fields.empty());
  ASSERT_NE(named(otherSettings(model), "calendar day", "dw"), nullptr);
  // Again: nothing to do.
  EXPECT_TRUE(setAnySetting("calendar day", "dw", "8")(model, images).empty());
  // A refused edit leaves the model as it was, stored text included.
  SkinModel builtin;
  resetSkinModel(builtin);
  EXPECT_TRUE(setAnySetting("x", "y\nz", "1")(builtin, images).empty());
  EXPECT_EQ(builtin.storedSettings, nullptr);
}

}  // namespace
