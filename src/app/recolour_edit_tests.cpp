// Recolouring the open skin as the dialog drives it: previews, then OK or
// Cancel, through the editor and its history.
#include <gtest/gtest.h>

#include "app/editor.h"
#include "preview/preview_canvas.h"
#include "skin/settings_file.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/temp_dir.h"

namespace {

struct CountingView : EditorListener {
  int canvases = 0;
  int fields = 0;
  void canvasChanged() override { ++canvases; }
  void fieldChanged(FieldRef) override { ++fields; }
};

std::vector<std::uint8_t> settingsBytes(SkinModel model) {
  return writeSkinSettings(model, [] { return std::string("fixed"); });
}

// The skin as bytes: what a save would write, and every picture.
struct SkinBytes {
  std::vector<std::uint8_t> settings;
  std::vector<std::vector<Color>> pictures;
  bool operator==(const SkinBytes&) const = default;
};

SkinBytes bytesOf(const Editor& editor) {
  SkinBytes out{settingsBytes(editor.model()), {}};
  for (int i = 0; i < kSkinImageCount; ++i)
    out.pictures.push_back(editor.images()[i].picture.pixels);
  return out;
}

RecolourParams blue() {
  RecolourParams p;
  p.hue = -140;
  p.saturation = 1.2;
  return p;
}

class RecolourEditTest : public ::testing::Test {
 protected:
  RecolourEditTest() {
    editor.addListener(view);
    editor.start();
  }
  TempDir home;
  FakeDesktop desktop;
  CountingView view;
  Editor editor{desktop, home.path()};
};

TEST_F(RecolourEditTest, EachNewValueRedrawsOnceAndLeavesTheHistoryAlone) {
  const Image before = editor.canvas();
  editor.beginRecolour();
  EXPECT_TRUE(editor.recolouring());
  const int redraws = editor.redrawCount();
  editor.previewRecolour(blue(), {});
  EXPECT_EQ(editor.redrawCount(), redraws + 1);
  EXPECT_NE(editor.canvas().pixels, before.pixels);
  // The same values again (a slider released where it was) draw nothing new.
  editor.previewRecolour(blue(), {});
  EXPECT_EQ(editor.redrawCount(), redraws + 1);
  EXPECT_FALSE(editor.history().canUndo());
  EXPECT_FALSE(editor.modified());
  // Back to no change: the preview is the skin as it was.
  editor.previewRecolour({}, {});
  EXPECT_EQ(editor.canvas().pixels, before.pixels);
  editor.cancelRecolour();
}

TEST_F(RecolourEditTest, CancelPutsBackEveryByteAndKeepsHistoryAndModifiedState) {
  // An earlier edit, so there is a step and a modified flag to keep.
  editor.setElementValue({"big clock", "x"}, 40);
  const SkinBytes before = bytesOf(editor);
  const std::size_t steps = editor.history().size();
  const std::string undo = editor.undoText();
  const int fields = view.fields;

  editor.beginRecolour();
  RecolourParams colourise;
  colourise.colourise = true;
  colourise.colouriseHue = 30;
  editor.previewRecolour(blue(), {});
  editor.previewRecolour(colourise, {});
  ASSERT_NE(bytesOf(editor), before);
  // The colour buttons follow the trial...
  const int trialFields = view.fields;
  EXPECT_GT(trialFields, fields);
  editor.cancelRecolour();

  EXPECT_FALSE(editor.recolouring());
  EXPECT_EQ(bytesOf(editor), before);
  EXPECT_EQ(editor.model().bigClock.x, 40);
  EXPECT_EQ(editor.history().size(), steps);
  EXPECT_EQ(editor.undoText(), undo);
  EXPECT_TRUE(editor.modified());
  EXPECT_GT(view.fields, trialFields);  // ...and come back with the skin
  EXPECT_EQ(editor.canvas().pixels,
            composeCanvas(renderScreenView(0, {editor.model(), editor.images()}), 0).pixels);
}

TEST_F(RecolourEditTest, OkIsOneNamedUndoStepThatUndoesAndRedoesWhole) {
  const SkinBytes original = bytesOf(editor);
  editor.beginRecolour();
  for (int hue = -10; hue >= -140; hue -= 10) {
    RecolourParams p = blue();
    p.hue = hue;
    editor.previewRecolour(p, {});
  }
  const SkinBytes recoloured = bytesOf(editor);
  const int redraws = editor.redrawCount();
  editor.commitRecolour();

  EXPECT_FALSE(editor.recolouring());
  EXPECT_EQ(editor.history().size(), 1u);
  EXPECT_EQ(editor.undoText(), editor.texts().text("LANG_EDIT_UNDO$") + " " +
                                   editor.texts().text("LANG_RECOLOUR_TITLE$"));
  EXPECT_TRUE(editor.modified());
  EXPECT_EQ(editor.redrawCount(), redraws);  // what OK keeps is on screen already
  EXPECT_EQ(bytesOf(editor), recoloured);

  editor.undo();
  EXPECT_EQ(bytesOf(editor), original);
  EXPECT_FALSE(editor.modified());
  editor.redo();
  EXPECT_EQ(bytesOf(editor), recoloured);
}

TEST_F(RecolourEditTest, PartsLeftOutKeepTheirPicturesAndColoursAndAreNotStoredAgain) {
  const SkinBytes original = bytesOf(editor);
  const SharedPictures shared = editor.history().current().pictures;
  RecolourParts parts;
  parts.colours = false;
  parts.set(SkinImageGroup::Icons, false);
  editor.beginRecolour();
  editor.previewRecolour(blue(), parts);
  editor.commitRecolour();

  const SkinBytes after = bytesOf(editor);
  EXPECT_EQ(after.settings, original.settings);
  int changed = 0;
  for (int i = 0; i < kSkinImageCount; ++i) {
    const bool kept = after.pictures[i] == original.pictures[i];
    if (skinImageGroup(i) == SkinImageGroup::Icons) {
      EXPECT_TRUE(kept) << skinImageFileName(i);
      // The history shares what did not change rather than holding a copy.
      EXPECT_EQ(editor.history().current().pictures[i], shared[i]) << skinImageFileName(i);
    }
    changed += kept ? 0 : 1;
  }
  EXPECT_GT(changed, 30);
}

TEST_F(RecolourEditTest, OkWithNothingChangedMakesNoStep) {
  const SkinBytes original = bytesOf(editor);
  editor.beginRecolour();
  editor.previewRecolour(blue(), {});
  editor.previewRecolour({}, {});  // the slider back at zero
  editor.commitRecolour();
  EXPECT_EQ(bytesOf(editor), original);
  EXPECT_FALSE(editor.history().canUndo());
  EXPECT_FALSE(editor.modified());

  // Values that change nothing because every part is off.
  RecolourParts none;
  none.colours = false;
  none.groups.fill(false);
  editor.beginRecolour();
  editor.previewRecolour(blue(), none);
  editor.commitRecolour();
  EXPECT_FALSE(editor.history().canUndo());
}

TEST_F(RecolourEditTest, CallsOutsideARecolourDoNothing) {
  const SkinBytes original = bytesOf(editor);
  const int redraws = editor.redrawCount();
  editor.previewRecolour(blue(), {});
  editor.commitRecolour();
  editor.cancelRecolour();
  EXPECT_EQ(bytesOf(editor), original);
  EXPECT_EQ(editor.redrawCount(), redraws);
  EXPECT_FALSE(editor.history().canUndo());
}

}  // namespace
