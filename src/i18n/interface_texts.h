// Every text the editor's own interface shows, by its LANG_...$ key, with
// built-in English texts and optional language files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct InterfaceTextGroup {
  std::string_view name;               // "Menu", "Panel", ...
  std::vector<std::string_view> keys;  // in the order they are read
};

// The six groups of the 160 original keys in file order, then the group
// "Editor" with the keys of what this editor adds.
const std::vector<InterfaceTextGroup>& interfaceTextGroups();

class InterfaceTexts {
 public:
  InterfaceTexts();  // every key holds its built-in text

  // The current text of `key`; empty for an unknown key.
  const std::string& text(std::string_view key) const;
  // Only the known keys hold texts; setting any other key does nothing.
  void set(std::string_view key, std::string value);
  void resetToBuiltin();

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

// The built-in text of a key (empty when the key is unknown).
std::string_view builtinInterfaceText(std::string_view key);

// Shown (titled with "LANG_ERROR$") when a skin has no uisettings.ini; no
// language file changes it.
std::string_view missingSettingsMessage();

// File name under "language/" for languages 1..9, empty otherwise.
std::string_view languageFileName(int language);

// Built-in texts, then the language file of `language` from `base` +
// "language/" (the current folder by default), when there is one.
void loadInterfaceTexts(InterfaceTexts& texts, int language,
                        const std::filesystem::path& base = ".");

// The texts a language file at `path` holds, over those in place; false
// when the file cannot be read.
bool applyLanguageFile(InterfaceTexts& texts, const std::filesystem::path& path);
