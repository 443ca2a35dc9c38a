// The settings file as the handheld reads it: headers and keys match with
// blanks removed and case ignored, a header the reader does not know leaves
// the section before it in force, and a last line without a line end is
// never read. A UTF-8 byte-order mark at the very start is skipped, and the
// sections and keys that later versions of the menu read are known: they
// are neither typos nor part of the section before them.
#include <deque>
#include <map>
#include <optional>
#include <string>

#include "base/code_page.h"
#include "check/skin_check.h"
#include "skin/settings_file.h"
#include "skin/stored_settings.h"

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
  bool later = false;     // read only by later versions of the menu: no key of ours
};

// Keys that later versions read in sections we know, misspellings that
// published skins carry included (hightlightColor, listViewVarColor2).
struct LaterKey {
  std::string_view section;
  std::string_view key;
};
constexpr LaterKey kLaterKeys[] = {
    {"global settings", "popMenuBarColor"},
    {"global settings", "listViewBarColor1"},
    {"global settings", "listViewBarColor2"},
    {"global settings", "listViewVarColor2"},
    {"global settings", "spinBoxTextHiLightColor"},
    {"global settings", "fps"},
    {"global settings", "frames"},
    {"global settings", "showBar"},
    {"global settings", "barYpos"},
    {"calendar day", "dw"},
    {"calendar day", "dh"},
    {"calendar day", "highlightColor"},
    {"calendar day", "hightlightColor"},
    {"start menu", "itemWidth"},
    {"start menu", "barLeft"},
    {"start menu", "showFileOperations"},
    {"start menu", "textColor"},
    {"start menu", "textColorHilight"},
    {"start menu", "selectionBarColor1"},
    {"start menu", "selectionBarColor2"},
    {"main list", "selectionBarOpacity"},
    {"main list", "showSelectionBarBg"},
    {"main list", "x"},
    {"main list", "y"},
    {"main list", "show"},
    {"main list", "screen"},
    {"start button", "show"},
    {"start button", "text"},
    {"disk icon", "selectionBarColor1"},
    {"disk icon", "selectionBarColor2"},
    {"disk icon", "textColorHilight"},
    {"setting window", "simpleTabs"},
    {"brightness btn", "show"},
};

bool isLaterKey(std::string_view section, const std::string& normalisedKey) {
  for (const LaterKey& k : kLaterKeys)
    if (k.section == section && normalised(k.key) == normalisedKey) return true;
  return false;
}

bool hasColors(std::string_view section) {
  for (const SkinField& field : skinFields())
    if (field.section == section && field.kind == FieldKind::ColorDs) return true;
  return false;
}

