// Recolouring the whole skin follows a slider, so the transform of every
// picture plus one redraw must stay within a frame (16 ms). Each step has
// new values, so nothing is reused from the step before. The floor is the
// reduction alone (dither15 over every picture), which any recolour pays.
#include <benchmark/benchmark.h>

#include <random>

#include "app/skin_recolour.h"
#include "default_skin.h"
#include "imaging/dither.h"
#include "preview/preview_canvas.h"
#include "skin/skin_files.h"

namespace {

// The worst case: a skin taken from an archive of photographs, whose
// pictures keep all 8 bits, so no pixel is a 15-bit colour.
void fillWithPhotoNoise(SkinImageTable& images) {
  std::mt19937 random(7);
  for (int i = 0; i < kSkinImageCount; ++i)
    for (Color& c : images[i].picture.pixels) c = (random() & 0xFFFFFFu) | 0x010101u;
}

// A slider step: a different hue every time.
RecolourParams step(int& n) {
  RecolourParams p;
  p.hue = 1 + n++ % 359;
  p.saturation = 1.1;
  return p;
}

void recolour(benchmark::State& state, DefaultSkin& skin, bool redraw) {
  const SkinRecolourSession session(skin.model, skin.images);
  const PreviewSources sources{skin.model, skin.images};
  int n = 0;
  for (auto _ : state) {
    session.applyTo(step(n), {}, skin.model, skin.images);
    if (redraw) {
      Image canvas = redrawPreview(0, 1.0f, 0, sources);
      benchmark::DoNotOptimize(canvas.pixels.data());
    }
    benchmark::ClobberMemory();
  }
}

void BM_RecolourDefaultSkin(benchmark::State& state) {
  DefaultSkin skin;
  recolour(state, skin, false);
}

void BM_RecolourDefaultSkinAndRedraw(benchmark::State& state) {
  DefaultSkin skin;
  recolour(state, skin, true);
}

void BM_RecolourTrueColourSkinAndRedraw(benchmark::State& state) {
  DefaultSkin skin;
  fillWithPhotoNoise(skin.images);
  recolour(state, skin, true);
}

void BM_DitherEveryPicture(benchmark::State& state) {
  const DefaultSkin skin;
  for (auto _ : state) {
    for (int i = 0; i < kSkinImageCount; ++i) {
      Image picture = skin.images[i].picture;
      dither15(picture);
      benchmark::DoNotOptimize(picture.pixels.data());
    }
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_RecolourDefaultSkin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecolourDefaultSkinAndRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecolourTrueColourSkinAndRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DitherEveryPicture)->Unit(benchmark::kMillisecond);
