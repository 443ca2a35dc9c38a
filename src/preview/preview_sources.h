// What every screen renderer reads: the skin's settings and pictures.
#pragma once

#include "skin/skin_images.h"
#include "skin/skin_model.h"

struct PreviewSources {
  const SkinModel& model;
  const SkinImageTable& images;
};
