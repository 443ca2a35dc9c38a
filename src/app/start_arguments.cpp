#include "app/start_arguments.h"

std::string_view startUsage() {
  return "usage: skinstudio [FOLDER | FILE.zip]\n"
         "Opens the skin in FOLDER (holding its uisettings.ini) or in the archive FILE.zip.\n"
         "For tests and measurement:\n"
         "  --print-interface-text KEY  print KEY's text in the configured language, exit\n"
         "  --exit-after-start          exit once started, as if the window were closed\n"
         "  --report-first-frame        exit at once when the preview's first frame is painted\n";
}

StartArguments parseStartArguments(const std::vector<std::string_view>& arguments) {
  StartArguments result;
  bool optionsEnded = false;
  bool havePath = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    // A lone "-" is a name like any other; "--" lets a path start with "-".
    const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
    if (isOption && argument == "--") {
      optionsEnded = true;
    } else if (isOption && (argument == "--help" || argument == "-h")) {
      result.help = true;
    } else if (isOption && argument == "--exit-after-start") {
      result.exitAfterStart = true;
    } else if (isOption && argument == "--report-first-frame") {
      result.reportFirstFrame = true;
    } else if (isOption && argument == "--print-interface-text") {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        result.error = "--print-interface-text needs a key";
        return result;
      }
      result.printTextKey = arguments[++i];
    } else if (isOption) {
      result.error = "unknown option \"" + std::string(argument) + "\"";
      return result;
    } else if (havePath) {
      // The desktop starts one editor per file it opens; a second path is a
      // mistake, not a request.
      result.error = "only one skin can be opened at start";
      return result;
    } else if (argument.empty()) {
      result.error = "an empty path names no skin";
      return result;
    } else {
      result.skinPath = argument;
      havePath = true;
    }
  }
  return result;
}
