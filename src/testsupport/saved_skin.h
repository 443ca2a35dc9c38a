// The built-in skin saved as a skin folder, as tests and benchmarks open it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "base/platform.h"
#include "i18n/interface_texts.h"
#include "skin/skin_files.h"
#include "testsupport/fake_core_desktop.h"

// Saves the built-in skin, changed by `edit` first, into `folder` (ending
// in "/"), which is created. Returns the folder.
inline std::string saveBuiltinSkin(const std::string& folder,
                                   const std::function<void(SkinModel&)>& edit = {}) {
  FakeCoreDesktop quiet;
  InterfaceTexts texts;
  SkinModel model;
  SkinImageTable images;
  resetSkinModel(model);
  resetSkinImages(images);
  if (edit) edit(model);
  std::filesystem::create_directories(pathFromUtf8(folder));
  saveSkinFolder(model, images, SkinIoContext{quiet, texts}, folder);
  return folder;
}
