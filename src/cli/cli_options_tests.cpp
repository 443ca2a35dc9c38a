// The option table against the parser and the help that are made from it:
// whatever row is added, each command takes exactly the options its rows
// name, and the help and usage show them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"

namespace {

std::vector<std::string_view> line(std::initializer_list<std::string_view> words) { return words; }

// The text with every run of spaces and line breaks as one space, so a
// wrapped help entry reads as the row wrote it.
std::string oneLine(std::string_view text) {
  std::string flat;
  for (const char c : text) {
    const bool blank = c == ' ' || c == '\n';
    if (!blank)
      flat += c;
    else if (!flat.empty() && flat.back() != ' ')
      flat += ' ';
  }
  return flat;
}

// The options a command needs to parse without an error, beside `skip`.
std::vector<std::string_view> requiredOf(const CliCommandRow& command, const CliOptionRow* skip) {
  std::vector<std::string_view> words;
  for (const CliOptionRow& row : cliOptionTable()) {
    if (&row == skip || !row.required || !(row.commands & cliCommandBit(command.command))) continue;
    words.push_back(row.name);
    words.push_back("x.png");
  }
  return words;
}

TEST(CliOptionTable, EachCommandTakesExactlyTheOptionsOfItsRows) {
  for (const CliCommandRow& command : cliCommandTable()) {
    for (const CliOptionRow& row : cliOptionTable()) {
      std::vector<std::string_view> words{command.name, row.name};
      const bool takes = row.commands & cliCommandBit(command.command);
      const CliParseResult parsed = parseCliArguments(words);
      const std::string unknown = "unknown option \"" + std::string(row.name) + "\"";
      if (!takes) {
        // Another row of the same name may still belong to this command.
        bool elsewhere = false;
        for (const CliOptionRow& other : cliOptionTable())
          elsewhere |= other.name == row.name && (other.commands & cliCommandBit(command.command));
        if (!elsewhere) {
          EXPECT_EQ(parsed.error.find(unknown), 0u) << command.name << row.name;
        }
        continue;
      }
      EXPECT_EQ(parsed.error.find(unknown), std::string::npos) << command.name << row.name;
      if (!row.argument.empty()) {
        EXPECT_EQ(parsed.error, std::string(row.name) + " needs a value") << row.name;
      }
    }
  }
}

TEST(CliOptionTable, ARequiredOptionLeftOutIsNamed) {
  for (const CliCommandRow& command : cliCommandTable()) {
    EXPECT_EQ(parseCliArguments(line({command.name})).error.empty(),
              requiredOf(command, nullptr).empty());
    for (const CliOptionRow& row : cliOptionTable()) {
      if (!row.required || !(row.commands & cliCommandBit(command.command))) continue;
      std::vector<std::string_view> words{command.name};
      for (std::string_view word : requiredOf(command, &row)) words.push_back(word);
      EXPECT_EQ(parseCliArguments(words).error, std::string(row.name) + " is required");
    }
    std::vector<std::string_view> complete{command.name};
    for (std::string_view word : requiredOf(command, nullptr)) complete.push_back(word);
    EXPECT_EQ(parseCliArguments(complete).error, "") << command.name;
  }
}

TEST(CliOptionTable, HelpShowsEveryRowAndTheUsageEveryCommand) {
  const std::string_view usage = cliUsage();
  EXPECT_EQ(cliHelp().substr(0, usage.size()), usage);
  EXPECT_EQ(usage.find("options:"), std::string_view::npos);
  const std::string help = oneLine(cliHelp());
  for (const CliCommandRow& command : cliCommandTable())
    EXPECT_NE(help.find(oneLine(command.help)), std::string::npos) << command.name;
  for (const CliOptionRow& row : cliOptionTable()) {
    EXPECT_NE(help.find(oneLine(row.help)), std::string::npos) << row.name;
    std::string shown(row.name);
    if (!row.argument.empty()) shown += " " + std::string(row.argument);
    EXPECT_NE(usage.find(shown), std::string_view::npos) << shown;
  }
  for (const CliCommandRow& command : cliCommandTable())
    EXPECT_NE(usage.find("skinstudio-cli " + std::string(command.name) + " "),
              std::string_view::npos);
}

TEST(CliOptionTable, HelpIsFoundOnlyWhereAnOptionCanStand) {
  EXPECT_EQ(parseCliArguments(line({"render", "--view", "99", "-h"})).options.command,
            CliCommand::Help);
  EXPECT_EQ(parseCliArguments(line({"--help"})).options.command, CliCommand::Help);
  const CliParseResult stamp =
      parseCliArguments(line({"convert", "--last-update", "--help", "--out", "d"}));
  EXPECT_EQ(stamp.error, "");
  EXPECT_EQ(stamp.options.command, CliCommand::Convert);
  EXPECT_EQ(stamp.options.lastUpdate, "--help");
}

TEST(CliOptionTable, RepeatedOptionsApplyInOrder) {
  const CliParseResult parsed =
      parseCliArguments(line({"convert", "--replace", "startbar.bmp=a.png", "--replace",
                              "icon/cheat.bmp=b.png", "--out", "first", "--out", "last"}));
  ASSERT_EQ(parsed.error, "");
  ASSERT_EQ(parsed.options.replacements.size(), 2u);
  EXPECT_EQ(parsed.options.replacements[1].first, "icon/cheat.bmp");
  EXPECT_EQ(parsed.options.out, "last");
}

TEST(CliOptionTable, SetTakesSectionKeyAndValueInOrderAndRefusesAnythingElse) {
  const CliParseResult parsed = parseCliArguments(
      line({"convert", "--set", "[calendar day] dw=8", "--set", "[ battery icon ] show =", "--set",
            "[calendar day] dw=9", "--out", "d"}));
  ASSERT_EQ(parsed.error, "");
  ASSERT_EQ(parsed.options.settings.size(), 3u);
  EXPECT_EQ(parsed.options.settings[0].section, "calendar day");
  EXPECT_EQ(parsed.options.settings[0].key, "dw");
  EXPECT_EQ(parsed.options.settings[0].value, "8");
  EXPECT_EQ(parsed.options.settings[1].section, "battery icon");
  EXPECT_EQ(parsed.options.settings[1].value, "");
  EXPECT_EQ(parsed.options.settings[2].value, "9");
  for (std::string_view bad : {"dw=8", "[calendar day] dw", "[calendar day dw=8", ""}) {
    const CliParseResult refused = parseCliArguments(line({"convert", "--set", bad, "--out", "d"}));
    EXPECT_EQ(refused.error.find("--set takes \"[SECTION] KEY=VALUE\""), 0u) << bad;
  }
  EXPECT_NE(parseCliArguments(line({"render", "--set", "[a] b=c", "--out", "x.png"}))
                .error.find("unknown option"),
            std::string::npos);
}

}  // namespace

