#include "i18n/interface_texts.h"

#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_map>

#include "i18n/text_file.h"

namespace {

struct BuiltinText {
  std::string_view group;
  std::string_view key;
  std::string_view text;
};

// Every key in the order a language file is read, with its built-in English
// text. The colour, image and element labels are the names a skin author
// knows from uisettings.ini and the skin folder, so they stay untranslated.
constexpr BuiltinText kBuiltinTexts[] = {
    // Menu
    {"Menu", "LANG_FILE$", "File"},
    {"Menu", "LANG_FILE_NEW$", "New skin"},
    {"Menu", "LANG_FILE_OPEN$", "Open"},
    {"Menu", "LANG_FILE_OPEN_FOLDER$", "Open skin folder..."},
    {"Menu", "LANG_FILE_SAVE$", "Save"},
    {"Menu", "LANG_FILE_SAVE_FOLDER$", "Save skin to folder..."},
    {"Menu", "LANG_FILE_SCREENSHOT$", "Screenshot"},
    {"Menu", "LANG_FILE_SCREENSHOT2D$", "Save screenshot to file..."},
    {"Menu", "LANG_FILE_SCREENSHOT2C$", "Copy screenshot to clipboard"},
    {"Menu", "LANG_FILE_CLOSE$", "Exit"},
    {"Menu", "LANG_SCREEN$", "Screen"},
    {"Menu", "LANG_SCREEN_00$", "File browser, icon view"},
    {"Menu", "LANG_SCREEN_01$", "File browser, list view"},
    {"Menu", "LANG_SCREEN_02$", "Start menu: File Operation"},
    {"Menu", "LANG_SCREEN_03$", "Delete confirmation box"},
    {"Menu", "LANG_SCREEN_04$", "Start menu: Skin"},
    {"Menu", "LANG_SCREEN_05$", "Style change box"},
    {"Menu", "LANG_SCREEN_06$", "Start menu: Language"},
    {"Menu", "LANG_SCREEN_07$", "Language change box"},
    {"Menu", "LANG_SCREEN_08$", "System settings: Display"},
    {"Menu", "LANG_SCREEN_09$", "System settings: Brightness"},
    {"Menu", "LANG_SCREEN_10$", "Hotkey window"},
    {"Menu", "LANG_SCREEN_11$", "Help window"},
    {"Menu", "LANG_SCREEN_12$", "Game settings window"},
    {"Menu", "LANG_SCREEN_13$", "Cheat list"},
    {"Menu", "LANG_OPTIONS$", "Options"},
    {"Menu", "LANG_OPTIONS_BACKCOLOR$", "Preview background colour..."},
    {"Menu", "LANG_OPTIONS_SWAPVIEW$", "Swap preview and panel"},
    {"Menu", "LANG_ABOUT$", "Help"},
    {"Menu", "LANG_ABOUT_ABOUT$", "About"},
    {"Menu", "LANG_COLORSETTING$", "Colour"},
    {"Menu", "LANG_INFO$",
     "Set red, green and blue (0 to 31 each), use the colour chooser, or hold the right mouse "
     "button to pick a colour from the screen."},
    {"Menu", "LANG_ACTUAL_COLOR$", "Current colour"},
    {"Menu", "LANG_NEW_COLOR$", "New colour"},
    {"Menu", "LANG_RED$", "Red"},
    {"Menu", "LANG_GREEN$", "Green"},
    {"Menu", "LANG_BLUE$", "Blue"},
    {"Menu", "LANG_COLORREQUESTER$", "More colours..."},
    {"Menu", "LANG_OK$", "OK"},
    {"Menu", "LANG_CANCEL$", "Cancel"},
    {"Menu", "LANG_REQPATH_SAVE$", "Choose the folder to save the skin in"},
    {"Menu", "LANG_REQPATH_LOAD$", "Choose a skin folder"},
    {"Menu", "LANG_REQFILE_SAVE$", "Save screenshot"},
    {"Menu", "LANG_REQFILE_LOAD$", "Open file"},
    {"Menu", "LANG_FILE_NOTFOUND$", "File not found"},
    {"Menu", "LANG_FILE_NOTSAVE$", "File could not be saved"},
    {"Menu", "LANG_FILE_UNKNOWN$", "Unknown picture format"},
    {"Menu", "LANG_ERROR$", "Error"},
    // Panel
    {"Panel", "LANG_PANEL_COLORS$", "Colours"},
    {"Panel", "LANG_PANEL_IMAGES$", "Images"},
    {"Panel", "LANG_PANEL_ELEMETS$", "Elements"},
    {"Panel", "LANG_PANEL_INFORMATIONS$", "Information"},
    // Colors
    {"Colors", "LANG_COLOR_gameInfoTextColor$", "gameInfoTextColor"},
    {"Colors", "LANG_COLOR_fileNameTextColor$", "fileNameTextColor"},
    {"Colors", "LANG_COLOR_vTextColor$", "vTextColor"},
    {"Colors", "LANG_COLOR_vTextHighLightColor$", "vTextHighLightColor"},
    {"Colors", "LANG_COLOR_logoFrameColor$", "logoFrameColor"},
    {"Colors", "LANG_COLOR_listTextBgColor$", "listTextBgColor"},
    {"Colors", "LANG_COLOR_gameInfoTitleColor$", "gameInfoTitleColor"},
    {"Colors", "LANG_COLOR_listTextColor$", "listTextColor"},
    {"Colors", "LANG_COLOR_listTextHighLightColor$", "listTextHighLightColor"},
    {"Colors", "LANG_COLOR_popMenuTextColor$", "popMenuTextColor"},
    {"Colors", "LANG_COLOR_popMenuTextHighLightColor$", "popMenuTextHighLightColor"},
    {"Colors", "LANG_COLOR_popSubMenuTextColor$", "popSubMenuTextColor"},
    {"Colors", "LANG_COLOR_popSubMenuTextHighLightColor$", "popSubMenuTextHighLightColor"},
    {"Colors", "LANG_COLOR_formFrameColor$", "formFrameColor"},
    {"Colors", "LANG_COLOR_formTextColor$", "formTextColor"},
    {"Colors", "LANG_COLOR_popSubMenuBodyColor$", "popSubMenuBodyColor"},
    {"Colors", "LANG_COLOR_formBodyColor$", "formBodyColor"},
    {"Colors", "LANG_COLOR_formTitleTextColor$", "formTitleTextColor"},
    {"Colors", "LANG_COLOR_buttonTextColor$", "buttonTextColor"},
    {"Colors", "LANG_COLOR_spinBoxNormalColor$", "spinBoxNormalColor"},
    {"Colors", "LANG_COLOR_spinBoxFocusColor$", "spinBoxFocusColor"},
    {"Colors", "LANG_COLOR_spinBoxFrameColor$", "spinBoxFrameColor"},
    {"Colors", "LANG_COLOR_spinBoxTextColor$", "spinBoxTextColor"},
    {"Colors", "LANG_COLOR_spinBoxTextHighLightColor$", "spinBoxTextHighLightColor"},
    {"Colors", "LANG_COLOR_romInfoTextColor$", "romInfoTextColor"},
    {"Colors", "LANG_COLOR_romInfoTitleColor$", "romInfoTitleColor"},
    {"Colors", "LANG_COLOR_cheatListTextColor$", "cheatListTextColor"},
    {"Colors", "LANG_COLOR_cheatListTextHighLightColor$", "cheatListTextHighLightColor"},
    {"Colors", "LANG_COLOR_cheatTitleTextColor$", "cheatTitleTextColor"},
    // Images
    {"Images", "LANG_IMAGE_upper_screen$", "upper_screen.bmp"},
    {"Images", "LANG_IMAGE_lower_screen$", "lower_screen.bmp"},
    {"Images", "LANG_IMAGE_startbar$", "startbar.bmp"},
    {"Images", "LANG_IMAGE_start_released$", "start_released.bmp"},
    {"Images", "LANG_IMAGE_brightness$", "brightness.bmp"},
    {"Images", "LANG_IMAGE_cardFrame0$", "cardFrame0.bmp"},
    {"Images", "LANG_IMAGE_reBack$", "reBack.bmp"},
    {"Images", "LANG_IMAGE_clock_colon$", "clock_colon.bmp"},
    {"Images", "LANG_IMAGE_clock_numbers$", "clock_numbers.bmp"},
    {"Images", "LANG_IMAGE_cheat$", "cheat.bmp"},
    {"Images", "LANG_IMAGE_dpg$", "dpg.bmp"},
    {"Images", "LANG_IMAGE_gba$", "gba.bmp"},
    {"Images", "LANG_IMAGE_nds$", "nds.bmp"},
    {"Images", "LANG_IMAGE_plg$", "plg.bmp"},
    {"Images", "LANG_IMAGE_pth$", "pth.bmp"},
    {"Images", "LANG_IMAGE_realtime$", "realtime.bmp"},
    {"Images", "LANG_IMAGE_rpth$", "rpth.bmp"},
    {"Images", "LANG_IMAGE_sav$", "sav.bmp"},
    {"Images", "LANG_IMAGE_txt$", "text.bmp"},
    {"Images", "LANG_IMAGE_unk$", "unk.bmp"},
    {"Images", "LANG_IMAGE_cardFrame1$", "cardFrame1.bmp"},
    {"Images", "LANG_IMAGE_selectbar$", "selectbar.bmp"},
    {"Images", "LANG_IMAGE_form_L$", "form_L.bmp"},
    {"Images", "LANG_IMAGE_form_M$", "form_M.bmp"},
    {"Images", "LANG_IMAGE_form_R$", "form_R.bmp"},
    {"Images", "LANG_IMAGE_popsubbar$", "popsubbar.bmp"},
    {"Images", "LANG_IMAGE_lamp$", "lamp.bmp"},
    {"Images", "LANG_IMAGE_triangle$", "triangle.bmp"},
    {"Images", "LANG_IMAGE_title_left$", "title_left.bmp"},
    {"Images", "LANG_IMAGE_title_bg$", "title_bg.bmp"},
    {"Images", "LANG_IMAGE_title_right$", "title_right.bmp"},
    {"Images", "LANG_IMAGE_btn3$", "btn3.bmp"},
    {"Images", "LANG_IMAGE_activehotkey$", "activehotkey.bmp"},
    {"Images", "LANG_IMAGE_noactivehotke$", "noactivehotke.bmp"},
    {"Images", "LANG_IMAGE_active$", "active.bmp"},
    {"Images", "LANG_IMAGE_btn$", "btn.bmp"},
    {"Images", "LANG_IMAGE_hotkeybk$", "hotkeybk.bmp"},
    {"Images", "LANG_IMAGE_close1$", "close1.bmp"},
    {"Images", "LANG_IMAGE_settingbg$", "settingbg.bmp"},
    {"Images", "LANG_IMAGE_spin_btn_left$", "spin_btn_left.bmp"},
    {"Images", "LANG_IMAGE_spin_btn_right$", "spin_btn_right.bmp"},
    {"Images", "LANG_IMAGE_cheatbg$", "cheatbg.bmp"},
    {"Images", "LANG_IMAGE_cheat_clearall$", "cheat_clearall.bmp"},
    {"Images", "LANG_IMAGE_cheatmenubtn$", "cheatmenubtn.bmp"},
    {"Images", "LANG_IMAGE_cheatselectbar$", "cheatselectbar.bmp"},
    {"Images", "LANG_IMAGE_close$", "close.bmp"},
    {"Images", "LANG_IMAGE_fathernode$", "fathernode.bmp"},
    {"Images", "LANG_IMAGE_onehoton$", "onehoton.bmp"},
    {"Images", "LANG_IMAGE_onehotdown$", "onehotdown.bmp"},
    {"Images", "LANG_IMAGE_pitchdown$", "pitchdown.bmp"},
    {"Images", "LANG_IMAGE_pitchon$", "pitchon.bmp"},
    // Information
    {"Information", "LANG_INFO_TITLE$", "Skin title"},
    {"Information", "LANG_INFO_AUTHOR$", "Author"},
    {"Information", "LANG_INFO_EMAIL$", "E-mail"},
    {"Information", "LANG_INFO_URL$", "Web address"},
    {"Information", "LANG_INFO_UPDATE$", "Last saved"},
    // Elements
    {"Elements", "LANG_SETTINGS_LOGO_INFO_text$", "LogoInfo"},
    {"Elements", "LANG_SETTINGS_FILE_TYPE_show$", "FileType"},
    {"Elements", "LANG_SETTINGS_FILE_NAME_show$", "FileName"},
    {"Elements", "LANG_SETTINGS_FILE_NAME_title$", "FileName Titleshow"},
    {"Elements", "LANG_SETTINGS_GAME_NAME_show$", "GameName"},
    {"Elements", "LANG_BIG_CLOCK_show$", "BigClock"},
    {"Elements", "LANG_FOLDER_TEXT_show$", "FolderText"},
    {"Elements", "LANG_START_BAR_text$", "StartBar"},
    {"Elements", "LANG_SETTINGS_START_BUTTON_text$", "StartButton"},
    {"Elements", "LANG_DISC_ICON_text$", "DiscIcon"},
    {"Elements", "LANG_SETTINGS_BRIGHTNESS_BTN_text$", "BrightnessButton"},
    {"Elements", "LANG_SETTINGS_REBACK_BTN_text$", "RebackButton"},
    {"Elements", "LANG_START_MENU_text$", "StartMenu"},
    {"Elements", "LANG_FILE_HANDLE_MENU_text$", "FileHandleMenu"},
    {"Elements", "LANG_UITYPE_MENU_text$", "UITypeMenu"},
    {"Elements", "LANG_LANGUAGE_text$", "LanguageMenu"},
    {"Elements", "LANG_SYSET_MENU_text$", "SysSetMenu"},
    {"Elements", "LANG_LIST_TYPE_text$", "ListTypeMenu"},
    {"Elements", "LANG_BRIGHTNESS_text$", "BrightnessMenu"},
    {"Elements", "LANG_CHEAT_TITLE_text$", "CheatTitle"},
    {"Elements", "LANG_CLOSE_BTN_text$", "CheatCloseButton"},
    {"Elements", "LANG_CHEAT_CLEARTITLE_text$", "CheatClearTitle"},
    {"Elements", "LANG_CHEAT_CANCEL_ALL_BTN_text$", "CheatClearAllButton"},
    // Editor: what this editor offers beyond the original set, read after
    // the six groups so that older language files keep working unchanged.
    {"Editor", "LANG_EDIT$", "Edit"},
    {"Editor", "LANG_EDIT_UNDO$", "Undo"},
    {"Editor", "LANG_EDIT_REDO$", "Redo"},
    {"Editor", "LANG_FILE_RECENT$", "Recent skins"},
    {"Editor", "LANG_FILE_RELOAD$", "Reload skin from disk"},
    {"Editor", "LANG_UNSAVED_TITLE$", "Unsaved changes"},
    {"Editor", "LANG_UNSAVED_QUESTION$",
     "This skin has changes that are not saved. Save them before going on?"},
    {"Editor", "LANG_SAVE$", "Save"},
    {"Editor", "LANG_DISCARD$", "Discard"},
    {"Editor", "LANG_STATUS_BUILTIN$", "Built-in skin"},
    {"Editor", "LANG_STATUS_MODIFIED$", "modified"},
    {"Editor", "LANG_STATUS_CHANGED_ON_DISK$", "uisettings.ini changed on disk"},
    {"Editor", "LANG_PICK_PREVIEW_ONLY$",
     "This desktop does not let programs read the screen: hold the right mouse button over the "
     "editor's preview to pick a colour from it."},
    {"Editor", "LANG_FILE_UNREADABLE$", "File cannot be read"},
    {"Editor", "LANG_FILE_TOOLARGE$", "File too large to read"},
    {"Editor", "LANG_FILE_PROBLEMS$", "Files with problems: %1"},
    {"Editor", "LANG_FILES_NOT_CARRIED$",
     "These files of the skin could not be read and were not saved with it: %1"},
    {"Editor", "LANG_STATUS_BUILTIN_PICTURES$", "%1 pictures from the built-in skin"},
    {"Editor", "LANG_OPTIONS_RECOLOUR$", "Recolour skin..."},
    {"Editor", "LANG_RECOLOUR_TITLE$", "Recolour skin"},
    {"Editor", "LANG_RECOLOUR_HUE$", "Hue"},
    {"Editor", "LANG_RECOLOUR_SATURATION$", "Saturation"},
    {"Editor", "LANG_RECOLOUR_LIGHTNESS$", "Lightness"},
    {"Editor", "LANG_RECOLOUR_COLOURISE$", "Colourise with one hue"},
    {"Editor", "LANG_RECOLOUR_PARTS$", "Parts to recolour"},
    {"Editor", "LANG_RECOLOUR_COLOURS$", "Colours"},
    {"Editor", "LANG_RECOLOUR_BACKGROUNDS$", "Backgrounds"},
    {"Editor", "LANG_RECOLOUR_ICONS$", "Icons"},
    {"Editor", "LANG_RECOLOUR_BARS$", "Bars and frames"},
    {"Editor", "LANG_RECOLOUR_DIGITS$", "Clock digits"},
    {"Editor", "LANG_RECOLOUR_RESET$", "Reset"},
    // The page of the settings no other page edits.
    {"Editor", "LANG_PANEL_OTHER$", "Other settings"},
    {"Editor", "LANG_OTHER_NOTE$", "Read by the handheld, not shown in the preview."},
    {"Editor", "LANG_OTHER_TABLE$", "Settings the other pages do not edit"},
    {"Editor", "LANG_OTHER_EMPTY$", "This skin's uisettings.ini has no other settings."},
    {"Editor", "LANG_OTHER_SECTION$", "Section"},
    {"Editor", "LANG_OTHER_KEY$", "Key"},
    {"Editor", "LANG_OTHER_VALUE$", "Value"},
    {"Editor", "LANG_OTHER_COLOR$", "Colour"},
    {"Editor", "LANG_OTHER_PICK_COLOR$", "Colour..."},
    {"Editor", "LANG_OTHER_REMOVE$", "Remove"},
    {"Editor", "LANG_OTHER_NEW$", "New setting"},
    {"Editor", "LANG_OTHER_ADD$", "Add"},
    // Check: the skin check's findings and the contact sheet.
    {"Check", "LANG_CHECK_UPPER_SCREEN$", "upper screen"},
    {"Check", "LANG_CHECK_LOWER_SCREEN$", "lower screen"},
    {"Check", "LANG_CHECK_PICTURE_MISSING$",
     "not in the skin; the editor shows its built-in picture and writes that one on save"},
    {"Check", "LANG_CHECK_PICTURE_UNREADABLE$",
     "cannot be read as a picture; nothing is drawn for it"},
    {"Check", "LANG_CHECK_PICTURE_EMPTY$", "has no pixels; nothing is drawn for it"},
    {"Check", "LANG_CHECK_PICTURE_NOT_16BIT$",
     "stored as %1, not as a 16-bit BMP; it is converted when the skin is saved"},
    {"Check", "LANG_CHECK_PICTURE_SIZE$", "%1 x %2, the screen needs %3 x %4"},
    {"Check", "LANG_CHECK_PICTURE_WIDTH$", "%1 pixels wide, the screen needs %2"},
    {"Check", "LANG_CHECK_CLOCK_STRIP$",
     "%1 pixels high: ten equal digits need a height that divides by 10"},
    {"Check", "LANG_CHECK_CLOCK_COLON$", "%1 pixels high, the clock digits are %2"},
    {"Check", "LANG_CHECK_PICTURE_NO_KEY$",
     "has no pixel of the transparent green 0x03e0, so it covers everything in its rectangle"},
    {"Check", "LANG_CHECK_PICTURE_ALL_KEY$",
     "every pixel is the transparent green, so nothing of it shows"},
    {"Check", "LANG_CHECK_LINE_NOT_ENDED$",
     "line %1 has no line end, so the handheld does not read it"},
    {"Check", "LANG_CHECK_UNKNOWN_SECTION$",
     "line %1: the section [%2] is unknown; the lines under it still count for the section before "
     "it"},
    {"Check", "LANG_CHECK_UNKNOWN_KEY$", "line %1: %2 is not a key of [%3] and is ignored"},
    {"Check", "LANG_CHECK_UNKNOWN_KEY_HINT$",
     "line %1: %2 is not a key of [%3] and is ignored; did you mean %4?"},
    {"Check", "LANG_CHECK_DUPLICATE_KEY$",
     "line %1: %2 is given again (first on line %3); the value on line %4 counts"},
    {"Check", "LANG_CHECK_VALUE_UNPARSABLE$", "line %1: \"%2\" is not a number; it is read as %3"},
    {"Check", "LANG_CHECK_COLOR_UNPARSABLE$",
     "line %1: \"%2\" is not a colour such as 0x7fff; it is read as %3"},
    {"Check", "LANG_CHECK_FLAG_NOT_BOOLEAN$",
     "line %1: %2 is a show flag and takes 0 or 1, not %3"},
    {"Check", "LANG_CHECK_VALUE_OUT_OF_RANGE$", "%1 is %2; the menu uses a value from %3 to %4"},
    {"Check", "LANG_CHECK_OFF_SCREEN_PARTLY$", "%1 at %2 reaches past the edge of the %3"},
    {"Check", "LANG_CHECK_OFF_SCREEN_WHOLLY$",
     "%1 at %2 lies wholly outside the %3; nothing of it shows"},
    {"Check", "LANG_CHECK_HIDDEN$", "%1 is wholly covered by %2"},
    {"Check", "LANG_CHECK_LOW_CONTRAST$",
     "text in %1 reaches only %2:1 against the pixels under it (%3); text needs at least 3:1"},
    {"Check", "LANG_CHECK_ARCHIVE_CASE_CLASH$",
     "the archive holds both %1 and %2; the card's file system takes them for one file"},
    {"Check", "LANG_CHECK_SUMMARY$", "%1 errors, %2 warnings, %3 notes"},
    {"Check", "LANG_SHEET_BY$", "by %1"},
    {"Check", "LANG_SHEET_UNTITLED$", "Untitled skin"},
    {"Check", "LANG_SHEET_SAVE$", "All screens to file..."},
    {"Check", "LANG_CHECK_PROBLEMS$", "Problems"},
    {"Check", "LANG_CHECK_SHOW_LIST$", "Problems list"},
    {"Check", "LANG_CHECK_NO_PROBLEMS$", "No problems"},
    {"Check", "LANG_CHECK_ONE_ERROR$", "1 error"},
    {"Check", "LANG_CHECK_ERRORS$", "%1 errors"},
    {"Check", "LANG_CHECK_ONE_WARNING$", "1 warning"},
    {"Check", "LANG_CHECK_WARNINGS$", "%1 warnings"},
    {"Check", "LANG_CHECK_BOTH$", "%1, %2"},
    // A problem's severity as a screen reader says it.
    {"Check", "LANG_CHECK_ERROR$", "Error"},
    {"Check", "LANG_CHECK_WARNING$", "Warning"},
    {"Check", "LANG_CHECK_NOTE$", "Note"},
    // The check of skins as published: one finding for every missing
    // picture, settings that later menus read, values that read as
    // something else than they say.
    {"Check", "LANG_CHECK_PICTURES_MISSING$",
     "%1 pictures are not in the skin: %2; the editor shows its built-in ones and writes those on "
     "save"},
    {"Check", "LANG_CHECK_PICTURE_OTHER_BMP$",
     "a BMP in another form than the plain 16-bit one the editor writes; it is converted to that "
     "when the skin is saved"},
    {"Check", "LANG_CHECK_LATER_VERSION$",
     "%1 settings for later versions of the menu, kept as they are"},
    {"Check", "LANG_CHECK_VALUE_EMPTY$", "line %1: %2 has no value; it is read as %3"},
    {"Check", "LANG_CHECK_OTHER_SECTION$",
     "line %1: %2 here sets [%3] %2: the handheld reads these lines as part of [%3]"},
    {"Check", "LANG_CHECK_COLOR_24BIT$",
     "line %1: \"%2\" is read as %3, not as %4, the 24-bit colour it looks like"},
};

constexpr std::size_t kKeyCount = std::size(kBuiltinTexts);

// Position of every key in kBuiltinTexts (and in InterfaceTexts::entries_).
const std::unordered_map<std::string_view, std::size_t>& keyIndex() {
  static const auto* index = [] {
    auto* map = new std::unordered_map<std::string_view, std::size_t>();
    for (std::size_t i = 0; i < kKeyCount; ++i) map->emplace(kBuiltinTexts[i].key, i);
    return map;
  }();
  return *index;
}

std::optional<std::size_t> indexOf(std::string_view key) {
  const auto& index = keyIndex();
  const auto it = index.find(key);
  if (it == index.end()) return std::nullopt;
  return it->second;
}

constexpr std::string_view kLanguageFileNames[] = {
    "t_chinese.ini", "s_chinese.ini", "spanish.ini", "francais.ini", "german.ini",
    "pbrasil.ini",   "italiano.ini",  "other.ini",   "japanese.ini",
};

}  // namespace

