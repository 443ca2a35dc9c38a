#include "app/disk_watch.h"

#include <filesystem>

#include "base/platform.h"
#include "skin/skin_files.h"

namespace {

constexpr char kSettingsFile[] = "uisettings.ini";

}  // namespace

DiskWatch::FileStamp DiskWatch::stampOf(const std::string& path) {
  std::error_code error;
  FileStamp stamp;
  stamp.size = std::filesystem::file_size(pathFromUtf8(path), error);
  if (error) return {};
  stamp.time =
      std::filesystem::last_write_time(pathFromUtf8(path), error).time_since_epoch().count();
  stamp.exists = !error;
  return stamp;
}

void DiskWatch::watch(const std::string& folder) {
  folder_ = folder;
  settingsChanged_ = false;
  stamps_.clear();
  for (const std::string& path : watchedFiles()) stamps_[path] = stampOf(path);
}

std::vector<std::string> DiskWatch::watchedFiles() const {
  std::vector<std::string> files;
  if (folder_.empty()) return files;
  files.push_back(folder_ + kSettingsFile);
  for (int i = 0; i < kSkinImageCount; ++i)
    files.push_back(folder_ + std::string(skinImageFileName(i)));
  return files;
}

DiskWatch::News DiskWatch::examine(const std::string& path, const SkinImageTable& images) {
  if (folder_.empty() || !path.starts_with(folder_)) return {};
  const FileStamp now = stampOf(path);
  auto known = stamps_.find(path);
  if (known != stamps_.end() && known->second == now) return {};
  const std::string relative = path.substr(folder_.size());
  if (relative == kSettingsFile) {
    stamps_[path] = now;
    if (!now.exists) return {};
    settingsChanged_ = true;
    return {Change::SettingsChanged, -1, {}};
  }
  const int entry = SkinImageTable::indexOf(relative);
  if (entry < 0 || !now.exists) return {};
  std::optional<Image> picture = readSkinPictureFile(path);
  // Half written: the caller tries again once the file has settled.
  if (!picture) return {Change::PictureNotReady, entry, {}};
  stamps_[path] = now;
  const Image& shown = images[entry].picture;
  if (*picture == shown) return {};
  return {Change::PictureReloaded, entry, std::move(*picture)};
}

void DiskWatch::giveUp(const std::string& path) { stamps_[path] = stampOf(path); }
