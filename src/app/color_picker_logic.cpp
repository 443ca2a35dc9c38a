#include "app/color_picker_logic.h"

#include <algorithm>
#include <cstdio>

#include "app/editor_settings.h"

std::string colorPickerHex(Color color) {
  const int value =
      channel5(redOf(color)) * 1024 + channel5(greenOf(color)) * 32 + channel5(blueOf(color));
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
  return text;
}

SpinReading readSpinText(std::string_view text) {
  const int number = leadingInteger(text);
  if (number > 31) return {31, true};
  return {std::max(number, 0), false};
}

void ColorPickerState::setChannels5(int red5, int green5, int blue5) {
  // Every channel is clamped, not just the one being typed into: a value
  // past 31 would otherwise carry into the neighbouring channel's byte.
  auto channel = [](int v) { return channelFrom5(std::clamp(v, 0, 31)); };
  new_ = rgb(channel(red5), channel(green5), channel(blue5));
}

bool ColorPickerState::syncDisplayed() {
  if (new_ == displayed_) return false;
  displayed_ = new_;
  return true;
}
