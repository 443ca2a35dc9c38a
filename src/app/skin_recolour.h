// Recolouring a whole skin: its 29 panel colours and its 53 pictures.
//
// A session captures the skin as it stands when recolouring starts and
// makes every result from that capture, never from an earlier result, so
// values can be tried back and forth (a dialog's slider) without error
// building up, and the identity gives the captured skin back byte for byte.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "imaging/image.h"
#include "imaging/recolour.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"

inline constexpr int kRecolourColourCount = 29;

// Which parts a recolour touches; the rest keep their captured state.
struct RecolourParts {
  bool colours = true;
  std::array<bool, kSkinImageGroupCount> groups{true, true, true, true};  // by SkinImageGroup

  bool includes(SkinImageGroup group) const { return groups[static_cast<int>(group)]; }
  void set(SkinImageGroup group, bool on) { groups[static_cast<int>(group)] = on; }
};

// The colour panel's fields, in its order ("gameInfoTextColor", ...), all
// of [global settings].
std::string_view recolourColourKey(int index);

struct RecolouredSkin {
  std::array<Color, kRecolourColourCount> colours{};
  std::array<Image, kSkinImageCount> pictures;

  // Puts the colours and pictures in place; every other field stays.
  void storeInto(SkinModel& model, SkinImageTable& images) const;
};

class SkinRecolourSession {
 public:
  SkinRecolourSession(const SkinModel& model, const SkinImageTable& images);

  RecolouredSkin apply(const RecolourParams& params, const RecolourParts& parts) const;
  // apply, stored straight into the skin.
  void applyTo(const RecolourParams& params, const RecolourParts& parts, SkinModel& model,
               SkinImageTable& images) const;

  const RecolouredSkin& captured() const { return source_; }

 private:
  RecolouredSkin source_;
};

// The text form the command line takes: "hue=120,saturation=1.2,lightness=0.9"
// or "colourise=210,lightness=1.1". Each name at most once; hue -360 to 360,
// colourise 0 to 360, saturation 0 to 4, lightness 0 to 2. Gives an empty
// text on success, otherwise what is wrong.
std::string parseRecolourParams(std::string_view text, RecolourParams& params);

// "colours,backgrounds,icons,bars-and-frames,clock-digits", any of them in
// any order: the parts named are on, the others off.
std::string parseRecolourParts(std::string_view text, RecolourParts& parts);
