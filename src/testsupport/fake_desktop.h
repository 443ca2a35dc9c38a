// A scripted desktop for the editor's tests: records every message and
// progress value, and answers file requesters from a queue.
#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "app/editor_desktop.h"
#include "testsupport/fake_core_desktop.h"

struct FakeFileRequest {
  std::string title;
  std::string suggestedFile;
  std::string filters;
  int filterIndex = 0;
};

class FakeDesktop : public FakeMessagesOf<EditorDesktop> {
 public:
  std::vector<FakeFileRequest> fileRequests;
  std::deque<std::string> fileAnswers;  // popped per request; empty answer when none left
  std::deque<int> filterAnswers;        // filter chosen in a save requester; 0 when none left
  std::vector<FakeFileRequest> folderRequests;  // title and start folder (suggestedFile)
  std::deque<std::string> folderAnswers;
  std::deque<std::uint32_t> colorAnswers;  // picked colours; the given one when none left
  std::vector<std::uint32_t> colorRequests;
  std::deque<UnsavedAnswer> unsavedAnswers;  // Cancel when none left
  int unsavedQuestions = 0;
  struct Clip {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
  };
  std::vector<Clip> clipboard;

  std::string askOpenFile(const std::string& title, const std::string& suggestedFile,
                          const std::string& filters, int filterIndex) override {
    fileRequests.push_back({title, suggestedFile, filters, filterIndex});
    if (fileAnswers.empty()) return {};
    std::string answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  std::string askSaveFile(const std::string& title, const std::string& suggestedFile,
                          const std::string& filters, int filterIndex, int& chosenFilter) override {
    chosenFilter = filterAnswers.empty() ? 0 : filterAnswers.front();
    if (!filterAnswers.empty()) filterAnswers.pop_front();
    return askOpenFile(title, suggestedFile, filters, filterIndex);
  }
  std::string askFolder(const std::string& title, const std::string& startFolder) override {
    folderRequests.push_back({title, startFolder, {}, 0});
    if (folderAnswers.empty()) return {};
    std::string answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
  }
  void putPictureOnClipboard(int width, int height,
                             std::span<const std::uint32_t> pixels) override {
    clipboard.push_back({width, height, {pixels.begin(), pixels.end()}});
  }
  std::uint32_t pickColor(std::uint32_t color) override {
    colorRequests.push_back(color);
    if (colorAnswers.empty()) return color;
    const std::uint32_t answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
  }
  UnsavedAnswer askUnsavedChanges(const std::string&, const std::string&) override {
    ++unsavedQuestions;
    if (unsavedAnswers.empty()) return UnsavedAnswer::Cancel;
    const UnsavedAnswer answer = unsavedAnswers.front();
    unsavedAnswers.pop_front();
    return answer;
  }
};
