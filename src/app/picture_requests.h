// The two requesters about picture files: which file to put in an entry,
// and where a screenshot goes.
#pragma once

#include <string>
#include <string_view>

#include "app/editor_desktop.h"
#include "i18n/interface_texts.h"
#include "preview/preview_sources.h"

// Asks for a picture for the entry called `baseName`, proposing that name
// in `lastPath`. Returns the chosen file, or empty when cancelled.
std::string askPictureFile(EditorDesktop& desktop, const InterfaceTexts& texts,
                           const std::string& lastPath, std::string_view baseName);

// Asks where to save a screenshot of `sources` and writes it there;
// `lastPath` follows the choice. A name the rules refuse, or a write that
// fails, is said. Returns whether a picture was written.
bool saveScreenshot(EditorDesktop& desktop, const InterfaceTexts& texts, std::string& lastPath,
                    const PreviewSources& sources);
