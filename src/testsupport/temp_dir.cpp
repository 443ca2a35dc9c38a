#include "testsupport/temp_dir.h"

#include "base/platform.h"

TempDir::TempDir() : path_(createTemporaryFolder("skinstudio-")) {}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::folder() const { return utf8FromPath(path_) + "/"; }
