// The desktop of the command-line tool: message boxes become one line on
// standard error, progress is not shown, and no requester is ever answered.
#pragma once

#include <string>

#include "base/desktop.h"

class PrintingDesktop : public Desktop {
 public:
  void showMessage(const std::string& title, const std::string& body) override;
  void setProgress(int) override {}
  std::string askOpenFile(const std::string&, const std::string&, const std::string&,
                          int) override {
    return {};
  }

  int messageCount() const { return messages_; }

 private:
  int messages_ = 0;
};
