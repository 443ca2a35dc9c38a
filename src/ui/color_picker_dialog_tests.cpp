// The picker is driven as a user would, without exec(): shown, poked through
// its controls and ended with its own buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <functional>

#include "i18n/interface_texts.h"
#include "ui/color_picker_dialog.h"
#include "ui/test_support.h"

using namespace Qt::StringLiterals;

namespace {

class ColorPickerDialogTest : public ::testing::Test {
 protected:
  std::unique_ptr<ColorPickerDialog> open(Color initial,
                                          ColorPickerDialog::PreviewPixelSource preview = {}) {
    auto dialog = std::make_unique<ColorPickerDialog>(nullptr, texts, initial, std::move(preview));
    dialog->show();
    EXPECT_TRUE(processUntil([&] { return dialog->isVisible(); }));
    return dialog;
  }
  static QSpinBox* spin(ColorPickerDialog& d, const char* name) {
    return d.findChild<QSpinBox*>(toQString(name));
  }
  static std::string field(ColorPickerDialog& d, const char* name) {
    return toUtf8(d.findChild<QLineEdit*>(toQString(name))->text());
  }
  static void click(ColorPickerDialog& d, const char* button) {
    QPushButton* b = d.findChild<QPushButton*>(toQString(button));
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
  }
  static bool closed(ColorPickerDialog& d) {
    return processUntil([&] { return !d.isVisible(); });
  }

  InterfaceTexts texts;
};

TEST_F(ColorPickerDialogTest, OpensWithTheGivenColourAndOkUnchangedReturnsIt) {
  auto dialog = open(rgb(255, 0, 0));
  EXPECT_EQ(dialog->size(), QSize(200, 350));
  EXPECT_EQ(toUtf8(dialog->windowTitle()), texts.text("LANG_COLORSETTING$"));
  EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(spin(*dialog, "red")->value(), 31);
  EXPECT_EQ(spin(*dialog, "green")->value(), 0);
  EXPECT_EQ(field(*dialog, "actualValue"), "0x7C00");
  EXPECT_EQ(field(*dialog, "newValue"), "0x7C00");
  // Filling the spin boxes at opening is no edit: 255 is not cut to 248.
  click(*dialog, "ok");
  ASSERT_TRUE(closed(*dialog));
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->chosenColor(), rgb(255, 0, 0));
}

TEST_F(ColorPickerDialogTest, SpinBoxesSetTheNewColourAndCancelReturnsExactlyTheGivenOne) {
  const Color given = rgb(13, 14, 15);
  auto dialog = open(given);
  spin(*dialog, "red")->setValue(1);
  spin(*dialog, "green")->setValue(25);
  spin(*dialog, "blue")->setValue(31);
  EXPECT_EQ(field(*dialog, "newValue"), "0x073F");
  EXPECT_EQ(field(*dialog, "actualValue"), colorPickerHex(given));
  click(*dialog, "cancel");
  ASSERT_TRUE(closed(*dialog));
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(dialog->chosenColor(), given);

  auto again = open(given);
  spin(*again, "red")->setValue(1);
  spin(*again, "green")->setValue(25);
  spin(*again, "blue")->setValue(31);
  click(*again, "ok");
  ASSERT_TRUE(closed(*again));
  EXPECT_EQ(again->chosenColor(), rgb(8, 200, 248));
}

TEST_F(ColorPickerDialogTest, TypedValuesPastThirtyOneBecomeThirtyOne) {
  auto dialog = open(0);
  QSpinBox* red = spin(*dialog, "red");
  red->setFocus();
  red->selectAll();
  QTest::keyClicks(red, u"45"_s);
  EXPECT_EQ(toUtf8(red->text()), "31");
  EXPECT_EQ(red->value(), 31);
  EXPECT_EQ(field(*dialog, "newValue"), "0x7C00");
  QTest::keyClicks(red, u"x"_s);  // letters are refused, not read as 0
  EXPECT_EQ(toUtf8(red->text()), "31");
  click(*dialog, "ok");
  ASSERT_TRUE(closed(*dialog));
  EXPECT_EQ(dialog->chosenColor(), rgb(248, 0, 0));
}

TEST_F(ColorPickerDialogTest, EscapeAndClosingTheWindowDoNotEndIt) {
  auto dialog = open(rgb(8, 8, 8));
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  QTest::keyClick(spin(*dialog, "red"), Qt::Key_Escape);
  dialog->close();
  dialog->reject();
  QApplication::processEvents();
  EXPECT_TRUE(dialog->isVisible());
  click(*dialog, "cancel");
  EXPECT_TRUE(closed(*dialog));
}

