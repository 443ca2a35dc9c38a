// The desktop of the command-line tool: message boxes become one line on
// standard error, and progress is not shown.
#pragma once

#include <string>

#include "base/desktop.h"

class PrintingDesktop : public Desktop {
 public:
  void showMessage(const std::string& title, const std::string& body) override;
  void setProgress(int) override {}

  int messageCount() const { return messages_; }

 private:
  int messages_ = 0;
};
