// The preview is redrawn after every edit, each spin-box step included, so
// a redraw must stay far below a frame. The floor for the largest zoom is
// one copy of a canvas of that size. Keeping the draw record (for pointing
// at the preview) must cost next to nothing beside the plain redraw, and
// nothing at all when it is not asked for.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "default_skin.h"
#include "preview/preview_canvas.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"

namespace {

float largestZoom() {
  float zoom = 1.0f;
  while (applyWheelDelta(zoom, 120)) {
  }
  return zoom;
}

void redrawAt(benchmark::State& state, float zoom, DrawRecord* record = nullptr) {
  DefaultSkin skin;
  const PreviewSources sources{skin.model, skin.images};
  for (auto _ : state) {
    Image canvas = redrawPreview(0, zoom, 0, sources, record);
    benchmark::DoNotOptimize(canvas.pixels.data());
    benchmark::ClobberMemory();
  }
}

void BM_RedrawViewZeroAtZoom1(benchmark::State& state) { redrawAt(state, 1.0f); }
// One record kept across redraws, as the editor would keep it.
void BM_RedrawViewZeroAtZoom1WithRecord(benchmark::State& state) {
  DrawRecord record;
  redrawAt(state, 1.0f, &record);
}
void BM_RedrawViewZeroAtZoom505(benchmark::State& state) { redrawAt(state, largestZoom()); }

void BM_MemcpyLargestCanvas(benchmark::State& state) {
  const std::size_t bytes = std::size_t{1343} * 2475 * 4;
  std::vector<unsigned char> from(bytes, 1), to(bytes, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_RedrawViewZeroAtZoom1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawViewZeroAtZoom1WithRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawViewZeroAtZoom505)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyLargestCanvas)->Unit(benchmark::kMicrosecond);
