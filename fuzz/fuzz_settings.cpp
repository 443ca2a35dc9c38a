// uisettings.ini from arbitrary bytes. Beyond surviving the input, what the
// reader takes in must survive the writer: writing the model, reading that
// back into fresh defaults and writing again must give the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "skin/settings_file.h"
#include "skin/skin_model.h"

namespace {

std::string fixedClock() { return "2010/06/04-09:05:03"; }

// The reader drops one leading blank of each info text per [SkinInfo] line,
// so a text may keep some blanks when the file ends early; those would go on
// the next read. Taking them off here keeps the check about real losses.
void dropLeadingBlanks(std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  text.erase(0, first == std::string::npos ? text.size() : first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SkinModel model;
  resetSkinModel(model);
  readSkinSettings(model, std::span<const std::uint8_t>(data, size));

  dropLeadingBlanks(model.skinInfo.Title);
  dropLeadingBlanks(model.skinInfo.Author);
  dropLeadingBlanks(model.skinInfo.eMail);
  dropLeadingBlanks(model.skinInfo.Url);
  dropLeadingBlanks(model.skinInfo.LastUpdate);
  const std::vector<std::uint8_t> first = writeSkinSettings(model, fixedClock);

  SkinModel again;
  resetSkinModel(again);
  readSkinSettings(again, first);
  const std::vector<std::uint8_t> second = writeSkinSettings(again, fixedClock);
  if (first != second) std::abort();
  return 0;
}
