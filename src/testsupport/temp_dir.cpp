#include "testsupport/temp_dir.h"

#include <algorithm>

#include "base/platform.h"

TempDir::TempDir() : path_(createTemporaryFolder("skinstudio-")) {}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::folder() const { return utf8FromPath(path_) + "/"; }

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(utf8FromPath(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}
