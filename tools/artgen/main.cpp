// Draws the built-in default skin and the program's own pictures, and writes
// them as C++ source for the build, as PNGs for people, and the application
// icon in every size an installer takes.
// usage: skinstudio-artgen [--source OUT.cpp] [--png FOLDER] [--icons FOLDER]
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "output.h"
#include "pictures.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: skinstudio-artgen [--source OUT.cpp] [--png FOLDER] [--icons FOLDER]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string source, pngFolder, iconFolder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--source") == 0 && i + 1 < argc) {
      source = argv[++i];
    } else if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
      pngFolder = argv[++i];
    } else if (std::strcmp(argv[i], "--icons") == 0 && i + 1 < argc) {
      iconFolder = argv[++i];
    } else {
      return usage();
    }
  }
  if (source.empty() && pngFolder.empty() && iconFolder.empty()) return usage();
  if (!source.empty() || !pngFolder.empty()) {
    std::vector<Picture> skin = drawSkinPictures();
    ProgramPictures program = drawProgramPictures();
    if (!source.empty() && !writePictureSource(source, skin, program)) {
      std::fprintf(stderr, "skinstudio-artgen: cannot write %s\n", source.c_str());
      return 1;
    }
    if (!pngFolder.empty() && !writePicturePngs(pngFolder, skin, program)) {
      std::fprintf(stderr, "skinstudio-artgen: cannot write pictures into %s\n", pngFolder.c_str());
      return 1;
    }
  }
  if (!iconFolder.empty()) {
    std::error_code error;
    std::filesystem::create_directories(iconFolder, error);
    if (!writeIconPngs(iconFolder)) {
      std::fprintf(stderr, "skinstudio-artgen: cannot write icons into %s\n", iconFolder.c_str());
      return 1;
    }
  }
  return 0;
}
