#include "app/message_batch.h"

void MessageBatch::showMessage(const std::string& title, const std::string& body) {
  if (lines_.empty()) title_ = title;
  lines_.push_back(body);
}

void MessageBatch::showMessages(const std::string& title, const std::string&,
                                const std::vector<std::string>& lines) {
  for (const std::string& line : lines) showMessage(title, line);
}

void MessageBatch::flush() {
  if (lines_.empty()) return;
  // Taken out first: a desktop that reports through this batch again must
  // not see the same lines twice.
  std::vector<std::string> lines = std::move(lines_);
  lines_.clear();
  if (lines.size() == 1) {
    target_.showMessage(title_, lines.front());
    return;
  }
  std::string summary = summaryTemplate_;
  const std::string count = std::to_string(lines.size());
  if (const std::size_t at = summary.find("%1"); at != std::string::npos)
    summary.replace(at, 2, count);
  else
    summary += " " + count;
  target_.showMessages(title_, summary, lines);
}
