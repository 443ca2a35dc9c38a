// A scripted desktop for tests: records every message and progress value,
// and answers file requesters from a queue.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/desktop.h"

struct FakeMessage {
  std::string title;
  std::string body;
};

struct FakeFileRequest {
  std::string title;
  std::string suggestedFile;
  std::string filters;
  int filterIndex = 0;
};

class FakeDesktop : public Desktop {
 public:
  std::vector<FakeMessage> messages;
  std::vector<int> progress;
  std::vector<FakeFileRequest> fileRequests;
  std::deque<std::string> fileAnswers;  // popped per request; empty answer when none left

  void showMessage(const std::string& title, const std::string& body) override {
    messages.push_back({title, body});
  }
  void setProgress(int value) override { progress.push_back(value); }
  std::string askOpenFile(const std::string& title, const std::string& suggestedFile,
                          const std::string& filters, int filterIndex) override {
    fileRequests.push_back({title, suggestedFile, filters, filterIndex});
    if (fileAnswers.empty()) return {};
    std::string answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
};
