// What a skin load or save needs from around it: where to report problems,
// in which language, and the clock that stamps LastUpdate on save.
#pragma once

#include <functional>
#include <string>

#include "base/desktop.h"
#include "i18n/interface_texts.h"

struct SkinLoadRecord;

// Returns the LastUpdate text for a save, "yyyy/mm/dd-hh:ii:ss".
using SettingsClock = std::function<std::string()>;

// The local date and time in LastUpdate form.
std::string localLastUpdateText();

struct SkinIoContext {
  Desktop& desktop;
  const InterfaceTexts& texts;
  SettingsClock clock = localLastUpdateText;
  // When set, loads also note here what they found on disk.
  SkinLoadRecord* record = nullptr;
};
