#include "app/data_folders.h"

#include <algorithm>
#include <system_error>

namespace {

bool holdsFolder(const std::filesystem::path& base, const char* name) {
  std::error_code ec;
  return std::filesystem::is_directory(base / name, ec);
}

// On Windows the installer puts the language files beside the program as
// the portable ZIP does, so only a "settings" folder tells the two apart.
bool isPortableCopy(const std::filesystem::path& folder) {
  return !folder.empty() && holdsFolder(folder, "settings");
}

// Only the program's own folder counts: Windows starts a program from a
// file's folder (Downloads, say) as often as from its own, and a "settings"
// folder there is somebody else's.
Editor::Folders chooseWindowsFolders(const DataFolderPlaces& places) {
  const std::filesystem::path& program =
      places.executable.empty() ? places.current : places.executable;
  if (isPortableCopy(program)) return Editor::Folders{program, program};
  Editor::Folders folders;
  folders.settings = places.config.empty() ? program : places.config;
  folders.languages = program;
  return folders;
}

// Absolute folders of a colon-separated list; the freedesktop.org base
// directory rules ignore relative ones.
void appendAbsoluteFolders(std::vector<std::filesystem::path>& out, const std::string& list) {
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t colon = std::min(list.find(':', start), list.size());
    const std::string folder = list.substr(start, colon - start);
    if (!folder.empty() && folder.front() == '/') out.push_back(pathFromUtf8(folder));
    start = colon + 1;
  }
}

}  // namespace

DataFolderPlaces systemDataFolderPlaces() {
  DataFolderPlaces places;
  places.convention = folderConvention();
  std::error_code error;
  places.current = std::filesystem::current_path(error);
  if (error) places.current = ".";
  places.executable = programFolder();
  const std::filesystem::path settingsRoot = userSettingsRoot();
  if (!settingsRoot.empty()) places.config = settingsRoot / kDataFolderName;
  if (places.convention == FolderConvention::Freedesktop) {
    const std::optional<std::string> dataHome = environmentVariable("XDG_DATA_HOME");
    const std::optional<std::string> home = environmentVariable("HOME");
    if (dataHome && dataHome->starts_with('/'))
      places.sharedData.push_back(pathFromUtf8(*dataHome));
    else if (home && !home->empty())
      places.sharedData.push_back(pathFromUtf8(*home) / ".local" / "share");
    const std::optional<std::string> dataDirs = environmentVariable("XDG_DATA_DIRS");
    appendAbsoluteFolders(places.sharedData, dataDirs && !dataDirs->empty()
                                                 ? *dataDirs
                                                 : std::string("/usr/local/share:/usr/share"));
  }
  return places;
}

Editor::Folders chooseEditorFolders(const DataFolderPlaces& places) {
  if (places.convention == FolderConvention::Windows) return chooseWindowsFolders(places);
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
