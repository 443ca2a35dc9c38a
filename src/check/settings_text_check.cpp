// The settings file as the handheld reads it: headers and keys match with
// blanks removed and case ignored, a header the reader does not know leaves
// the section before it in force, and a last line without a line end is
// never read.
#include <deque>
#include <map>
#include <optional>
#include <string>

#include "base/code_page.h"
#include "check/skin_check.h"
#include "skin/settings_file.h"

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string normalised(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != ' ') out += upper(c);
  return out;
}

std::string trimmed(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return std::string(text.substr(b, e - b));
}

struct KnownSection {
  std::string_view name;  // as the model names it
  std::string header;     // normalised "[NAME]"
};

const std::vector<KnownSection>& knownSections() {
  static const std::vector<KnownSection> sections = [] {
    std::vector<KnownSection> list;
    for (std::string_view s : skinSections())
      list.push_back({s, normalised("[" + std::string(s) + "]")});
    // The handheld's own misspelling, read as a second name of [close btn].
    list.push_back({"close btn", normalised("[clsoe btn]")});
    list.push_back({"end", normalised("[end]")});
    return list;
  }();
  return sections;
}

const SkinField* fieldOf(std::string_view section, const std::string& normalisedKey) {
  for (const SkinField& field : skinFields())
    if (field.section == section && normalised(field.key) == normalisedKey) return &field;
  return nullptr;
}

std::string nearestKey(std::string_view section, std::string_view key) {
  std::string best;
  int bestDistance = 0;
  for (const SkinField& field : skinFields()) {
    if (field.section != section) continue;
    const int d = editDistance(key, field.key);
    if (best.empty() || d < bestDistance) {
      best = std::string(field.key);
      bestDistance = d;
    }
  }
  const int limit = std::max<int>(1, static_cast<int>(key.size()) / 3);
  return bestDistance <= std::min(limit, 3) ? best : std::string();
}

bool isHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "0x" and one to four hexadecimal digits, blanks anywhere.
bool wellFormedColor(std::string_view value) {
  std::string v;
  for (char c : value)
    if (c != ' ') v += c;
  if (v.size() < 3 || v[0] != '0' || v[1] != 'x' || v.size() > 6) return false;
  for (std::size_t i = 2; i < v.size(); ++i)
    if (!isHex(v[i])) return false;
  return true;
}

bool isShowFlag(const SkinField& field) {
  return field.kind == FieldKind::Integer && (field.key == "show" || field.key == "titleshow");
}

struct Line {
  int number;
  std::string_view text;
  bool ended;
};

