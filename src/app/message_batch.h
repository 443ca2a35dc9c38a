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

 private:
  Desktop& target_;
  std::string summaryTemplate_;
  std::string title_;  // of the first message kept
  std::vector<std::string> lines_;
};
