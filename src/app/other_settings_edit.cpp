#include "app/other_settings_edit.h"

#include <algorithm>
#include <functional>

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool holdsLineEnd(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos ||
         text.find('\0') != std::string_view::npos;
}

bool sameText(const std::shared_ptr<const std::string>& a,
              const std::shared_ptr<const std::string>& b) {
  if (a == b) return true;
  return a && b && *a == *b;
}

// Runs `operation` on the model; when it reports no change, whatever it
// may have touched (a built-in skin's fresh text) is put back, so that a
// refused edit leaves no trace and makes no step.
SkinChanges applyTo(SkinModel& model, const std::function<bool(SkinModel&)>& operation) {
  const SkinModel before = model;
  if (!operation(model)) {
    model = before;
    return {};
  }
  return modelDifferences(before, model);
}

}  // namespace

SkinChanges modelDifferences(const SkinModel& before, const SkinModel& after) {
  SkinChanges changes;
  for (const SkinField& field : skinFields())
    if (!sameFieldValue(field, before, after)) changes.fields.push_back({field.section, field.key});
  changes.storedText = !sameText(before.storedSettings, after.storedSettings);
  return changes;
}

bool validSettingSection(std::string_view section) {
  return !trimmed(section).empty() && !holdsLineEnd(section) &&
         section.find_first_of("[]") == std::string_view::npos;
}

bool validSettingKey(std::string_view key) {
  const std::string_view name = trimmed(key);
  return !name.empty() && !holdsLineEnd(key) && key.find('=') == std::string_view::npos &&
         name.front() != '[' && name.front() != ';';
}

bool validSettingValue(std::string_view value) { return !holdsLineEnd(value); }

const OtherSetting* findOtherSetting(const std::vector<OtherSetting>& settings, std::size_t line) {
  const auto it = std::find_if(settings.begin(), settings.end(),
                               [line](const OtherSetting& s) { return s.line == line; });
  return it == settings.end() ? nullptr : &*it;
}

std::string settingLabel(std::string_view section, std::string_view key) {
  return "[" + std::string(section) + "] " + std::string(key);
}

SkinSession::Change setOtherValue(std::size_t line, std::string value) {
  return [line, value = std::move(value)](SkinModel& model, SkinImageTable&) {
    if (!validSettingValue(value) || !findOtherSetting(otherSettings(model), line))
      return SkinChanges{};
    return applyTo(model,
                   [&](SkinModel& m) { return setOtherSettingValue(m, line, trimmed(value)); });
  };
}

SkinSession::Change removeOther(std::size_t line) {
  return [line](SkinModel& model, SkinImageTable&) {
    if (!findOtherSetting(otherSettings(model), line)) return SkinChanges{};
    return applyTo(model, [&](SkinModel& m) { return removeOtherSetting(m, line); });
  };
}

SkinSession::Change addOther(std::string section, std::string key, std::string value) {
  return [section = std::move(section), key = std::move(key), value = std::move(value)](
             SkinModel& model, SkinImageTable&) {
    if (!validSettingSection(section) || !validSettingKey(key) || !validSettingValue(value))
      return SkinChanges{};
    return applyTo(model, [&](SkinModel& m) {
      return addOtherSetting(m, trimmed(section), trimmed(key), trimmed(value));
    });
  };
}

SkinSession::Change setAnySetting(std::string section, std::string key, std::string value) {
  return [section = std::move(section), key = std::move(key), value = std::move(value)](
             SkinModel& model, SkinImageTable&) {
    if (!validSettingSection(section) || !validSettingKey(key) || !validSettingValue(value))
      return SkinChanges{};
    return applyTo(model, [&](SkinModel& m) {
      return setSkinSetting(m, trimmed(section), trimmed(key), trimmed(value));
    });
  };
}

std::optional<SettingAssignment> parseSettingAssignment(std::string_view text) {
  text = trimmed(text);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::size_t close = text.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  const std::string_view rest = text.substr(close + 1);
  const std::size_t equals = rest.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  SettingAssignment out{std::string(trimmed(text.substr(1, close - 1))),
                        std::string(trimmed(rest.substr(0, equals))),
                        std::string(trimmed(rest.substr(equals + 1)))};
  if (!validSettingSection(out.section) || !validSettingKey(out.key) ||
      !validSettingValue(out.value))
    return std::nullopt;
  return out;
}
