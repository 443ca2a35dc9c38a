// The skin check: what would go wrong with a skin on the handheld, found
// before it goes on the card. A plain function over the model, the picture
// table and what the load found on disk; cheap enough to run after an edit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "i18n/interface_texts.h"
#include "skin/skin_images.h"
#include "skin/skin_load_record.h"
#include "skin/skin_model.h"

enum class Severity { Error, Warning, Note };

// One problem. `section` and `key` name a settings field ("file name",
// "titleshow"), `section` alone an element, `picture` a picture by its table
// name; together with `views` that is what a click needs to show the
// control and the screen. Keys that are not known stay as the file wrote
// them.
struct Finding {
  Severity severity = Severity::Note;
  std::string code;     // stable: "picture-size", "unknown-key", ...
  std::string file;     // "uisettings.ini", "cheatbg.bmp", an archive entry
  std::string section;  // without brackets
  std::string key;
  std::string picture;
  // Every picture a finding about several names (the missing ones), in
  // table order; `picture` is then empty.
  std::vector<std::string> pictures;
  int line = 0;            // in uisettings.ini; 0 when the finding has none
  std::vector<int> views;  // ScreenViews where it shows, ascending
  std::string message;     // in the interface language
};

struct SkinCheckInputs {
  // What the load read from disk; nullptr for a skin with no files behind
  // it (the built-in skin), which skips the rules about stored files.
  const SkinLoadRecord* load = nullptr;
};

std::vector<Finding> checkSkin(const SkinModel& model, const SkinImageTable& images,
                               const SkinCheckInputs& inputs, const InterfaceTexts& texts);

// The rules over the settings file as stored, line by line.
std::vector<Finding> checkSettingsText(std::string_view bytes, const InterfaceTexts& texts);

std::string_view severityName(Severity severity);  // "error", "warning", "note"
// The interface text that names the severity: "LANG_CHECK_ERROR$" and so on.
std::string_view severityTextKey(Severity severity);
int countSeverity(const std::vector<Finding>& findings, Severity severity);

// What the finding concerns, as one word for a line of text: the picture,
// "[section] key", "[section]" or the file.
std::string findingSubject(const Finding& finding);
// "error picture-size cheatbg.bmp: 200 x 150, the screen needs 256 x 192"
std::string findingLine(const Finding& finding);
// The subject and the message, the subject once when the message names it.
std::string findingText(const Finding& finding);
// {"errors": N, "warnings": N, "notes": N, "findings": [...]}
std::string findingsJson(const std::vector<Finding>& findings);

// Replaces %1 .. %9 in `pattern` with the arguments.
std::string fillText(std::string_view pattern, const std::vector<std::string>& arguments);

// Relative luminance (0..1) of a 24-bit colour and the contrast ratio of
// two luminances, as WCAG 2 defines them.
double relativeLuminance(Color color);
double contrastRatio(double luminanceA, double luminanceB);

// Levenshtein distance, ignoring ASCII case.
int editDistance(std::string_view a, std::string_view b);
