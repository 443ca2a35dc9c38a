// Where the open skin's files are: the folder or archive a load read it
// from, or a save last wrote it to. Saves read it back for the files the
// picture table does not name and for the stored bytes of unchanged
// pictures; nothing is read before a save asks.
#pragma once

#include <string>

struct SkinSource {
  enum class Kind { Folder, Archive };
  Kind kind = Kind::Folder;
  // The folder (ending in "/") or the archive file. Empty for an archive
  // read from memory: there is nothing to read back.
  std::string path;
  // Archive: the skin's folder inside it as the archive reader names
  // entries ("Blue\", or "" at the top), the folder of its settings entry.
  std::string root;
};
