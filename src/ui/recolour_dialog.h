// Recolouring the whole skin: hue, saturation and lightness (or one hue for
// every pixel, colourising), and which parts change. The main window's
// preview follows every move of a control; OK keeps what it shows as one
// undo step, Cancel, Escape and the close box put the skin back exactly as
// it was.
#pragma once

#include <QDialog>
#include <QTimer>
#include <array>

#include "app/skin_recolour.h"
#include "imaging/recolour.h"

class Editor;
class QCheckBox;
class QPushButton;
class QSlider;
class QSpinBox;

class RecolourDialog : public QDialog {
  Q_OBJECT

 public:
  enum Value { Hue, Saturation, Lightness, ColouriseHue };
  static constexpr int kValueCount = 4;
  enum Part { Colours, Backgrounds, Icons, BarsAndFrames, ClockDigits };
  static constexpr int kPartCount = 5;

  // Starts the recolour on the editor's skin; the dialog's end finishes it.
  RecolourDialog(QWidget* owner, Editor& editor);
  ~RecolourDialog() override;

  // Runs the dialog modally over `owner`.
  static void run(QWidget* owner, Editor& editor);

  // The values the controls show, as the recolour takes them.
  RecolourParams params() const;
  RecolourParts parts() const;

  // Every value back to "no change"; the parts stay as they are.
  void resetValues();

  // Whether a change waits for the next turn of the event loop.
  bool previewPending() const { return pending_.isActive(); }

  QSlider* slider(Value value) const { return sliders_[value]; }
  QSpinBox* spin(Value value) const { return spins_[value]; }
  QCheckBox* colouriseBox() const { return colourise_; }
  QCheckBox* partBox(Part part) const { return parts_[part]; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* resetButton() const { return reset_; }

  void done(int result) override;

 private:
  void valuesChanged();
  void showPreview();
  void enableRows();

  Editor& editor_;
  // A slider drag can deliver many values in one turn of the event loop;
  // only the last of them is drawn.
  QTimer pending_;
  bool finished_ = false;
  std::array<QSlider*, kValueCount> sliders_{};
  std::array<QSpinBox*, kValueCount> spins_{};
  QCheckBox* colourise_ = nullptr;
  std::array<QCheckBox*, kPartCount> parts_{};
  QPushButton* reset_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
