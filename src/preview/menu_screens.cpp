#include "preview/menu_screens.h"

// Placeholder until the start-menu, window and cheat-list views exist: an
// empty picture, so a caller can tell the view is not drawn.
Image drawMenuScreen(int, const PreviewSources&) { return {}; }
