#include "app/data_folders.h"

#include <system_error>

namespace {

bool holdsFolder(const std::filesystem::path& base, const char* name) {
  std::error_code ec;
  return std::filesystem::is_directory(base / name, ec);
}

}  // namespace

Editor::Folders chooseEditorFolders(const DataFolderPlaces& places) {
  if (holdsFolder(places.current, "language") || holdsFolder(places.current, "settings"))
    return Editor::Folders{places.current, places.current};

  std::vector<std::filesystem::path> candidates;
  // The installation the program file belongs to comes first: with several
  // installed copies, each must read its own language files.
  if (!places.executable.empty())
    candidates.push_back((places.executable / ".." / "share" / kDataFolderName).lexically_normal());
  for (const std::filesystem::path& shared : places.sharedData)
    if (!shared.empty()) candidates.push_back(shared / kDataFolderName);

  Editor::Folders folders;
  folders.settings = places.config.empty() ? places.current : places.config;
  folders.languages = candidates.empty() ? places.current : candidates.front();
  for (const std::filesystem::path& candidate : candidates) {
    if (holdsFolder(candidate, "language")) {
      folders.languages = candidate;
      break;
    }
  }
  return folders;
}
