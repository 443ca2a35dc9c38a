// The INI-style text files of the editor itself (language files and the
// editor settings): groups in square brackets, "key = value" entries, ";"
// comments, UTF-8 with a byte-order mark or else Latin-1.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TextFile {
 public:
  TextFile() = default;

  // Never fails: whatever the bytes hold is read as far as it makes sense.
  // Text is held as UTF-8; malformed UTF-8 after a byte-order mark becomes
  // U+FFFD.
  static TextFile parse(std::string_view bytes);

  // The value of the first entry `key` between the first group line named
  // `group` and the next group line. Names compare without regard to case.
  // Entries standing before the first group line belong to no group and are
  // never found.
  std::optional<std::string> find(std::string_view group, std::string_view key) const;

  bool hasGroup(std::string_view group) const;

 private:
  struct Group {
    // Case-folded key -> value of its first entry in this group.
    std::unordered_map<std::string, std::string> entries;
  };
  std::vector<Group> groups_;
  // Case-folded name -> index of the first group line with that name.
  std::unordered_map<std::string, std::size_t> groupIndex_;
};

// Reads and parses a whole file; empty when it cannot be read.
std::optional<TextFile> readTextFile(const std::filesystem::path& path);

// Bytes in ISO 8859-1 to UTF-8: every byte is the character of its code.
std::string latin1ToUtf8(std::string_view bytes);

// UTF-8 with every malformed sequence replaced by U+FFFD.
std::string sanitizeUtf8(std::string_view bytes);

// The case-insensitive form of a name: ASCII and Latin-1 letters lowered.
std::string foldNameCase(std::string_view name);
