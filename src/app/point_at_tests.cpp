// Pointing at the preview: from a point of the canvas to the control that
// edits what is drawn there, and dragging an element.
#include <gtest/gtest.h>

#include <optional>

#include "app/editor.h"
#include "app/panel_controls.h"
#include "app/point_at.h"
#include "preview/preview_canvas.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/temp_dir.h"

namespace {

struct NoView : EditorListener {
  int fills = 0;
  void canvasChanged() override {}
  void skinReplaced() override { ++fills; }
};

// The first canvas point whose item satisfies `wanted`.
template <typename Wanted>
std::optional<std::pair<int, int>> findPoint(const Editor& editor, Wanted wanted) {
  for (int y = 0; y < kCanvasHeight; ++y)
    for (int x = 0; x < kCanvasWidth; ++x)
      if (const DrawItem* item = editor.itemAt(x, y); item && wanted(*item)) return {{x, y}};
  return std::nullopt;
}

class PointAtTest : public ::testing::Test {
 protected:
  PointAtTest() {
    editor.addListener(view);
    editor.start();
  }
  TempDir home;
  FakeDesktop desktop;
  NoView view;
  Editor editor{desktop, home.path()};
};

TEST_F(PointAtTest, WhatIsDrawnLeadsToTheControlThatEditsIt) {
  const auto clock = findPoint(editor, [](const DrawItem& i) { return i.element == "big clock"; });
  ASSERT_TRUE(clock);
  const PanelTarget target = targetOf(*editor.itemAt(clock->first, clock->second));
  EXPECT_EQ(target, (PanelTarget{PanelTarget::Kind::ElementRow, 5, 0}));
  EXPECT_EQ(targetLabel(target, editor.texts()), "BigClock");

  // The background picture has no element: its image button.
  const DrawItem* background = editor.itemAt(6, 6);
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(targetLabel(targetOf(*background), editor.texts()), "upper_screen.bmp");
  EXPECT_EQ(targetOf(*background).kind, PanelTarget::Kind::ImageButton);

  // Margins and the hinge are nothing.
  EXPECT_EQ(editor.itemAt(2, 2), nullptr);
  EXPECT_EQ(editor.itemAt(130, 240), nullptr);

  EXPECT_EQ(colorButtonTarget(globalColor("fileNameTextColor")),
            (PanelTarget{PanelTarget::Kind::ColorButton, 1, 0}));
  EXPECT_EQ(targetLabel(colorButtonTarget(globalColor("fileNameTextColor")), editor.texts()),
            "fileNameTextColor");
  EXPECT_EQ(colorButtonTarget(globalColor("timeTextColor")).kind, PanelTarget::Kind::None);
  EXPECT_EQ(elementRowTarget("logo offset").view, 1);
  EXPECT_EQ(elementRowTarget("UiType menu").index, 15);
  EXPECT_EQ(imageButtonTarget("icon/nds.bmp").index, 12);

  // The upper screen of a menu view draws view 0's elements.
  editor.selectScreenView(2);
  const auto upper = findPoint(editor, [](const DrawItem& i) { return i.element == "big clock"; });
  ASSERT_TRUE(upper);
  EXPECT_EQ(targetOf(*editor.itemAt(upper->first, upper->second)).view, 0);
  const auto menu = findPoint(editor, [](const DrawItem& i) { return i.element == "start menu"; });
  ASSERT_TRUE(menu);
  EXPECT_EQ(targetOf(*editor.itemAt(menu->first, menu->second)).view, 2);
}

TEST_F(PointAtTest, ADragMovesInWholePixelsWithinRangeAsOneStepAndCancelPutsItBack) {
  const int x0 = editor.model().bigClock.x, y0 = editor.model().bigClock.y;
  EXPECT_FALSE(editor.beginElementDrag(3));  // "FileName Titleshow" has no position
  ASSERT_TRUE(editor.beginElementDrag(5));
  editor.dragElementBy(10, 0);
  editor.dragElementBy(20, -3);
  EXPECT_EQ(editor.model().bigClock.x, x0 + 20);
  EXPECT_EQ(editor.model().bigClock.y, y0 - 3);
  const int redraws = editor.redrawCount();
  editor.dragElementBy(20, -3);  // no new position: no redraw
  EXPECT_EQ(editor.redrawCount(), redraws);
  editor.dragElementBy(1000, -1000);
  EXPECT_EQ(editor.model().bigClock.x, 255);
  EXPECT_EQ(editor.model().bigClock.y, 0);
  editor.dragElementBy(20, 0);
  editor.endElementDrag();
  EXPECT_EQ(editor.history().size(), 1u);
  EXPECT_EQ(editor.undoText(), editor.texts().text("LANG_EDIT_UNDO$") + " [big clock] x, y");
  editor.undo();
  EXPECT_EQ(editor.model().bigClock.x, x0);

  ASSERT_TRUE(editor.beginElementDrag(5));
  editor.dragElementBy(7, 7);
  editor.cancelElementDrag();
  EXPECT_EQ(editor.model().bigClock.x, x0);
  EXPECT_EQ(editor.model().bigClock.y, y0);
  EXPECT_FALSE(editor.dragging());
  EXPECT_EQ(editor.history().size(), 1u);  // a cancelled drag makes no step
  for (int row = 0; row < 24; ++row) EXPECT_EQ(isDraggableRow(row), row != 3 && row != 12) << row;
}

}  // namespace
