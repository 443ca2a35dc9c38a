// Shows the editor's canvas at the zoom factor. The enlarged picture is never
// built: each repaint samples just the rectangle Qt asks for from the
// natural-size canvas, so a repaint at 5.05 costs the visible area only.
// It also lets the author point at what is drawn: hover outlines it, a
// click finds its control, a drag moves an element, a double click opens
// its picture or colour.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/point_at.h"

class Editor;

class PreviewWidget : public QWidget {
  Q_OBJECT

 public:
  PreviewWidget(Editor& editor, QWidget* parent);

  // The canvas or the zoom changed: take the enlarged size and repaint.
  void canvasChanged();
  QSize sizeHint() const override;

  // The natural-size canvas point under a point of the widget.
  QPoint canvasPoint(QPoint widgetPoint) const;
  // The outline drawn around the item under the pointer, in widget pixels.
  QRect outline() const { return outline_; }

  // Called after the next paint, then forgotten.
  std::function<void()> onFirstPaint;

 signals:
  // The name of what is under the pointer; empty when nothing is.
  void hovered(const QString& name);
  // A click on something the panel edits.
  void pointedAt(const PanelTarget& target);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void hoverAt(QPoint widgetPoint);
  void setOutline(QRect outline);
  QRect widgetRect(const DrawItem& item) const;
  double scale() const;  // widget pixels per handheld pixel

  Editor& editor_;
  QImage scratch_;  // reused between repaints
  QRect outline_;
  QString hoveredName_;
  // A left press, until its release: where it was and what it hit.
  std::optional<QPoint> pressedAt_;
  PanelTarget pressedTarget_;
  bool dragging_ = false;
};
