#include "ui/panel_widgets.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QHelpEvent>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>
#include <QUrl>

namespace {

constexpr int kSmallestLabelPixels = 9;
constexpr int kSwatchSize = 8;

}  // namespace

FittedButton::FittedButton(const QString& label, QWidget* parent)
    : QPushButton(label, parent), label_(label) {
  setAccessibleName(label);
  setToolTip(label);
}

void FittedButton::fitLabel() {
  QFont font = QApplication::font(this);
  const int iconSpace = icon().isNull() ? 0 : iconSize().width() + 6;
  const int available = width() - 8 - iconSpace;
  int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
  font.setPixelSize(pixels);
  int advance = QFontMetrics(font).horizontalAdvance(label_);
  if (advance <= available) {
    // Most labels fit as they are: no shrinking, no eliding to measure.
    setFont(font);
    setText(label_);
    return;
  }
  // Each measure shapes the whole label: the size just measured is not
  // measured again.
  while (pixels > kSmallestLabelPixels && advance > available) {
    font.setPixelSize(--pixels);
    if (pixels > kSmallestLabelPixels) advance = QFontMetrics(font).horizontalAdvance(label_);
  }
  setFont(font);
  setText(QFontMetrics(font).elidedText(label_, Qt::ElideMiddle, available));
}

void FittedButton::resizeEvent(QResizeEvent* event) {
  QPushButton::resizeEvent(event);
  fitLabel();
}

// The swatch comes with the first fill, before the button is first shown.
ColorButton::ColorButton(const QString& label, QWidget* parent) : FittedButton(label, parent) {
  setIconSize(QSize(kSwatchSize, kSwatchSize));
}

void ColorButton::setSwatch(QColor color) {
  // Every fill (an undo, each step of a drag) sets all 29 swatches.
  if (color == swatch_ && !icon().isNull()) return;
  swatch_ = color;
  QPixmap pixmap(kSwatchSize, kSwatchSize);
  pixmap.fill(color);
  QPainter painter(&pixmap);
  painter.setPen(QColor(96, 96, 96));
  painter.drawRect(0, 0, kSwatchSize - 1, kSwatchSize - 1);
  painter.end();
  setIcon(QIcon(pixmap));
  setToolTip(label() +
             QStringLiteral("  0x%1").arg(
                 QString::number(color.rgb() & 0xFFFFFF, 16).rightJustified(6, u'0').toUpper()));
}

ImageButton::ImageButton(const QString& label, QString fileName, QWidget* parent)
    : FittedButton(label, parent), fileName_(std::move(fileName)) {
  setAcceptDrops(true);
}

QString draggedLocalPath(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

bool isPictureFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return QFileInfo(path).isFile() &&
         (suffix == u"bmp" || suffix == u"png" || suffix == u"jpg" || suffix == u"jpeg");
}

void ImageButton::dragEnterEvent(QDragEnterEvent* event) {
  // Anything but one picture file goes on to the window, which may take a
  // skin folder or archive, or refuses it.
  if (!isPictureFile(draggedLocalPath(event->mimeData()))) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  dropHover_ = true;
  update();
}

void ImageButton::dragLeaveEvent(QDragLeaveEvent* event) {
  dropHover_ = false;
  update();
  FittedButton::dragLeaveEvent(event);
}

void ImageButton::dropEvent(QDropEvent* event) {
  dropHover_ = false;
  update();
  const QString path = draggedLocalPath(event->mimeData());
  if (!isPictureFile(path)) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit pictureDropped(path);
}

void ImageButton::paintEvent(QPaintEvent* event) {
  FittedButton::paintEvent(event);
  if (!dropHover_) return;
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

bool ImageButton::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && picture) {
    const QImage shown = picture();
    const QString caption =
        shown.isNull()
            ? fileName_ + QStringLiteral("  (empty)")
            : QStringLiteral("%1  %2 x %3").arg(fileName_).arg(shown.width()).arg(shown.height());
    PicturePopup::instance().showFor(this, shown, caption,
                                     static_cast<QHelpEvent*>(event)->globalPos());
    return true;
  }
  return FittedButton::event(event);
}

PicturePopup& PicturePopup::instance() {
  static PicturePopup* popup = new PicturePopup();
  return *popup;
}

PicturePopup::PicturePopup() : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setMargin(4);
  setAlignment(Qt::AlignCenter);
  setStyleSheet(QStringLiteral("background: #fffff0; border: 1px solid #808080;"));
}

void PicturePopup::showFor(QWidget* owner, const QImage& picture, const QString& caption,
                           QPoint globalPos) {
  if (owner_ && owner_ != owner) owner_->removeEventFilter(this);
  owner_ = owner;
  owner->installEventFilter(this);
  // Small pictures are enlarged in whole steps so their pixels stay sharp;
  // large ones are shown at natural size up to a full screen's width.
  QPixmap pixmap;
  if (!picture.isNull()) {
    const int longest = std::max(picture.width(), picture.height());
    const int factor = std::clamp(96 / std::max(longest, 1), 1, 4);
    QImage shown = picture.scaled(picture.width() * factor, picture.height() * factor,
                                  Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (shown.width() > 256 || shown.height() > 320)
      shown = shown.scaled(256, 320, Qt::KeepAspectRatio, Qt::FastTransformation);
    pixmap = QPixmap::fromImage(shown);
  }
  QImage sheet(std::max(pixmap.width(), fontMetrics().horizontalAdvance(caption)) + 4,
               pixmap.height() + fontMetrics().height() + 6, QImage::Format_RGB32);
  sheet.fill(QColor(255, 255, 240));
  QPainter painter(&sheet);
  painter.drawPixmap((sheet.width() - pixmap.width()) / 2, 2, pixmap);
  painter.setPen(Qt::black);
  painter.setFont(font());
  painter.drawText(QRect(0, pixmap.height() + 4, sheet.width(), fontMetrics().height()),
                   Qt::AlignCenter, caption);
  painter.end();
  setPixmap(QPixmap::fromImage(sheet));
  setAccessibleName(caption);
  adjustSize();
  QPoint at = globalPos + QPoint(12, 16);
  if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
    const QRect area = screen->availableGeometry();
    if (at.x() + width() > area.right()) at.setX(globalPos.x() - width() - 4);
    if (at.y() + height() > area.bottom()) at.setY(globalPos.y() - height() - 4);
  }
  move(at);
  show();
  raise();
}

bool PicturePopup::eventFilter(QObject* watched, QEvent* event) {
  if (watched == owner_) {
    switch (event->type()) {
      case QEvent::Leave:
      case QEvent::MouseButtonPress:
      case QEvent::Hide:
      case QEvent::Destroy:
      case QEvent::KeyPress:
        hide();
        owner_->removeEventFilter(this);
        owner_ = nullptr;
        break;
      default:
        break;
    }
  }
  return QLabel::eventFilter(watched, event);
}

void ElementCheckBox::showValue(int value) {
  if (value == 0 || value == 1) {
    setTristate(false);
    setCheckState(value ? Qt::Checked : Qt::Unchecked);
  } else {
    setTristate(true);
    setCheckState(Qt::PartiallyChecked);
  }
}

void ElementCheckBox::nextCheckState() {
  if (checkState() == Qt::PartiallyChecked) {
    setTristate(false);
    setCheckState(Qt::Checked);
    return;
  }
  QCheckBox::nextCheckState();
}
