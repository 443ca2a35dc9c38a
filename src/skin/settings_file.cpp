#include "skin/settings_file.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

#include "base/code_page.h"
#include "base/file_io.h"
#include "skin/stored_settings.h"

namespace {

// A key part longer than this matches no header and no key, so the
// reader never builds more of it (a line can be megabytes long).
constexpr std::size_t kLongestKeyPart = 64;

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Blanks (spaces only, tabs stay) removed, upper-cased. Only ASCII letters
// change case: no character of the code page upper-cases to an ASCII
// letter, so matching against the ASCII headers and keys is unaffected.
// Returns false when the result would exceed kLongestKeyPart.
bool normalise(std::string_view text, std::string& out) {
  out.clear();
  for (char c : text) {
    if (c == ' ') continue;
    if (out.size() == kLongestKeyPart) return false;
    out += upperAscii(c);
  }
  return true;
}

std::string normalised(std::string_view text) {
  std::string out;
  normalise(text, out);
  return out;
}

struct KeyEntry {
  std::string upperKey;
  const SkinField* field;
};

using KeySet = std::vector<KeyEntry>;

struct KnownHeader {
  std::string normalisedHeader;
  const KeySet* keys;
};

struct PassTable {
  std::vector<KnownHeader> headers;
  std::vector<KeySet> keySets;  // owned here, pointed to by `headers`
};

KeySet keySetOf(std::string_view section, bool colours) {
  KeySet keys;
  for (const SkinField& field : skinFields()) {
    if (field.section != section) continue;
    if ((field.kind == FieldKind::ColorDs) != colours) continue;
    keys.push_back({normalised(field.key), &field});
  }
  return keys;
}

std::string headerOf(std::string_view section) {
  return normalised("[" + std::string(section) + "]");
}

// The sections of later versions of the menu are headers with no keys of
// ours: their x, y and show must not be taken for the section above them.
void addLaterMenuHeaders(PassTable& t) {
  t.keySets.emplace_back();
  for (std::string_view section : laterMenuSections())
    t.headers.push_back({headerOf(section), &t.keySets.back()});
}

// The element pass knows every header except "[global settings]", the
// misspelt "[clsoe btn]" as a second name of "[close btn]", and "[end]",
// after which it reads nothing more.
const PassTable& elementTable() {
  static const PassTable table = [] {
    PassTable t;
    const std::vector<std::string_view>& sections = skinSections();
    t.keySets.reserve(sections.size() + 2);
    for (std::string_view section : sections) {
      if (section == "global settings") continue;
      t.keySets.push_back(keySetOf(section, false));
      t.headers.push_back({headerOf(section), &t.keySets.back()});
      if (section == "close btn") t.headers.push_back({headerOf("clsoe btn"), &t.keySets.back()});
    }
    t.keySets.emplace_back();
    t.headers.push_back({headerOf("end"), &t.keySets.back()});
    addLaterMenuHeaders(t);
    return t;
  }();
  return table;
}

// The colour pass knows only the sections that hold colours.
const PassTable& colorTable() {
  static const PassTable table = [] {
    PassTable t;
    const std::vector<std::string_view>& sections = skinSections();
    t.keySets.reserve(sections.size() + 1);
    for (std::string_view section : sections) {
      KeySet keys = keySetOf(section, true);
      if (keys.empty()) continue;
      t.keySets.push_back(std::move(keys));
      t.headers.push_back({headerOf(section), &t.keySets.back()});
    }
    addLaterMenuHeaders(t);
    return t;
  }();
  return table;
}

const KeySet* knownHeader(const PassTable& table, std::string_view key) {
  if (!key.starts_with('[')) return nullptr;
  for (const KnownHeader& header : table.headers)
    if (header.normalisedHeader == key) return header.keys;
  return nullptr;
}

// Calls `act` with every line that a CR, an LF or a CR LF ends, zero bytes
// left out, and where its bytes lie. A last line without an end is not
// acted on. A byte-order mark, which editors put before the first header,
// is not part of the first line. Lines without zero bytes are handed over
// in place; the others are gathered in one reused buffer, so the cost stays
// linear however long a line is.
template <class Act>
void forEachLine(std::span<const std::uint8_t> bytes, Act act) {
  const char* data = reinterpret_cast<const char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::string gathered;
  std::size_t start = utf8ByteOrderMarkLength(std::string_view(data, size));
  while (start < size) {
    std::size_t end = start;
    bool hasZero = false;
    while (end < size && data[end] != '\r' && data[end] != '\n') {
      hasZero |= data[end] == '\0';
      ++end;
    }
    if (end == size) return;
    std::string_view line(data + start, end - start);
    if (hasZero) {
      gathered.clear();
      for (char c : line)
        if (c != '\0') gathered += c;
      line = gathered;
    }
    act(line, SettingsLineSpan{start, end});
    start = end + 1;
    if (data[end] == '\r' && start < size && data[start] == '\n') ++start;
  }
}

// Text between the first "=" and the next "=" (or the line's end); empty
// when the line holds no "=".
std::string_view valuePart(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {};
  std::string_view rest = line.substr(eq + 1);
  return rest.substr(0, rest.find('='));
}

std::string_view textValue(std::string_view line) {
  const std::size_t eq = line.find('=');
  return eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1);
}

