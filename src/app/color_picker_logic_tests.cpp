#include <gtest/gtest.h>

#include "app/color_picker_logic.h"

namespace {

TEST(ColorPickerHex, RedSitsInTheHighBitsAndLowBitsAreDropped) {
  EXPECT_EQ(colorPickerHex(rgb(255, 0, 0)), "0x7C00");
  EXPECT_EQ(colorPickerHex(rgb(248, 0, 0)), "0x7C00");
  EXPECT_EQ(colorPickerHex(rgb(0, 0, 248)), "0x001F");
  EXPECT_EQ(colorPickerHex(rgb(255, 255, 255)), "0x7FFF");
  EXPECT_EQ(colorPickerHex(rgb(7, 7, 7)), "0x0000");
  EXPECT_EQ(colorPickerHex(rgb(8, 200, 248)), "0x073F");
  // Only the 24 colour bits count, whatever a caller left above them.
  EXPECT_EQ(colorPickerHex(0xFF000000u | rgb(0, 8, 0)), "0x0020");
}

TEST(ColorPickerSpinText, NumbersAreClampedAndOnlyTooLargeOnesAreRewritten) {
  struct Case {
    const char* text;
    int value;
    bool rewrite;
  };
  const Case cases[] = {
      {"0", 0, false},           {"31", 31, false},    {"45", 31, true},  {"32", 31, true},
      {"99999999999", 31, true}, {"", 0, false},       {"abc", 0, false}, {"-", 0, false},
      {"-5", 0, false},          {"12abc", 12, false}, {"+7", 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const SpinReading reading = readSpinText(c.text);
    EXPECT_EQ(reading.value, c.value);
    EXPECT_EQ(reading.rewrite, c.rewrite);
  }
}

TEST(ColorPickerScreenPick, LowThreeBitsOfEveryChannelAreCleared) {
  EXPECT_EQ(pickedScreenColor(rgb(13, 200, 255)), rgb(8, 200, 248));
  EXPECT_EQ(pickedScreenColor(rgb(7, 7, 7)), rgb(0, 0, 0));
  EXPECT_EQ(pickedScreenColor(0xFF000000u | rgb(16, 16, 16)), rgb(16, 16, 16));
}

TEST(ColorPickerState, OkGivesTheDisplayedColourAndCancelExactlyTheActualOne) {
  const Color given = rgb(255, 3, 130);  // not on the handheld's steps
  ColorPickerState untouched(given);
  EXPECT_FALSE(untouched.syncDisplayed());
  EXPECT_EQ(untouched.okResult(), given);

  ColorPickerState edited(given);
  edited.setChannels5(1, 25, 31);
  EXPECT_EQ(edited.newColor(), rgb(8, 200, 248));
  EXPECT_EQ(edited.displayed(), given) << "shown only once the controls caught up";
  EXPECT_TRUE(edited.syncDisplayed());
  EXPECT_FALSE(edited.syncDisplayed());
  EXPECT_EQ(edited.okResult(), rgb(8, 200, 248));
  edited.setNewColor(rgb(1, 2, 3));
  edited.syncDisplayed();
  EXPECT_EQ(edited.cancelResult(), given);
  EXPECT_EQ(edited.actual(), given);
}

TEST(ColorPickerState, ChooserColoursKeepFullChannelsAndSpinValuesCannotCarry) {
  ColorPickerState state(0);
  state.setNewColor(rgb(13, 201, 255));
  state.syncDisplayed();
  EXPECT_EQ(state.okResult(), rgb(13, 201, 255));

  state.setChannels5(40, -3, 31);
  EXPECT_EQ(state.newColor(), rgb(248, 0, 248));
}

}  // namespace
