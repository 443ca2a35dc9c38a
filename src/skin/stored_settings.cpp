#include "skin/stored_settings.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "base/code_page.h"
#include "skin/settings_file.h"

namespace {

// One line of the stored text: its characters from `start` to `end`, its
// line end from `end` to `next` (empty for a last line without one).
struct Line {
  std::size_t start = 0;
  std::size_t end = 0;
  std::size_t next = 0;
  bool ended() const { return next > end; }
};

// Every line, the last one without a line end included, split as the
// reader splits them.
template <class Visit>
void forEachLine(std::string_view text, Visit visit) {
  std::size_t start = utf8ByteOrderMarkLength(text);
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::size_t next = end;
    if (next < text.size()) {
      next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
    }
    visit(Line{start, end, next});
    start = next;
  }
}

std::string_view lineText(std::string_view text, const Line& line) {
  return text.substr(line.start, line.end - line.start);
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// As the reader compares headers and keys: blanks (and the zero bytes it
// never sees) out, ASCII upper-cased.
std::string normalised(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == ' ' || c == '\0') continue;
    out += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return out;
}

bool isBlank(std::string_view line) { return trimmed(line).empty(); }

// The section a header line opens, as written between its brackets; none
// for a line that is not a header.
std::optional<std::string_view> headerName(std::string_view line) {
  const std::string_view text = trimmed(line);
  if (text.size() < 2 || text.front() != '[') return std::nullopt;
  const std::size_t close = text.rfind(']');
  if (close == std::string_view::npos || close == 0) return std::nullopt;
  return trimmed(text.substr(1, close - 1));
}

// The model's section a normalised section name stands for, if any
// ("CLSOEBTN" is the close button's second name).
std::optional<std::string_view> modelSection(const std::string& name) {
  if (name == "CLSOEBTN") return "close btn";
  for (std::string_view section : skinSections())
    if (normalised(section) == name) return section;
  return std::nullopt;
}

const SkinField* fieldNamed(std::string_view section, std::string_view key) {
  const std::optional<std::string_view> known = modelSection(normalised(section));
  if (!known) return nullptr;
  const std::string upperKey = normalised(key);
  for (const SkinField& field : skinFields())
    if (field.section == *known && normalised(field.key) == upperKey) return &field;
  return nullptr;
}

std::string valueText(const SkinModel& model, const SkinField& field, SettingsEncoding encoding) {
  switch (field.kind) {
    case FieldKind::Text: {
      // A CR or LF inside a text would end the line and let the rest of the
      // text pose as headers and keys, so each is written as a blank.
      std::string text = utf8ToSettingsText(*field.readText(model), encoding);
      std::replace_if(
          text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
      return text;
    }
    case FieldKind::ColorDs:
      return colorToText(*field.readColor(model));
    case FieldKind::Integer:
      return std::to_string(*field.readInteger(model));
  }
  return {};
}

// `line` with a new value after its "=": the key as the author spelt it
// stays, and so do the blanks around the value unless the value is a text,
// whose blanks are its own.
std::string withValue(std::string_view line, std::string_view value, bool keepBlanks) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::string(line) + "=" + std::string(value);
  const std::string_view rest = line.substr(eq + 1);
  const std::size_t first = rest.find_first_not_of(" \t");
  std::string out(line.substr(0, eq + 1));
  if (keepBlanks) out += rest.substr(0, first == std::string_view::npos ? rest.size() : first);
  out += value;
  if (keepBlanks && first != std::string_view::npos)
    out += rest.substr(rest.find_last_not_of(" \t") + 1);
  return out;
}

// A line end to give new lines: the file's first, or CR LF.
std::string fileLineEnd(std::string_view text) {
  const std::size_t at = text.find_first_of("\r\n");
  if (at == std::string_view::npos) return "\r\n";
  if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') return "\r\n";
  return std::string(1, text[at]);
}

