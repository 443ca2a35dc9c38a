// The names a save and an open give a skin.
#include <gtest/gtest.h>

#include "app/skin_file_ops.h"

namespace {

TEST(SkinFileNames, AnArchiveNameWithoutExtensionGetsZipAndACancelStaysEmpty) {
  EXPECT_EQ(archiveSavePath(""), "");
  EXPECT_EQ(archiveSavePath("/skins/Blue"), "/skins/Blue.zip");
  EXPECT_EQ(archiveSavePath("/skins/Blue.ZIP"), "/skins/Blue.ZIP");
  // A dot in a folder name is not the file's extension.
  EXPECT_EQ(archiveSavePath("/my.skins/Blue"), "/my.skins/Blue.zip");
  EXPECT_EQ(archiveSavePath("C:\\my.skins\\Blue"), "C:\\my.skins\\Blue.zip");
}

TEST(SkinFileNames, ASkinIsCalledAfterTheLastPartOfItsPath) {
  EXPECT_EQ(lastFolderName("/skins/Blue/"), "Blue");
  EXPECT_EQ(lastFolderName("/skins/Blue//"), "Blue");
  EXPECT_EQ(lastFolderName("C:\\skins\\Retro.zip"), "Retro.zip");
  EXPECT_EQ(lastFolderName("Blue"), "Blue");
}

}  // namespace
