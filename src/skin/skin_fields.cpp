#include <algorithm>

#include "skin/skin_model.h"

namespace {

// Pointer-returning accessors keep the field table free of offset tricks.
#define TEXT(sec, key)                                                               \
  FieldKind::Text, {}, 0, [](SkinModel& m) { return &m.sec.key; }, nullptr, nullptr, \
      [](const SkinModel& m) { return &m.sec.key; }, nullptr, nullptr
#define COLOR(sec, key, text)                                                                      \
  FieldKind::ColorDs, text, 0, nullptr, [](SkinModel& m) { return &m.sec.key; }, nullptr, nullptr, \
      [](const SkinModel& m) { return &m.sec.key; }, nullptr
#define INTEGER(sec, key, value)                                                            \
  FieldKind::Integer, {}, value, nullptr, nullptr, [](SkinModel& m) { return &m.sec.key; }, \
      nullptr, nullptr, [](const SkinModel& m) { return &m.sec.key; }

const std::vector<SkinField> kFields = {
    {"SkinInfo", "Title", TEXT(skinInfo, Title)},
    {"SkinInfo", "Author", TEXT(skinInfo, Author)},
    {"SkinInfo", "eMail", TEXT(skinInfo, eMail)},
    {"SkinInfo", "Url", TEXT(skinInfo, Url)},
    {"SkinInfo", "LastUpdate", TEXT(skinInfo, LastUpdate)},
    {"global settings", "formFrameColor", COLOR(globalSettings, formFrameColor, "0x980c")},
    {"global settings", "formBodyColor", COLOR(globalSettings, formBodyColor, "0x8c63")},
    {"global settings", "formTextColor", COLOR(globalSettings, formTextColor, "0xbb1f")},
    {"global settings", "formTitleTextColor", COLOR(globalSettings, formTitleTextColor, "0xbb1f")},
    {"global settings", "buttonTextColor", COLOR(globalSettings, buttonTextColor, "0xffff")},
    {"global settings", "listTextBgColor", COLOR(globalSettings, listTextBgColor, "0xa413")},
    {"global settings", "listTextColor", COLOR(globalSettings, listTextColor, "0xbb1f")},
    {"global settings", "listTextHighLightColor",
     COLOR(globalSettings, listTextHighLightColor, "0xfb48")},
    {"global settings", "vTextColor", COLOR(globalSettings, vTextColor, "0xb29e")},
    {"global settings", "vTextHighLightColor",
     COLOR(globalSettings, vTextHighLightColor, "0xffff")},
    {"global settings", "cheatListTextColor", COLOR(globalSettings, cheatListTextColor, "0xbb1f")},
    {"global settings", "cheatListTextHighLightColor",
     COLOR(globalSettings, cheatListTextHighLightColor, "0xfb48")},
    {"global settings", "logoFrameColor", COLOR(globalSettings, logoFrameColor, "0xa413")},
    {"global settings", "popMenuTextColor", COLOR(globalSettings, popMenuTextColor, "0xbb1f")},
    {"global settings", "popMenuTextHighLightColor",
     COLOR(globalSettings, popMenuTextHighLightColor, "0xf348")},
    {"global settings", "popMenuBodyColor", COLOR(globalSettings, popMenuBodyColor, "0x8422")},
    {"global settings", "popSubMenuTextColor",
     COLOR(globalSettings, popSubMenuTextColor, "0xbb1f")},
    {"global settings", "popSubMenuTextHighLightColor",
     COLOR(globalSettings, popSubMenuTextHighLightColor, "0xffff")},
    {"global settings", "popSubMenuBodyColor",
     COLOR(globalSettings, popSubMenuBodyColor, "0x8422")},
    {"global settings", "spinBoxNormalColor", COLOR(globalSettings, spinBoxNormalColor, "0x940c")},
    {"global settings", "spinBoxFocusColor", COLOR(globalSettings, spinBoxFocusColor, "0xb8d7")},
    {"global settings", "spinBoxFrameColor", COLOR(globalSettings, spinBoxFrameColor, "0xb8d7")},
    {"global settings", "spinBoxTextColor", COLOR(globalSettings, spinBoxTextColor, "0xa818")},
    {"global settings", "spinBoxTextHighLightColor",
     COLOR(globalSettings, spinBoxTextHighLightColor, "0xffff")},
    {"global settings", "romInfoTextColor", COLOR(globalSettings, romInfoTextColor, "0xb6bf")},
    {"global settings", "romInfoTitleColor", COLOR(globalSettings, romInfoTitleColor, "0xa413")},
    {"global settings", "romInfoBodyColor", COLOR(globalSettings, romInfoBodyColor, "0xb29e")},
    {"global settings", "romInfoFrameColor", COLOR(globalSettings, romInfoFrameColor, "0xb29e")},
    {"global settings", "gameInfoTextColor", COLOR(globalSettings, gameInfoTextColor, "0xb29e")},
    {"global settings", "gameInfoTitleColor", COLOR(globalSettings, gameInfoTitleColor, "0xa413")},
    {"global settings", "fileNameTextColor", COLOR(globalSettings, fileNameTextColor, "0xb29e")},
    {"global settings", "timeTextColor", COLOR(globalSettings, timeTextColor, "0xb29e")},
    {"global settings", "gameNameColor", COLOR(globalSettings, gameNameColor, "0xb29e")},
    {"global settings", "cheatTitleTextColor",
     COLOR(globalSettings, cheatTitleTextColor, "0xb29e")},
    {"file name", "x", INTEGER(fileName, x, 127)},
    {"file name", "y", INTEGER(fileName, y, 71)},
    {"file name", "w", INTEGER(fileName, w, 115)},
    {"file name", "h", INTEGER(fileName, h, 20)},
    {"file name", "show", INTEGER(fileName, show, 1)},
    {"file name", "titleshow", INTEGER(fileName, titleshow, 1)},
    {"game name", "x", INTEGER(gameName, x, 127)},
    {"game name", "y", INTEGER(gameName, y, 101)},
    {"game name", "show", INTEGER(gameName, show, 1)},
    {"file type", "x", INTEGER(fileType, x, 166)},
    {"file type", "y", INTEGER(fileType, y, 32)},
    {"file type", "w", INTEGER(fileType, w, 78)},
    {"file type", "h", INTEGER(fileType, h, 36)},
    {"file type", "show", INTEGER(fileType, show, 1)},
    {"maker code", "x", INTEGER(makerCode, x, 0)},
    {"maker code", "y", INTEGER(makerCode, y, 172)},
    {"maker code", "show", INTEGER(makerCode, show, 1)},
    {"logo info", "x", INTEGER(logoInfo, x, 127)},
    {"logo info", "y", INTEGER(logoInfo, y, 30)},
    {"logo offset", "x", INTEGER(logoOffset, x, 4)},
    {"logo offset", "y", INTEGER(logoOffset, y, 1)},
    {"start button", "x", INTEGER(startButton, x, 0)},
    {"start button", "y", INTEGER(startButton, y, 172)},
    {"start button", "w", INTEGER(startButton, w, 58)},
    {"start button", "h", INTEGER(startButton, h, 20)},
    {"start button", "textColor", COLOR(startButton, textColor, "0x7FFF")},
    {"start button", "file", INTEGER(startButton, file, 0)},
    {"start menu", "x", INTEGER(startMenu, x, 0)},
    {"start menu", "y", INTEGER(startMenu, y, 56)},
    {"start menu", "itemX", INTEGER(startMenu, itemX, 12)},
    {"start menu", "itemY", INTEGER(startMenu, itemY, 18)},
    {"start menu", "leftlogoupX", INTEGER(startMenu, leftlogoupX, 5)},
    {"start menu", "leftlogoupY", INTEGER(startMenu, leftlogoupY, 6)},
    {"start menu", "leftlogodownX", INTEGER(startMenu, leftlogodownX, 5)},
    {"start menu", "leftlogodownY", INTEGER(startMenu, leftlogodownY, 6)},
    {"start menu", "rightLogoX", INTEGER(startMenu, rightLogoX, 4)},
    {"start menu", "rightLogoY", INTEGER(startMenu, rightLogoY, 0)},
    {"start menu", "submenuoffsetX", INTEGER(startMenu, submenuoffsetX, 4)},
    {"start menu", "submenuoffsetY", INTEGER(startMenu, submenuoffsetY, 10)},
    {"start menu", "subMenuItemHeight", INTEGER(startMenu, subMenuItemHeight, 16)},
    {"start menu", "itemHeight", INTEGER(startMenu, itemHeight, 17)},
    {"help window", "w", INTEGER(helpWindow, w, 200)},
    {"help window", "h", INTEGER(helpWindow, h, 160)},
    {"brightness btn", "x", INTEGER(brightnessBtn, x, 206)},
    {"brightness btn", "y", INTEGER(brightnessBtn, y, 174)},
    {"brightness btn", "w", INTEGER(brightnessBtn, w, 23)},
    {"brightness btn", "h", INTEGER(brightnessBtn, h, 18)},
    {"cheat cancel all btn", "x", INTEGER(cheatCancelAllBtn, x, 160)},
    {"cheat cancel all btn", "y", INTEGER(cheatCancelAllBtn, y, 13)},
    {"reback btn", "x", INTEGER(rebackBtn, x, 232)},
    {"reback btn", "y", INTEGER(rebackBtn, y, 174)},
    {"reback btn", "w", INTEGER(rebackBtn, w, 23)},
    {"reback btn", "h", INTEGER(rebackBtn, h, 18)},
    {"folderup btn", "x", INTEGER(folderupBtn, x, 2)},
    {"folderup btn", "y", INTEGER(folderupBtn, y, 2)},
    {"folderup btn", "w", INTEGER(folderupBtn, w, 40)},
    {"folderup btn", "h", INTEGER(folderupBtn, h, 16)},
    {"close btn", "x", INTEGER(closeBtn, x, 233)},
    {"close btn", "y", INTEGER(closeBtn, y, 11)},
    {"close btn", "w", INTEGER(closeBtn, w, 40)},
    {"close btn", "h", INTEGER(closeBtn, h, 16)},
    {"help btn", "x", INTEGER(helpBtn, x, 170)},
    {"help btn", "y", INTEGER(helpBtn, y, 174)},
    {"help btn", "w", INTEGER(helpBtn, w, 40)},
    {"help btn", "h", INTEGER(helpBtn, h, 16)},
    {"disk icon", "x", INTEGER(diskIcon, x, 178)},
    {"disk icon", "y", INTEGER(diskIcon, y, 174)},
    {"big clock", "x", INTEGER(bigClock, x, 131)},
    {"big clock", "y", INTEGER(bigClock, y, 141)},
    {"big clock", "show", INTEGER(bigClock, show, 1)},
    {"calendar year", "x", INTEGER(calendarYear, x, 172)},
    {"calendar year", "y", INTEGER(calendarYear, y, 28)},
    {"calendar year", "show", INTEGER(calendarYear, show, 0)},
    {"calendar month", "x", INTEGER(calendarMonth, x, 212)},
    {"calendar month", "y", INTEGER(calendarMonth, y, 28)},
    {"calendar month", "show", INTEGER(calendarMonth, show, 0)},
    {"calendar day", "x", INTEGER(calendarDay, x, 236)},
    {"calendar day", "y", INTEGER(calendarDay, y, 28)},
    {"calendar day", "show", INTEGER(calendarDay, show, 0)},
    {"start bar", "x", INTEGER(startBar, x, 0)},
    {"start bar", "y", INTEGER(startBar, y, 172)},
    {"main list", "textColor", COLOR(mainList, textColor, "0x2d6b")},
    {"main list", "textColorHilight", COLOR(mainList, textColorHilight, "0x7fff")},
    {"main list", "selectionBarColor1", COLOR(mainList, selectionBarColor1, "0x5c00")},
    {"main list", "selectionBarColor2", COLOR(mainList, selectionBarColor2, "0x2d60")},
    {"folder text", "x", INTEGER(folderText, x, 1)},
    {"folder text", "y", INTEGER(folderText, y, 180)},
    {"folder text", "w", INTEGER(folderText, w, 133)},
    {"folder text", "h", INTEGER(folderText, h, 16)},
    {"folder text", "color", COLOR(folderText, color, "0x5a80")},
    {"folder text", "show", INTEGER(folderText, show, 0)},
    {"time text", "x", INTEGER(timeText, x, 67)},
    {"time text", "y", INTEGER(timeText, y, 178)},
    {"time text", "w", INTEGER(timeText, w, 150)},
    {"time text", "h", INTEGER(timeText, h, 16)},
    {"time text", "color", COLOR(timeText, color, "0x5a80")},
    {"cheat title", "x", INTEGER(cheatTitle, x, 15)},
    {"cheat title", "y", INTEGER(cheatTitle, y, 15)},
    {"cheat title", "w", INTEGER(cheatTitle, w, 160)},
    {"cheat title", "h", INTEGER(cheatTitle, h, 150)},
    {"cheat clearTitle", "x", INTEGER(cheatClearTitle, x, 180)},
    {"cheat clearTitle", "y", INTEGER(cheatClearTitle, y, 13)},
    {"cheat clearTitle", "w", INTEGER(cheatClearTitle, w, 56)},
    {"cheat clearTitle", "h", INTEGER(cheatClearTitle, h, 16)},
    {"setting window", "spinBoxWidth", INTEGER(settingWindow, spinBoxWidth, 80)},
    {"rom info window", "w", INTEGER(romInfoWindow, w, 256)},
    {"rom info window", "h", INTEGER(romInfoWindow, h, 192)},
    {"file handle menu", "x", INTEGER(fileHandleMenu, x, 2)},
    {"file handle menu", "y", INTEGER(fileHandleMenu, y, 82)},
    {"file handle menu", "w", INTEGER(fileHandleMenu, w, 45)},
    {"file handle menu", "h", INTEGER(fileHandleMenu, h, 80)},
    {"Brightness menu", "x", INTEGER(brightnessMenu, x, 2)},
    {"Brightness menu", "y", INTEGER(brightnessMenu, y, 96)},
    {"Brightness menu", "w", INTEGER(brightnessMenu, w, 61)},
    {"Brightness menu", "h", INTEGER(brightnessMenu, h, 80)},
    {"UiType menu", "x", INTEGER(uiTypeMenu, x, 2)},
    {"UiType menu", "y", INTEGER(uiTypeMenu, y, 96)},
    {"UiType menu", "w", INTEGER(uiTypeMenu, w, 61)},
    {"UiType menu", "h", INTEGER(uiTypeMenu, h, 30)},
    {"Language menu", "x", INTEGER(languageMenu, x, 2)},
    {"Language menu", "y", INTEGER(languageMenu, y, 20)},
    {"Language menu", "w", INTEGER(languageMenu, w, 45)},
    {"Language menu", "h", INTEGER(languageMenu, h, 155)},
    {"Syset menu", "x", INTEGER(sysetMenu, x, 2)},
    {"Syset menu", "y", INTEGER(sysetMenu, y, 80)},
    {"Syset menu", "w", INTEGER(sysetMenu, w, 61)},
    {"Syset menu", "h", INTEGER(sysetMenu, h, 66)},
    {"List type menu", "x", INTEGER(listTypeMenu, x, 2)},
    {"List type menu", "y", INTEGER(listTypeMenu, y, 125)},
    {"List type menu", "w", INTEGER(listTypeMenu, w, 61)},
    {"List type menu", "h", INTEGER(listTypeMenu, h, 50)},
};

#undef TEXT
#undef COLOR
#undef INTEGER

}  // namespace