// The normalised name between the brackets of a line the reader may take
// for a header, known or not.
std::optional<std::string> bracketedName(std::string_view line) {
  // The reader never sees zero bytes, so a header written in UTF-16 is one
  // to it. No header is long, but a line can be megabytes: stop once the
  // key part outgrows the longest header.
  std::string key;
  for (char c : line.substr(0, line.find('='))) {
    if (c == ' ' || c == '\0') continue;
    if (key.size() == 64) return std::nullopt;
    key += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  if (key.size() < 2 || key.front() != '[' || key.back() != ']') return std::nullopt;
  return key.substr(1, key.size() - 2);
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The section a line opens for the reader: the normalised name of one of
// the model's sections, "END", a later menu's section, or none.
std::optional<std::string> readerHeader(std::string_view line) {
  static const std::vector<std::string> known = [] {
    std::vector<std::string> names{"CLSOEBTN", "END"};
    for (std::string_view section : skinSections()) names.push_back(normalised(section));
    for (std::string_view section : laterMenuSections()) names.push_back(normalised(section));
    return names;
  }();
  std::optional<std::string> name = bracketedName(line);
  if (!name || !contains(known, *name)) return std::nullopt;
  return *name == "CLSOEBTN" ? normalised("close btn") : name;
}

// Whether the colour pass changes section at this line. It knows only the
// sections that hold colours and those of later menus, and not "[end]":
// lines after "[end]" are read as the section above it.
bool colorPassHeader(std::string_view line) {
  static const std::vector<std::string> known = [] {
    std::vector<std::string> names;
    for (const SkinField& field : skinFields())
      if (field.kind == FieldKind::ColorDs && !contains(names, normalised(field.section)))
        names.push_back(normalised(field.section));
    for (std::string_view section : laterMenuSections()) names.push_back(normalised(section));
    return names;
  }();
  const std::optional<std::string> name = bracketedName(line);
  return name && contains(known, *name);
}

// Where new lines go in the stored text: after the last line that is not
// blank of each section's last block, and before "[end]". A block starts
// at a header the reader knows and ends at the next line that looks like
// any header, so what is added there is read as that section's. A last
// line without a line end is never read; it stays last, and stays unread.
struct InsertPoints {
  std::vector<std::pair<std::string, Line>> sectionEnds;  // normalised name, last line
  std::optional<Line> endHeader;
  // The colour pass's header in force at "[end]", and whether lines after
  // "[end]" are read under it: sections added before "[end]" must hand
  // those lines back to it.
  std::optional<Line> colorHeaderAtEnd;
  bool colorReadAfterEnd = false;
  std::size_t tail = 0;        // where lines at the end of the file go
  bool tailAfterBlank = true;  // the line before `tail` is empty, or there is none
  const Line* sectionEnd(const std::string& name) const {
    for (const auto& [section, line] : sectionEnds)
      if (section == name) return &line;
    return nullptr;
  }
};

InsertPoints insertPointsOf(std::string_view text) {
  InsertPoints points;
  points.tail = text.size();
  std::size_t current = std::string::npos;  // index into sectionEnds
  bool afterEndUnderColorHeader = false;
  auto enter = [&](const std::string& name, const Line& header) {
    current = points.sectionEnds.size();
    for (std::size_t i = 0; i < points.sectionEnds.size(); ++i)
      if (points.sectionEnds[i].first == name) current = i;
    if (current == points.sectionEnds.size())
      points.sectionEnds.emplace_back(name, header);
    else
      points.sectionEnds[current].second = header;
  };
  forEachLine(text, [&](const Line& line) {
    if (!line.ended()) {
      points.tail = line.start;
      return;
    }
    const std::string_view content = lineText(text, line);
    points.tailAfterBlank = isBlank(content);
    if (colorPassHeader(content)) {
      if (!points.endHeader) points.colorHeaderAtEnd = line;
      afterEndUnderColorHeader = false;
    } else if (afterEndUnderColorHeader && !points.tailAfterBlank) {
      points.colorReadAfterEnd = true;
    }
    if (const std::optional<std::string> name = readerHeader(content)) {
      if (*name == "END" && !points.endHeader) afterEndUnderColorHeader = true;
      if (*name == "END" && !points.endHeader) points.endHeader = line;
      enter(*name, line);
    } else if (const std::optional<std::string_view> other = headerName(content)) {
      // Other sections by their name as written, apart from the reader's.
      enter("?" + normalised(*other), line);
    } else if (current != std::string::npos && !points.tailAfterBlank) {
      points.sectionEnds[current].second = line;
    }
  });
  return points;
}

// Builds the new text from the old one by replacing and inserting at byte
// positions. Insertions at one position keep the order they were made in.
class TextEdits {
 public:
  void replace(std::size_t start, std::size_t end, std::string text) {
    edits_.push_back({start, end, std::move(text), edits_.size()});
  }
  void insert(std::size_t at, std::string text) { replace(at, at, std::move(text)); }

  std::string applyTo(std::string_view text) {
    std::sort(edits_.begin(), edits_.end(), [](const Edit& a, const Edit& b) {
      return a.start != b.start ? a.start < b.start : a.order < b.order;
    });
    std::string out;
    out.reserve(text.size() + 1024);
    std::size_t at = 0;
    for (const Edit& edit : edits_) {
      out.append(text.substr(at, edit.start - at));
      out += edit.text;
      at = std::max(at, edit.end);
    }
    out.append(text.substr(at));
    return out;
  }

 private:
  struct Edit {
    std::size_t start;
    std::size_t end;
    std::string text;
    std::size_t order;
  };
  std::vector<Edit> edits_;
};

// New lines after `anchor`, each ended as the anchor is.
void insertAfter(TextEdits& edits, std::string_view text, const Line& anchor,
                 const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  const std::string end(text.substr(anchor.end, anchor.next - anchor.end));
  std::string block;
  for (const std::string& line : lines) block += line + end;
  edits.insert(anchor.next, std::move(block));
}

// Whole sections, each followed by an empty line, before "[end]", or at the
// end of the file after an empty line of their own. `tailGrew`: key lines
// were added at the end of the file just before.
void insertSections(TextEdits& edits, std::string_view text, const InsertPoints& points,
                    const std::vector<std::string>& lines, bool tailGrew = false) {
  if (lines.empty()) return;
  const std::string end = fileLineEnd(text);
  std::string block;
  if (!points.endHeader && (tailGrew || !points.tailAfterBlank)) block += end;
  for (const std::string& line : lines) block += line + end;
  const bool colorSectionAdded = std::any_of(lines.begin(), lines.end(), colorPassHeader);
  if (points.endHeader && points.colorReadAfterEnd && colorSectionAdded) {
    // Without a header of its own before "[end]" the colour pass read
    // nothing after it; an empty section of a later menu keeps it so.
    block += points.colorHeaderAtEnd ? std::string(lineText(text, *points.colorHeaderAtEnd))
                                     : "[" + std::string(laterMenuSections().front()) + "]";
    block += end;
  }
  edits.insert(points.endHeader ? points.endHeader->start : points.tail, std::move(block));
}

std::shared_ptr<const std::string> textOf(const SkinModel& model) {
  if (model.storedSettings) return model.storedSettings;
  return std::make_shared<const std::string>(freshSettingsText(model));
}

// The model's fields as `text` alone gives them, and where each came from.
struct ReadBack {
  SkinModel model;
  SettingsOwners owners;
};
ReadBack readBack(std::string_view text) {
  ReadBack read;
  resetSkinModel(read.model);
  read.owners = readSkinSettingsOwners(read.model, text);
  return read;
}

bool sameFields(const SkinModel& a, const SkinModel& b) {
  for (const SkinField& field : skinFields())
    if (!sameFieldValue(field, a, b)) return false;
  return true;
}

bool isSettingLine(std::string_view content) {
  const std::string_view text = trimmed(content);
  if (text.empty() || text.front() == ';' || text.front() == '#' || text.front() == '[')
    return false;
  const std::size_t eq = text.find('=');
  return eq != std::string_view::npos && !trimmed(text.substr(0, eq)).empty();
}

std::optional<Line> lineAt(std::string_view text, std::size_t start) {
  std::optional<Line> found;
  forEachLine(text, [&](const Line& line) {
    if (line.start == start) found = line;
  });
  return found;
}

bool isOtherSetting(const SkinModel& model, std::size_t line) {
  for (const OtherSetting& setting : otherSettings(model))
    if (setting.line == line) return true;
  return false;
}

void replaceText(SkinModel& model, std::string text) {
  model.storedSettings = std::make_shared<const std::string>(std::move(text));
}

bool setField(SkinModel& model, const SkinField& field, std::string_view value) {
  switch (field.kind) {
    case FieldKind::Text: {
      std::string* text = field.text(model);
      if (*text == value) return false;
      *text = std::string(value);
      return true;
    }
    case FieldKind::ColorDs: {
      std::string digits;
      for (char c : value)
        if (c != ' ') digits += c;
      const Color color = colorFromText(digits);
      if (*field.color(model) == color) return false;
      *field.color(model) = color;
      return true;
    }
    case FieldKind::Integer: {
      const std::int32_t number = readSettingsInteger(value).value;
      if (*field.integer(model) == number) return false;
      *field.integer(model) = number;
      return true;
    }
  }
  return false;
}

bool usableName(std::string_view name, std::string_view forbidden) {
  return !trimmed(name).empty() && name.find_first_of(forbidden) == std::string_view::npos;
}

}  // namespace

std::size_t utf8ByteOrderMarkLength(std::string_view bytes) {
  return bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
}

SettingsEncoding settingsEncodingOf(std::string_view bytes) {
  const std::size_t mark = utf8ByteOrderMarkLength(bytes);
  bool beyondAscii = false;
  for (std::size_t at = mark; at < bytes.size();) {
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
      continue;
    }
    char32_t c = 0;
    const std::size_t length = decodeUtf8(bytes, at, c);
    if (length == 0) return SettingsEncoding::CodePage;
    beyondAscii = true;
    at += length;
  }
  return beyondAscii || mark ? SettingsEncoding::Utf8 : SettingsEncoding::CodePage;
}

