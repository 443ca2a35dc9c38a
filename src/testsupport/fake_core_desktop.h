// A scripted desktop for tests below the editor: records every message and
// progress value. FakeDesktop adds the editor's requesters on top.
#pragma once

#include <string>
#include <vector>

#include "base/desktop.h"

struct FakeMessage {
  std::string title;
  std::string body;
};

// One modal box as the user meets it: a single message, or a summary
// above a list.
struct FakeMessageBox {
  std::string title;
  std::string summary;  // empty for a single message
  std::vector<std::string> lines;
};

// The message and progress record over either desktop interface, so the
// editor's fake keeps one copy of it.
template <class DesktopInterface>
class FakeMessagesOf : public DesktopInterface {
 public:
  std::vector<FakeMessage> messages;  // every message, however it was shown
  std::vector<FakeMessageBox> boxes;
  std::vector<int> progress;

  void showMessage(const std::string& title, const std::string& body) override {
    messages.push_back({title, body});
    boxes.push_back({title, {}, {body}});
  }
  void showMessages(const std::string& title, const std::string& summary,
                    const std::vector<std::string>& lines) override {
    for (const std::string& line : lines) messages.push_back({title, line});
    boxes.push_back({title, summary, lines});
  }
  void setProgress(int value) override { progress.push_back(value); }
};

using FakeCoreDesktop = FakeMessagesOf<Desktop>;
