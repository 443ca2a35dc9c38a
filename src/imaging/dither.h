// Floyd-Steinberg reduction of a picture to the handheld's 5 bits per
// channel.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/image.h"

// Every channel becomes a multiple of 8. Each pixel keeps its top 5 bits and
// passes its lost low bits on to the right (7/16), below left (3/16), below
// (5/16) and below right (1/16) neighbours, truncating each share and
// clamping each sum to 255. Error that falls off the picture is dropped.
void dither15(Image& picture);

// The same reduction with some pixels held out of it: a pixel whose entry in
// `held` (one per pixel, row by row) is non-zero keeps its colour, passes on
// no error, and the error its neighbours would pass to it is dropped, as if
// it were off the picture. A mask of the wrong size holds nothing.
void dither15(Image& picture, const std::vector<std::uint8_t>& held);