std::string settingsTextToUtf8(std::string_view bytes, SettingsEncoding encoding) {
  return encoding == SettingsEncoding::Utf8 ? std::string(bytes) : cp1252ToUtf8(bytes);
}

std::string utf8ToSettingsText(std::string_view text, SettingsEncoding encoding) {
  return encoding == SettingsEncoding::Utf8 ? std::string(text) : utf8ToCp1252(text);
}

std::string freshSettingsText(const SkinModel& model) {
  // Grows as needed: long info texts are written whole, never cut.
  std::string out;
  out.reserve(4096);
  std::string_view section;
  for (const SkinField& field : skinFields()) {
    if (field.section != section) {
      if (!section.empty()) out += "\r\n";
      section = field.section;
      out += '[';
      out += section;
      out += "]\r\n";
    }
    out += field.key;
    out += '=';
    out += valueText(model, field, SettingsEncoding::CodePage);
    out += "\r\n";
  }
  out += "\r\n[end]\r\n";
  return out;
}

std::string storedSettingsWithChanges(const SkinModel& model) {
  if (!model.storedSettings || model.storedSettings->empty()) return freshSettingsText(model);
  const std::string_view text = *model.storedSettings;
  const SettingsEncoding encoding = settingsEncodingOf(text);
  const ReadBack stored = readBack(text);
  const InsertPoints points = insertPointsOf(text);

  TextEdits edits;
  // Lines to add, by the section they belong in; sections the file lacks
  // altogether are gathered in the table's order.
  std::vector<std::pair<const Line*, std::vector<std::string>>> addedToSections;
  std::vector<std::string> newSections;
  std::string_view newSection;
  const std::vector<SkinField>& fields = skinFields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const SkinField& field = fields[i];
    if (const std::optional<SettingsLineSpan>& owner = stored.owners[i]) {
      if (sameFieldValue(field, model, stored.model)) continue;
      const std::string_view line = text.substr(owner->start, owner->end - owner->start);
      edits.replace(
          owner->start, owner->end,
          withValue(line, valueText(model, field, encoding), field.kind != FieldKind::Text));
      continue;
    }
    const std::string keyLine = std::string(field.key) + "=" + valueText(model, field, encoding);
    if (const Line* end = points.sectionEnd(normalised(field.section))) {
      auto slot = std::find_if(addedToSections.begin(), addedToSections.end(),
                               [&](const auto& added) { return added.first == end; });
      if (slot == addedToSections.end()) {
        addedToSections.push_back({end, {}});
        slot = std::prev(addedToSections.end());
      }
      slot->second.push_back(keyLine);
      continue;
    }
    if (field.section != newSection) {
      if (!newSection.empty()) newSections.emplace_back();
      newSection = field.section;
      newSections.push_back("[" + std::string(field.section) + "]");
    }
    newSections.push_back(keyLine);
  }
  if (!newSections.empty()) newSections.emplace_back();
  bool tailGrew = false;
  for (const auto& [end, lines] : addedToSections) {
    insertAfter(edits, text, *end, lines);
    tailGrew |= end->next == points.tail;
  }
  insertSections(edits, text, points, newSections, tailGrew);
  return edits.applyTo(text);
}

