// The colour picker: the handheld's three 5-bit channels in spin boxes, the
// system colour chooser, and picking any pixel of the screen while the right
// mouse button is held.
#pragma once

#include <QDialog>
#include <QPoint>
#include <functional>
#include <optional>

#include "app/color_picker_logic.h"
#include "imaging/color.h"

class InterfaceTexts;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class ColorSwatch;

class ColorPickerDialog : public QDialog {
  Q_OBJECT

 public:
  // A pixel at a desktop position, or nothing when there is none to read.
  using PreviewPixelSource = std::function<std::optional<Color>(QPoint globalPos)>;
  using ScreenPixelSource = std::function<std::optional<Color>(QPoint globalPos)>;
  // The system chooser started from a colour; nothing when cancelled.
  using ColorChooser = std::function<std::optional<Color>(Color start)>;

  // `previewPixel` lets the editor offer its own preview where the desktop
  // cannot be read.
  ColorPickerDialog(QWidget* owner, const InterfaceTexts& texts, Color initial,
                    PreviewPixelSource previewPixel = {});

  // Runs the dialog modally: the colour chosen with OK, or exactly `initial`
  // after Cancel.
  static Color pick(QWidget* owner, const InterfaceTexts& texts, Color initial,
                    PreviewPixelSource previewPixel = {});

  // What the dialog ended with; `initial` until OK is pressed.
  Color chosenColor() const { return chosen_; }
  bool isPicking() const { return picking_; }

  // Replace the desktop reader and the system chooser (tests, other desktops).
  void setScreenPixelSource(ScreenPixelSource source) { screenPixel_ = std::move(source); }
  void setColorChooser(ColorChooser chooser) { chooser_ = std::move(chooser); }

  // Only OK and Cancel end the dialog; Escape and the window manager do not.
  void reject() override {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildInfo();
  void buildColorFields();
  void buildChannels();
  void buildButtons();
  void onChannelEdited(QSpinBox* edited);
  void openChooser();
  void finish(bool ok);
  void startPicking(QPoint globalPos);
  void pickAt(QPoint globalPos);
  void stopPicking();
  // Brings the swatch, spin boxes and new-value field up to the new colour;
  // `typedInto` keeps the text the user is typing.
  void showNewColor(QSpinBox* typedInto = nullptr);
  void showInfo(const QString& text);
  void showPreviewOnlyHint();

  const InterfaceTexts& texts_;
  ColorPickerState state_;
  Color chosen_;
  PreviewPixelSource previewPixel_;
  ScreenPixelSource screenPixel_;
  ColorChooser chooser_;
  bool picking_ = false;

  QLabel* info_ = nullptr;
  ColorSwatch* swatch_ = nullptr;
  QLineEdit* actualValue_ = nullptr;
  QLineEdit* newValue_ = nullptr;
  QSpinBox* channels_[3] = {};
};
