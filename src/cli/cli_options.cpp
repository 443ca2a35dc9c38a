#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "skin/skin_images.h"

namespace {

constexpr unsigned kRender = cliCommandBit(CliCommand::Render);
constexpr unsigned kConvert = cliCommandBit(CliCommand::Convert);
constexpr unsigned kCheck = cliCommandBit(CliCommand::Check);

// Usage and help lines are broken before this column.
constexpr std::size_t kWidth = 79;

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

std::string applySkin(std::string_view value, CliOptions& o) {
  if (value.empty()) return "--skin needs a path";
  o.skin = value;
  return {};
}

std::string applyOut(std::string_view value, CliOptions& o) {
  if (value.empty()) return "--out needs a path";
  o.out = value;
  return {};
}

std::string applyView(std::string_view value, CliOptions& o) {
  return parseInt(value, 0, 13, o.view) ? "" : "--view takes a number from 0 to 13";
}

std::string applyZoomSteps(std::string_view value, CliOptions& o) {
  return parseInt(value, 0, 27, o.zoomSteps) ? "" : "--zoom-steps takes a number from 0 to 27";
}

std::string applyBackground(std::string_view value, CliOptions& o) {
  return parseBackground(value, o.background)
             ? ""
             : "--background takes R,G,B with each part from 0 to 255";
}

std::string applyScreens(std::string_view, CliOptions& o) {
  o.screens = true;
  return {};
}

std::string applyAll(std::string_view, CliOptions& o) {
  o.all = true;
  return {};
}

std::string applyColumns(std::string_view value, CliOptions& o) {
  return parseInt(value, 1, 14, o.columns) ? "" : "--columns takes a number from 1 to 14";
}

std::string applyReplace(std::string_view value, CliOptions& o) {
  const std::size_t equals = value.find('=');
  if (equals == std::string_view::npos || equals + 1 == value.size())
    return "--replace takes NAME=FILE";
  const std::string_view name = value.substr(0, equals);
  if (SkinImageTable::indexOf(name) < 0) {
    // Guessing would be easy, but a script that names pictures loosely
    // should learn it at once rather than depend on the guess.
    const std::string_view meant = likelyPictureName(name);
    return "\"" + std::string(name) +
           "\" is not a picture of the skin: NAME is the picture's file name in the skin, "
           "with .bmp" +
           (meant.empty() ? " (such as upper_screen.bmp or icon/cheat.bmp)"
                          : " (did you mean " + std::string(meant) + "?)");
  }
  o.replacements.emplace_back(std::string(name), std::string(value.substr(equals + 1)));
  return {};
}

std::string applySet(std::string_view value, CliOptions& o) {
  std::optional<SettingAssignment> setting = parseSettingAssignment(value);
  if (!setting)
    return "--set takes \"[SECTION] KEY=VALUE\" (such as \"[calendar day] dw=8\"), not \"" +
           std::string(value) + "\"";
  o.settings.push_back(std::move(*setting));
  return {};
}

std::string applyLastUpdate(std::string_view value, CliOptions& o) {
  o.hasLastUpdate = true;
  o.lastUpdate = value;
  return {};
}

std::string applyRecolour(std::string_view value, CliOptions& o) {
  std::string error = parseRecolourParams(value, o.recolourParams);
  o.recolour = error.empty();
  return error;
}

std::string applyRecolourParts(std::string_view value, CliOptions& o) {
  return parseRecolourParts(value, o.recolourParts);
}

std::string applyFormat(std::string_view value, CliOptions& o) {
  if (value != "text" && value != "json") return "--format takes text or json";
  o.json = value == "json";
  return {};
}

std::string applyLanguage(std::string_view value, CliOptions& o) {
  if (value.empty()) return "--language needs a file";
  o.language = value;
  return {};
}

// In the order the usage lists them.
constexpr CliOptionRow kOptions[] = {
    {"--skin", "PATH", "the skin to start from, a folder or a ZIP archive; else the built-in one",
     kRender | kConvert, false, false, applySkin},
    {"--skin", "DIR|FILE.zip", "the skin folder or ZIP archive to check", kCheck, true, false,
     applySkin},
    {"--view", "N", "the menu state to draw, 0 to 13; 0 by default", kRender, false, false,
     applyView},
    {"--zoom-steps", "K", "enlarge as K mouse-wheel steps do, 0 to 27; 0 by default", kRender,
     false, false, applyZoomSteps},
    {"--background", "R,G,B", "the colour around the screens, each part 0 to 255; black by default",
     kRender, false, false, applyBackground},
    {"--screens", "", "write the two screens alone, without background or zoom", kRender, false,
     false, applyScreens},
    {"--all", "", "draw every view on one contact sheet; not with --view or --screens", kRender,
     false, false, applyAll},
    {"--columns", "N", "with --all, the views in a row of the sheet, 1 to 14; 7 by default",
     kRender, false, false, applyColumns},
    {"--replace", "NAME=FILE",
     "take the picture NAME from FILE (BMP, PNG or JPEG); NAME is the picture's file name in the "
     "skin, with .bmp: upper_screen.bmp, startbar.bmp, icon/cheat.bmp",
     kConvert, false, true, applyReplace},
    {"--set", "\"[SECTION] KEY=VALUE\"",
     "set any setting of uisettings.ini, one the editor shows or not; a key the file lacks is "
     "added, a new section before [end]; applied before --recolour",
     kConvert, false, true, applySet},
    {"--last-update", "TEXT", "save TEXT as the LastUpdate stamp instead of the date and time",
     kConvert, false, false, applyLastUpdate},
    {"--recolour", "VALUES",
     "another colour of the whole skin: hue=DEG,saturation=F,lightness=F or colourise=DEG, each "
     "name at most once",
     kConvert, false, false, applyRecolour},
    {"--recolour-parts", "PARTS",
     "with --recolour, only the parts named out of "
     "colours,backgrounds,icons,bars-and-frames,clock-digits; all by default",
     kConvert, false, false, applyRecolourParts},
    {"--format", "text|json", "one line a finding, or one JSON document; text by default", kCheck,
     false, false, applyFormat},
    {"--language", "FILE",
     "the editor language file for the messages and the sheet's screen names; English by default",
     kRender | kCheck, false, false, applyLanguage},
    {"--out", "FILE.png", "the PNG file to write", kRender, true, false, applyOut},
    {"--out", "DIR|FILE.zip", "the folder to save the skin into, or a ZIP archive", kConvert, true,
     false, applyOut},
};

constexpr CliCommandRow kCommands[] = {
    {"render", CliCommand::Render,
     "draws the preview of menu state N of the skin into a PNG, or with --all every view"},
    {"convert", CliCommand::Convert, "saves the skin into the folder DIR, or into FILE.zip"},
    {"check", CliCommand::Check, "lists what is wrong with the skin; exits 1 on an error"},
};

bool isHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }

// Whether some command's `argument` option is followed by a value.
bool takesValue(std::string_view argument) {
  return std::any_of(std::begin(kOptions), std::end(kOptions), [&](const CliOptionRow& row) {
    return row.name == argument && !row.argument.empty();
  });
}

const CliOptionRow* findOption(std::string_view name, CliCommand command) {
  for (const CliOptionRow& row : kOptions)
    if (row.name == name && (row.commands & cliCommandBit(command))) return &row;
  return nullptr;
}

const CliCommandRow* findCommand(std::string_view name) {
  for (const CliCommandRow& row : kCommands)
    if (row.name == name) return &row;
  return nullptr;
}

// Help wins over any usage error, but only where an option can stand: the
// value of an option ("--last-update -h") is text, not a request for help.
bool asksForHelp(const std::vector<std::string_view>& arguments) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (isHelp(arguments[i])) return true;
    if (takesValue(arguments[i])) ++i;
  }
  return false;
}

bool wasGiven(const std::vector<const CliOptionRow*>& given, std::string_view name) {
  return std::any_of(given.begin(), given.end(),
                     [&](const CliOptionRow* row) { return row->name == name; });
}

// What one option cannot say alone: the options that need or exclude others.
std::string checkCombinations(const std::vector<const CliOptionRow*>& given) {
  if (wasGiven(given, "--recolour-parts") && !wasGiven(given, "--recolour"))
    return "--recolour-parts needs --recolour";
  if (wasGiven(given, "--all") && (wasGiven(given, "--view") || wasGiven(given, "--screens")))
    return "--all draws every view; --view and --screens do not go with it";
  return {};
}

// The options after the command, each checked against the command's rows.
std::string applyOptions(const std::vector<std::string_view>& arguments, CliOptions& o) {
  std::vector<const CliOptionRow*> given;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string_view option = arguments[i];
    const CliOptionRow* row = findOption(option, o.command);
    if (!row)
      return "unknown option \"" + std::string(option) + "\" for " + std::string(arguments[0]);
    std::string_view value;
    if (!row->argument.empty()) {
      if (i + 1 >= arguments.size()) return std::string(option) + " needs a value";
      value = arguments[++i];
    }
    if (std::string error = row->apply(value, o); !error.empty()) return error;
    given.push_back(row);
  }
  if (std::string error = checkCombinations(given); !error.empty()) return error;
  for (const CliOptionRow& row : kOptions) {
    const bool missing = std::find(given.begin(), given.end(), &row) == given.end();
    if (row.required && (row.commands & cliCommandBit(o.command)) && missing)
      return std::string(row.name) + " is required";
  }
  return {};
}