std::vector<OtherSetting> otherSettings(const SkinModel& model) {
  std::vector<OtherSetting> settings;
  if (!model.storedSettings) return settings;
  const std::string_view text = *model.storedSettings;
  const SettingsEncoding encoding = settingsEncodingOf(text);
  std::set<std::size_t> owned;
  for (const std::optional<SettingsLineSpan>& owner : readBack(text).owners)
    if (owner) owned.insert(owner->start);

  std::string_view section;
  forEachLine(text, [&](const Line& line) {
    const std::string_view content = lineText(text, line);
    if (const std::optional<std::string_view> header = headerName(content)) {
      section = *header;
      return;
    }
    if (owned.count(line.start) || !isSettingLine(content)) return;
    const std::size_t eq = content.find('=');
    const std::string_view key = trimmed(content.substr(0, eq));
    // A second line for a key the model owns changes nothing: the reader
    // takes the other one.
    if (fieldNamed(section, key)) return;
    settings.push_back({line.start, settingsTextToUtf8(section, encoding),
                        settingsTextToUtf8(key, encoding),
                        settingsTextToUtf8(trimmed(content.substr(eq + 1)), encoding)});
  });
  return settings;
}

bool readsAsColor(std::string_view value) {
  const std::string_view text = trimmed(value);
  if (text.size() < 3 || text.size() > 6 || !(text.starts_with("0x") || text.starts_with("0X")))
    return false;
  return std::all_of(text.begin() + 2, text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  });
}

