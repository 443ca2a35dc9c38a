#include "skin/skin_images.h"

namespace {

struct TableRow {
  std::string_view fileName;
  int width;
  int height;
  SkinImageGroup group;
  bool keyed;
};

constexpr bool kKeyed = true;
constexpr bool kOpaque = false;

// Load and save order; the sizes are those of the built-in pictures. A
// picture is keyed where the menu draws it with the transparent green; the
// two progress pictures are never drawn by the preview and count as keyed,
// since taking a keyed picture for opaque would be the costlier mistake.
constexpr TableRow kTable[kSkinImageCount] = {
    {"active.bmp", 6, 6, SkinImageGroup::BarsAndFrames, kKeyed},
    {"activehotkey.bmp", 9, 9, SkinImageGroup::BarsAndFrames, kKeyed},
    {"brightness.bmp", 22, 18, SkinImageGroup::BarsAndFrames, kOpaque},
    {"btn.bmp", 47, 14, SkinImageGroup::BarsAndFrames, kKeyed},
    {"btn3.bmp", 39, 14, SkinImageGroup::BarsAndFrames, kKeyed},
    {"cardFrame0.bmp", 23, 18, SkinImageGroup::BarsAndFrames, kKeyed},
    {"cardFrame1.bmp", 23, 18, SkinImageGroup::BarsAndFrames, kKeyed},
    {"cheat_clearall.bmp", 16, 12, SkinImageGroup::BarsAndFrames, kKeyed},
    {"cheatbg.bmp", 256, 192, SkinImageGroup::Backgrounds, kOpaque},
    {"cheatmenubtn.bmp", 70, 14, SkinImageGroup::BarsAndFrames, kKeyed},
    {"cheatselectbar.bmp", 203, 1, SkinImageGroup::BarsAndFrames, kOpaque},
    {"clock_colon.bmp", 10, 31, SkinImageGroup::ClockDigits, kKeyed},
    {"clock_numbers.bmp", 24, 310, SkinImageGroup::ClockDigits, kKeyed},
    {"close.bmp", 13, 12, SkinImageGroup::BarsAndFrames, kKeyed},
    {"close1.bmp", 20, 13, SkinImageGroup::BarsAndFrames, kKeyed},
    {"fathernode.bmp", 11, 10, SkinImageGroup::BarsAndFrames, kKeyed},
    {"form_L.bmp", 28, 116, SkinImageGroup::BarsAndFrames, kKeyed},
    {"form_M.bmp", 3, 116, SkinImageGroup::BarsAndFrames, kKeyed},
    {"form_R.bmp", 36, 116, SkinImageGroup::BarsAndFrames, kKeyed},
    {"hotkeybk.bmp", 198, 127, SkinImageGroup::Backgrounds, kKeyed},
    {"lamp.bmp", 22, 38, SkinImageGroup::BarsAndFrames, kKeyed},
    {"lower_screen.bmp", 256, 192, SkinImageGroup::Backgrounds, kOpaque},
    {"noactivehotke.bmp", 9, 9, SkinImageGroup::BarsAndFrames, kKeyed},
    {"onehotdown.bmp", 11, 10, SkinImageGroup::BarsAndFrames, kKeyed},
    {"onehoton.bmp", 11, 10, SkinImageGroup::BarsAndFrames, kKeyed},
    {"pitchdown.bmp", 11, 10, SkinImageGroup::BarsAndFrames, kKeyed},
    {"pitchon.bmp", 11, 10, SkinImageGroup::BarsAndFrames, kKeyed},
    {"popsubbar.bmp", 1, 12, SkinImageGroup::BarsAndFrames, kKeyed},
    {"progress_bar.bmp", 102, 12, SkinImageGroup::BarsAndFrames, kKeyed},
    {"progress_wnd.bmp", 198, 93, SkinImageGroup::Backgrounds, kKeyed},
    {"reBack.bmp", 23, 18, SkinImageGroup::BarsAndFrames, kKeyed},
    {"selectbar.bmp", 256, 42, SkinImageGroup::BarsAndFrames, kKeyed},
    {"settingbg.bmp", 198, 104, SkinImageGroup::Backgrounds, kKeyed},
    {"spin_btn_left.bmp", 8, 14, SkinImageGroup::BarsAndFrames, kKeyed},
    {"spin_btn_right.bmp", 8, 14, SkinImageGroup::BarsAndFrames, kKeyed},
    {"start_released.bmp", 58, 20, SkinImageGroup::BarsAndFrames, kKeyed},
    {"startbar.bmp", 256, 20, SkinImageGroup::BarsAndFrames, kOpaque},
    {"title_bg.bmp", 2, 16, SkinImageGroup::BarsAndFrames, kOpaque},
    {"title_left.bmp", 56, 16, SkinImageGroup::BarsAndFrames, kKeyed},
    {"title_right.bmp", 56, 16, SkinImageGroup::BarsAndFrames, kKeyed},
    {"triangle.bmp", 14, 16, SkinImageGroup::BarsAndFrames, kKeyed},
    {"upper_screen.bmp", 256, 192, SkinImageGroup::Backgrounds, kOpaque},
    {"icon/cheat.bmp", 15, 16, SkinImageGroup::Icons, kKeyed},
    {"icon/dpg.bmp", 33, 32, SkinImageGroup::Icons, kKeyed},
    {"icon/gba.bmp", 32, 32, SkinImageGroup::Icons, kKeyed},
    {"icon/nds.bmp", 32, 32, SkinImageGroup::Icons, kKeyed},
    {"icon/plg.bmp", 32, 32, SkinImageGroup::Icons, kKeyed},
    {"icon/pth.bmp", 32, 32, SkinImageGroup::Icons, kKeyed},
    {"icon/realtime.bmp", 17, 14, SkinImageGroup::Icons, kKeyed},
    {"icon/rpth.bmp", 32, 32, SkinImageGroup::Icons, kKeyed},
    {"icon/sav.bmp", 32, 32, SkinImageGroup::Icons, kKeyed},
    {"icon/txt.bmp", 33, 32, SkinImageGroup::Icons, kKeyed},
    {"icon/unk.bmp", 8, 14, SkinImageGroup::Icons, kKeyed},
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

SkinImageGroup skinImageGroup(int index) {
  return isSkinImageEntry(index) ? kTable[index].group : SkinImageGroup::BarsAndFrames;
}
bool skinImageIsKeyed(int index) { return isSkinImageEntry(index) && kTable[index].keyed; }
