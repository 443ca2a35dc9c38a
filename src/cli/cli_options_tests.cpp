// The option table against the parser and the help that are made from it:
// whatever row is added, each command takes exactly the options its rows
// name, and the help and usage show them.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"

namespace {

std::vector<std::string_view> line(std::initializer_list<std::string_view> words) { return words; }

// The options a command needs to parse without an error, beside `skip`.
std::vector<std::string_view> requiredOf(const CliCommandSpec& command, const CliOptionSpec* skip) {
  std::vector<std::string_view> words;
  for (const CliOptionSpec& spec : cliOptionTable()) {
    if (&spec == skip || !spec.required || !(spec.commands & cliCommandBit(command.command)))
      continue;
    words.push_back(spec.name);
    words.push_back("x.png");
  }
  return words;
}

TEST(CliOptionTable, EachCommandTakesExactlyTheOptionsOfItsRows) {
  for (const CliCommandSpec& command : cliCommandTable()) {
    for (const CliOptionSpec& spec : cliOptionTable()) {
      std::vector<std::string_view> words{command.name, spec.name};
      const bool takes = spec.commands & cliCommandBit(command.command);
      const CliParseResult parsed = parseCliArguments(words);
      const std::string unknown = "unknown option \"" + std::string(spec.name) + "\"";
      if (!takes) {
        // Another row of the same name may still belong to this command.
        bool elsewhere = false;
        for (const CliOptionSpec& other : cliOptionTable())
          elsewhere |= other.name == spec.name && (other.commands & cliCommandBit(command.command));
        if (!elsewhere) {
          EXPECT_EQ(parsed.error.find(unknown), 0u) << command.name << spec.name;
        }
        continue;
      }
      EXPECT_EQ(parsed.error.find(unknown), std::string::npos) << command.name << spec.name;
      if (!spec.argument.empty()) {
        EXPECT_EQ(parsed.error, std::string(spec.name) + " needs a value") << spec.name;
      }
    }
  }
}

TEST(CliOptionTable, ARequiredOptionLeftOutIsNamed) {
  for (const CliCommandSpec& command : cliCommandTable()) {
    EXPECT_EQ(parseCliArguments(line({command.name})).error.empty(),
              requiredOf(command, nullptr).empty());
    for (const CliOptionSpec& spec : cliOptionTable()) {
      if (!spec.required || !(spec.commands & cliCommandBit(command.command))) continue;
      std::vector<std::string_view> words{command.name};
      for (std::string_view word : requiredOf(command, &spec)) words.push_back(word);
      EXPECT_EQ(parseCliArguments(words).error, std::string(spec.name) + " is required");
    }
    std::vector<std::string_view> complete{command.name};
    for (std::string_view word : requiredOf(command, nullptr)) complete.push_back(word);
    EXPECT_EQ(parseCliArguments(complete).error, "") << command.name;
  }
}

TEST(CliOptionTable, HelpShowsEveryRowAndTheUsageEveryCommand) {
  const std::string_view help = cliHelp();
  const std::string_view usage = cliUsage();
  EXPECT_EQ(help.substr(0, usage.size()), usage);
  EXPECT_EQ(usage.find("options:"), std::string_view::npos);
  for (const CliOptionSpec& spec : cliOptionTable()) {
    EXPECT_NE(help.find(spec.help), std::string_view::npos) << spec.name;
    std::string shown(spec.name);
    if (!spec.argument.empty()) shown += " " + std::string(spec.argument);
    EXPECT_NE(usage.find(shown), std::string_view::npos) << shown;
  }
  for (const CliCommandSpec& command : cliCommandTable())
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

}  // namespace