bool setOtherSettingValue(SkinModel& model, std::size_t line, std::string_view value) {
  if (!isOtherSetting(model, line)) return false;
  const std::string& text = *model.storedSettings;
  const Line found = *lineAt(text, line);
  std::string written = utf8ToSettingsText(value, settingsEncodingOf(text));
  std::replace_if(
      written.begin(), written.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const std::string_view old = lineText(text, found);
  std::string changed = withValue(old, trimmed(written), true);
  if (changed == old) return false;
  replaceText(model, text.substr(0, found.start) + changed + text.substr(found.end));
  return true;
}

bool removeOtherSetting(SkinModel& model, std::size_t line) {
  if (!isOtherSetting(model, line)) return false;
  const std::string& text = *model.storedSettings;
  const Line found = *lineAt(text, line);
  replaceText(model, text.substr(0, found.start) + text.substr(found.next));
  return true;
}

bool addOtherSetting(SkinModel& model, std::string_view section, std::string_view key,
                     std::string_view value) {
  if (!usableName(section, "[]\r\n") || !usableName(key, "=[\r\n")) return false;
  if (const SkinField* field = fieldNamed(section, key)) return setField(model, *field, value);

  const std::shared_ptr<const std::string> old = textOf(model);
  const std::string_view text = *old;
  const SettingsEncoding encoding = settingsEncodingOf(text);
  std::string written = utf8ToSettingsText(trimmed(value), encoding);
  std::replace_if(
      written.begin(), written.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const std::string keyLine = utf8ToSettingsText(trimmed(key), encoding) + "=" + written;

  const InsertPoints points = insertPointsOf(text);
  TextEdits edits;
  const std::string bracketed = "[" + std::string(trimmed(section)) + "]";
  const std::optional<std::string> known = readerHeader(bracketed);
  if (const Line* end = points.sectionEnd(known ? *known : "?" + normalised(trimmed(section)))) {
    insertAfter(edits, text, *end, {keyLine});
  } else {
    insertSections(edits, text, points,
                   {"[" + utf8ToSettingsText(trimmed(section), encoding) + "]", keyLine, ""});
  }
  std::string changed = edits.applyTo(text);
  // A section the reader does not know continues the one above it, so a key
  // there could be taken for a setting of that section; such an addition
  // would not be "another" setting.
  if (!sameFields(readBack(text).model, readBack(changed).model)) return false;
  replaceText(model, std::move(changed));
  return true;
}

bool setSkinSetting(SkinModel& model, std::string_view section, std::string_view key,
                    std::string_view value) {
  if (const SkinField* field = fieldNamed(section, key)) return setField(model, *field, value);
  const std::string wantedSection = normalised(trimmed(section));
  const std::string wantedKey = normalised(trimmed(key));
  for (const OtherSetting& setting : otherSettings(model)) {
    if (normalised(setting.section) == wantedSection && normalised(setting.key) == wantedKey)
      return setOtherSettingValue(model, setting.line, value);
  }
  return addOtherSetting(model, section, key, value);
}
