// The command line of skinstudio-cli, parsed into plain values. Parsing
// never touches a file; the commands check what they open themselves.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
  bool hasLastUpdate = false;
  std::string lastUpdate;
  // check
  bool json = false;
  std::string language;  // a language file for the messages; empty: English
  bool recolour = false;
  RecolourParams recolourParams;
  RecolourParts recolourParts;  // all parts unless --recolour-parts names some
};

struct CliParseResult {
  CliOptions options;
  std::string error;  // non-empty: a usage error
};

CliParseResult parseCliArguments(const std::vector<std::string_view>& arguments);

std::string_view cliUsage();

// The usage, what each command does and what the options take.
std::string_view cliHelp();
