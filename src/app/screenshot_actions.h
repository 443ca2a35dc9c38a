// What the editor's Screenshot menu does with the skin on show: one view to
// a file or to the clipboard, and all views at once as a contact sheet.
#pragma once

#include <string>

#include "app/editor_desktop.h"
#include "i18n/interface_texts.h"
#include "preview/contact_sheet.h"
#include "preview/preview_sources.h"
#include "skin/skin_model.h"

// The sheet's title, byline and screen names in the interface language,
// falling back to the English ones where the preview font has no glyphs.
// A skin without a title is called by `skinName` (its folder's or
// archive's name), or "Untitled skin" when it has none either.
ContactSheetTexts contactSheetTexts(const SkinModel& model, const InterfaceTexts& texts,
                                    std::string_view skinName = {});

// Asks for a PNG file and writes the contact sheet of `sources` there;
// `lastPath` follows the choice. A write that fails is said. Returns
// whether a sheet was written.
bool saveContactSheet(EditorDesktop& desktop, const InterfaceTexts& texts, std::string& lastPath,
                      const PreviewSources& sources, std::string_view skinName);

void copyScreenshotToClipboard(EditorDesktop& desktop, const PreviewSources& sources);