const std::vector<InterfaceTextGroup>& interfaceTextGroups() {
  static const auto* groups = [] {
    auto* list = new std::vector<InterfaceTextGroup>();
    for (const BuiltinText& entry : kBuiltinTexts) {
      if (list->empty() || list->back().name != entry.group) list->push_back({entry.group, {}});
      list->back().keys.push_back(entry.key);
    }
    return list;
  }();
  return *groups;
}

InterfaceTexts::InterfaceTexts() { resetToBuiltin(); }

const std::string& InterfaceTexts::text(std::string_view key) const {
  static const std::string empty;
  const auto i = indexOf(key);
  return i ? entries_[*i].second : empty;
}

void InterfaceTexts::set(std::string_view key, std::string value) {
  if (const auto i = indexOf(key)) entries_[*i].second = std::move(value);
}

void InterfaceTexts::resetToBuiltin() {
  entries_.clear();
  entries_.reserve(kKeyCount);
  for (const BuiltinText& entry : kBuiltinTexts) {
    entries_.emplace_back(std::string(entry.key), std::string(entry.text));
  }
}

std::string_view builtinInterfaceText(std::string_view key) {
  const auto i = indexOf(key);
  return i ? kBuiltinTexts[*i].text : std::string_view();
}

std::string_view missingSettingsMessage() { return "This skin has no uisettings.ini."; }

std::string_view languageFileName(int language) {
  if (language < 1 || language > 9) return {};
  return kLanguageFileNames[language - 1];
}

void loadInterfaceTexts(InterfaceTexts& texts, int language, const std::filesystem::path& base) {
  texts.resetToBuiltin();
  const std::string_view name = languageFileName(language);
  if (name.empty()) return;
  applyLanguageFile(texts, base / "language" / std::string(name));
}

bool applyLanguageFile(InterfaceTexts& texts, const std::filesystem::path& path) {
  const auto file = readTextFile(path);
  if (!file) return false;
  for (const InterfaceTextGroup& group : interfaceTextGroups()) {
    for (std::string_view key : group.keys) {
      if (auto value = file->find(group.name, key)) texts.set(key, std::move(*value));
    }
  }
  return true;
}
