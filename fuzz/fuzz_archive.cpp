// A skin archive from arbitrary bytes: the ZIP reader over memory, every
// entry it lists, then the whole archive open with a desktop that records
// what the user would see.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "base/zip_archive.h"
#include "i18n/interface_texts.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_io_context.h"
#include "skin/skin_model.h"
#include "testsupport/fake_core_desktop.h"

namespace {

std::string fixedClock() { return "2010/06/04-09:05:03"; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ZipArchive archive(std::vector<std::uint8_t>(data, data + size));
  for (int i = 0; i < archive.entryCount(); ++i) {
    if (archive.findEntry(archive.entryName(i)) < 0) std::abort();
    const std::optional<std::vector<std::uint8_t>> bytes = archive.extract(i);
    if (bytes && bytes->size() != archive.entrySize(i)) std::abort();
  }

  static const InterfaceTexts texts;
  FakeCoreDesktop desktop;
  const SkinIoContext io{desktop, texts, fixedClock};
  SkinModel model;
  resetSkinModel(model);
  SkinImageTable images;  // pictures empty: the built-in ones add nothing here
  openSkinArchive(model, images, io, archive);

  // Either the missing-settings message alone, or progress 1..53 then 0 with
  // at most one message per picture.
  if (desktop.progress.empty()) {
    if (desktop.messages.size() != 1) std::abort();
  } else {
    if (desktop.progress.size() != kSkinImageCount + 1 || desktop.progress.back() != 0 ||
        desktop.messages.size() > kSkinImageCount)
      std::abort();
  }
  return 0;
}
