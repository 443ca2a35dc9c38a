// The program's pictures (red in the low byte) as Qt images.
#pragma once

#include <QImage>

#include "imaging/image.h"

// Opaque copy of `image`.
QImage toQImage(const Image& image);

// Copy in which pixels of colour `key` are fully transparent.
QImage toQImageWithKey(const Image& image, Color key);