std::string_view keyPartOf(std::string_view line) { return line.substr(0, line.find('=')); }

int digitValue(char c, int base) {
  int d = -1;
  if (c >= '0' && c <= '9')
    d = c - '0';
  else if (c >= 'a' && c <= 'f')
    d = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    d = c - 'A' + 10;
  return d >= 0 && d < base ? d : -1;
}

std::int32_t parseInteger(std::string_view text) { return readSettingsInteger(text).value; }

// The "[SkinInfo]" rule that strips one leading blank from each info text
// per line runs once per line; doing it with erase() would be quadratic in
// a long text, so the blanks are counted and removed once at the end.
class InfoBlankTrim {
 public:
  explicit InfoBlankTrim(SkinModel& model)
      : texts_{&model.skinInfo.Title, &model.skinInfo.Author, &model.skinInfo.eMail,
               &model.skinInfo.Url, &model.skinInfo.LastUpdate} {}

  void assigned(const std::string* text) {
    for (std::size_t i = 0; i < texts_.size(); ++i)
      if (texts_[i] == text) skipped_[i] = 0;
  }

  void trimOnce() {
    for (std::size_t i = 0; i < texts_.size(); ++i)
      if (skipped_[i] < texts_[i]->size() && (*texts_[i])[skipped_[i]] == ' ') ++skipped_[i];
  }

  void finish() {
    for (std::size_t i = 0; i < texts_.size(); ++i) texts_[i]->erase(0, skipped_[i]);
  }

 private:
  std::array<std::string*, 5> texts_;
  std::array<std::size_t, 5> skipped_{};
};

}  // namespace

// Optional sign, then "$" hex, "%" binary or decimal, read in 64 bits;
// the field takes the low 32 bits as a signed number.
SettingsInteger readSettingsInteger(std::string_view text) {
  SettingsInteger read;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i < text.size() && text[i] == '%') {
    base = 2;
    ++i;
  }
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int d = digitValue(text[i], base);
    if (d < 0) break;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    read.digits = true;
  }
  for (; i < text.size(); ++i)
    if (text[i] != ' ' && text[i] != '\t') read.trailing = true;
  if (negative) value = 0 - value;
  read.value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  return read;
}

