#include "app/screenshot_actions.h"

#include "check/skin_check.h"
#include "imaging/image_encoders.h"
#include "preview/screenshot.h"
#include "skin/skin_files.h"

ContactSheetTexts contactSheetTexts(const SkinModel& model, const InterfaceTexts& texts,
                                    std::string_view skinName) {
  ContactSheetTexts sheet;
  const std::string untitledText(drawableText(texts.text("LANG_SHEET_UNTITLED$"),
                                              builtinInterfaceText("LANG_SHEET_UNTITLED$")));
  const std::string untitled =
      skinName.empty() ? untitledText : std::string(drawableText(skinName, untitledText));
  sheet.title = model.skinInfo.Title.empty()
                    ? untitled
                    : std::string(drawableText(model.skinInfo.Title, untitled));
  if (!model.skinInfo.Author.empty()) {
    const std::string by = fillText(texts.text("LANG_SHEET_BY$"), {model.skinInfo.Author});
    sheet.byline =
        drawableText(by, fillText(builtinInterfaceText("LANG_SHEET_BY$"), {model.skinInfo.Author}));
  }
  for (int view = 0; view < kScreenViewCount; ++view) {
    const std::string_view key = screenView(view)->menuKey;
    sheet.screenNames[static_cast<std::size_t>(view)] =
        drawableText(texts.text(key), builtinInterfaceText(key));
  }
  return sheet;
}

bool saveContactSheet(EditorDesktop& desktop, const InterfaceTexts& texts, std::string& lastPath,
                      const PreviewSources& sources, std::string_view skinName) {
  int filter = 0;
  std::string chosen = desktop.askSaveFile(texts.text("LANG_REQFILE_SAVE$"), lastPath,
                                           "Portable Network Graphic (*.png)|*.png|", 0, filter);
  if (chosen.empty()) return false;
  lastPath = folderPart(chosen);
  // The sheet is a PNG whatever the name says, so the name says so too.
  std::string ending = chosen.size() >= 4 ? chosen.substr(chosen.size() - 4) : std::string();
  for (char& c : ending)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (ending != ".png") chosen += ".png";
  const Image sheet =
      drawContactSheet(sources, contactSheetTexts(sources.model, texts, skinName), {});
  // Otherwise the author believes the sheet was saved.
  if (!writeImageFile(chosen, sheet, ImageFileFormat::Png)) {
    desktop.showMessage(texts.text("LANG_ERROR$"),
                        chosen + ": " + texts.text("LANG_FILE_NOTSAVE$"));
    return false;
  }
  return true;
}

void copyScreenshotToClipboard(EditorDesktop& desktop, const PreviewSources& sources) {
  const Image shot = renderScreenshot(sources);
  desktop.putPictureOnClipboard(shot.width, shot.height, shot.pixels);
}
