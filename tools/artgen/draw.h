// Drawing routines for the single pictures, grouped by kind in draw_*.cpp.
#pragma once

#include <functional>

#include "canvas.h"

// A colour with fractional channels, dithered to the handheld's steps when painted.
struct Shade {
  double r, g, b;
};
Shade shadeOf(Rgb c);
Shade lerp(Shade a, Shade b, double t);
// Paints every pixel of the rectangle from a function of its local position.
void paintField(Canvas& c, int x, int y, int w, int h,
                const std::function<Shade(int, int)>& colourAt);
// As paintField, but only over pixels that are not key (keeps a drawn shape).
void tintField(Canvas& c, int x, int y, int w, int h,
               const std::function<Shade(int, int)>& colourAt);

// Screens and windows (draw_screens.cpp).
Canvas drawUpperScreen();
Canvas drawLowerScreen();
Canvas drawCheatBackground();
Canvas drawHotkeyWindow();
Canvas drawSettingWindow();
Canvas drawProgressWindow();
Canvas drawProgressBar();
Canvas drawStartBar();
Canvas drawStartButton();
Canvas drawSelectBar();
Canvas drawCheatSelectBar();
Canvas drawMenuFrame();          // the whole 108 x 116 frame; cut into three pieces
Canvas drawTitleBar(int width);  // cut into left, middle and right pieces
Canvas drawPopSubBar();

// Controls and marks (draw_controls.cpp).
Canvas drawButton(int width, int height);
Canvas drawCloseButton(int width, int height);
Canvas drawSpinButton(bool left);
Canvas drawCheckMark();
Canvas drawHotkeyLamp(bool active);
Canvas drawRadio(bool on);
Canvas drawCheckBox(bool on);
Canvas drawTreeFolder();
Canvas drawLamp();
Canvas drawTriangle();
Canvas drawBrightnessButton();
Canvas drawBackButton();
Canvas drawCard(bool listView);
Canvas drawClearAll();
Canvas drawClockDigits();
Canvas drawClockColon();

// File-type icons and the two pictures outside the skin (draw_icons.cpp).
Canvas drawCheatIcon();
Canvas drawVideoIcon();
Canvas drawGbaIcon();
Canvas drawNdsIcon();
Canvas drawPluginIcon();
Canvas drawFolderIcon(bool up);
Canvas drawClockIcon();
Canvas drawSaveIcon();
Canvas drawTextIcon();
Canvas drawUnknownIcon();
Canvas drawGameIcon();
Canvas drawHinge();
