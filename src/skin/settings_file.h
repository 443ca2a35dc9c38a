// uisettings.ini: the handheld's settings file, read and written byte for byte.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "skin/skin_io_context.h"
#include "skin/skin_model.h"

// The element pass (texts and integers) and the colour pass over the same
// bytes. They set disjoint fields, so either order gives the same model.
void readSkinElements(SkinModel& model, std::span<const std::uint8_t> bytes);
void readSkinColors(SkinModel& model, std::span<const std::uint8_t> bytes);

// Element pass, then colour pass.
void readSkinSettings(SkinModel& model, std::span<const std::uint8_t> bytes);

// Stamps LastUpdate from `clock`, then returns the whole file.
std::vector<std::uint8_t> writeSkinSettings(SkinModel& model, const SettingsClock& clock);
