// Where the preview, its screen buttons and the editing panel stand in the
// main window, from its client width, usable height and the swap-view
// choice. Pure arithmetic, so the window only moves widgets to these values.
#pragma once

#include "app/editor_state.h"
#include "preview/preview_canvas.h"  // one screen button per view

inline constexpr int kPanelWidth = 392;
inline constexpr int kPreviewY = 28;
inline constexpr int kScreenButtonY = 3;
inline constexpr int kScreenButtonHeight = 20;
// The client area below the menu bar at start, and the part of its height
// that does not count the status bar.
inline constexpr int kInitialClientWidth = 666;
inline constexpr int kInitialClientHeight = 547;
inline constexpr int kMinimumUsableHeight = 521;

// Layout on resize: W the client width, H the usable height (below the
// menu bar, above the status bar). A minimised window (either side zero or
// less) keeps the last layout.
void layoutOnResize(EditorState& state, int clientWidth, int usableHeight);

// Swap-view toggle: flips SwapView and moves preview and panel; the
// panel's height is left as it is.
void toggleSwapView(EditorState& state, int clientWidth, int usableHeight);

// Left edge of screen button i after a resize or toggle.
int screenButtonX(const EditorState& state, int index);
