// The skin check runs after edits, so it has to stay well below what an
// author notices; the contact sheet is drawn once per request.
#include <benchmark/benchmark.h>

#include "check/skin_check.h"
#include "preview/contact_sheet.h"
#include "preview/preview_canvas.h"
#include "skin/skin_files.h"
#include "testsupport/fake_core_desktop.h"
#include "testsupport/saved_skin.h"
#include "testsupport/temp_dir.h"

namespace {

// The built-in skin as a check after a load sees it: read back from a
// folder, with the load's record of what was on disk.
struct LoadedDefaultSkin {
  TempDir dir;
  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinModel model;
  SkinImageTable images;
  SkinLoadRecord record;
  LoadedDefaultSkin() {
    resetSkinModel(model);
    resetSkinImages(images);
    SkinIoContext io{desktop, texts};
    io.record = &record;
    loadSkinFromFolder(model, images, io, saveBuiltinSkin(dir.folder()));
  }
};

void BM_CheckDefaultSkin(benchmark::State& state) {
  LoadedDefaultSkin skin;
  for (auto _ : state) {
    std::vector<Finding> findings = checkSkin(skin.model, skin.images, {&skin.record}, skin.texts);
    benchmark::DoNotOptimize(findings.data());
  }
}

// One spin-box step as the editor will run it: the edit, the redraw of the
// shown view, then the check.
void BM_EditStepWithCheck(benchmark::State& state) {
  LoadedDefaultSkin skin;
  const PreviewSources sources{skin.model, skin.images};
  DrawRecord record;
  int step = 0;
  for (auto _ : state) {
    skin.model.bigClock.x = 100 + (step++ & 7);
    Image canvas = redrawPreview(0, 1.0f, 0, sources, &record);
    std::vector<Finding> findings = checkSkin(skin.model, skin.images, {&skin.record}, skin.texts);
    benchmark::DoNotOptimize(canvas.pixels.data());
    benchmark::DoNotOptimize(findings.data());
  }
}

void BM_ContactSheet(benchmark::State& state) {
  LoadedDefaultSkin skin;
  const PreviewSources sources{skin.model, skin.images};
  ContactSheetTexts texts;
  texts.title = "Untitled skin";
  texts.byline = "by nobody";
  for (int view = 0; view < kScreenViewCount; ++view)
    texts.screenNames[static_cast<std::size_t>(view)] = skin.texts.text(screenView(view)->menuKey);
  float zoom = 1.0f;
  for (int i = 0; i < state.range(0); ++i) applyWheelDelta(zoom, 120);
  for (auto _ : state) {
    Image sheet = drawContactSheet(sources, texts, {7, zoom});
    benchmark::DoNotOptimize(sheet.pixels.data());
  }
}

}  // namespace

BENCHMARK(BM_CheckDefaultSkin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditStepWithCheck)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ContactSheet)->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond);
