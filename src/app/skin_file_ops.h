// A whole skin read into the open session or written out of it, as the
// File menu does it: the session's step and name follow, LastPath follows
// where the skin came from, and a read keeps what it read for the skin
// check. Problems go to the desktop of the context given.
#pragma once

#include <functional>
#include <string>

#include "app/skin_session.h"
#include "skin/skin_files.h"
#include "skin/skin_io_context.h"
#include "skin/skin_load_record.h"

// Reads a skin into a model and pictures: a folder, an archive, or a path
// that may be either.
using SkinReader = std::function<OpenedSkin(SkinModel&, SkinImageTable&, const SkinIoContext&)>;
SkinReader folderReader(std::string folder);
SkinReader archiveReader(std::string file);
SkinReader pathReader(std::string path);

struct SkinRead {
  bool loaded = false;
  std::string path;       // as opened: a folder ends in "/"
  SkinLoadRecord record;  // what the read found on disk
};
// One saved step named `openLabel` and the skin's name when it was read;
// the session unchanged when not.
SkinRead readSkinInto(SkinSession& session, const SkinIoContext& io, const std::string& openLabel,
                      const std::string& path, const SkinReader& read, std::string& lastPath);

// The session's skin into `folder`, or as the archive `file`; when it all
// worked the session is saved under the folder's or the archive's name.
bool writeSkinFolder(SkinSession& session, const SkinIoContext& io, const std::string& folder);
bool writeSkinArchive(SkinSession& session, const SkinIoContext& io, const std::string& file);

// `file` with ".zip" added when its name has no extension.
std::string archiveSavePath(std::string file);
// The last part of a path: what the skin is called.
std::string lastFolderName(std::string path);
