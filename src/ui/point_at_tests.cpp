#include <gtest/gtest.h>

#include <QSpinBox>

#include "preview/preview_canvas.h"
#include "ui/editing_panel.h"
#include "ui/preview_widget.h"
#include "ui/test_support.h"

using namespace Qt::StringLiterals;

namespace {

// A widget point showing the big clock at the current zoom.
QPoint bigClockPoint(EditorWindow& w) {
  for (int y = 0; y < kCanvasHeight; ++y)
    for (int x = 0; x < kCanvasWidth; ++x)
      if (const DrawItem* item = w.editor.itemAt(x, y); item && item->element == "big clock") {
        const double scale = double(w.window.preview()->width()) / kCanvasWidth;
        return QPoint(static_cast<int>(std::ceil(x * scale)) + 1,
                      static_cast<int>(std::ceil(y * scale)) + 1);
      }
  return {};
}

TEST(PointAt, HoverNamesTheItemAndOutlinesItOverTheCanvas) {
  EditorWindow w;
  PreviewWidget* preview = w.window.preview();
  const QPoint clock = bigClockPoint(w);
  QTest::mouseMove(preview, clock);
  ASSERT_TRUE(processUntil([&] { return w.window.statusText()->text() == u"BigClock"_s; }));
  EXPECT_TRUE(preview->outline().contains(clock));
  // Drawn by the widget only: the canvas keeps its pixels.
  const Image before = w.editor.canvas();
  preview->repaint();
  EXPECT_EQ(w.editor.canvas().pixels, before.pixels);
  QTest::mouseMove(preview, QPoint(1, 1));  // the margin
  ASSERT_TRUE(processUntil([&] { return preview->outline().isNull(); }));
  EXPECT_EQ(toUtf8(w.window.statusText()->text()), w.editor.statusText());
}

TEST(PointAt, AClickFindsTheControlAndShowsItsView) {
  EditorWindow w;
  w.editor.selectScreenView(2);  // the upper screen still draws view 0's clock
  PreviewWidget* preview = w.window.preview();
  QTest::mouseClick(preview, Qt::LeftButton, Qt::NoModifier, bigClockPoint(w));
  EXPECT_EQ(w.editor.screenView(), 0);
  EXPECT_EQ(w.window.panel()->currentIndex(), 2);
  QSpinBox* clockX = w.window.panel()->elementSpin(5, 0);
  ASSERT_TRUE(processUntil([&] { return clockX->hasFocus(); }));
  EXPECT_TRUE(clockX->isEnabled());
}

TEST(PointAt, ADragMovesTheElementByTheDistanceOverTheZoomAndEscapePutsItBack) {
  EditorWindow w;
  for (int i = 0; i < 8; ++i) w.editor.wheel(120);  // 2.2
  PreviewWidget* preview = w.window.preview();
  const QPoint start = bigClockPoint(w);
  const int x0 = w.editor.model().bigClock.x;
  QTest::mousePress(preview, Qt::LeftButton, Qt::NoModifier, start);
  for (int step = 1; step <= 4; ++step)
    QTest::mouseMove(preview, start + QPoint(step * 11, 0), 0);  // buttons come from the press
  QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(44, 0)),
                   QPointF(preview->mapToGlobal(start + QPoint(44, 0))), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(preview, &move);
  QTest::mouseRelease(preview, Qt::LeftButton, Qt::NoModifier, start + QPoint(44, 0));
  EXPECT_EQ(w.editor.model().bigClock.x, x0 + 20);  // 44 / 2.2
  EXPECT_EQ(w.window.panel()->elementSpin(5, 0)->value(), x0 + 20);
  EXPECT_EQ(w.editor.history().size(), 1u);

  QTest::mousePress(preview, Qt::LeftButton, Qt::NoModifier, bigClockPoint(w));
  const QPoint again = bigClockPoint(w);
  QMouseEvent away(QEvent::MouseMove, QPointF(again + QPoint(30, 30)),
                   QPointF(preview->mapToGlobal(again + QPoint(30, 30))), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(preview, &away);
  EXPECT_NE(w.editor.model().bigClock.x, x0 + 20);
  QTest::keyClick(preview, Qt::Key_Escape);
  EXPECT_EQ(w.editor.model().bigClock.x, x0 + 20);
  EXPECT_EQ(w.editor.history().size(), 1u);
}

}  // namespace