// Appends `words` to `text`, breaking before kWidth and starting each new
// line with `indent` spaces.
void appendWrapped(std::string& text, std::string_view words, std::size_t indent) {
  const std::size_t lineStart = text.rfind('\n');
  std::size_t column = lineStart == std::string::npos ? text.size() : text.size() - lineStart - 1;
  while (!words.empty()) {
    const std::size_t space = words.find(' ');
    const std::string_view word = words.substr(0, space);
    words.remove_prefix(space == std::string_view::npos ? words.size() : space + 1);
    if (word.empty()) continue;
    const bool afterSpace = text.empty() || text.back() == ' ' || text.back() == '\n';
    if (!afterSpace && column + 1 + word.size() > kWidth) {
      text += '\n';
      text.append(indent, ' ');
      column = indent;
    } else if (!afterSpace) {
      text += ' ';
      ++column;
    }
    text += word;
    column += word.size();
  }
}

std::string optionSynopsis(const CliOptionRow& row) {
  std::string text(row.name);
  // Inside one synopsis item no space may break the line.
  std::string argument(row.argument);
  std::replace(argument.begin(), argument.end(), ' ', '\x1f');
  if (!argument.empty()) text += "\x1f" + argument;
  if (!row.required) text = "[" + text + "]";
  if (row.repeatable) text += "...";
  return text;
}

std::string buildUsage() {
  std::size_t widest = 0;
  for (const CliCommandRow& command : kCommands) widest = std::max(widest, command.name.size());
  std::string usage;
  for (const CliCommandRow& command : kCommands) {
    usage += usage.empty() ? "usage: skinstudio-cli " : "       skinstudio-cli ";
    usage += command.name;
    usage.append(widest - command.name.size() + 1, ' ');
    const std::size_t lineStart = usage.rfind('\n');
    const std::size_t indent =
        lineStart == std::string::npos ? usage.size() : usage.size() - lineStart - 1;
    std::string items;
    for (const CliOptionRow& row : kOptions)
      if (row.commands & cliCommandBit(command.command)) items += optionSynopsis(row) + " ";
    appendWrapped(usage, items, indent);
    usage += '\n';
  }
  std::replace(usage.begin(), usage.end(), '\x1f', ' ');
  return usage;
}

// "render: " before the help of an option not every command takes.
std::string commandsOf(const CliOptionRow& row) {
  std::string names;
  bool all = true;
  for (const CliCommandRow& command : kCommands) {
    if (!(row.commands & cliCommandBit(command.command))) {
      all = false;
      continue;
    }
    names += (names.empty() ? "" : ", ") + std::string(command.name);
  }
  return all ? "" : names + ": ";
}

std::string buildHelp() {
  std::string help = buildUsage() + "\n";
  auto line = [&help](std::string_view left, const std::string& text) {
    constexpr std::size_t kColumn = 24;
    std::string shown = "  " + std::string(left);
    shown.append(shown.size() < kColumn ? kColumn - shown.size() : 1, ' ');
    help += shown;
    appendWrapped(help, text, kColumn);
    help += '\n';
  };
  for (const CliCommandRow& command : kCommands) line(command.name, std::string(command.help));
  help += "\noptions:\n";
  for (const CliOptionRow& row : kOptions) {
    std::string left(row.name);
    if (!row.argument.empty()) left += " " + std::string(row.argument);
    line(left, commandsOf(row) + std::string(row.help) + (row.repeatable ? "; repeatable" : ""));
  }
  line("-h, --help", "print this help and exit");
  help += "\nSee skinstudio-cli(1) for every option.\n";
  return help;
}

}  // namespace

std::span<const CliOptionRow> cliOptionTable() { return kOptions; }

std::span<const CliCommandRow> cliCommandTable() { return kCommands; }

std::string_view cliUsage() {
  static const std::string usage = buildUsage();
  return usage;
}

std::string_view cliHelp() {
  static const std::string help = buildHelp();
  return help;
}

CliParseResult parseCliArguments(const std::vector<std::string_view>& arguments) {
  CliParseResult result;
  CliOptions& o = result.options;
  if (asksForHelp(arguments)) {
    o.command = CliCommand::Help;
    return result;
  }
  if (arguments.empty()) {
    result.error = "no command given";
    return result;
  }
  const CliCommandRow* command = findCommand(arguments[0]);
  if (!command) {
    result.error = "unknown command \"" + std::string(arguments[0]) + "\"";
    return result;
  }
  o.command = command->command;
  result.error = applyOptions(arguments, o);
  return result;
}
