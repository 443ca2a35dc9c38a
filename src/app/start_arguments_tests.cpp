#include <gtest/gtest.h>

#include "app/start_arguments.h"

namespace {

StartArguments parse(std::vector<std::string_view> arguments) {
  return parseStartArguments(arguments);
}

TEST(StartArguments, OneSkinPathAndTheSwitchesInAnyOrder) {
  EXPECT_EQ(parse({}).skinPath, "");
  EXPECT_EQ(parse({}).error, "");

  StartArguments a =
      parse({"--exit-after-start", "/skins/Retro", "--print-interface-text", "LANG_FILE$"});
  EXPECT_EQ(a.error, "");
  EXPECT_EQ(a.skinPath, "/skins/Retro");
  EXPECT_TRUE(a.exitAfterStart);
  EXPECT_EQ(a.printTextKey, "LANG_FILE$");
  EXPECT_FALSE(a.help);

  EXPECT_TRUE(parse({"-h"}).help);
  EXPECT_TRUE(parse({"skin.zip", "--help"}).help);
}

TEST(StartArguments, NamesThatLookLikeOptions) {
  // The key is taken as it stands, even when it starts with a dash.
  EXPECT_EQ(parse({"--print-interface-text", "--help"}).printTextKey, "--help");
  EXPECT_FALSE(parse({"--print-interface-text", "--help"}).help);
  // "--" ends the options, and "-" is a name.
  EXPECT_EQ(parse({"--", "-odd.zip"}).skinPath, "-odd.zip");
  EXPECT_EQ(parse({"--", "--help"}).skinPath, "--help");
  EXPECT_FALSE(parse({"--", "--help"}).help);
  EXPECT_EQ(parse({"-"}).skinPath, "-");
}

TEST(StartArguments, UsageErrors) {
  EXPECT_EQ(parse({"--print-interface-text"}).error, "--print-interface-text needs a key");
  EXPECT_EQ(parse({"--print-interface-text", ""}).error, "--print-interface-text needs a key");
  EXPECT_EQ(parse({"--zoom"}).error, "unknown option \"--zoom\"");
  EXPECT_EQ(parse({"a.zip", "b.zip"}).error, "only one skin can be opened at start");
  EXPECT_EQ(parse({""}).error, "an empty path names no skin");
}

}  // namespace
