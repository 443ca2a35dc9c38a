// The skin's 53 pictures by file name, in load and save order.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "imaging/image.h"

struct SkinSource;

inline constexpr int kSkinImageCount = 53;

// Entries before this one lie at the skin root, the rest in "icon/".
inline constexpr int kFirstIconImage = 42;

// The kinds of picture a skin author thinks in, for changing many at once.
// Buttons and the small marks (check boxes, lamps, arrows) count as bars
// and frames.
enum class SkinImageGroup { Backgrounds, Icons, BarsAndFrames, ClockDigits };
inline constexpr int kSkinImageGroupCount = 4;

struct SkinImage {
  std::string_view fileName;  // relative to the skin root, "icon/cheat.bmp"
  std::string_view baseName;  // without folder and ".bmp", "cheat"
  Image picture;              // empty (0 x 0) after a failed decode
};

class SkinImageTable {
 public:
  SkinImageTable();  // names filled in, pictures empty until resetSkinImages

  SkinImage& operator[](int index) { return entries_[index]; }
  const SkinImage& operator[](int index) const { return entries_[index]; }

  // Table position of a file name ("startbar.bmp", "icon/nds.bmp"), or -1.
  static int indexOf(std::string_view fileName);

  // The picture held under a file name of the table.
  const Image& picture(std::string_view fileName) const;

  // Where the skin's files are, for the next save; null for the built-in
  // skin. Shared, so the undo history can hold it with every step.
  const std::shared_ptr<const SkinSource>& source() const { return source_; }
  void setSource(std::shared_ptr<const SkinSource> source) { source_ = std::move(source); }

 private:
  std::array<SkinImage, kSkinImageCount> entries_;
  std::shared_ptr<const SkinSource> source_;
};

bool isSkinImageEntry(int index);

// File name and default size of entry `index` in table order.
std::string_view skinImageFileName(int index);
int skinImageDefaultWidth(int index);
int skinImageDefaultHeight(int index);

// The group of entry `index`, and whether the menu draws it with the
// transparent green left out.
SkinImageGroup skinImageGroup(int index);
bool skinImageIsKeyed(int index);