namespace {

TEST(CliOptionTable, OptionsThatNeedOrExcludeOthersSaySo) {
  EXPECT_EQ(parseCliArguments(line({"convert", "--recolour-parts", "icons", "--out", "d"})).error,
            "--recolour-parts needs --recolour");
  EXPECT_EQ(parseCliArguments(
                line({"convert", "--recolour-parts", "icons", "--recolour", "hue=9", "--out", "d"}))
                .error,
            "");
  const std::string all = "--all draws every view; --view and --screens do not go with it";
  // Even the default view, given on purpose, says the author expected one view.
  EXPECT_EQ(parseCliArguments(line({"render", "--all", "--view", "0", "--out", "s.png"})).error,
            all);
  EXPECT_EQ(parseCliArguments(line({"render", "--screens", "--all", "--out", "s.png"})).error, all);
  const CliParseResult sheet = parseCliArguments(
      line({"render", "--all", "--columns", "3", "--language", "de.ini", "--out", "s.png"}));
  EXPECT_EQ(sheet.error, "");
  EXPECT_TRUE(sheet.options.all);
  EXPECT_EQ(sheet.options.columns, 3);
  EXPECT_EQ(sheet.options.language, "de.ini");
  // check has no --out, and its --skin is required where the others' is not.
  EXPECT_EQ(parseCliArguments(line({"check", "--format", "json"})).error, "--skin is required");
  const CliParseResult check =
      parseCliArguments(line({"check", "--skin", "s", "--format", "json"}));
  EXPECT_EQ(check.error, "");
  EXPECT_TRUE(check.options.json);
}

TEST(CliOptionTable, UsageAndHelpFitEightyColumnsWithTheCommandsAligned) {
  std::istringstream lines{std::string(cliHelp())};
  for (std::string text; std::getline(lines, text);) EXPECT_LT(text.size(), 80u) << text;
  const std::string_view usage = cliUsage();
  std::size_t column = std::string_view::npos;
  for (const CliCommandRow& command : cliCommandTable()) {
    const std::size_t at = usage.find("skinstudio-cli " + std::string(command.name));
    ASSERT_NE(at, std::string_view::npos);
    const std::size_t lineStart = usage.rfind('\n', at);
    const std::size_t first = usage.find_first_not_of(' ', at + 15 + command.name.size());
    const std::size_t offset = first - (lineStart == std::string_view::npos ? 0 : lineStart + 1);
    if (column == std::string_view::npos) column = offset;
    EXPECT_EQ(offset, column) << command.name;
  }
}

}  // namespace
