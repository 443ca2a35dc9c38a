// The in-memory skin: every value uisettings.ini carries, grouped by section.
// Member names follow the file: section "[file name]" is `fileName`, its key
// "x" is `x`, so `model.fileName.x` is the field [file name] x.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/color.h"

// [SkinInfo]
struct SkinInfoSection {
  std::string Title;
  std::string Author;
  std::string eMail;
  std::string Url;
  std::string LastUpdate;
};

// [global settings]
struct GlobalSettingsSection {
  Color formFrameColor = 0;
  Color formBodyColor = 0;
  Color formTextColor = 0;
  Color formTitleTextColor = 0;
  Color buttonTextColor = 0;
  Color listTextBgColor = 0;
  Color listTextColor = 0;
  Color listTextHighLightColor = 0;
  Color vTextColor = 0;
  Color vTextHighLightColor = 0;
  Color cheatListTextColor = 0;
  Color cheatListTextHighLightColor = 0;
  Color logoFrameColor = 0;
  Color popMenuTextColor = 0;
  Color popMenuTextHighLightColor = 0;
  Color popMenuBodyColor = 0;
  Color popSubMenuTextColor = 0;
  Color popSubMenuTextHighLightColor = 0;
  Color popSubMenuBodyColor = 0;
  Color spinBoxNormalColor = 0;
  Color spinBoxFocusColor = 0;
  Color spinBoxFrameColor = 0;
  Color spinBoxTextColor = 0;
  Color spinBoxTextHighLightColor = 0;
  Color romInfoTextColor = 0;
  Color romInfoTitleColor = 0;
  Color romInfoBodyColor = 0;
  Color romInfoFrameColor = 0;
  Color gameInfoTextColor = 0;
  Color gameInfoTitleColor = 0;
  Color fileNameTextColor = 0;
  Color timeTextColor = 0;
  Color gameNameColor = 0;
  Color cheatTitleTextColor = 0;
};

// [file name]
struct FileNameSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
  std::int32_t show = 0;
  std::int32_t titleshow = 0;
};

// [game name]
struct GameNameSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t show = 0;
};

// [file type]
struct FileTypeSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
  std::int32_t show = 0;
};

// [maker code]
struct MakerCodeSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t show = 0;
};

// [logo info]
struct LogoInfoSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// [logo offset]
struct LogoOffsetSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// [start button]
struct StartButtonSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
  Color textColor = 0;
  std::int32_t file = 0;
};

// [start menu]
struct StartMenuSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t itemX = 0;
  std::int32_t itemY = 0;
  std::int32_t leftlogoupX = 0;
  std::int32_t leftlogoupY = 0;
  std::int32_t leftlogodownX = 0;
  std::int32_t leftlogodownY = 0;
  std::int32_t rightLogoX = 0;
  std::int32_t rightLogoY = 0;
  std::int32_t submenuoffsetX = 0;
  std::int32_t submenuoffsetY = 0;
  std::int32_t subMenuItemHeight = 0;
  std::int32_t itemHeight = 0;
};

// [help window]
struct HelpWindowSection {
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [brightness btn]
struct BrightnessBtnSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [cheat cancel all btn]
struct CheatCancelAllBtnSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// [reback btn]
struct RebackBtnSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [folderup btn]
struct FolderupBtnSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [close btn]
struct CloseBtnSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [help btn]
struct HelpBtnSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [disk icon]
struct DiskIconSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// [big clock]
struct BigClockSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t show = 0;
};

// [calendar year]
struct CalendarYearSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t show = 0;
};

// [calendar month]
struct CalendarMonthSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t show = 0;
};

// [calendar day]
struct CalendarDaySection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t show = 0;
};

// [start bar]
struct StartBarSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// [main list]
struct MainListSection {
  Color textColor = 0;
  Color textColorHilight = 0;
  Color selectionBarColor1 = 0;
  Color selectionBarColor2 = 0;
};

// [folder text]
struct FolderTextSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
  Color color = 0;
  std::int32_t show = 0;
};

// [time text]
struct TimeTextSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
  Color color = 0;
};

// [cheat title]
struct CheatTitleSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [cheat clearTitle]
struct CheatClearTitleSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [setting window]
struct SettingWindowSection {
  std::int32_t spinBoxWidth = 0;
};

