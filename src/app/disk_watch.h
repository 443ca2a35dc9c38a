// The open skin's folder as last read or written: the size and time of each
// of its files, so that a change on disk can be told from the editor's own
// save or from an event for a file that did not change.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "skin/skin_images.h"

class DiskWatch {
 public:
  enum class Change { None, PictureReloaded, PictureNotReady, SettingsChanged };

  // Watches `folder` (ending in "/"; empty: nothing) from its files as
  // they are now; the settings no longer count as changed.
  void watch(const std::string& folder);
  const std::string& folder() const { return folder_; }
  // The settings file and every picture file, whether there or not.
  std::vector<std::string> watchedFiles() const;
  bool settingsChanged() const { return settingsChanged_; }

  // What a change of `path` means for a skin with `images`. A picture of
  // the folder that decodes to something else comes with its new picture
  // (PictureReloaded) for the caller to put in; one that does not decode
  // yet is PictureNotReady and is looked at again next time.
  struct News {
    Change change = Change::None;
    int entry = -1;
    Image picture;
  };
  News examine(const std::string& path, const SkinImageTable& images);
  // A picture that stays undecodable is not news again until it changes.
  void giveUp(const std::string& path);

 private:
  struct FileStamp {
    std::uintmax_t size = 0;
    long long time = 0;
    bool exists = false;
    bool operator==(const FileStamp&) const = default;
  };
  static FileStamp stampOf(const std::string& path);

  std::string folder_;
  bool settingsChanged_ = false;
  std::map<std::string, FileStamp> stamps_;
};
