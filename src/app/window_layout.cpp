#include "app/window_layout.h"

namespace {

void placeColumns(EditorState& state, int clientWidth) {
  if (state.SwapView) {
    state.PreviewX = kPanelWidth;
    state.PreviewWidth = clientWidth - kPanelWidth;
    state.PanelX = 3;
  } else {
    state.PreviewX = 3;
    state.PreviewWidth = clientWidth - (kPanelWidth + 6);
    state.PanelX = clientWidth - kPanelWidth;
  }
  state.ScreenButtonWidth = state.PreviewWidth / kScreenViewCount;
}

}  // namespace

void layoutOnResize(EditorState& state, int clientWidth, int usableHeight) {
  if (clientWidth <= 0 || usableHeight <= 0) return;
  placeColumns(state, clientWidth);
  state.PreviewHeight = usableHeight - 31;
  state.PanelHeight = usableHeight;
}

void toggleSwapView(EditorState& state, int clientWidth, int usableHeight) {
  state.SwapView = state.SwapView ? 0 : 1;
  placeColumns(state, clientWidth);
  state.PreviewHeight = usableHeight - 31;
}

int screenButtonX(const EditorState& state, int index) {
  return state.PreviewX + 3 + index * state.ScreenButtonWidth;
}
