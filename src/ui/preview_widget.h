// Shows the editor's canvas at the zoom factor. The enlarged picture is never
// built: each repaint samples just the rectangle Qt asks for from the
// natural-size canvas, so a repaint at 5.05 costs the visible area only.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class Editor;

class PreviewWidget : public QWidget {
  Q_OBJECT

 public:
  PreviewWidget(const Editor& editor, QWidget* parent);

  // The canvas or the zoom changed: take the enlarged size and repaint.
  void canvasChanged();
  QSize sizeHint() const override;

  // Called after the next paint, then forgotten.
  std::function<void()> onFirstPaint;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Editor& editor_;
  QImage scratch_;  // reused between repaints
};
