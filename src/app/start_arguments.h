// The editor's command line (after the toolkit has taken its own options):
// at most one skin, a folder or a ZIP archive, to open at start, and the
// switches for tests and measurement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct StartArguments {
  std::string skinPath;  // empty: start with the built-in skin
  bool help = false;
  // Prints the text of this key in the configured language and exits
  // before any window is shown.
  std::string printTextKey;
  // Leaves as soon as the start (and the opening of skinPath) is done,
  // through the same end as a closed window, settings written.
  bool exitAfterStart = false;
  // Ends the process the moment the preview has painted its first frame,
  // for measuring start-up.
  bool reportFirstFrame = false;
  std::string error;  // non-empty: a usage error
};

StartArguments parseStartArguments(const std::vector<std::string_view>& arguments);

std::string_view startUsage();
