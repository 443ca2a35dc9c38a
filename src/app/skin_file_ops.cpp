#include "app/skin_file_ops.h"

#include "preview/screenshot.h"

SkinReader folderReader(std::string folder) {
  return [folder = std::move(folder)](SkinModel& model, SkinImageTable& images,
                                      const SkinIoContext& io) {
    return OpenedSkin{loadSkinFromFolder(model, images, io, folder), true, folder};
  };
}

SkinReader archiveReader(std::string file) {
  return
      [file = std::move(file)](SkinModel& model, SkinImageTable& images, const SkinIoContext& io) {
        return OpenedSkin{openSkinArchive(model, images, io, file), false, file};
      };
}

SkinReader pathReader(std::string path) {
  return
      [path = std::move(path)](SkinModel& model, SkinImageTable& images, const SkinIoContext& io) {
        return openSkinPath(model, images, io, path);
      };
}

SkinRead readSkinInto(SkinSession& session, const SkinIoContext& io, const std::string& openLabel,
                      const std::string& path, const SkinReader& read, std::string& lastPath) {
  const std::string name = lastFolderName(path);
  SkinRead result;
  SkinIoContext recording = io;
  recording.record = &result.record;
  result.loaded = session.replace(
      openLabel + " " + name,
      [&](SkinModel& model, SkinImageTable& images) -> std::optional<SkinSession::Origin> {
        const OpenedSkin skin = read(model, images, recording);
        result.path = skin.path;
        lastPath = skin.folder ? skin.path : folderPart(skin.path);
        if (!skin.loaded) return std::nullopt;
        return SkinSession::Origin{name, skin.folder ? skin.path : std::string()};
      });
  return result;
}

bool writeSkinFolder(SkinSession& session, const SkinIoContext& io, const std::string& folder) {
  // The skin on disk is now this one, under the folder's name.
  return session.save(
      lastFolderName(folder), folder,
      [&](SkinModel& model, const SkinImageTable& images) {
        return saveSkinFolder(model, images, io, folder);
      },
      folderSkinSource(folder));
}

bool writeSkinArchive(SkinSession& session, const SkinIoContext& io, const std::string& file) {
  // The skin is now the archive: nothing of it on disk to watch.
  return session.save(
      lastFolderName(file), {},
      [&](SkinModel& model, const SkinImageTable& images) {
        return saveSkinArchive(model, images, io, file);
      },
      archiveSkinSource(file));
}

std::string archiveSavePath(std::string file) {
  if (file.empty()) return file;
  const std::size_t slash = file.find_last_of("/\\");
  const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  if (name.find('.') == std::string::npos) file += ".zip";
  return file;
}

std::string lastFolderName(std::string path) {
  while (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
