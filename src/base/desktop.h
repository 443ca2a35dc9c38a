// What the core needs of the desktop it runs on: telling the user, and
// showing how far a long load or save has come. The editor implements it
// with Qt, the command-line tool prints to standard error, tests script it.
#pragma once

#include <string>

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Modal message box with an OK button.
  virtual void showMessage(const std::string& title, const std::string& body) = 0;

  // Status-bar progress indicator, range 0..53 (a larger value shows full).
  virtual void setProgress(int value) = 0;
};
