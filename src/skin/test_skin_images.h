// What the skin file tests of every system share: a fixture with a skin,
// its pictures, a fake desktop that records messages, and a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform.h"
#include "i18n/interface_texts.h"
#include "imaging/image.h"
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

  // After a save killed part-way: each of the old files is whole and none
  // is replaced, the next open clears the temporaries away and leaves just
  // the old files; then the model holds an own skin again.
  void expectOldFilesAfterAKill(const std::map<std::string, Bytes>& old, const std::string& folder,
                                const char* moment);

  TempDir dir;
  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts, [] { return std::string(kStamp); }};
  SkinModel model;
  SkinImageTable images;
};

// A skin unlike the built-in one: its own settings, and pictures of odd
// sizes in full 8-bit colour, which a save reduces to 5 bits.
inline void makeOwnSkin(SkinModel& model, SkinImageTable& images) {
  resetSkinModel(model);
  model.skinInfo.Title = "Bl\xC3\xA5 h\xC3\xB8st";
  model.skinInfo.Author = "Someone";
  model.globalSettings.listTextColor = rgb(200, 17, 3);
  model.fileName.x = 17;
  for (int i = 0; i < kSkinImageCount; ++i) {
    Image picture(1 + i % 7, 1 + i % 4);
    for (std::size_t p = 0; p < picture.pixels.size(); ++p)
      picture.pixels[p] = rgb((13 * i + 5 * p) % 256, (7 * p) % 256, (255 - i) % 256);
    images[i].picture = std::move(picture);
  }
}

// Every regular file under `folder`, by its path relative to it.
inline std::map<std::string, Bytes> filesUnder(const std::filesystem::path& folder) {
  std::map<std::string, Bytes> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[utf8FromPath(std::filesystem::relative(entry.path(), folder))] =
          readBytes(utf8FromPath(entry.path()));
  return files;
}

inline int temporariesUnder(const std::filesystem::path& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    count += utf8FromPath(entry.path().filename()).find(".tmp-") != std::string::npos ? 1 : 0;
  return count;
}

inline void SkinImagesTest::expectOldFilesAfterAKill(const std::map<std::string, Bytes>& old,
                                                     const std::string& folder,
                                                     const char* moment) {
  std::map<std::string, Bytes> now = filesUnder(dir.path());
  std::erase_if(now, [&](const auto& file) { return !old.count(file.first); });
  EXPECT_EQ(now, old) << moment;
  desktop.messages.clear();
  EXPECT_TRUE(loadSkinFromFolder(model, images, io, folder));
  EXPECT_EQ(filesUnder(dir.path()), old) << moment;
  makeOwnSkin(model, images);
}
