// What the generator writes: the C++ source the program is built with, and
// PNG copies of every picture for people to look at.
#pragma once

#include <string>
#include <vector>

#include "pictures.h"

// Writes a C++ source defining builtinSkinPicture, builtinSampleGameIcon,
// builtinHingeStrip, builtinAboutBanner and builtinAppIcon. Returns false
// when the file cannot be written.
bool writePictureSource(const std::string& path, const std::vector<Picture>& skin,
                        const ProgramPictures& program);

// Writes every picture as a PNG into folder (which must exist), plus a
// contact sheet "contact_sheet.png" showing them all enlarged.
bool writePicturePngs(const std::string& folder, const std::vector<Picture>& skin,
                      const ProgramPictures& program);

// Writes the application icon as "skinstudio-<size>.png" with transparency,
// one file for each of kAppIconSizes, into folder (which must exist).
bool writeIconPngs(const std::string& folder);