// [rom info window]
struct RomInfoWindowSection {
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [file handle menu]
struct FileHandleMenuSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [Brightness menu]
struct BrightnessMenuSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [UiType menu]
struct UiTypeMenuSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [Language menu]
struct LanguageMenuSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [Syset menu]
struct SysetMenuSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

// [List type menu]
struct ListTypeMenuSection {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
};

struct SkinModel {
  SkinInfoSection skinInfo;
  GlobalSettingsSection globalSettings;
  FileNameSection fileName;
  GameNameSection gameName;
  FileTypeSection fileType;
  MakerCodeSection makerCode;
  LogoInfoSection logoInfo;
  LogoOffsetSection logoOffset;
  StartButtonSection startButton;
  StartMenuSection startMenu;
  HelpWindowSection helpWindow;
  BrightnessBtnSection brightnessBtn;
  CheatCancelAllBtnSection cheatCancelAllBtn;
  RebackBtnSection rebackBtn;
  FolderupBtnSection folderupBtn;
  CloseBtnSection closeBtn;
  HelpBtnSection helpBtn;
  DiskIconSection diskIcon;
  BigClockSection bigClock;
  CalendarYearSection calendarYear;
  CalendarMonthSection calendarMonth;
  CalendarDaySection calendarDay;
  StartBarSection startBar;
  MainListSection mainList;
  FolderTextSection folderText;
  TimeTextSection timeText;
  CheatTitleSection cheatTitle;
  CheatClearTitleSection cheatClearTitle;
  SettingWindowSection settingWindow;
  RomInfoWindowSection romInfoWindow;
  FileHandleMenuSection fileHandleMenu;
  BrightnessMenuSection brightnessMenu;
  UiTypeMenuSection uiTypeMenu;
  LanguageMenuSection languageMenu;
  SysetMenuSection sysetMenu;
  ListTypeMenuSection listTypeMenu;

  // uisettings.ini as it was read, with the author's edits of the settings
  // no field above owns; none for the built-in skin. Shared, because the
  // edit history keeps a model in every step and the text rarely changes.
  std::shared_ptr<const std::string> storedSettings;
};

// A colour field holds a 15-bit colour, written as ColorDS text.
enum class FieldKind { Text, ColorDs, Integer };

// One field of the model as the settings file names it.
struct SkinField {
  std::string_view section;  // header text without brackets, e.g. "file name"
  std::string_view key;      // key as written, e.g. "titleshow"
  FieldKind kind;
  std::string_view defaultColor;  // ColorDS text the colour default is made from
  std::int32_t defaultInteger;
  std::string* (*text)(SkinModel&);
  Color* (*color)(SkinModel&);
  std::int32_t* (*integer)(SkinModel&);
  // The same field of a model that is only read.
  const std::string* (*readText)(const SkinModel&);
  const Color* (*readColor)(const SkinModel&);
  const std::int32_t* (*readInteger)(const SkinModel&);
};

// All 170 fields in the order the settings file is written.
const std::vector<SkinField>& skinFields();

// The section names in file order (without brackets).
const std::vector<std::string_view>& skinSections();

// Exact-name look-up; nullptr when the pair names no field.
const SkinField* findSkinField(std::string_view section, std::string_view key);

// Typed access by section and key; nullptr when the pair names no field of that kind.
std::string* textField(SkinModel& model, std::string_view section, std::string_view key);
Color* colorField(SkinModel& model, std::string_view section, std::string_view key);
std::int32_t* integerField(SkinModel& model, std::string_view section, std::string_view key);
const std::string* textField(const SkinModel& model, std::string_view section,
                             std::string_view key);
const Color* colorField(const SkinModel& model, std::string_view section, std::string_view key);
const std::int32_t* integerField(const SkinModel& model, std::string_view section,
                                 std::string_view key);

// Whether `field` holds the same value in both models.
bool sameFieldValue(const SkinField& field, const SkinModel& a, const SkinModel& b);

// Every field back to its built-in default.
void resetSkinModel(SkinModel& model);

// ColorDS text ("0x7fff") to 24-bit colour and back.
Color colorFromText(std::string_view text);
std::string colorToText(Color color);