const std::vector<SkinField>& skinFields() { return kFields; }

const std::vector<std::string_view>& skinSections() {
  static const std::vector<std::string_view> sections = [] {
    std::vector<std::string_view> out;
    for (const SkinField& f : kFields)
      if (out.empty() || out.back() != f.section) out.push_back(f.section);
    return out;
  }();
  return sections;
}

const SkinField* findSkinField(std::string_view section, std::string_view key) {
  auto it = std::find_if(kFields.begin(), kFields.end(),
                         [&](const SkinField& f) { return f.section == section && f.key == key; });
  return it == kFields.end() ? nullptr : &*it;
}

std::string* textField(SkinModel& model, std::string_view section, std::string_view key) {
  const SkinField* f = findSkinField(section, key);
  return f && f->kind == FieldKind::Text ? f->text(model) : nullptr;
}

Color* colorField(SkinModel& model, std::string_view section, std::string_view key) {
  const SkinField* f = findSkinField(section, key);
  return f && f->kind == FieldKind::ColorDs ? f->color(model) : nullptr;
}

std::int32_t* integerField(SkinModel& model, std::string_view section, std::string_view key) {
  const SkinField* f = findSkinField(section, key);
  return f && f->kind == FieldKind::Integer ? f->integer(model) : nullptr;
}

const std::string* textField(const SkinModel& model, std::string_view section,
                             std::string_view key) {
  const SkinField* f = findSkinField(section, key);
  return f && f->kind == FieldKind::Text ? f->readText(model) : nullptr;
}

const Color* colorField(const SkinModel& model, std::string_view section, std::string_view key) {
  const SkinField* f = findSkinField(section, key);
  return f && f->kind == FieldKind::ColorDs ? f->readColor(model) : nullptr;
}

const std::int32_t* integerField(const SkinModel& model, std::string_view section,
                                 std::string_view key) {
  const SkinField* f = findSkinField(section, key);
  return f && f->kind == FieldKind::Integer ? f->readInteger(model) : nullptr;
}
