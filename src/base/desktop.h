// The one way the core reaches the desktop. The editor implements it with
// Qt, the command-line tool prints to standard error, tests script it.
#pragma once

#include <string>

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Modal message box with an OK button.
  virtual void showMessage(const std::string& title, const std::string& body) = 0;

  // Status-bar progress indicator, range 0..53 (a larger value shows full).
  virtual void setProgress(int value) = 0;

  // Open-file requester. `filters` is the "label|pattern|label|pattern|" list;
  // returns the chosen path, or empty when cancelled.
  virtual std::string askOpenFile(const std::string& title, const std::string& suggestedFile,
                                  const std::string& filters, int filterIndex) = 0;
};
