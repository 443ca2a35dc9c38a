#include "app/skin_recolour.h"

#include <charconv>
#include <cmath>

#include "app/panel_controls.h"

namespace {

constexpr std::string_view kColourSection = "global settings";

struct PartName {
  std::string_view name;
  bool isColours;
  SkinImageGroup group;
};

constexpr PartName kPartNames[] = {
    {"colours", true, SkinImageGroup::Backgrounds},
    {"backgrounds", false, SkinImageGroup::Backgrounds},
    {"icons", false, SkinImageGroup::Icons},
    {"bars-and-frames", false, SkinImageGroup::BarsAndFrames},
    {"clock-digits", false, SkinImageGroup::ClockDigits},
};

// Splits "a,b,c" one item at a time; an empty item is kept so it can be
// reported.
bool nextItem(std::string_view& rest, std::string_view& item) {
  if (rest.data() == nullptr) return false;
  const std::size_t comma = rest.find(',');
  item = rest.substr(0, comma);
  rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  return true;
}

bool parseNumber(std::string_view text, double& value) {
  if (text.empty()) return false;
  if (text.front() == '+') text.remove_prefix(1);
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  return ec == std::errc() && ptr == end && std::isfinite(value);
}

std::string quotedText(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string_view recolourColourKey(int index) {
  const auto table = colorButtonTable();
  return index >= 0 && index < static_cast<int>(table.size()) ? table[index].key
                                                              : std::string_view();
}

void RecolouredSkin::storeInto(SkinModel& model, SkinImageTable& images) const {
  for (int i = 0; i < kRecolourColourCount; ++i)
    if (Color* field = colorField(model, kColourSection, recolourColourKey(i))) *field = colours[i];
  for (int i = 0; i < kSkinImageCount; ++i) images[i].picture = pictures[i];
}

SkinRecolourSession::SkinRecolourSession(const SkinModel& model, const SkinImageTable& images) {
  for (int i = 0; i < kRecolourColourCount; ++i)
    if (const Color* field = colorField(model, kColourSection, recolourColourKey(i)))
      source_.colours[i] = *field;
  for (int i = 0; i < kSkinImageCount; ++i) source_.pictures[i] = images[i].picture;
}

RecolouredSkin SkinRecolourSession::apply(const RecolourParams& params,
                                          const RecolourParts& parts) const {
  if (params.isIdentity()) return source_;
  RecolouredSkin out;
  for (int i = 0; i < kRecolourColourCount; ++i)
    out.colours[i] =
        parts.colours ? recolourSkinColour(source_.colours[i], params) : source_.colours[i];
  // One table for every picture: they share most of their colours.
  RecolourTable table(params);
  for (int i = 0; i < kSkinImageCount; ++i) {
    const Image& picture = source_.pictures[i];
    out.pictures[i] = parts.includes(skinImageGroup(i))
                          ? recolourPicture(picture, table, skinImageIsKeyed(i))
                          : picture;
  }
  return out;
}

void SkinRecolourSession::applyTo(const RecolourParams& params, const RecolourParts& parts,
                                  SkinModel& model, SkinImageTable& images) const {
  apply(params, parts).storeInto(model, images);
}

std::string parseRecolourParams(std::string_view text, RecolourParams& params) {
  if (text.empty()) return "--recolour needs at least one of hue, saturation, lightness, colourise";
  RecolourParams parsed;
  bool seen[4] = {};
  std::string_view rest = text, item;
  while (nextItem(rest, item)) {
    const std::size_t equals = item.find('=');
    if (equals == std::string_view::npos)
      return "--recolour takes NAME=VALUE items, not " + quotedText(item);
    const std::string_view name = item.substr(0, equals);
    const std::string_view valueText = item.substr(equals + 1);
    struct Limit {
      std::string_view name;
      double low, high;
    };
    static constexpr Limit kLimits[] = {
        {"hue", -360, 360}, {"saturation", 0, 4}, {"lightness", 0, 2}, {"colourise", 0, 360}};
    int which = -1;
    for (int k = 0; k < 4; ++k)
      if (name == kLimits[k].name) which = k;
    if (name == "colorize") which = 3;
    if (which < 0)
      return "unknown --recolour value " + quotedText(name) +
             " (known: hue, saturation, lightness, colourise)";
    const Limit& limit = kLimits[which];
    if (seen[which]) return std::string(limit.name) + " is given twice in --recolour";
    seen[which] = true;
    double value = 0;
    if (!parseNumber(valueText, value))
      return std::string(limit.name) + " takes a number, not " + quotedText(valueText);
    if (value < limit.low || value > limit.high) {
      const auto show = [](double v) { return std::to_string(static_cast<int>(v)); };
      return std::string(limit.name) + " takes a number from " + show(limit.low) + " to " +
             show(limit.high) + ", not " + std::string(valueText);
    }
    switch (which) {
      case 0:
        parsed.hue = value;
        break;
      case 1:
        parsed.saturation = value;
        break;
      case 2:
        parsed.lightness = value;
        break;
      default:
        parsed.colourise = true;
        parsed.colouriseHue = value;
        break;
    }
  }
  if (seen[0] && seen[3]) return "hue and colourise cannot both be given: colourise sets every hue";
  params = parsed;
  return {};
}

std::string parseRecolourParts(std::string_view text, RecolourParts& parts) {
  RecolourParts parsed;
  parsed.colours = false;
  parsed.groups.fill(false);
  std::string_view rest = text, item;
  while (nextItem(rest, item)) {
    const PartName* found = nullptr;
    for (const PartName& part : kPartNames)
      if (part.name == item || (part.isColours && item == "colors")) found = &part;
    if (!found)
      return "unknown part " + quotedText(item) +
             " in --recolour-parts (known: colours, backgrounds, icons, bars-and-frames, "
             "clock-digits)";
    if (found->isColours)
      parsed.colours = true;
    else
      parsed.set(found->group, true);
  }
  parts = parsed;
  return {};
}
