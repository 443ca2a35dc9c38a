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
         option == "--last-update" || option == "--columns" || option == "--format" ||
         option == "--language" || option == "--recolour" || option == "--recolour-parts";
}

}  // namespace

std::string_view cliUsage() {
  return "usage: skinstudio-cli render  [--skin PATH] [--view N] [--zoom-steps K] [--background "
         "R,G,B] "
         "[--screens] --out FILE.png\n"
         "       skinstudio-cli render  --all [--skin PATH] [--columns N] [--zoom-steps K] "
         "[--language "
         "FILE] --out "
         "FILE.png\n"
         "       skinstudio-cli convert [--skin PATH] [--replace NAME=FILE]... [--last-update "
         "TEXT]\n"
         "                              [--recolour hue=DEG,saturation=F,lightness=F | "
         "colourise=DEG,...]\n"
         "                              [--recolour-parts "
         "colours,backgrounds,icons,bars-and-frames,clock-digits]\n"
         "                              --out DIR|FILE.zip\n"
         "       skinstudio-cli check   --skin DIR|FILE.zip [--format text|json] [--language "
         "FILE]\n";
}

std::string_view cliHelp() {
  static const std::string help =
      std::string(cliUsage()) +
      "\n"
      "render   draws the preview of menu state N (0 to 13) of the skin into a PNG.\n"
      "convert  saves the skin into the folder DIR, or into FILE.zip as one archive.\n"
      "\n"
      "  --skin PATH          a skin folder or ZIP archive (default: the built-in skin)\n"
      "  --replace NAME=FILE  takes the picture NAME from FILE (BMP, PNG or JPEG); NAME\n"
      "                       is the picture's file name in the skin, with .bmp:\n"
      "                       upper_screen.bmp, startbar.bmp, icon/cheat.bmp\n"
      "  --last-update TEXT   the LastUpdate stamp to write instead of the time now\n"
      "  --recolour VALUES    hue=DEG,saturation=F,lightness=F or colourise=DEG: another\n"
      "                       colour of the whole skin\n"
      "  --out PATH           where the result goes (required)\n"
      "\n"
      "See skinstudio-cli(1) for every option.\n";
  return help;
}

// The table's name that an author most likely meant by a picture name it
// does not hold ("upper_screen", "Cheat.bmp", "cheat"), or nothing.
std::string_view likelyPictureName(std::string_view name) {
  std::string wanted(name);
  for (char& c : wanted) {
    if (c == '\\') c = '/';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (!wanted.ends_with(".bmp")) wanted += ".bmp";
  for (int i = 0; i < kSkinImageCount; ++i) {
    const std::string_view candidate = skinImageFileName(i);
    if (candidate == wanted || candidate == "icon/" + wanted) return candidate;
  }
  return {};
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
  } else if (arguments[0] == "check") {
    o.command = CliCommand::Check;
  } else {
    result.error = "unknown command \"" + std::string(arguments[0]) + "\"";
    return result;
  }
  const bool render = o.command == CliCommand::Render;
  const bool check = o.command == CliCommand::Check;

  bool haveOut = false;
  bool haveParts = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string_view option = arguments[i];
    if (render && option == "--screens") {
      o.screens = true;
      continue;
    }
    if (render && option == "--all") {
      o.all = true;
      continue;
    }
    const bool takesValue =
        option == "--skin" || (!check && option == "--out") || (render && option == "--columns") ||
        (check && option == "--format") || ((check || render) && option == "--language") ||
        (render && (option == "--view" || option == "--zoom-steps" || option == "--background")) ||
        (o.command == CliCommand::Convert && (option == "--replace" || option == "--last-update" ||
                                              option == "--recolour" ||
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
        // Guessing would be easy, but a script that names pictures loosely
        // should learn it at once rather than depend on the guess.
        result.error = "\"" + std::string(name) +
                       "\" is not a picture of the skin: NAME is the picture's file name in "
                       "the skin, with .bmp";
        const std::string_view meant = likelyPictureName(name);
        result.error += meant.empty() ? " (such as upper_screen.bmp or icon/cheat.bmp)"
                                      : " (did you mean " + std::string(meant) + "?)";
        return result;
      }
      o.replacements.emplace_back(std::string(name), std::string(value.substr(equals + 1)));
    } else if (option == "--last-update") {
      o.hasLastUpdate = true;
      o.lastUpdate = value;
    } else if (option == "--columns") {
      if (!parseInt(value, 1, 14, o.columns)) {
        result.error = "--columns takes a number from 1 to 14";
        return result;
      }
    } else if (option == "--format") {
      if (value != "text" && value != "json") {
        result.error = "--format takes text or json";
        return result;
      }
      o.json = value == "json";
    } else if (option == "--language") {
      if (value.empty()) {
        result.error = "--language needs a file";
        return result;
      }
      o.language = value;
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
  if (check) {
    if (o.skin.empty()) result.error = "--skin is required";
    return result;
  }
  if (o.all && (o.screens || o.view != 0)) {
    result.error = "--all draws every view; --view and --screens do not go with it";
    return result;
  }
  if (!haveOut) result.error = "--out is required";
  return result;
}
