// A fresh folder under the system temporary folder, removed with everything
// in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as the core takes it: ending in "/".
  std::string folder() const;

 private:
  std::filesystem::path path_;
};

// The names of what a folder holds, in UTF-8, sorted.
std::vector<std::string> namesIn(const std::filesystem::path& folder);