TEST_F(ColorPickerDialogTest, ChooserColourKeepsItsFullChannels) {
  auto dialog = open(rgb(8, 8, 8));
  Color startedFrom = 1;
  dialog->setColorChooser([&](Color start) -> std::optional<Color> {
    startedFrom = start;
    return rgb(13, 201, 255);
  });
  click(*dialog, "chooser");
  EXPECT_EQ(startedFrom, rgb(8, 8, 8));
  EXPECT_EQ(spin(*dialog, "red")->value(), 1);
  EXPECT_EQ(field(*dialog, "newValue"), colorPickerHex(rgb(13, 201, 255)));
  // A cancelled chooser leaves the colour as it was.
  dialog->setColorChooser([](Color) { return std::nullopt; });
  click(*dialog, "chooser");
  click(*dialog, "ok");
  ASSERT_TRUE(closed(*dialog));
  EXPECT_EQ(dialog->chosenColor(), rgb(13, 201, 255));
}

TEST_F(ColorPickerDialogTest, RightButtonPicksScreenPixelsUntilReleased) {
  auto dialog = open(0);
  QPoint asked;
  Color under = rgb(13, 200, 255);
  dialog->setScreenPixelSource([&](QPoint at) -> std::optional<Color> {
    asked = at;
    return under;
  });
  QSpinBox* green = spin(*dialog, "green");  // presses over a control pick too
  QTest::mousePress(green, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_TRUE(dialog->isPicking());
  EXPECT_EQ(asked, green->mapToGlobal(QPoint(5, 5)));
  EXPECT_EQ(field(*dialog, "newValue"), "0x073F");
  EXPECT_EQ(spin(*dialog, "blue")->value(), 31);

  under = rgb(255, 255, 255);
  QTest::mouseMove(dialog.get(), QPoint(150, 20));
  EXPECT_EQ(field(*dialog, "newValue"), "0x7FFF");
  QTest::mouseRelease(dialog.get(), Qt::RightButton, {}, QPoint(150, 20));
  EXPECT_FALSE(dialog->isPicking());

  under = rgb(0, 0, 0);
  QTest::mouseMove(dialog.get(), QPoint(160, 30));
  EXPECT_EQ(field(*dialog, "newValue"), "0x7FFF") << "no picking once the button is up";
  click(*dialog, "ok");
  ASSERT_TRUE(closed(*dialog));
  EXPECT_EQ(dialog->chosenColor(), rgb(248, 248, 248));
}

TEST_F(ColorPickerDialogTest, WithoutScreenAccessThePreviewIsPickedFromAndTheHintSaysSo) {
  auto dialog = open(0, [](QPoint) { return std::optional<Color>(rgb(13, 200, 255)); });
  dialog->setScreenPixelSource([](QPoint) { return std::nullopt; });
  QLabel* info = dialog->findChild<QLabel*>(u"info"_s);
  EXPECT_EQ(toUtf8(info->text()), texts.text("LANG_INFO$"));
  QTest::mousePress(dialog.get(), Qt::RightButton, {}, QPoint(100, 250));
  QTest::mouseRelease(dialog.get(), Qt::RightButton, {}, QPoint(100, 250));
  EXPECT_EQ(field(*dialog, "newValue"), "0x073F");
  EXPECT_EQ(toUtf8(info->text()), texts.text("LANG_PICK_PREVIEW_ONLY$"));
}

TEST_F(ColorPickerDialogTest, ALongExplanationGetsSmallerTypeInsteadOfBeingCut) {
  std::string longText;
  for (int i = 0; i < 12; ++i) longText += "Eine ausgesprochen lange Erklärung. ";
  texts.set("LANG_INFO$", longText);
  auto dialog = open(0);
  QLabel* info = dialog->findChild<QLabel*>(u"info"_s);
  EXPECT_LT(info->font().pointSizeF(), dialog->font().pointSizeF());
  EXPECT_TRUE(info->heightForWidth(info->width()) <= info->height() ||
              info->font().pointSizeF() <= 6);

  texts.resetToBuiltin();
  auto plain = open(0);
  EXPECT_EQ(plain->findChild<QLabel*>(u"info"_s)->font(), plain->font());
}

TEST_F(ColorPickerDialogTest, EveryControlHasAnAccessibleName) {
  auto dialog = open(0);
  EXPECT_EQ(toUtf8(spin(*dialog, "blue")->accessibleName()), texts.text("LANG_BLUE$"));
  EXPECT_EQ(toUtf8(dialog->findChild<QLineEdit*>(u"newValue"_s)->accessibleName()),
            texts.text("LANG_NEW_COLOR$"));
  for (QWidget* w : dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (w->objectName() == u"info"_s) continue;  // a label reads out its own text
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
  }
}

}  // namespace
