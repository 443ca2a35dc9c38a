#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <filesystem>

#include "skin/settings_file.h"
#include "testsupport/saved_skin.h"
#include "ui/preview_widget.h"
#include "ui/recolour_dialog.h"
#include "ui/test_support.h"

namespace {

using Dialog = RecolourDialog;

struct SkinBytes {
  std::vector<std::uint8_t> settings;
  std::vector<std::vector<Color>> pictures;
  bool operator==(const SkinBytes&) const = default;
};

SkinBytes bytesOf(const Editor& editor) {
  SkinModel model = editor.model();
  SkinBytes out{writeSkinSettings(model, [] { return std::string("fixed"); }), {}};
  for (int i = 0; i < kSkinImageCount; ++i)
    out.pictures.push_back(editor.images()[i].picture.pixels);
  return out;
}

// A dialog open over a whole editor window.
struct RecolourWindow : EditorWindow {
  std::optional<Dialog> dialog;
  RecolourWindow() {
    dialog.emplace(&window, editor);
    dialog->show();
    processUntil([&] { return dialog->isVisible(); });
  }
  bool settled() {
    return processUntil([&] { return !dialog->previewPending(); });
  }
};

TEST(RecolourDialog, OptionsMenuOpensItModallyAndEscapeLeavesTheSkinAlone) {
  EditorWindow w;
  ASSERT_NE(w.window.recolourAction(), nullptr);
  EXPECT_EQ(w.window.recolourAction()->text().toStdString(),
            w.editor.texts().text("LANG_OPTIONS_RECOLOUR$"));
  const SkinBytes before = bytesOf(w.editor);
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    seen = true;
    EXPECT_TRUE(w.editor.recolouring());
    EXPECT_EQ(dialog->windowTitle().toStdString(), w.editor.texts().text("LANG_RECOLOUR_TITLE$"));
    dialog->slider(Dialog::Hue)->setValue(90);
    processUntil([&] { return !dialog->previewPending(); });
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  w.window.recolourAction()->trigger();  // returns once the dialog has ended
  EXPECT_TRUE(seen);
  EXPECT_FALSE(w.editor.recolouring());
  EXPECT_EQ(bytesOf(w.editor), before);
  EXPECT_FALSE(w.editor.history().canUndo());
}

TEST(RecolourDialog, ControlsAreNamedByTheirLabelsKeptInStepAndKeyboardUsable) {
  RecolourWindow w;
  Dialog& d = *w.dialog;
  const InterfaceTexts& texts = w.editor.texts();
  const char* labels[] = {"LANG_RECOLOUR_HUE$", "LANG_RECOLOUR_SATURATION$",
                          "LANG_RECOLOUR_LIGHTNESS$", "LANG_RECOLOUR_COLOURISE$"};
  for (int i = 0; i < Dialog::kValueCount; ++i) {
    const auto value = static_cast<Dialog::Value>(i);
    EXPECT_EQ(d.slider(value)->accessibleName().toStdString(), texts.text(labels[i]));
    EXPECT_EQ(d.spin(value)->accessibleName().toStdString(), texts.text(labels[i]));
  }
  for (QWidget* widget : d.findChildren<QWidget*>()) {
    if (widget->focusPolicy() == Qt::NoFocus || qobject_cast<QLabel*>(widget)) continue;
    if (widget->parentWidget() && qobject_cast<QAbstractSpinBox*>(widget->parentWidget()))
      continue;  // a spin box's own line edit
    EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->metaObject()->className();
  }
  EXPECT_EQ(d.partBox(Dialog::Icons)->accessibleName().toStdString(),
            texts.text("LANG_RECOLOUR_ICONS$"));
  EXPECT_EQ(d.okButton()->text().toStdString(), texts.text("LANG_OK$"));

  // Slider and spin box follow each other.
  d.slider(Dialog::Hue)->setValue(-40);
  EXPECT_EQ(d.spin(Dialog::Hue)->value(), -40);
  d.spin(Dialog::Saturation)->setValue(150);
  EXPECT_EQ(d.slider(Dialog::Saturation)->value(), 150);
  EXPECT_EQ(d.params().hue, -40);
  EXPECT_DOUBLE_EQ(d.params().saturation, 1.5);

  // The keyboard starts on the hue slider and walks row by row.
  EXPECT_EQ(d.focusWidget(), d.slider(Dialog::Hue));
  QTest::keyClick(d.slider(Dialog::Hue), Qt::Key_Right);
  EXPECT_EQ(d.spin(Dialog::Hue)->value(), -39);
  EXPECT_EQ(d.slider(Dialog::Hue)->nextInFocusChain(), d.spin(Dialog::Hue));

  // Colourise swaps the hue row for its own.
  EXPECT_FALSE(d.slider(Dialog::ColouriseHue)->isEnabled());
  QTest::keyClick(d.colouriseBox(), Qt::Key_Space);
  EXPECT_TRUE(d.colouriseBox()->isChecked());
  EXPECT_TRUE(d.slider(Dialog::ColouriseHue)->isEnabled());
  EXPECT_FALSE(d.slider(Dialog::Hue)->isEnabled());
  EXPECT_TRUE(d.params().colourise);

  d.resetButton()->click();
  EXPECT_FALSE(d.colouriseBox()->isChecked());
  EXPECT_TRUE(d.params().isIdentity());
  d.reject();
}

TEST(RecolourDialog, TheMainPreviewFollowsAndManyValuesInOneTurnDrawOnce) {
  RecolourWindow w;
  const Image before = w.editor.canvas();
  const QImage shownBefore = w.window.preview()->grab().toImage();
  const int redraws = w.editor.redrawCount();
  // A drag delivers several values before the loop turns again.
  for (int hue = -10; hue >= -140; hue -= 10) w.dialog->slider(Dialog::Hue)->setValue(hue);
  ASSERT_TRUE(w.settled());
  EXPECT_EQ(w.editor.redrawCount(), redraws + 1);
  EXPECT_NE(w.editor.canvas().pixels, before.pixels);
  EXPECT_NE(w.window.preview()->grab().toImage(), shownBefore);
  // Back to zero shows the skin as it was.
  w.dialog->slider(Dialog::Hue)->setValue(0);
  ASSERT_TRUE(w.settled());
  EXPECT_EQ(w.editor.canvas().pixels, before.pixels);
  w.dialog->reject();
}

TEST(RecolourDialog, CancelAndTheCloseBoxRestoreEveryByteHistoryAndModifiedState) {
  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Cancel");
    RecolourWindow w;
    w.dialog.reset();
    w.editor.setElementValue({"big clock", "x"}, 40);  // something to keep
    const SkinBytes before = bytesOf(w.editor);
    const std::size_t steps = w.editor.history().size();
    w.dialog.emplace(&w.window, w.editor);
    w.dialog->show();
    w.dialog->spin(Dialog::Lightness)->setValue(60);
    w.dialog->partBox(Dialog::Icons)->setChecked(false);
    ASSERT_TRUE(w.settled());
    ASSERT_NE(bytesOf(w.editor), before);
    if (closeBox)
      w.dialog->close();
    else
      w.dialog->cancelButton()->click();
    EXPECT_EQ(w.dialog->result(), QDialog::Rejected);
    EXPECT_EQ(bytesOf(w.editor), before);
    EXPECT_EQ(w.editor.history().size(), steps);
    EXPECT_TRUE(w.editor.modified());
    EXPECT_EQ(w.window.undoAction()->text().toStdString(),
              w.editor.texts().text("LANG_EDIT_UNDO$") + " [big clock] x");
  }
}

