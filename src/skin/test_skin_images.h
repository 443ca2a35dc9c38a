// What the skin file tests of every system share: a fixture with a skin,
// its pictures, a fake desktop that records messages, and a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "i18n/interface_texts.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "testsupport/fake_core_desktop.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

inline constexpr char kStamp[] = "2024/05/06-07:08:09";

inline Bytes text(std::string_view s) { return Bytes(s.begin(), s.end()); }

class SkinImagesTest : public ::testing::Test {
 protected:
  SkinImagesTest() { resetSkinImages(images); }

  std::string error() const { return texts.text("LANG_ERROR$"); }
  std::string notFound(const std::string& name) const {
    return name + " : " + texts.text("LANG_FILE_NOTFOUND$");
  }
  std::string unknown(const std::string& name) const {
    return name + ": " + texts.text("LANG_FILE_UNKNOWN$");
  }
  std::string notSaved(const std::string& name) const {
    return name + ": " + texts.text("LANG_FILE_NOTSAVE$");
  }
  std::vector<std::string> bodies() const {
    std::vector<std::string> out;
    for (const FakeMessage& m : desktop.messages) out.push_back(m.body);
    return out;
  }

  // A settings file whose only effect is the title.
  static Bytes settingsWithTitle(std::string_view title) {
    return text("[SkinInfo]\r\nTitle=" + std::string(title) + "\r\n");
  }

  TempDir dir;
  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts, [] { return std::string(kStamp); }};
  SkinModel model;
  SkinImageTable images;
};
