// Lower screens of the start-menu, window and cheat-list views (2..13).
#pragma once

#include "imaging/image.h"
#include "preview/preview_sources.h"

// Renders the lower screen of ScreenView `view` (2..13) into a new screen.
Image drawMenuScreen(int view, const PreviewSources& sources);
