// The preview picture: the two screens of one ScreenView with the hinge
// between them, on the background colour, optionally enlarged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "imaging/image.h"
#include "preview/draw_record.h"
#include "preview/preview_sources.h"

inline constexpr int kScreenViewCount = 14;
inline constexpr int kCanvasWidth = 266;
inline constexpr int kCanvasHeight = 490;
inline constexpr int kUpperScreenX = 5, kUpperScreenY = 5;
inline constexpr int kHingeX = 0, kHingeY = 202;
inline constexpr int kLowerScreenX = 5, kLowerScreenY = 293;

enum class UpperScreenKind { GameInfo, FolderInfo };
enum class LowerScreenKind { IconView, ListView, Menu };

struct ScreenView {
  std::string_view menuKey;  // "LANG_SCREEN_00$" ..
  UpperScreenKind upper;
  LowerScreenKind lower;
};

// The 14 views in menu order; out-of-range numbers give nullptr.
const ScreenView* screenView(int view);

struct ScreenPair {
  Image upper;
  Image lower;  // empty while the view's lower screen cannot be drawn yet
};

// Runs the upper-screen renderer, then the lower-screen renderer of `view`.
// With a record, it ends up holding what both screens drew, in drawing
// order, and nothing else; the pixels are the same either way.
ScreenPair renderScreenView(int view, const PreviewSources& sources, DrawRecord* record = nullptr);

// The item under point (canvasX, canvasY) of the natural-size canvas: the
// last one drawn that covers it. Points on the hinge, the margins and the
// gaps have none.
const DrawItem* itemAt(const DrawRecord& record, int canvasX, int canvasY);

// `source` copied opaque at natural size with its origin at (x, y), clipped
// to `target`.
void copyInto(Image& target, const Image& source, int x, int y);

// The 266 x 490 canvas. An empty lower screen leaves the background showing
// where it would be, so an undrawn screen never passes for a drawn one.
Image composeCanvas(const ScreenPair& screens, Color background);

// round(base * zoom), ties to even, computed on the single-precision factor.
int zoomedLength(int base, float zoom);

// One mouse-wheel event: +120 zooms in by 0.15 below 5.0, -120 zooms out by
// 0.15 above 1.0, anything else is ignored. Returns whether `zoom` changed
// (and so whether a redraw is due).
bool applyWheelDelta(float& zoom, int delta);

// Nearest-neighbour enlargement to zoomedLength of both sides when zoom is
// above 1.0 (and no more than 16, far past the wheel's 5.05); otherwise the
// canvas unchanged.
Image enlargeCanvas(Image canvas, float zoom);

// Width or height of the picture enlargeCanvas(canvas, zoom) would give,
// without building it.
int enlargedLength(int base, float zoom);

// The rectangle (x, y, width, height) of enlargeCanvas(canvas, zoom),
// sampled straight from the natural-size canvas with the same
// nearest-neighbour mapping, so a window repaints only what it shows.
// Writes width * height pixels as 0xFFRRGGBB, rows `stride` pixels apart;
// parts of the rectangle outside the enlarged picture are left alone.
void sampleEnlargedCanvas(const Image& canvas, float zoom, int x, int y, int width, int height,
                          std::uint32_t* out, std::size_t stride);

// The whole redraw: render, compose, enlarge; `record` as for renderScreenView.
Image redrawPreview(int view, float zoom, Color background, const PreviewSources& sources,
                    DrawRecord* record = nullptr);
