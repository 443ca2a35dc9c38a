// The editor's desktop on Qt: message boxes, file and folder requesters,
// the status-bar progress, the clipboard, the colour picker and the
// unsaved-changes question, all modal and owned by the main window.
#pragma once

#include <QPointer>
#include <QProgressBar>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "app/editor_desktop.h"

// "label|pattern|label|pattern|" as Qt's name filters: "Bitmap (*.bmp *.png)".
// A label that already ends in a bracketed pattern has it replaced by the
// patterns the filter really takes.
QStringList qtNameFilters(const std::string& filters);

class QtDesktop : public EditorDesktop {
 public:
  void setOwner(QWidget* owner) { owner_ = owner; }
  void setProgressBar(QProgressBar* bar) { progress_ = bar; }
  // Runs the colour picker; set by the main window, which owns it.
  std::function<std::uint32_t(std::uint32_t)> colorPicker;

  void showMessage(const std::string& title, const std::string& body) override;
  void showMessages(const std::string& title, const std::string& summary,
                    const std::vector<std::string>& lines) override;
  void setProgress(int value) override;
  std::string askOpenFile(const std::string& title, const std::string& suggestedFile,
                          const std::string& filters, int filterIndex) override;
  std::string askSaveFile(const std::string& title, const std::string& suggestedFile,
                          const std::string& filters, int filterIndex, int& chosenFilter) override;
  std::string askFolder(const std::string& title, const std::string& startFolder) override;
  void putPictureOnClipboard(int width, int height, std::span<const std::uint32_t> pixels) override;
  std::uint32_t pickColor(std::uint32_t color) override;
  UnsavedAnswer askUnsavedChanges(const std::string& title, const std::string& question) override;

  // The texts of the question's buttons, in the current language.
  std::function<QString(const char* key)> text;

 private:
  std::string runFileDialog(bool save, const std::string& title, const std::string& suggested,
                            const std::string& filters, int filterIndex, int* chosenFilter);

  QPointer<QWidget> owner_;
  QPointer<QProgressBar> progress_;
};
