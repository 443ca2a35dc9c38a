// uisettings.ini as its author wrote it. The model owns 170 settings; the
// skins people have carry many more (keys and sections that later versions
// of the menu read, comments, their own spacing and line ends). The text as
// read is kept beside the model, and a save writes it back with only the
// author's changes, so nothing of theirs is lost or reformatted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/skin_model.h"

// How the file's text is encoded: a file that is valid UTF-8 and holds
// something beyond ASCII (with or without a byte-order mark) is UTF-8; any
// other is the handheld's single-byte code page.
enum class SettingsEncoding { CodePage, Utf8 };
SettingsEncoding settingsEncodingOf(std::string_view bytes);

// 3 when `bytes` begin with a UTF-8 byte-order mark, else 0.
std::size_t utf8ByteOrderMarkLength(std::string_view bytes);

// The model's text fields as the file's encoding holds them, and back.
std::string settingsTextToUtf8(std::string_view bytes, SettingsEncoding encoding);
std::string utf8ToSettingsText(std::string_view text, SettingsEncoding encoding);

// The file as the model would write it with no stored text: every field, in
// the table's order, CR LF line ends, "[end]" last. LastUpdate as it stands.
std::string freshSettingsText(const SkinModel& model);

// The stored text with the model's changes: a line the model does not own
// is kept byte for byte; a field whose value equals what its line reads as
// keeps its line; a changed field rewrites only the line the reader takes
// it from (key spelling and blanks kept); a field the file lacks is added at
// the end of its section, or in a new section before "[end]". With no
// stored text, freshSettingsText.
std::string storedSettingsWithChanges(const SkinModel& model);

// A setting of the stored file that no model field owns (a key of a later
// version of the menu, or of a section the model does not know), in file
// order. Texts are UTF-8. `line` names the setting for the edits below and
// is valid until the stored text next changes.
struct OtherSetting {
  std::size_t line = 0;  // byte offset of its line in the stored text
  std::string section;   // header without brackets, as written ("calendar day")
  std::string key;       // as written, blanks around it removed
  std::string value;     // after the "=", blanks around it removed
};
std::vector<OtherSetting> otherSettings(const SkinModel& model);

// Whether a value reads as a colour of the handheld ("0x7fff", "0x1f").
bool readsAsColor(std::string_view value);

// Edits of those settings. Each changes only model.storedSettings (a new
// text; the old one may be shared by the edit history) and returns whether
// anything changed. A skin without stored text (the built-in one) first
// takes freshSettingsText.
bool setOtherSettingValue(SkinModel& model, std::size_t line, std::string_view value);
bool removeOtherSetting(SkinModel& model, std::size_t line);
// At the end of the section's last block in the file, or as a new section
// before "[end]". A section and key that name a model field set the field
// instead.
bool addOtherSetting(SkinModel& model, std::string_view section, std::string_view key,
                     std::string_view value);

// Any setting, known or not, as a script names it: a model field takes the
// value as the settings file would give it; another key already in the
// file takes it on its first line; a new key is added. Section and key
// match as the reader matches them (case and blanks ignored).
bool setSkinSetting(SkinModel& model, std::string_view section, std::string_view key,
                    std::string_view value);