TEST(RecolourDialog, OkIsOneUndoStepNamedAfterTheDialogAndKeepsUncheckedParts) {
  RecolourWindow w;
  const SkinBytes original = bytesOf(w.editor);
  SkinModel originalModel = w.editor.model();
  SkinImageTable originalImages = w.editor.images();
  w.dialog->partBox(Dialog::Icons)->setChecked(false);
  w.dialog->slider(Dialog::Hue)->setValue(-140);
  // Typed and not yet drawn when OK comes: it counts.
  w.dialog->spin(Dialog::Saturation)->setValue(120);
  ASSERT_TRUE(w.dialog->previewPending());
  w.dialog->okButton()->click();
  EXPECT_EQ(w.dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(w.editor.recolouring());

  const SkinBytes recoloured = bytesOf(w.editor);
  EXPECT_NE(recoloured.settings, original.settings);
  for (int i = 0; i < kSkinImageCount; ++i) {
    if (skinImageGroup(i) == SkinImageGroup::Icons) {
      EXPECT_EQ(recoloured.pictures[i], original.pictures[i]) << skinImageFileName(i);
    }
  }
  EXPECT_EQ(w.editor.history().size(), 1u);
  EXPECT_EQ(w.window.undoAction()->text().toStdString(),
            w.editor.texts().text("LANG_EDIT_UNDO$") + " " + w.dialog->windowTitle().toStdString());
  // OK keeps exactly the recolour of the skin as it was by the values shown.
  RecolourParams expected;
  expected.hue = -140;
  expected.saturation = 1.2;
  RecolourParts parts;
  parts.set(SkinImageGroup::Icons, false);
  SkinRecolourSession(originalModel, originalImages)
      .applyTo(expected, parts, originalModel, originalImages);
  SkinModel expectedModel = originalModel;
  EXPECT_EQ(recoloured.settings,
            writeSkinSettings(expectedModel, [] { return std::string("fixed"); }));
  for (int i = 0; i < kSkinImageCount; ++i)
    EXPECT_EQ(recoloured.pictures[i], originalImages[i].picture.pixels) << skinImageFileName(i);

  w.window.undoAction()->trigger();
  EXPECT_EQ(bytesOf(w.editor), original);
  EXPECT_FALSE(w.editor.modified());
  w.window.redoAction()->trigger();
  EXPECT_EQ(bytesOf(w.editor), recoloured);
}

TEST(RecolourDialog, ValuesBackAtZeroThenOkChangeNothing) {
  RecolourWindow w;
  const SkinBytes original = bytesOf(w.editor);
  w.dialog->slider(Dialog::Hue)->setValue(120);
  w.dialog->slider(Dialog::Lightness)->setValue(150);
  ASSERT_TRUE(w.settled());
  w.dialog->slider(Dialog::Hue)->setValue(0);
  w.dialog->slider(Dialog::Lightness)->setValue(100);
  w.dialog->accept();
  EXPECT_EQ(bytesOf(w.editor), original);
  EXPECT_FALSE(w.editor.history().canUndo());
  EXPECT_FALSE(w.editor.modified());
}

TEST(RecolourDialog, APictureChangedOnDiskWaitsUntilTheRecolourHasEnded) {
  EditorWindow w;
  TempDir skins;
  const std::string folder = saveBuiltinSkin(skins.path().string() + "/skin/");
  ASSERT_TRUE(w.editor.openPath(folder));
  const int gba = SkinImageTable::indexOf("icon/gba.bmp");
  const std::vector<Color> nds =
      w.editor.images()[SkinImageTable::indexOf("icon/nds.bmp")].picture.pixels;
  const std::size_t steps = w.editor.history().size();

  std::optional<Dialog> dialog;
  dialog.emplace(&w.window, w.editor);
  dialog->show();
  dialog->slider(Dialog::Hue)->setValue(-100);
  processUntil([&] { return !dialog->previewPending(); });
  std::filesystem::copy_file(folder + "icon/nds.bmp", folder + "icon/gba.bmp",
                             std::filesystem::copy_options::overwrite_existing);
  // Read in now, the picture would join the trial and go with Cancel.
  EXPECT_FALSE(processUntil([&] { return w.editor.history().size() != steps; }));
  dialog->reject();
  EXPECT_TRUE(processUntil([&] { return w.editor.history().size() == steps + 1; }));
  EXPECT_EQ(w.editor.images()[gba].picture.pixels, nds);
  w.editor.undo();
  // Under the reload lies the skin as opened, not the recolour.
  EXPECT_EQ(w.editor.history().size(), steps + 1);
  EXPECT_FALSE(w.editor.modified());
}

}  // namespace
