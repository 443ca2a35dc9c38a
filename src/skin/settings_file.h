// uisettings.ini: the handheld's settings file, read and written byte for byte.
#pragma once

#include <cstdint>
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

// Element pass, then colour pass.
void readSkinSettings(SkinModel& model, std::span<const std::uint8_t> bytes);

// Stamps LastUpdate from `clock`, then returns the whole file.
std::vector<std::uint8_t> writeSkinSettings(SkinModel& model, const SettingsClock& clock);
