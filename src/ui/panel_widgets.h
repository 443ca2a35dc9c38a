// The small widgets of the editing panel: buttons whose label shrinks to fit
// its fixed 128-pixel width in every language, the colour button with a
// swatch of its colour, the image button whose tooltip shows the picture,
// and the check box that can show a loaded value other than 0 or 1.
#pragma once

#include <QCheckBox>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QString>

// A push button whose font gets smaller, never larger than the window's,
// until its label fits the button; a label still too long at the smallest
// legible size loses its middle, and the whole label stays its tooltip and
// accessible name.
class FittedButton : public QPushButton {
  Q_OBJECT

 public:
  FittedButton(const QString& label, QWidget* parent);
  void fitLabel();
  const QString& label() const { return label_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString label_;
};

class ColorButton : public FittedButton {
  Q_OBJECT

 public:
  ColorButton(const QString& label, QWidget* parent);
  void setSwatch(QColor color);
  QColor swatch() const { return swatch_; }

 private:
  QColor swatch_;
};

class ImageButton : public FittedButton {
  Q_OBJECT

 public:
  ImageButton(const QString& label, QString fileName, QWidget* parent);
  // The picture the tooltip shows; read when it is shown, so it is current.
  std::function<QImage()> picture;
  bool dropHighlighted() const { return dropHover_; }

 signals:
  // A BMP, PNG or JPEG file was dropped on the button.
  void pictureDropped(const QString& path);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QString fileName_;
  bool dropHover_ = false;
};

// The one local file or folder a drag carries, or empty when it carries
// anything else.
QString draggedLocalPath(const QMimeData* data);
// Whether a path names a picture file the image buttons take.
bool isPictureFile(const QString& path);

// Shows a picture and its caption beside the pointer, like a tooltip.
class PicturePopup : public QLabel {
  Q_OBJECT

 public:
  static PicturePopup& instance();
  void showFor(QWidget* owner, const QImage& picture, const QString& caption, QPoint globalPos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  PicturePopup();
  QWidget* owner_ = nullptr;
};

// A check box for a field that should be 0 or 1: another loaded value shows
// as partly checked until the user clicks it, which makes it plainly checked.
class ElementCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  using QCheckBox::QCheckBox;
  void showValue(int value);

 protected:
  void nextCheckState() override;
};