// Lines that held zero bytes are kept, cleaned, in `storage`, which must
// not move them: the lines returned point into it.
std::vector<Line> splitLines(std::string_view bytes, std::deque<std::string>& storage) {
  std::vector<Line> lines;
  std::size_t start = 0;
  int number = 1;
  while (start < bytes.size()) {
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    std::string_view text = bytes.substr(start, end - start);
    if (text.find('\0') != std::string_view::npos) {
      std::string clean;
      for (char c : text)
        if (c != '\0') clean += c;
      storage.push_back(std::move(clean));
      text = storage.back();
    }
    lines.push_back({number++, text, end < bytes.size()});
    if (end == bytes.size()) break;
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace

std::vector<Finding> checkSettingsText(std::string_view bytes, const InterfaceTexts& texts) {
  std::vector<Finding> findings;
  auto add = [&](Severity severity, std::string code, std::string_view section,
                 std::string_view key, int line, std::string message) {
    Finding f;
    f.severity = severity;
    f.code = std::move(code);
    f.file = "uisettings.ini";
    f.section = section;
    f.key = key;
    f.line = line;
    f.message = std::move(message);
    findings.push_back(std::move(f));
  };

  std::deque<std::string> storage;
  std::string_view current;  // section in force, empty before the first
  bool ended = false;
  std::map<std::pair<std::string_view, std::string_view>, int> firstLine;
  for (const Line& line : splitLines(bytes, storage)) {
    const std::string lineNo = std::to_string(line.number);
    const std::size_t eq = line.text.find('=');
    const std::string_view keyPart = line.text.substr(0, eq);
    const std::string key = normalised(keyPart);
    if (key.empty() || key[0] == ';' || key[0] == '#') continue;
    if (!line.ended && !ended && key != "[END]") {
      add(Severity::Warning, "line-not-ended", {}, {}, line.number,
          fillText(texts.text("LANG_CHECK_LINE_NOT_ENDED$"), {lineNo}));
      continue;
    }
    if (ended) continue;  // the reader stops at [end]
    if (key.front() == '[' && key.back() == ']') {
      const KnownSection* known = nullptr;
      for (const KnownSection& s : knownSections())
        if (s.header == key) known = &s;
      if (!known) {
        // Text from the file is in its code page; findings are UTF-8.
        const std::string name = cp1252ToUtf8(trimmed(
            keyPart.substr(keyPart.find('[') + 1, keyPart.rfind(']') - keyPart.find('[') - 1)));
        add(Severity::Warning, "unknown-section", name, {}, line.number,
            fillText(texts.text("LANG_CHECK_UNKNOWN_SECTION$"), {lineNo, name}));
        continue;
      }
      if (known->name == "end") {
        ended = true;
        continue;
      }
      current = known->name;
      continue;
    }
    if (eq == std::string_view::npos || current.empty()) continue;
    const SkinField* field = fieldOf(current, key);
    const std::string written = trimmed(keyPart);
    if (!field) {
      const std::string hint = nearestKey(current, written);
      const std::string writtenShown = cp1252ToUtf8(written);
      if (hint.empty())
        add(Severity::Warning, "unknown-key", current, writtenShown, line.number,
            fillText(texts.text("LANG_CHECK_UNKNOWN_KEY$"),
                     {lineNo, writtenShown, std::string(current)}));
      else
        add(Severity::Warning, "unknown-key", current, writtenShown, line.number,
            fillText(texts.text("LANG_CHECK_UNKNOWN_KEY_HINT$"),
                     {lineNo, writtenShown, std::string(current), hint}));
      continue;
    }
    const auto id = std::make_pair(field->section, field->key);
    if (const auto seen = firstLine.find(id); seen != firstLine.end()) {
      // [file handle menu] x and y keep their first value; everything else its last.
      const bool firstWins =
          field->section == "file handle menu" && (field->key == "x" || field->key == "y");
      add(Severity::Warning, "duplicate-key", field->section, field->key, line.number,
          fillText(texts.text("LANG_CHECK_DUPLICATE_KEY$"),
                   {lineNo, std::string(field->key), std::to_string(seen->second),
                    firstWins ? std::to_string(seen->second) : lineNo}));
    } else {
      firstLine.emplace(id, line.number);
    }

    std::string_view value = line.text.substr(eq + 1);
    if (field->kind == FieldKind::Text) continue;
    value = value.substr(0, value.find('='));
    const std::string raw = trimmed(value);
    const std::string shown = cp1252ToUtf8(raw);
    if (field->kind == FieldKind::ColorDs) {
      if (!wellFormedColor(value))
        add(Severity::Error, "value-unparsable", field->section, field->key, line.number,
            fillText(texts.text("LANG_CHECK_COLOR_UNPARSABLE$"),
                     {lineNo, shown, colorToText(colorFromText(raw))}));
      continue;
    }
    const SettingsInteger read = readSettingsInteger(value);
    if (!read.digits || read.trailing) {
      // Nothing numeric at all loses the value; a number with something
      // after it is read as the number.
      add(read.digits ? Severity::Warning : Severity::Error, "value-unparsable", field->section,
          field->key, line.number,
          fillText(texts.text("LANG_CHECK_VALUE_UNPARSABLE$"),
                   {lineNo, shown, std::to_string(read.value)}));
      continue;
    }
    if (isShowFlag(*field) && read.value != 0 && read.value != 1)
      add(Severity::Warning, "flag-not-boolean", field->section, field->key, line.number,
          fillText(texts.text("LANG_CHECK_FLAG_NOT_BOOLEAN$"),
                   {lineNo, std::string(field->key), shown}));
  }
  return findings;
}