namespace {

// Notes the line each field's value was taken from, when asked to.
void noteOwner(SettingsOwners* owners, const SkinField& field, SettingsLineSpan span) {
  if (owners) (*owners)[static_cast<std::size_t>(&field - skinFields().data())] = span;
}

void readElements(SkinModel& model, std::span<const std::uint8_t> bytes, SettingsOwners* owners) {
  const PassTable& table = elementTable();
  const KeySet* skinInfoKeys = knownHeader(table, headerOf("SkinInfo"));
  const SettingsEncoding encoding = settingsEncodingOf(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  std::int32_t& menuX = model.fileHandleMenu.x;
  std::int32_t& menuY = model.fileHandleMenu.y;

  // -1 marks "[file handle menu]" x and y as not read yet: there the first
  // value wins, unlike everywhere else.
  menuX = -1;
  menuY = -1;
  InfoBlankTrim trim(model);
  const KeySet* current = nullptr;
  std::string key;

  forEachLine(bytes, [&](std::string_view line, SettingsLineSpan span) {
    const bool keyFits = normalise(keyPartOf(line), key);
    if (keyFits) {
      if (const KeySet* header = knownHeader(table, key)) current = header;
      if (current) {
        for (const KeyEntry& entry : *current) {
          if (entry.upperKey != key) continue;
          const SkinField& field = *entry.field;
          if (field.kind == FieldKind::Text) {
            std::string* text = field.text(model);
            *text = settingsTextToUtf8(textValue(line), encoding);
            trim.assigned(text);
          } else if (field.kind == FieldKind::Integer) {
            std::int32_t* target = field.integer(model);
            if ((target == &menuX || target == &menuY) && *target != -1) break;
            *target = parseInteger(valuePart(line));
          }
          noteOwner(owners, field, span);
          break;
        }
      }
    }
    if (current == skinInfoKeys) trim.trimOnce();
  });

  trim.finish();
  if (menuX == -1) menuX = 0;
  if (menuY == -1) menuY = 0;
}

void readColors(SkinModel& model, std::span<const std::uint8_t> bytes, SettingsOwners* owners) {
  const PassTable& table = colorTable();
  const KeySet* current = nullptr;
  std::string key;

  forEachLine(bytes, [&](std::string_view line, SettingsLineSpan span) {
    if (!normalise(keyPartOf(line), key)) return;
    if (const KeySet* header = knownHeader(table, key)) current = header;
    if (!current) return;
    for (const KeyEntry& entry : *current) {
      if (entry.upperKey != key) continue;
      std::string value;
      for (char c : valuePart(line))
        if (c != ' ') value += c;
      *entry.field->color(model) = colorFromText(cp1252ToUtf8(value));
      noteOwner(owners, *entry.field, span);
      break;
    }
  });
}

}  // namespace

void readSkinElements(SkinModel& model, std::span<const std::uint8_t> bytes) {
  readElements(model, bytes, nullptr);
}

void readSkinColors(SkinModel& model, std::span<const std::uint8_t> bytes) {
  readColors(model, bytes, nullptr);
}

void readSkinSettings(SkinModel& model, std::span<const std::uint8_t> bytes) {
  readElements(model, bytes, nullptr);
  readColors(model, bytes, nullptr);
  model.storedSettings = std::make_shared<const std::string>(
      reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

SettingsOwners readSkinSettingsOwners(SkinModel& model, std::string_view bytes) {
  SettingsOwners owners(skinFields().size());
  const std::span<const std::uint8_t> span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                           bytes.size());
  readElements(model, span, &owners);
  readColors(model, span, &owners);
  return owners;
}

const std::vector<std::string_view>& laterMenuSections() {
  static const std::vector<std::string_view> sections{
      "battery icon",     "volume icon",     "small clock",    "cheat menu",    "calendar weekday",
      "calendar month 2", "calendar dayx 2", "loading screen", "calendar dayx", "animation",
      "battery",          "textview",        "updata btn",     "big Batery"};
  return sections;
}

std::vector<std::uint8_t> writeSkinSettings(SkinModel& model, const SettingsClock& clock) {
  model.skinInfo.LastUpdate = clock ? clock() : localLastUpdateText();
  std::string text = storedSettingsWithChanges(model);
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  // What is on disk now is what later saves and edits start from.
  if (model.storedSettings)
    model.storedSettings = std::make_shared<const std::string>(std::move(text));
  return bytes;
}
