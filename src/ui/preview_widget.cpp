#include "ui/preview_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <utility>

#include "app/editor.h"
#include "preview/preview_canvas.h"
#include "ui/qt_text.h"

namespace {

// The first widget pixel showing canvas pixel `c` under the mapping the
// widget samples with (widget d shows canvas d * natural / enlarged).
int firstWidgetPixel(int c, int natural, int enlarged) {
  return static_cast<int>((static_cast<long long>(c) * enlarged + natural - 1) / natural);
}

}  // namespace

PreviewWidget::PreviewWidget(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(QStringLiteral("Preview"));
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  canvasChanged();
}

QSize PreviewWidget::sizeHint() const {
  const float zoom = editor_.state().ZoomFactor;
  return {enlargedLength(kCanvasWidth, zoom), enlargedLength(kCanvasHeight, zoom)};
}

double PreviewWidget::scale() const { return double(sizeHint().width()) / kCanvasWidth; }

void PreviewWidget::canvasChanged() {
  const QSize size = sizeHint();
  if (this->size() != size) resize(size);
  update();
  // What lies under the pointer may have moved or changed.
  if (underMouse()) hoverAt(mapFromGlobal(QCursor::pos()));
}

QPoint PreviewWidget::canvasPoint(QPoint at) const {
  const QSize size = sizeHint();
  return {static_cast<int>(static_cast<long long>(at.x()) * kCanvasWidth / size.width()),
          static_cast<int>(static_cast<long long>(at.y()) * kCanvasHeight / size.height())};
}

QRect PreviewWidget::widgetRect(const DrawItem& item) const {
  const QSize size = sizeHint();
  const int offsetX = item.screen == ScreenSide::Upper ? kUpperScreenX : kLowerScreenX;
  const int offsetY = item.screen == ScreenSide::Upper ? kUpperScreenY : kLowerScreenY;
  const int x0 = firstWidgetPixel(offsetX + item.rect.x, kCanvasWidth, size.width());
  const int x1 = firstWidgetPixel(offsetX + item.rect.x + item.rect.w, kCanvasWidth, size.width());
  const int y0 = firstWidgetPixel(offsetY + item.rect.y, kCanvasHeight, size.height());
  const int y1 =
      firstWidgetPixel(offsetY + item.rect.y + item.rect.h, kCanvasHeight, size.height());
  return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

void PreviewWidget::setOutline(QRect outline) {
  if (outline == outline_) return;
  if (!outline_.isNull()) update(outline_.adjusted(-1, -1, 1, 1));
  outline_ = outline;
  if (!outline_.isNull()) update(outline_.adjusted(-1, -1, 1, 1));
}

void PreviewWidget::hoverAt(QPoint at) {
  const QPoint point = canvasPoint(at);
  const DrawItem* item = rect().contains(at) ? editor_.itemAt(point.x(), point.y()) : nullptr;
  const PanelTarget target = item ? targetOf(*item) : PanelTarget{};
  setOutline(item && target.kind != PanelTarget::Kind::None ? widgetRect(*item) : QRect());
  const QString name = toQString(targetLabel(target, editor_.texts()));
  if (name != hoveredName_) {
    hoveredName_ = name;
    emit hovered(name);
  }
}

void PreviewWidget::leaveEvent(QEvent* event) {
  setOutline(QRect());
  if (!hoveredName_.isEmpty()) {
    hoveredName_.clear();
    emit hovered(QString());
  }
  QWidget::leaveEvent(event);
}

void PreviewWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (pressedAt_ && (event->buttons() & Qt::LeftButton) &&
      pressedTarget_.kind == PanelTarget::Kind::ElementRow &&
      isDraggableRow(pressedTarget_.index)) {
    // Whole handheld pixels: the distance divided by the zoom.
    const int dx = static_cast<int>((at.x() - pressedAt_->x()) / scale());
    const int dy = static_cast<int>((at.y() - pressedAt_->y()) / scale());
    if (!dragging_ && (dx != 0 || dy != 0))
      dragging_ = editor_.beginElementDrag(pressedTarget_.index);
    if (dragging_) editor_.dragElementBy(dx, dy);
  }
  hoverAt(at);
  QWidget::mouseMoveEvent(event);
}

void PreviewWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  const QPoint point = canvasPoint(at);
  const DrawItem* item = editor_.itemAt(point.x(), point.y());
  pressedAt_ = at;
  pressedTarget_ = item ? targetOf(*item) : PanelTarget{};
  dragging_ = false;
  event->accept();
}

void PreviewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressedAt_) return QWidget::mouseReleaseEvent(event);
  pressedAt_.reset();
  if (dragging_) {
    dragging_ = false;
    editor_.endElementDrag();
    return;
  }
  if (pressedTarget_.kind != PanelTarget::Kind::None) emit pointedAt(pressedTarget_);
}

void PreviewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
  const QPoint point = canvasPoint(event->position().toPoint());
  const DrawItem* item = editor_.itemAt(point.x(), point.y());
  if (!item) return;
  const DrawItem hit = *item;  // the redraws below replace the record
  if (const PanelTarget image = imageButtonTarget(hit.picture);
      image.kind != PanelTarget::Kind::None) {
    editor_.replaceImage(image.index);
  } else if (const PanelTarget color = colorButtonTarget(hit.color);
             color.kind != PanelTarget::Kind::None) {
    editor_.pickFieldColor(color.index);
    emit pointedAt(color);  // the button's swatch follows
  }
}

void PreviewWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && dragging_) {
    dragging_ = false;
    pressedAt_.reset();
    editor_.cancelElementDrag();
    return;
  }
  QWidget::keyPressEvent(event);
}

void PreviewWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const Image& canvas = editor_.canvas();
  const float zoom = editor_.state().ZoomFactor;
  for (const QRect& rect : event->region()) {
    if (scratch_.width() < rect.width() || scratch_.height() < rect.height())
      scratch_ = QImage(std::max(rect.width(), scratch_.width()),
                        std::max(rect.height(), scratch_.height()), QImage::Format_RGB32);
    scratch_.fill(Qt::black);
    sampleEnlargedCanvas(canvas, zoom, rect.x(), rect.y(), rect.width(), rect.height(),
                         reinterpret_cast<std::uint32_t*>(scratch_.bits()),
                         static_cast<std::size_t>(scratch_.bytesPerLine() / 4));
    // Drawn without smoothing: at a device pixel ratio above 1 each preview
    // pixel stays a block of whole device pixels.
    painter.drawImage(rect.topLeft(), scratch_, QRect(QPoint(0, 0), rect.size()));
  }
  if (!outline_.isNull()) {
    // Over the canvas, never into it: a screenshot does not show it. The
    // difference with white stands out on any colour.
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outline_.adjusted(0, 0, -1, -1).normalized());
  }
  if (onFirstPaint) std::exchange(onFirstPaint, nullptr)();
}
