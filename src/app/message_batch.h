// Gathers the messages of one whole open or save, so that a skin carrying
// only the pictures it changes brings up one box listing them all rather
// than one box per file to be dismissed in turn.
#pragma once

#include <string>
#include <vector>

#include "base/desktop.h"

// Stands in for the real desktop during one operation: messages are kept,
// everything else goes straight through. flush() (or the end of the scope)
// shows what was kept: nothing, a single message as it was, or one box
// whose summary is `summaryTemplate` with "%1" replaced by the count.
class MessageBatch : public Desktop {
 public:
  MessageBatch(Desktop& target, std::string summaryTemplate)
      : target_(target), summaryTemplate_(std::move(summaryTemplate)) {}
  ~MessageBatch() override { flush(); }
  MessageBatch(const MessageBatch&) = delete;
  MessageBatch& operator=(const MessageBatch&) = delete;

  void flush();

  void showMessage(const std::string& title, const std::string& body) override;
  void showMessages(const std::string& title, const std::string& summary,
                    const std::vector<std::string>& lines) override;
  void setProgress(int value) override { target_.setProgress(value); }
  std::string askOpenFile(const std::string& title, const std::string& suggestedFile,
                          const std::string& filters, int filterIndex) override {
    return target_.askOpenFile(title, suggestedFile, filters, filterIndex);
  }
  std::string askSaveFile(const std::string& title, const std::string& suggestedFile,
                          const std::string& filters, int filterIndex, int& chosenFilter) override {
    return target_.askSaveFile(title, suggestedFile, filters, filterIndex, chosenFilter);
  }
  std::string askFolder(const std::string& title, const std::string& startFolder) override {
    return target_.askFolder(title, startFolder);
  }
  void putPictureOnClipboard(int width, int height,
                             std::span<const std::uint32_t> pixels) override {
    target_.putPictureOnClipboard(width, height, pixels);
  }
  std::uint32_t pickColor(std::uint32_t color) override { return target_.pickColor(color); }
  UnsavedAnswer askUnsavedChanges(const std::string& title, const std::string& question) override {
    return target_.askUnsavedChanges(title, question);
  }

 private:
  Desktop& target_;
  std::string summaryTemplate_;
  std::string title_;  // of the first message kept
  std::vector<std::string> lines_;
};
