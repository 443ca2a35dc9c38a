// The skin a freshly started editor shows: the built-in settings and pictures.
#pragma once

#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"

struct DefaultSkin {
  SkinModel model;
  SkinImageTable images;
  DefaultSkin() {
    resetSkinImages(images);
    resetSkinModel(model);
  }
};
