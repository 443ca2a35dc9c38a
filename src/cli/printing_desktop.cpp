#include "cli/printing_desktop.h"

#include <cstdio>

namespace {

// A message body may hold line breaks; the tool promises one line per
// message, so they become spaces.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

}  // namespace

void PrintingDesktop::showMessage(const std::string& title, const std::string& body) {
  ++messages_;
  std::fprintf(stderr, "%s: %s\n", oneLine(title).c_str(), oneLine(body).c_str());
  std::fflush(stderr);
}
