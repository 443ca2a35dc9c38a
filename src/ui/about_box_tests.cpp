// The about box driven without exec(), with the browser replaced by a list
// of the addresses it was handed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "app/product_info.h"
#include "i18n/interface_texts.h"
#include "ui/about_box.h"
#include "ui/test_support.h"

using namespace Qt::StringLiterals;

namespace {

class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box = std::make_unique<AboutBox>(nullptr, texts);
    box->setUrlOpener([this](const QUrl& url) { opened.push_back(toUtf8(url.toString())); });
    box->show();
    ASSERT_TRUE(processUntil([&] { return box->isVisible(); }));
  }
  QLabel* label(const char* name) { return box->findChild<QLabel*>(toQString(name)); }

  InterfaceTexts texts;
  std::unique_ptr<AboutBox> box;
  std::vector<std::string> opened;
};

TEST_F(AboutBoxTest, ShowsBannerBodyAndLinkInTheirPlaces) {
  EXPECT_EQ(box->size(), QSize(468, 250));
  EXPECT_EQ(toUtf8(box->windowTitle()), texts.text("LANG_ABOUT_ABOUT$"));
  EXPECT_FALSE(box->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(label("banner")->pixmap().size(), QSize(468, 60));
  const std::string body = toUtf8(label("body")->text());
  EXPECT_EQ(body, aboutBodyText());
  EXPECT_NE(
      body.find(std::string(EditorState::ProductTitle) + std::string(EditorState::VersionText)),
      std::string::npos);
  EXPECT_EQ(label("link")->geometry(), QRect(20, 200, 150, 20));
  EXPECT_EQ(label("link")->palette().color(QPalette::WindowText), QColor(64, 64, 255));
  EXPECT_EQ(label("link")->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(toUtf8(box->findChild<QPushButton*>(u"ok"_s)->text()), texts.text("LANG_OK$"));
}

TEST_F(AboutBoxTest, BannerOpensTheHomePageOnASingleLeftClickOnly) {
  QLabel* banner = label("banner");
  QTest::mouseClick(banner, Qt::LeftButton, {}, QPoint(30, 30));
  ASSERT_EQ(opened, std::vector<std::string>{std::string(ProductInfo::HomeAddress)});
  // The second press of a double click and other buttons open nothing more.
  QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(30, 30), QPointF(30, 30),
                          banner->mapToGlobal(QPointF(30, 30)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
  QApplication::sendEvent(banner, &doubleClick);
  QTest::mouseClick(banner, Qt::RightButton, {}, QPoint(30, 30));
  EXPECT_EQ(opened.size(), 1u);
  QTest::mouseClick(banner, Qt::LeftButton, {}, QPoint(400, 10));
  EXPECT_EQ(opened.size(), 2u);
  EXPECT_TRUE(box->isVisible());
}

TEST_F(AboutBoxTest, LinkOpensTheSkinsPageByMouseAndKeyboardAndTheBoxStaysOpen) {
  QLabel* link = label("link");
  QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
  link->setFocus();
  QTest::keyClick(link, Qt::Key_Space);
  EXPECT_EQ(opened, std::vector<std::string>(3, std::string(ProductInfo::SkinsAddress)));
  EXPECT_TRUE(box->isVisible());
}

TEST_F(AboutBoxTest, OnlyOkClosesIt) {
  QTest::keyClick(box.get(), Qt::Key_Escape);
  box->close();
  box->reject();
  QApplication::processEvents();
  EXPECT_TRUE(box->isVisible());
  QPushButton* ok = box->findChild<QPushButton*>(u"ok"_s);
  QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
  EXPECT_TRUE(processUntil([&] { return !box->isVisible(); }));
  EXPECT_EQ(box->result(), QDialog::Accepted);
  EXPECT_TRUE(opened.empty());
}

}  // namespace
