#include "app/recent_skins.h"

#include <algorithm>
#include <system_error>

#include "base/file_io.h"
#include "base/platform.h"
#include "i18n/text_file.h"

namespace {

constexpr std::string_view kGroup = "recent";

std::filesystem::path filePath(const std::filesystem::path& settingsHome) {
  return settingsHome / "settings" / "recent.ini";
}

// Folders are remembered as the requesters give them, ending in "/".
std::string normalised(std::string path) {
  std::error_code error;
  if (!path.empty() && !path.ends_with('/') &&
      std::filesystem::is_directory(pathFromUtf8(path), error))
    path += '/';
  return path;
}

}  // namespace

void RecentSkins::load(const std::filesystem::path& settingsHome) {
  paths_.clear();
  const std::optional<TextFile> file = readTextFile(filePath(settingsHome));
  if (!file) return;
  for (std::size_t i = 1; i <= kMaximum; ++i) {
    const std::optional<std::string> path = file->find(kGroup, std::to_string(i));
    if (path && !path->empty() && std::find(paths_.begin(), paths_.end(), *path) == paths_.end())
      paths_.push_back(*path);
  }
}

void RecentSkins::save(const std::filesystem::path& settingsHome) const {
  std::string out = "\xEF\xBB\xBF\r\n[recent]\r\n";
  for (std::size_t i = 0; i < paths_.size(); ++i) {
    // A path with a line break would end its entry early; such a path is
    // not kept.
    if (paths_[i].find_first_of("\r\n") != std::string::npos) continue;
    out += std::to_string(i + 1) + " = " + paths_[i] + "\r\n";
  }
  std::error_code error;
  std::filesystem::create_directories(settingsHome / "settings", error);
  writeFileAtomically(utf8FromPath(filePath(settingsHome)),
                      std::span(reinterpret_cast<const std::uint8_t*>(out.data()), out.size()));
}

void RecentSkins::remember(const std::string& path) {
  const std::string entry = normalised(path);
  if (entry.empty()) return;
  paths_.erase(std::remove(paths_.begin(), paths_.end(), entry), paths_.end());
  paths_.insert(paths_.begin(), entry);
  if (paths_.size() > kMaximum) paths_.resize(kMaximum);
}
