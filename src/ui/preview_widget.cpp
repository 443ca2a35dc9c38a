#include "ui/preview_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <utility>

#include "app/editor.h"
#include "preview/preview_canvas.h"

PreviewWidget::PreviewWidget(const Editor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(QStringLiteral("Preview"));
  canvasChanged();
}

QSize PreviewWidget::sizeHint() const {
  const float zoom = editor_.state().ZoomFactor;
  return {enlargedLength(kCanvasWidth, zoom), enlargedLength(kCanvasHeight, zoom)};
}

void PreviewWidget::canvasChanged() {
  const QSize size = sizeHint();
  if (this->size() != size) resize(size);
  update();
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
  if (onFirstPaint) std::exchange(onFirstPaint, nullptr)();
}
