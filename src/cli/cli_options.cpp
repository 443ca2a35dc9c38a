#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>

#include "skin/skin_images.h"

namespace {

constexpr unsigned kRender = cliCommandBit(CliCommand::Render);
constexpr unsigned kConvert = cliCommandBit(CliCommand::Convert);

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

std::string applyReplace(std::string_view value, CliOptions& o) {
  const std::size_t equals = value.find('=');
  if (equals == std::string_view::npos || equals + 1 == value.size())
    return "--replace takes NAME=FILE";
  const std::string_view name = value.substr(0, equals);
  if (SkinImageTable::indexOf(name) < 0)
    return "\"" + std::string(name) + "\" is not a picture of the skin";
  o.replacements.emplace_back(std::string(name), std::string(value.substr(equals + 1)));
  return {};
}

std::string applyLastUpdate(std::string_view value, CliOptions& o) {
  o.hasLastUpdate = true;
  o.lastUpdate = value;
  return {};
}

// In the order the usage lists them.
constexpr CliOptionSpec kOptions[] = {
    {"--skin", "PATH", "the skin to start from, a folder or a ZIP archive; else the built-in one",
     kRender | kConvert, false, false, applySkin},
    {"--view", "N", "the menu state to draw, 0 to 13; 0 by default", kRender, false, false,
     applyView},
    {"--zoom-steps", "K", "enlarge as K mouse-wheel steps do, 0 to 27; 0 by default", kRender,
     false, false, applyZoomSteps},
    {"--background", "R,G,B", "the colour around the screens, each part 0 to 255; black by default",
     kRender, false, false, applyBackground},
    {"--screens", "", "write the two screens alone, without background or zoom", kRender, false,
     false, applyScreens},
    {"--replace", "NAME=FILE", "replace the skin's picture NAME with the picture in FILE", kConvert,
     false, true, applyReplace},
    {"--last-update", "TEXT", "save TEXT as the LastUpdate stamp instead of the date and time",
     kConvert, false, false, applyLastUpdate},
    {"--out", "FILE.png", "the PNG file to write", kRender, true, false, applyOut},
    {"--out", "DIR|FILE.zip", "the folder to save the skin into, or a ZIP archive", kConvert, true,
     false, applyOut},
};

constexpr CliCommandSpec kCommands[] = {
    {"render", CliCommand::Render},
    {"convert", CliCommand::Convert},
};

bool isHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }

// Whether some command's `argument` option is followed by a value.
bool takesValue(std::string_view argument) {
  return std::any_of(std::begin(kOptions), std::end(kOptions), [&](const CliOptionSpec& spec) {
    return spec.name == argument && !spec.argument.empty();
  });
}

const CliOptionSpec* findOption(std::string_view name, CliCommand command) {
  for (const CliOptionSpec& spec : kOptions)
    if (spec.name == name && (spec.commands & cliCommandBit(command))) return &spec;
  return nullptr;
}

const CliCommandSpec* findCommand(std::string_view name) {
  for (const CliCommandSpec& spec : kCommands)
    if (spec.name == name) return &spec;
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

// The options after the command, each checked against the command's rows.
std::string applyOptions(const std::vector<std::string_view>& arguments, CliOptions& o) {
  std::vector<const CliOptionSpec*> given;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string_view option = arguments[i];
    const CliOptionSpec* spec = findOption(option, o.command);
    if (!spec)
      return "unknown option \"" + std::string(option) + "\" for " + std::string(arguments[0]);
    std::string_view value;
    if (!spec->argument.empty()) {
      if (i + 1 >= arguments.size()) return std::string(option) + " needs a value";
      value = arguments[++i];
    }
    if (std::string error = spec->apply(value, o); !error.empty()) return error;
    given.push_back(spec);
  }
  for (const CliOptionSpec& spec : kOptions) {
    const bool missing = std::find(given.begin(), given.end(), &spec) == given.end();
    if (spec.required && (spec.commands & cliCommandBit(o.command)) && missing)
      return std::string(spec.name) + " is required";
  }
  return {};
}

std::string optionSynopsis(const CliOptionSpec& spec) {
  std::string text(spec.name);
  if (!spec.argument.empty()) text += " " + std::string(spec.argument);
  if (!spec.required) text = "[" + text + "]";
  if (spec.repeatable) text += "...";
  return text;
}

std::string buildUsage() {
  std::size_t widest = 0;
  for (const CliCommandSpec& command : kCommands) widest = std::max(widest, command.name.size());
  std::string usage;
  for (const CliCommandSpec& command : kCommands) {
    usage += usage.empty() ? "usage: skinstudio-cli " : "       skinstudio-cli ";
    usage += command.name;
    usage.append(widest - command.name.size(), ' ');
    for (const CliOptionSpec& spec : kOptions)
      if (spec.commands & cliCommandBit(command.command)) usage += " " + optionSynopsis(spec);
    usage += '\n';
  }
  return usage;
}

// "render: " before the help of an option not every command takes.
std::string commandsOf(const CliOptionSpec& spec) {
  std::string names;
  bool all = true;
  for (const CliCommandSpec& command : kCommands) {
    if (!(spec.commands & cliCommandBit(command.command))) {
      all = false;
      continue;
    }
    names += (names.empty() ? "" : ", ") + std::string(command.name);
  }
  return all ? "" : names + ": ";
}

std::string buildHelp() {
  std::string help = buildUsage() + "\noptions:\n";
  auto line = [&help](std::string_view left, const std::string& text) {
    constexpr std::size_t kColumn = 24;
    std::string shown = "  " + std::string(left);
    shown.append(shown.size() < kColumn ? kColumn - shown.size() : 1, ' ');
    help += shown + text + '\n';
  };
  for (const CliOptionSpec& spec : kOptions) {
    std::string left(spec.name);
    if (!spec.argument.empty()) left += " " + std::string(spec.argument);
    line(left, commandsOf(spec) + std::string(spec.help) + (spec.repeatable ? "; repeatable" : ""));
  }
  line("-h, --help", "print this help and exit");
  return help;
}

}  // namespace

std::span<const CliOptionSpec> cliOptionTable() { return kOptions; }

std::span<const CliCommandSpec> cliCommandTable() { return kCommands; }

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
  const CliCommandSpec* command = findCommand(arguments[0]);
  if (!command) {
    result.error = "unknown command \"" + std::string(arguments[0]) + "\"";
    return result;
  }
  o.command = command->command;
  result.error = applyOptions(arguments, o);
  return result;
}