const std::vector<KnownSection>& knownSections() {
  static const std::vector<KnownSection> sections = [] {
    std::vector<KnownSection> list;
    for (std::string_view s : skinSections())
      list.push_back({s, normalised("[" + std::string(s) + "]")});
    // The handheld's own misspelling, read as a second name of [close btn].
    list.push_back({"close btn", normalised("[clsoe btn]")});
    list.push_back({"end", normalised("[end]")});
    // The reader's own list, so that both end the section above them alike.
    for (std::string_view s : laterMenuSections())
      list.push_back({s, normalised("[" + std::string(s) + "]"), true});
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

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// What a colour as written evidently means: a ColorDS number ("0x7fff",
// "0x00a", "0", "$7fff") or, with exactly six digits, the 24-bit colour
// RRGGBB of paint programs ("ffffff", "#ff0000"). Blanks do not count.
struct ColorMeaning {
  bool known = false;
  Color color = 0;
  bool rgb = false;   // read as RRGGBB
  bool tail = false;  // something followed the digits
};

ColorMeaning colorMeaning(std::string_view value) {
  std::string v;
  for (char c : value)
    if (c != ' ' && c != '\t') v += c;
  std::size_t i = 0;
  if (v.size() >= 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X'))
    i = 2;
  else if (!v.empty() && (v[0] == '#' || v[0] == '$'))
    i = 1;
  const std::size_t first = i;
  while (i < v.size() && hexValue(v[i]) >= 0) ++i;
  ColorMeaning m;
  const std::string_view digits = std::string_view(v).substr(first, i - first);
  m.tail = i < v.size();
  if (digits.empty()) return m;
  if (digits.size() == 6) {
    auto channel = [&](std::size_t at) {
      return static_cast<Color>(hexValue(digits[at]) * 16 + hexValue(digits[at + 1])) & 0xF8;
    };
    m.known = m.rgb = true;
    m.color = channel(0) + (channel(2) << 8) + (channel(4) << 16);
    return m;
  }
  const std::size_t significant = digits.find_first_not_of('0');
  if (significant != std::string_view::npos && digits.size() - significant > 4) return m;
  std::uint32_t number = 0;
  for (char c : digits) number = number * 16 + static_cast<std::uint32_t>(hexValue(c));
  m.known = true;
  m.color = (number & 31) * 8 + ((number >> 5) & 31) * 8 * 256 + ((number >> 10) & 31) * 8 * 65536;
  return m;
}

// The colour as the settings reader takes it: blanks (not tabs) removed,
// then ColorDS text.
Color colorAsRead(std::string_view value) {
  std::string v;
  for (char c : value)
    if (c != ' ') v += c;
  return colorFromText(cp1252ToUtf8(v));
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

  // Text quoted from the file is in its encoding; findings are UTF-8.
  const SettingsEncoding encoding = settingsEncodingOf(bytes);
  auto shownText = [&](std::string_view text) { return settingsTextToUtf8(text, encoding); };
  // Editors that save "UTF-8 with BOM" put one before the first header;
  // the reader skips it, and so the first header is read.
  bytes.remove_prefix(utf8ByteOrderMarkLength(bytes));

  std::deque<std::string> storage;
  std::string_view current;  // section in force, empty before the first
  bool currentIsLater = false;
  // The reader goes over the file twice, for numbers and texts and for
  // colours, and each pass knows only the headers of sections it has keys
  // for: under [global settings] the first pass, under a section without
  // colours the second, still reads into the section before. Empty: none.
  std::string_view elementPass, colorPass;
  bool ended = false;
  int laterSettings = 0;
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
        const std::string name = shownText(trimmed(
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
      currentIsLater = known->later;
      if (known->later) {
        elementPass = colorPass = {};
      } else {
        if (current != "global settings") elementPass = current;
        if (hasColors(current)) colorPass = current;
      }
      continue;
    }
    if (eq == std::string_view::npos || current.empty()) continue;
    if (currentIsLater) {
      ++laterSettings;
      continue;
    }
    const SkinField* field = fieldOf(current, key);
    const std::string written = trimmed(keyPart);
    if (!field) {
      // A key the section lacks may still be one of the section that a
      // pass reads these lines for.
      const SkinField* elsewhere = nullptr;
      for (const auto& [pass, colors] : {std::pair{elementPass, false}, std::pair{colorPass, true}})
        if (!pass.empty() && pass != current)
          if (const SkinField* f = fieldOf(pass, key);
              f && (f->kind == FieldKind::ColorDs) == colors)
            elsewhere = f;
      if (elsewhere)
        add(Severity::Warning, "counts-for-other-section", current, shownText(written), line.number,
            fillText(texts.text("LANG_CHECK_OTHER_SECTION$"),
                     {lineNo, std::string(elsewhere->key), std::string(elsewhere->section)}));
      if (isLaterKey(current, key)) {
        ++laterSettings;
        continue;
      }
      if (elsewhere) continue;
      const std::string hint = nearestKey(current, written);
      const std::string writtenShown = shownText(written);
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
    const std::string shown = shownText(raw);
    const std::string fieldKey(field->key);
    if (field->kind == FieldKind::ColorDs) {
      const Color read = colorAsRead(value);
      if (raw.empty()) {
        add(Severity::Warning, "value-unparsable", field->section, field->key, line.number,
            fillText(texts.text("LANG_CHECK_VALUE_EMPTY$"), {lineNo, fieldKey, colorToText(read)}));
        continue;
      }
      // Only a colour that reads as something else than it evidently means
      // breaks the skin: "0" is black and "ffffff" white, as written.
      const ColorMeaning meant = colorMeaning(value);
      if (meant.known && meant.rgb && meant.color != read)
        add(Severity::Error, "value-unparsable", field->section, field->key, line.number,
            fillText(texts.text("LANG_CHECK_COLOR_24BIT$"),
                     {lineNo, shown, colorToText(read), colorToText(meant.color)}));
      else if (!meant.known || meant.color != read || meant.tail)
        add(meant.known && meant.color == read ? Severity::Warning : Severity::Error,
            "value-unparsable", field->section, field->key, line.number,
            fillText(texts.text("LANG_CHECK_COLOR_UNPARSABLE$"),
                     {lineNo, shown, colorToText(read)}));
      continue;
    }
    const SettingsInteger read = readSettingsInteger(value);
    if (raw.empty()) {
      add(Severity::Warning, "value-unparsable", field->section, field->key, line.number,
          fillText(texts.text("LANG_CHECK_VALUE_EMPTY$"),
                   {lineNo, fieldKey, std::to_string(read.value)}));
      continue;
    }
    if (!read.digits || read.trailing) {
      // A word where a number belongs ("file=none") is read as 0, which
      // published skins rely on; a number with something after it is read
      // as the number. Either may be a slip, neither breaks the skin.
      add(Severity::Warning, "value-unparsable", field->section, field->key, line.number,
          fillText(texts.text("LANG_CHECK_VALUE_UNPARSABLE$"),
                   {lineNo, shown, std::to_string(read.value)}));
      continue;
    }
    if (isShowFlag(*field) && read.value != 0 && read.value != 1)
      add(Severity::Warning, "flag-not-boolean", field->section, field->key, line.number,
          fillText(texts.text("LANG_CHECK_FLAG_NOT_BOOLEAN$"),
                   {lineNo, std::string(field->key), shown}));
  }
  if (laterSettings > 0)
    add(Severity::Note, "later-version-settings", {}, {}, 0,
        fillText(texts.text("LANG_CHECK_LATER_VERSION$"), {std::to_string(laterSettings)}));
  return findings;
}
