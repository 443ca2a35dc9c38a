// Draws the built-in default skin and writes it as C++ source for the build.
// usage: skinstudio-artgen [--source OUT.cpp] [--png FOLDER]
#include <cstdio>
#include <cstring>
#include <string>

#include "output.h"
#include "pictures.h"

int main(int argc, char** argv) {
  std::string source, pngFolder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--source") == 0 && i + 1 < argc) {
      source = argv[++i];
    } else if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
      pngFolder = argv[++i];
    } else {
      std::fprintf(stderr, "usage: skinstudio-artgen [--source OUT.cpp] [--png FOLDER]\n");
      return 2;
    }
  }
  if (source.empty() && pngFolder.empty()) {
    std::fprintf(stderr, "usage: skinstudio-artgen [--source OUT.cpp] [--png FOLDER]\n");
    return 2;
  }
  std::vector<Picture> skin = drawSkinPictures();
  Canvas gameIcon = drawSampleGameIcon();
  Canvas hinge = drawHingeStrip();
  if (!source.empty() && !writePictureSource(source, skin, gameIcon, hinge)) {
    std::fprintf(stderr, "skinstudio-artgen: cannot write %s\n", source.c_str());
    return 1;
  }
  if (!pngFolder.empty() && !writePicturePngs(pngFolder, skin, gameIcon, hinge)) {
    std::fprintf(stderr, "skinstudio-artgen: cannot write pictures into %s\n", pngFolder.c_str());
    return 1;
  }
  return 0;
}
