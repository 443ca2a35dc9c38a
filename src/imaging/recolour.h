// Hue, saturation and lightness changes over colours and pictures, for
// making another colour of a whole skin.
//
// The model is HSL, the hexcone one most paint programs offer in their
// hue/saturation tools: lightness is (max + min) / 2, so black and white
// stay put under any hue or saturation change, greys stay grey under a hue
// rotation, and a grey ramp colourised runs from black through the pure hue
// to white, as authors expect from those tools. It needs no powers or
// trigonometry, so a table of every 15-bit colour fills in a fraction of a
// millisecond. A perceptual model would hold brightness steadier under a
// rotation, but leaves the 15-bit gamut easily and costs far more per pixel.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/image.h"
#include "imaging/picture_decoder.h"

struct RecolourParams {
  double hue = 0.0;         // degrees added to every hue; any multiple of 360 is none
  double saturation = 1.0;  // factor on every saturation
  double lightness = 1.0;   // factor on every lightness
  // Colourise: every pixel takes this hue (degrees) and half of full
  // saturation times `saturation`, keeping its lightness; `hue` is unused.
  bool colourise = false;
  double colouriseHue = 0.0;

  bool isIdentity() const;
};

// The full-intensity green that, beside the handheld's transparent green,
// counts as transparent in a picture not yet reduced to 15 bits.
inline constexpr Color kKeyGreenFull = 0x00FF00;
inline constexpr bool isKeyColour(Color c) { return c == kTransparentKey || c == kKeyGreenFull; }

// The parameters worked out once, for many pixels.
class RecolourTransform {
 public:
  explicit RecolourTransform(const RecolourParams& params);
  bool isIdentity() const { return identity_; }
  // One colour, rounded to 8 bits per channel.
  Color operator()(Color color) const;

 private:
  bool identity_;
  bool colourise_;
  double hue_;  // sixths of the circle: added, or set when colourising
  double saturation_;
  double lightness_;
};

// One colour through the transform, rounded to 8 bits per channel.
Color recolourPixel(Color color, const RecolourParams& params);

// A skin colour through the transform, as the nearest 15-bit colour
// (every channel a multiple of 8, at most 248). Identity keeps the colour
// exactly, whatever its low bits.
Color recolourSkinColour(Color color, const RecolourParams& params);

// recolourPixel for one set of parameters, remembered for every 15-bit
// colour it has been asked for; other colours are worked out each time.
// Skin pictures are nearly all 15-bit already, so a picture costs a look-up
// per pixel once its few colours are known.
class RecolourTable {
 public:
  explicit RecolourTable(const RecolourParams& params);
  const RecolourParams& params() const { return params_; }
  bool isIdentity() const { return transform_.isIdentity(); }

  Color operator()(Color color) {
    if ((color & 0x070707u) != 0 || color > 0xFFFFFFu) return transform_(color);
    const std::uint32_t index = (color >> 3 & 0x1F) | (color >> 6 & 0x3E0) | (color >> 9 & 0x7C00);
    Color& slot = (*known_)[index];
    if (slot == kUnknown) slot = transform_(color);
    return slot;
  }

 private:
  static constexpr Color kUnknown = 0xFFFFFFFFu;
  RecolourParams params_;
  RecolourTransform transform_;
  std::unique_ptr<std::array<Color, 32768>> known_;
};

// A picture recoloured from `source`: every pixel through the table, then
// reduced to 15 bits by the error diffusion an imported picture gets. In a
// keyed picture the key pixels keep their exact colour and take no part in
// the diffusion, and a pixel that would come out as the transparent green
// is moved one 15-bit step of blue away from it. Identity parameters give
// `source` unchanged.
Image recolourPicture(const Image& source, RecolourTable& table, bool keyed);
