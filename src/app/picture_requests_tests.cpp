#include <gtest/gtest.h>

#include "app/picture_requests.h"
#include "skin/skin_files.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/temp_dir.h"

namespace {

TEST(PictureRequestsTest, ThePictureRequesterProposesTheEntryInTheLastFolder) {
  FakeDesktop desktop;
  InterfaceTexts texts;
  desktop.fileAnswers = {"", "/x/chosen.png"};
  EXPECT_EQ(askPictureFile(desktop, texts, "/home/me/skins", "startbar"), "");
  EXPECT_EQ(askPictureFile(desktop, texts, "", "cheat"), "/x/chosen.png");
  ASSERT_EQ(desktop.fileRequests.size(), 2u);
  const FakeFileRequest& request = desktop.fileRequests[0];
  EXPECT_EQ(request.title, texts.text("LANG_REQFILE_LOAD$"));
  EXPECT_EQ(request.suggestedFile, "/home/me/skins/startbar.bmp");
  EXPECT_EQ(request.filters,
            "Bitmap (*.bmp)|*.bmp;*.png;*.jpg|Portable Network Graphic (*.png)|*.png|"
            "JPEG - JFIF Compliant (*.jpg)|*.jpg|");
  EXPECT_EQ(request.filterIndex, 0);
  EXPECT_EQ(desktop.fileRequests[1].suggestedFile, "cheat.bmp");
}

TEST(PictureRequestsTest, AScreenshotThatIsNotWrittenIsSaid) {
  FakeDesktop desktop;
  InterfaceTexts texts;
  TempDir dir;
  SkinModel model;
  resetSkinModel(model);
  SkinImageTable images;
  resetSkinImages(images);
  std::string lastPath;
  EXPECT_FALSE(saveScreenshot(desktop, texts, lastPath, {model, images}));  // cancelled
  EXPECT_TRUE(desktop.messages.empty());
  desktop.fileAnswers = {dir.folder() + "missing/shot.png"};
  EXPECT_FALSE(saveScreenshot(desktop, texts, lastPath, {model, images}));
  EXPECT_EQ(lastPath, dir.folder() + "missing/");
  EXPECT_EQ(desktop.messages.size(), 1u);
}

}  // namespace
