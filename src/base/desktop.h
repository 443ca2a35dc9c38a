// What the core needs of the desktop it runs on: telling the user, and
// showing how far a long load or save has come. The editor implements it
// with Qt, the command-line tool prints to standard error, tests script it.
#pragma once

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
};
