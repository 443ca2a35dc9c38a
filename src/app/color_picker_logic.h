// What the colour picker knows and decides, apart from its window: the
// handheld's 5-bit channels, the value fields' text, the spin-box text rule
// and the three colours it keeps while it is open.
#pragma once

#include <string>
#include <string_view>

#include "imaging/color.h"

// The handheld keeps 5 bits of every 8-bit channel: the top five.
inline constexpr int channel5(int channel) { return (channel >> 3) & 31; }
inline constexpr int channelFrom5(int value5) { return value5 * 8; }

// "0x" and four upper-case hex digits of R5 * 1024 + G5 * 32 + B5: red in
// the high bits, as a 16-bit BMP stores it ("0x7C00" is pure red).
std::string colorPickerHex(Color color);

// A pixel picked off the screen, cut to the handheld's steps.
inline constexpr Color pickedScreenColor(Color pixel) {
  return rgb(redOf(pixel) & 0xF8, greenOf(pixel) & 0xF8, blueOf(pixel) & 0xF8);
}

// What a spin box's text means. Anything without leading digits reads as 0,
// a negative number counts as 0, and past 31 the box is set back to "31".
struct SpinReading {
  int value = 0;         // 0..31
  bool rewrite = false;  // the text must be replaced by "31"
};
SpinReading readSpinText(std::string_view text);

// The actual colour (as given, never changes), the new colour (being edited)
// and the displayed colour (the new colour as the controls last showed it).
class ColorPickerState {
 public:
  explicit ColorPickerState(Color actual) : actual_(actual), new_(actual), displayed_(actual) {}

  Color actual() const { return actual_; }
  Color newColor() const { return new_; }
  Color displayed() const { return displayed_; }

  // A colour from the system chooser or the screen, kept as it comes.
  void setNewColor(Color color) { new_ = color & 0xFFFFFF; }
  // The three spin boxes, each clamped to 0..31.
  void setChannels5(int red5, int green5, int blue5);

  // Catches the displayed colour up with the new one; true when it moved,
  // which is when the swatch, spin boxes and new-value field need redrawing.
  bool syncDisplayed();

  Color okResult() const { return displayed_; }
  Color cancelResult() const { return actual_; }

 private:
  Color actual_;
  Color new_;
  Color displayed_;
};
