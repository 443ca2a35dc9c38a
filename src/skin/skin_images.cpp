#include "skin/skin_images.h"

namespace {

struct TableRow {
  std::string_view fileName;
  int width;
  int height;
};

// Load and save order; the sizes are those of the built-in pictures.
constexpr TableRow kTable[kSkinImageCount] = {
    {"active.bmp", 6, 6},           {"activehotkey.bmp", 9, 9},
    {"brightness.bmp", 22, 18},     {"btn.bmp", 47, 14},
    {"btn3.bmp", 39, 14},           {"cardFrame0.bmp", 23, 18},
    {"cardFrame1.bmp", 23, 18},     {"cheat_clearall.bmp", 16, 12},
    {"cheatbg.bmp", 256, 192},      {"cheatmenubtn.bmp", 70, 14},
    {"cheatselectbar.bmp", 203, 1}, {"clock_colon.bmp", 10, 31},
    {"clock_numbers.bmp", 24, 310}, {"close.bmp", 13, 12},
    {"close1.bmp", 20, 13},         {"fathernode.bmp", 11, 10},
    {"form_L.bmp", 28, 116},        {"form_M.bmp", 3, 116},
    {"form_R.bmp", 36, 116},        {"hotkeybk.bmp", 198, 127},
    {"lamp.bmp", 22, 38},           {"lower_screen.bmp", 256, 192},
    {"noactivehotke.bmp", 9, 9},    {"onehotdown.bmp", 11, 10},
    {"onehoton.bmp", 11, 10},       {"pitchdown.bmp", 11, 10},
    {"pitchon.bmp", 11, 10},        {"popsubbar.bmp", 1, 12},
    {"progress_bar.bmp", 102, 12},  {"progress_wnd.bmp", 198, 93},
    {"reBack.bmp", 23, 18},         {"selectbar.bmp", 256, 42},
    {"settingbg.bmp", 198, 104},    {"spin_btn_left.bmp", 8, 14},
    {"spin_btn_right.bmp", 8, 14},  {"start_released.bmp", 58, 20},
    {"startbar.bmp", 256, 20},      {"title_bg.bmp", 2, 16},
    {"title_left.bmp", 56, 16},     {"title_right.bmp", 56, 16},
    {"triangle.bmp", 14, 16},       {"upper_screen.bmp", 256, 192},
    {"icon/cheat.bmp", 15, 16},     {"icon/dpg.bmp", 33, 32},
    {"icon/gba.bmp", 32, 32},       {"icon/nds.bmp", 32, 32},
    {"icon/plg.bmp", 32, 32},       {"icon/pth.bmp", 32, 32},
    {"icon/realtime.bmp", 17, 14},  {"icon/rpth.bmp", 32, 32},
    {"icon/sav.bmp", 32, 32},       {"icon/txt.bmp", 33, 32},
    {"icon/unk.bmp", 8, 14},
};

std::string_view baseNameOf(std::string_view fileName) {
  const std::size_t slash = fileName.rfind('/');
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  if (fileName.ends_with(".bmp")) fileName.remove_suffix(4);
  return fileName;
}

}  // namespace

SkinImageTable::SkinImageTable() {
  for (int i = 0; i < kSkinImageCount; ++i) {
    entries_[i].fileName = kTable[i].fileName;
    entries_[i].baseName = baseNameOf(kTable[i].fileName);
  }
}

int SkinImageTable::indexOf(std::string_view fileName) {
  for (int i = 0; i < kSkinImageCount; ++i)
    if (kTable[i].fileName == fileName) return i;
  return -1;
}

const Image& SkinImageTable::picture(std::string_view fileName) const {
  static const Image kNone;
  const int index = indexOf(fileName);
  return index < 0 ? kNone : entries_[index].picture;
}

bool isSkinImageEntry(int index) { return index >= 0 && index < kSkinImageCount; }

std::string_view skinImageFileName(int index) {
  return isSkinImageEntry(index) ? kTable[index].fileName : std::string_view{};
}
int skinImageDefaultWidth(int index) { return isSkinImageEntry(index) ? kTable[index].width : 0; }
int skinImageDefaultHeight(int index) { return isSkinImageEntry(index) ? kTable[index].height : 0; }
