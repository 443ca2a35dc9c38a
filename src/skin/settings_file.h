// uisettings.ini: the handheld's settings file, read and written byte for byte.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/skin_io_context.h"
#include "skin/skin_model.h"

// The element pass (texts and integers) and the colour pass over the same
// bytes. They set disjoint fields, so either order gives the same model.
void readSkinElements(SkinModel& model, std::span<const std::uint8_t> bytes);

// An integer value as the reader takes it, and whether the text was one:
// digits were read, and nothing but blanks followed them.
struct SettingsInteger {
  std::int32_t value = 0;
  bool digits = false;
  bool trailing = false;
};
SettingsInteger readSettingsInteger(std::string_view text);
void readSkinColors(SkinModel& model, std::span<const std::uint8_t> bytes);

// Element pass, then colour pass; the model keeps the bytes as its stored
// settings text.
void readSkinSettings(SkinModel& model, std::span<const std::uint8_t> bytes);

// Where a line lies in the file: its text from `start` up to `end`, where
// its line end (or the file) begins.
struct SettingsLineSpan {
  std::size_t start = 0;
  std::size_t end = 0;
  bool operator==(const SettingsLineSpan&) const = default;
};
// Per field of skinFields(), the line the reader took its value from, if any.
using SettingsOwners = std::vector<std::optional<SettingsLineSpan>>;

// Both passes over `bytes` into `model`, noting which line each field came
// from; the model's stored text is left as it was.
SettingsOwners readSkinSettingsOwners(SkinModel& model, std::string_view bytes);

// Sections that later versions of the menu read and this one does not
// model. Their headers end the section above them for the reader.
const std::vector<std::string_view>& laterMenuSections();

// Stamps LastUpdate from `clock`, then returns the whole file: the stored
// text with the model's changes, or, without one, every field afresh. The
// stored text becomes what was written.
std::vector<std::uint8_t> writeSkinSettings(SkinModel& model, const SettingsClock& clock);
