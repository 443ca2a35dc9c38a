// What the editor asks of its desktop beyond messages and progress: the
// requesters, the unsaved-changes question, the colour picker and the
// clipboard. The editor implements it with Qt and tests script it; the
// command-line tool never asks the user anything, so it has none of it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/desktop.h"

class EditorDesktop : public Desktop {
 public:
  // Open-file requester. `filters` is the "label|pattern|label|pattern|" list;
  // returns the chosen path, or empty when cancelled.
  virtual std::string askOpenFile(const std::string& title, const std::string& suggestedFile,
                                  const std::string& filters, int filterIndex) = 0;

  // Save-file requester over the same kind of filter list, `filterIndex`
  // preselected. Returns the chosen path (empty when cancelled) and sets
  // `chosenFilter` to the index of the filter selected when it was chosen.
  virtual std::string askSaveFile(const std::string& title, const std::string& suggestedFile,
                                  const std::string& filters, int filterIndex, int& chosenFilter) {
    (void)title, (void)suggestedFile, (void)filters, (void)filterIndex, (void)chosenFilter;
    return {};
  }

  // Folder requester starting in `startFolder`; returns the chosen folder
  // ending in "/", or empty when cancelled.
  virtual std::string askFolder(const std::string& title, const std::string& startFolder) {
    (void)title, (void)startFolder;
    return {};
  }

  // Puts a picture on the clipboard: `pixels` holds width * height colours,
  // rows top to bottom, each red + 256 * green + 65536 * blue.
  virtual void putPictureOnClipboard(int width, int height, std::span<const std::uint32_t> pixels) {
    (void)width, (void)height, (void)pixels;
  }

  // The colour picker, started with `color` (same layout as above): the
  // colour chosen with OK, or `color` itself when cancelled.
  virtual std::uint32_t pickColor(std::uint32_t color) { return color; }

  // Three-way question for unsaved work: save first, discard it, or cancel
  // the action that would lose it.
  enum class UnsavedAnswer { Save, Discard, Cancel };
  virtual UnsavedAnswer askUnsavedChanges(const std::string& title, const std::string& question) {
    (void)title, (void)question;
    return UnsavedAnswer::Cancel;
  }
};
