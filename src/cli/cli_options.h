// The command line of skinstudio-cli, parsed into plain values. Parsing
// never touches a file; the commands check what they open themselves.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/other_settings_edit.h"
#include "app/skin_recolour.h"
#include "imaging/image.h"

enum class CliCommand { None, Help, Render, Convert, Check };

struct CliOptions {
  CliCommand command = CliCommand::None;
  std::string skin;  // empty: the built-in default skin
  std::string out;
  // render
  int view = 0;
  int zoomSteps = 0;
  Color background = 0;
  bool screens = false;
  bool all = false;  // the contact sheet of all views
  int columns = 7;
  // convert
  std::vector<std::pair<std::string, std::string>> replacements;  // NAME, FILE
  std::vector<SettingAssignment> settings;                        // --set, in the order given
  bool hasLastUpdate = false;
  std::string lastUpdate;
  // check
  bool json = false;
  std::string language;  // a language file for the messages; empty: English
  bool recolour = false;
  RecolourParams recolourParams;
  RecolourParts recolourParts;  // all parts unless --recolour-parts names some
};

// The commands that take an option, as bits.
constexpr unsigned cliCommandBit(CliCommand command) {
  return 1u << static_cast<unsigned>(command);
}

// One option of one or more commands. The parser, the usage line and the
// help all read the same rows, so an option is added by adding its row.
struct CliOptionRow {
  std::string_view name;      // "--skin"
  std::string_view argument;  // its value as the usage shows it, "PATH"; empty for a switch
  std::string_view help;      // its entry in --help, wrapped to fit
  unsigned commands;          // cliCommandBit of each command that takes it
  bool required = false;      // shown without brackets; missing is a usage error
  bool repeatable = false;    // shown with "..."; each use is applied in turn
  // Stores the value (ignored for a switch) in `options`; a non-empty
  // result is the usage error.
  std::string (*apply)(std::string_view value, CliOptions& options) = nullptr;
};

struct CliCommandRow {
  std::string_view name;
  CliCommand command;
  std::string_view help;  // what the command does, for --help
};

std::span<const CliOptionRow> cliOptionTable();
std::span<const CliCommandRow> cliCommandTable();

struct CliParseResult {
  CliOptions options;
  std::string error;  // non-empty: a usage error
};

CliParseResult parseCliArguments(const std::vector<std::string_view>& arguments);

// The synopsis of every command, printed with a usage error.
std::string_view cliUsage();

// The usage, what each command does and a line on each option, printed by
// --help.
std::string_view cliHelp();
