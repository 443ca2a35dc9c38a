#include "cli/cli_options.h"

#include <charconv>

#include "skin/skin_images.h"

namespace {

bool parseInt(std::string_view text, int low, int high, int& value) {
  int parsed = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
  if (text.empty() || ec != std::errc() || ptr != end || parsed < low || parsed > high)
    return false;
  value = parsed;
  return true;
}

bool parseBackground(std::string_view text, Color& color) {
  int parts[3] = {};
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = text.find(',');
    const bool last = i == 2;
    if (last != (comma == std::string_view::npos)) return false;
    if (!parseInt(text.substr(0, comma), 0, 255, parts[i])) return false;
    if (!last) text.remove_prefix(comma + 1);
  }
  color = rgb(parts[0], parts[1], parts[2]);
  return true;
}

// Options of either command that are followed by a value.
bool takesValue(std::string_view option) {
  return option == "--skin" || option == "--out" || option == "--view" ||
         option == "--zoom-steps" || option == "--background" || option == "--replace" ||
         option == "--last-update" || option == "--recolour" || option == "--recolour-parts";
}

}  // namespace

std::string_view cliUsage() {
  return "usage: skinstudio-cli render  [--skin PATH] [--view N] [--zoom-steps K] [--background "
         "R,G,B] "
         "[--screens] --out FILE.png\n"
         "       skinstudio-cli convert [--skin PATH] [--replace NAME=FILE]... [--last-update "
         "TEXT]\n"
         "                              [--recolour hue=DEG,saturation=F,lightness=F | "
         "colourise=DEG,...]\n"
         "                              [--recolour-parts "
         "colours,backgrounds,icons,bars-and-frames,clock-digits]\n"
         "                              --out DIR|FILE.zip\n";
}

CliParseResult parseCliArguments(const std::vector<std::string_view>& arguments) {
  CliParseResult result;
  CliOptions& o = result.options;
  // Help wins over any usage error, but only where an option can stand: the
  // value of an option ("--last-update -h") is text, not a request for help.
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      o.command = CliCommand::Help;
      return result;
    }
    if (takesValue(argument)) ++i;
  }
  if (arguments.empty()) {
    result.error = "no command given";
    return result;
  }
  if (arguments[0] == "render") {
    o.command = CliCommand::Render;
  } else if (arguments[0] == "convert") {
    o.command = CliCommand::Convert;
  } else {
    result.error = "unknown command \"" + std::string(arguments[0]) + "\"";
    return result;
  }
  const bool render = o.command == CliCommand::Render;

  bool haveOut = false;
  bool haveParts = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string_view option = arguments[i];
    if (render && option == "--screens") {
      o.screens = true;
      continue;
    }
    const bool takesValue =
        option == "--skin" || option == "--out" ||
        (render && (option == "--view" || option == "--zoom-steps" || option == "--background")) ||
        (!render && (option == "--replace" || option == "--last-update" || option == "--recolour" ||
                     option == "--recolour-parts"));
    if (!takesValue) {
      result.error =
          "unknown option \"" + std::string(option) + "\" for " + std::string(arguments[0]);
      return result;
    }
    if (i + 1 >= arguments.size()) {
      result.error = std::string(option) + " needs a value";
      return result;
    }
    const std::string_view value = arguments[++i];
    if (option == "--skin") {
      if (value.empty()) {
        result.error = "--skin needs a path";
        return result;
      }
      o.skin = value;
    } else if (option == "--out") {
      if (value.empty()) {
        result.error = "--out needs a path";
        return result;
      }
      o.out = value;
      haveOut = true;
    } else if (option == "--view") {
      if (!parseInt(value, 0, 13, o.view)) {
        result.error = "--view takes a number from 0 to 13";
        return result;
      }
    } else if (option == "--zoom-steps") {
      if (!parseInt(value, 0, 27, o.zoomSteps)) {
        result.error = "--zoom-steps takes a number from 0 to 27";
        return result;
      }
    } else if (option == "--background") {
      if (!parseBackground(value, o.background)) {
        result.error = "--background takes R,G,B with each part from 0 to 255";
        return result;
      }
    } else if (option == "--replace") {
      const std::size_t equals = value.find('=');
      if (equals == std::string_view::npos || equals + 1 == value.size()) {
        result.error = "--replace takes NAME=FILE";
        return result;
      }
      const std::string_view name = value.substr(0, equals);
      if (SkinImageTable::indexOf(name) < 0) {
        result.error = "\"" + std::string(name) + "\" is not a picture of the skin";
        return result;
      }
      o.replacements.emplace_back(std::string(name), std::string(value.substr(equals + 1)));
    } else if (option == "--last-update") {
      o.hasLastUpdate = true;
      o.lastUpdate = value;
    } else if (option == "--recolour") {
      result.error = parseRecolourParams(value, o.recolourParams);
      if (!result.error.empty()) return result;
      o.recolour = true;
    } else if (option == "--recolour-parts") {
      result.error = parseRecolourParts(value, o.recolourParts);
      if (!result.error.empty()) return result;
      haveParts = true;
    }
  }
  if (haveParts && !o.recolour) {
    result.error = "--recolour-parts needs --recolour";
    return result;
  }
  if (!haveOut) result.error = "--out is required";
  return result;
}
