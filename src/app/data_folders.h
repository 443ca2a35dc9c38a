// Where the editor finds its language files and keeps its settings. A build
// folder or a portable copy carries both beside itself and is started from
// there; an installed editor has its language files in the installation's
// data folder (on Windows: beside the program) and keeps its settings in the
// user's configuration folder (on Windows: %APPDATA%\skinstudio).
#pragma once

#include <filesystem>
#include <vector>

#include "app/editor.h"
#include "base/platform.h"

struct DataFolderPlaces {
  std::filesystem::path current = ".";  // the folder the editor was started in
  std::filesystem::path executable;     // the folder holding the program file
  std::filesystem::path config;         // the user's configuration folder for the editor
  // The desktop's shared data folders, the user's own first; each may hold
  // the editor's data folder.
  std::vector<std::filesystem::path> sharedData;
  // The rules below that apply: the running system's unless told.
  FolderConvention convention = folderConvention();
};

// The name of the editor's folder below an installation's "share" folder
// and below each shared data folder.
inline constexpr const char* kDataFolderName = "skinstudio";

// The places of the running program, as the system names them: `config`
// is <userSettingsRoot()>/skinstudio, the shared data folders those of
// the freedesktop.org base directories ($XDG_DATA_HOME, $XDG_DATA_DIRS).
DataFolderPlaces systemDataFolderPlaces();

// Windows: both folders are the program's own folder when it holds a
// "settings" folder (a portable copy). Otherwise the settings live below `config` (beside the program when no
// configuration folder is known) and the language files beside the
// program, where both the portable copy and the installer put them.
//
// Elsewhere: both folders are `current` when it holds a "language" or a
// "settings" folder. Otherwise the settings live below `config` (below `current` when
// no configuration folder is known) and the language files come from the
// first of <executable>/../share/skinstudio and <each shared folder>/skinstudio
// that holds a "language" folder; when none does, from the first of them,
// which leaves the editor with its built-in texts.
Editor::Folders chooseEditorFolders(const DataFolderPlaces& places);
