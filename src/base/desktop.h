// The one way the core reaches the desktop. The editor implements it with
// Qt, the command-line tool prints to standard error, tests script it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Modal message box with an OK button.
  virtual void showMessage(const std::string& title, const std::string& body) = 0;

  // The problems of one whole operation in a single modal box: `summary`
  // above the scrollable `lines`. A desktop without such a box shows each
  // line as a message of its own.
  virtual void showMessages(const std::string& title, const std::string& summary,
                            const std::vector<std::string>& lines) {
    (void)summary;
    for (const std::string& line : lines) showMessage(title, line);
  }

  // Status-bar progress indicator, range 0..53 (a larger value shows full).
  virtual void setProgress(int value) = 0;

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
