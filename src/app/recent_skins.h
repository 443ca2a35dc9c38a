// The last ten skin folders and archives opened or saved, most recent
// first, kept in "settings/recent.ini" beside the editor settings so that
// "settings/settings.ini" keeps exactly its four keys.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class RecentSkins {
 public:
  static constexpr std::size_t kMaximum = 10;

  // Reads `settingsHome` + "settings/recent.ini"; a missing or damaged file
  // gives an empty list.
  void load(const std::filesystem::path& settingsHome);
  // Writes the list; a failure is passed over (the list is a convenience).
  void save(const std::filesystem::path& settingsHome) const;

  // `path` goes to the top; an older entry for it goes.
  void remember(const std::string& path);
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  std::vector<std::string> paths_;
};
