// The open skin's one edit path, its whole-skin steps, the element drag's
// arithmetic and the listener list, each on its own.
#include <gtest/gtest.h>

#include "app/editor_listener.h"
#include "app/element_drag.h"
#include "app/skin_edits.h"
#include "app/skin_session.h"
#include "skin/skin_source.h"

namespace {

using namespace std::chrono_literals;

constexpr FieldRef kClockX{"big clock", "x"};
constexpr FieldRef kClockY{"big clock", "y"};

class SkinSessionTest : public ::testing::Test {
 protected:
  SkinSessionTest() {
    session.setClock([this] { return now; });
    session.start();
  }
  SkinSession session;
  std::chrono::steady_clock::time_point now{};
};

TEST_F(SkinSessionTest, AnEditThatChangesNothingMakesNoStep) {
  const int x = session.model().bigClock.x;
  EXPECT_TRUE(session.edit("x", "x", writeInteger(kClockX, x)).empty());
  EXPECT_FALSE(session.history().canUndo());
  EXPECT_FALSE(session.modified());
  EXPECT_TRUE(session.edit("nothing", {}, writeInteger({"no such", "x"}, 3)).empty());
}

TEST_F(SkinSessionTest, WritesToOneKeyInOneGestureShareAStep) {
  const SkinChanges first = session.edit("x", "x", writeInteger(kClockX, 10));
  ASSERT_EQ(first.fields.size(), 1u);
  EXPECT_EQ(first.fields[0].key, "x");
  now += 100ms;
  session.edit("x", "x", writeInteger(kClockX, 11));
  EXPECT_EQ(session.history().size(), 1u);
  // A pause, another key, or the end of the gesture each start a new step.
  now += 2s;
  session.edit("x", "x", writeInteger(kClockX, 12));
  session.edit("y", "y", writeInteger(kClockY, 5));
  session.endGesture();
  session.edit("y", "y", writeInteger(kClockY, 6));
  EXPECT_EQ(session.history().size(), 4u);
  ASSERT_TRUE(session.undo());
  EXPECT_EQ(session.model().bigClock.y, 5);
  ASSERT_TRUE(session.undo());
  ASSERT_TRUE(session.undo());
  EXPECT_EQ(session.model().bigClock.x, 11);
}

TEST_F(SkinSessionTest, AChangeWithoutALabelWaitsForTheStepThatEndsItsGesture) {
  session.edit({}, {}, writePosition(kClockX, kClockY, 1, 2));
  EXPECT_EQ(session.model().bigClock.x, 1);
  EXPECT_FALSE(session.history().canUndo());
  EXPECT_FALSE(session.modified());
}

TEST_F(SkinSessionTest, APictureEditIsSharedWithTheHistoryAndUndoesExactly) {
  const Image before = session.images()[5].picture;
  const SkinChanges changes = session.edit("pic", {}, putPicture(5, Image(2, 2, rgb(8, 16, 24))));
  EXPECT_EQ(changes.pictures, std::vector<int>{5});
  EXPECT_EQ(session.history().current().pictures[5]->pixels, session.images()[5].picture.pixels);
  session.undo();
  EXPECT_EQ(session.images()[5].picture.pixels, before.pixels);
  session.redo();
  EXPECT_EQ(session.images()[5].picture.width, 2);
}

TEST_F(SkinSessionTest, AWholeSkinIsASavedStepOnlyWhenItLoaded) {
  session.edit("x", {}, writeInteger(kClockX, 3));
  EXPECT_FALSE(session.replace(
      "open", [](SkinModel&, SkinImageTable&) { return std::optional<SkinSession::Origin>(); }));
  EXPECT_TRUE(session.modified());
  const auto blue = std::make_shared<const SkinSource>(SkinSource{{}, "/skins/Blue/", {}});
  EXPECT_TRUE(session.replace("open", [&](SkinModel& model, SkinImageTable& images) {
    model.bigClock.x = 99;
    images.setSource(blue);
    return std::optional<SkinSession::Origin>({"Blue", "/skins/Blue/"});
  }));
  EXPECT_FALSE(session.modified());
  EXPECT_EQ(session.name(), "Blue");
  EXPECT_EQ(session.folder(), "/skins/Blue/");
  EXPECT_EQ(session.images().source(), blue);
  // Undone, the skin and its place are the ones before it: a save then
  // carries nothing of Blue's files.
  session.undo();
  EXPECT_EQ(session.model().bigClock.x, 3);
  EXPECT_EQ(session.folder(), "");
  EXPECT_EQ(session.images().source(), nullptr);
  EXPECT_TRUE(session.modified());
  session.redo();
  EXPECT_EQ(session.images().source(), blue);
}

TEST_F(SkinSessionTest, ASaveRenamesWithoutAStepAndAFailedOneChangesNothing) {
  session.edit("x", {}, writeInteger(kClockX, 3));
  const auto mine = std::make_shared<const SkinSource>(SkinSource{{}, "/m/", {}});
  EXPECT_FALSE(session.save(
      "Gone", "/gone/", [](SkinModel&, const SkinImageTable&) { return false; }, mine));
  EXPECT_TRUE(session.modified());
  EXPECT_EQ(session.name(), "");
  EXPECT_EQ(session.images().source(), nullptr);
  EXPECT_TRUE(session.save(
      "Mine", "/m/",
      [](SkinModel& model, const SkinImageTable&) {
        model.skinInfo.LastUpdate = "now";
        return true;
      },
      mine));
  EXPECT_FALSE(session.modified());
  EXPECT_EQ(session.history().size(), 1u);
  EXPECT_EQ(session.history().current().model.skinInfo.LastUpdate, "now");
  EXPECT_EQ(session.history().current().name, "Mine");
  // The next save reads the skin's files where this one wrote them.
  EXPECT_EQ(session.images().source(), mine);
  EXPECT_EQ(session.history().current().source, mine);
}

TEST(ElementDragTest, MovesStayInTheSpinBoxRangesAndZeroIsWhereItBegan) {
  SkinModel model;
  resetSkinModel(model);
  ElementDrag drag;
  EXPECT_FALSE(drag.begin(-1, model));
  int row = 0;
  while (!drag.begin(row, model)) ++row;
  EXPECT_TRUE(drag.active());
  EXPECT_FALSE(drag.begin(row, model));  // one drag at a time
  const ElementDrag::Position start = drag.start();
  EXPECT_EQ(drag.current(model), start);
  EXPECT_EQ(drag.at(0, 0), start);
  EXPECT_EQ(drag.at(-1000, -1000), (ElementDrag::Position{0, 0}));
  EXPECT_EQ(drag.at(1000, 1000),
            (ElementDrag::Position{kElementSpinMaximum[0], kElementSpinMaximum[1]}));
  drag.end();
  EXPECT_FALSE(drag.active());
  EXPECT_TRUE(drag.xField().empty());
}

struct Counting : EditorListener {
  EditorListeners* list = nullptr;
  Counting* leaving = nullptr;
  int histories = 0;
  void historyChanged() override {
    ++histories;
    if (leaving) list->remove(*leaving);
  }
};

TEST(EditorListenersTest, OneThatLeavesDuringAnEventHearsNoMoreOfIt) {
  EditorListeners list;
  Counting first, second;
  first.list = &list;
  first.leaving = &second;
  list.add(first);
  list.add(second);
  list.notify(&EditorListener::historyChanged);
  EXPECT_EQ(first.histories, 1);
  EXPECT_EQ(second.histories, 0);
  list.notify(&EditorListener::canvasChanged);  // default: nothing happens
}

}  // namespace
