// The colours of the built-in skin, matched to its default settings colours.
#pragma once

#include "canvas.h"

constexpr Rgb kBody = rgb(24, 24, 24);        // window body
constexpr Rgb kFrameDark = rgb(96, 0, 48);    // window frame
constexpr Rgb kFrameLight = rgb(152, 0, 72);  // selection background
constexpr Rgb kOrange = rgb(248, 192, 112);   // text
constexpr Rgb kCyan = rgb(64, 208, 240);      // highlight
constexpr Rgb kWhite = rgb(248, 248, 248);
constexpr Rgb kBlack = rgb(0, 0, 0);
