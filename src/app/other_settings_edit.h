// Edits of the settings of uisettings.ini that no model field owns (keys
// and sections of later versions of the menu), as changes for
// SkinSession::edit, and the "[section] key=value" notation scripts use to
// set any setting. They change the stored text (skin/stored_settings.h);
// an added or set key that names a model field sets the field.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/skin_session.h"
#include "skin/stored_settings.h"

// What an operation on the model changed: the fields whose values differ
// and whether the stored text does.
SkinChanges modelDifferences(const SkinModel& before, const SkinModel& after);

// Whether the parts make one well-formed settings line: a section that is
// not blank and holds no bracket or line end; a key that is not blank and
// holds no "=", no line end and no "[" or ";" in front (it would read as a
// header or a comment); a value without line ends.
bool validSettingSection(std::string_view section);
bool validSettingKey(std::string_view key);
bool validSettingValue(std::string_view value);

// The setting named `line` in `settings`, or nullptr when none is (a line
// taken before the stored text last changed).
const OtherSetting* findOtherSetting(const std::vector<OtherSetting>& settings, std::size_t line);

// "[section] key", as the history names a step.
std::string settingLabel(std::string_view section, std::string_view key);

// The changes. Each does nothing (and lists nothing) when `line` no longer
// names a setting, when a part would not make a well-formed line, or when
// the value is the one in place.
SkinSession::Change setOtherValue(std::size_t line, std::string value);
SkinSession::Change removeOther(std::size_t line);
SkinSession::Change addOther(std::string section, std::string key, std::string value);
// Any setting, known or not (setSkinSetting).
SkinSession::Change setAnySetting(std::string section, std::string key, std::string value);

// "[section] key=value", blanks around each part ignored; nothing when the
// text has no "[...]" in front, no "=", or a part that is not well-formed.
struct SettingAssignment {
  std::string section;
  std::string key;
  std::string value;
};
std::optional<SettingAssignment> parseSettingAssignment(std::string_view text);
