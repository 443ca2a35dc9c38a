#include "imaging/recolour.h"

#include <algorithm>
#include <cmath>

#include "imaging/dither.h"

namespace {

struct Hsl {
  double h;  // 0 <= h < 6, in sixths of the circle
  double s;  // 0..1
  double l;  // 0..1
};

Hsl toHsl(Color c) {
  const int r = redOf(c), g = greenOf(c), b = blueOf(c);
  const int high = std::max({r, g, b});
  const int low = std::min({r, g, b});
  const double l = (high + low) / 510.0;
  const int range = high - low;
  if (range == 0) return {0.0, 0.0, l};
  // chroma / (1 - |2l - 1|), with both sides in channel units.
  const double s = range / static_cast<double>(255 - std::abs(high + low - 255));
  double h;
  if (high == r) {
    h = static_cast<double>(g - b) / range;
    if (h < 0.0) h += 6.0;
  } else if (high == g) {
    h = static_cast<double>(b - r) / range + 2.0;
  } else {
    h = static_cast<double>(r - g) / range + 4.0;
  }
  return {h, std::min(s, 1.0), l};
}

// v * 255 rounded, v already clamped to 0..1 (lround costs a call).
inline int toChannel(double v) { return static_cast<int>(v * 255.0 + 0.5); }

Color fromHsl(const Hsl& p) {
  const double chroma = (1.0 - std::abs(2.0 * p.l - 1.0)) * p.s;
  const int sector = std::min(static_cast<int>(p.h), 5);
  const double within = p.h - sector;
  const double x = chroma * (sector % 2 == 0 ? within : 1.0 - within);
  const double m = p.l - chroma / 2.0;
  double r = 0, g = 0, b = 0;
  switch (sector) {
    case 0:
      r = chroma, g = x;
      break;
    case 1:
      r = x, g = chroma;
      break;
    case 2:
      g = chroma, b = x;
      break;
    case 3:
      g = x, b = chroma;
      break;
    case 4:
      r = x, b = chroma;
      break;
    default:
      r = chroma, b = x;
      break;
  }
  const auto channel = [](double v) { return toChannel(std::clamp(v, 0.0, 1.0)); };
  return rgb(channel(r + m), channel(g + m), channel(b + m));
}

// Degrees to sixths of the circle, in [0, 6).
double sixths(double degrees) {
  double turn = std::fmod(degrees, 360.0);
  if (turn < 0.0) turn += 360.0;
  const double h = turn / 60.0;
  return h >= 6.0 ? 0.0 : h;
}

bool isWholeTurn(double degrees) { return std::fmod(degrees, 360.0) == 0.0; }

// A colourised pixel's saturation when the saturation factor is 1: strong
// enough to read as the hue, soft enough to leave room to go either way.
constexpr double kColouriseSaturation = 0.5;

}  // namespace

bool RecolourParams::isIdentity() const {
  return !colourise && isWholeTurn(hue) && saturation == 1.0 && lightness == 1.0;
}

RecolourTransform::RecolourTransform(const RecolourParams& params)
    : identity_(params.isIdentity()),
      colourise_(params.colourise),
      hue_(sixths(params.colourise ? params.colouriseHue : params.hue)),
      saturation_(params.colourise ? kColouriseSaturation * params.saturation : params.saturation),
      lightness_(params.lightness) {}

Color RecolourTransform::operator()(Color color) const {
  color &= 0xFFFFFFu;
  if (identity_) return color;
  Hsl p = toHsl(color);
  if (colourise_) {
    p.h = hue_;
    p.s = saturation_;
  } else {
    p.h += hue_;
    if (p.h >= 6.0) p.h -= 6.0;
    p.s *= saturation_;
  }
  p.s = std::clamp(p.s, 0.0, 1.0);
  p.l = std::clamp(p.l * lightness_, 0.0, 1.0);
  return fromHsl(p);
}

Color recolourPixel(Color color, const RecolourParams& params) {
  return RecolourTransform(params)(color);
}

Color recolourSkinColour(Color color, const RecolourParams& params) {
  if (params.isIdentity()) return color;
  const Color c = recolourPixel(color, params);
  const auto nearest = [](int v) { return std::min((v + 4) / 8, 31) * 8; };
  return rgb(nearest(redOf(c)), nearest(greenOf(c)), nearest(blueOf(c)));
}

RecolourTable::RecolourTable(const RecolourParams& params)
    : params_(params), transform_(params), known_(std::make_unique<std::array<Color, 32768>>()) {
  known_->fill(kUnknown);
}

Image recolourPicture(const Image& source, RecolourTable& table, bool keyed) {
  if (table.isIdentity() || source.empty() ||
      source.pixels.size() != static_cast<std::size_t>(source.width) * source.height)
    return source;
  Image out(source.width, source.height);
  const std::size_t count = source.pixels.size();
  std::vector<std::uint8_t> held;
  if (keyed) held.assign(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const Color c = source.pixels[i];
    if (keyed && isKeyColour(c)) {
      held[i] = 1;
      out.pixels[i] = c;
    } else {
      out.pixels[i] = table(c);
    }
  }
  if (!keyed) {
    dither15(out);
    return out;
  }
  dither15(out, held);
  // Diffusion can land any pixel on the key; one step of blue is the least
  // visible way off it.
  for (std::size_t i = 0; i < count; ++i)
    if (!held[i] && out.pixels[i] == kTransparentKey) out.pixels[i] = rgb(0, 248, 8);
  return out;
}
