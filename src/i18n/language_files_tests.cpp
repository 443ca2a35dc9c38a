// The nine language files shipped in "language/": readable as UTF-8, complete,
// and with the image file names left as they are.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "i18n/interface_texts.h"
#include "i18n/text_file.h"

namespace {

const std::filesystem::path kLanguageFolder = SKINSTUDIO_SOURCE_DIR "/language/";

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LanguageFiles, EveryFileIsUtf8WithEveryKeyFilledAndImageNamesKept) {
  for (int language = 1; language <= 9; ++language) {
    const std::string name(languageFileName(language));
    SCOPED_TRACE(name);
    const auto path = kLanguageFolder / name;
    EXPECT_TRUE(fileBytes(path).starts_with("\xEF\xBB\xBF"));
    const auto file = readTextFile(path);
    ASSERT_TRUE(file.has_value());
    for (const InterfaceTextGroup& group : interfaceTextGroups()) {
      EXPECT_TRUE(file->hasGroup(group.name)) << group.name;
      for (std::string_view key : group.keys) {
        const auto value = file->find(group.name, key);
        if (!value) {
          ADD_FAILURE() << "[" << group.name << "] " << key << " missing";
          continue;
        }
        EXPECT_FALSE(value->empty()) << key;
        EXPECT_EQ(value->find("\xEF\xBF\xBD"), std::string::npos) << key << ": malformed UTF-8";
        if (group.name == "Images") {
          EXPECT_EQ(*value, builtinInterfaceText(key)) << key;
        }
      }
    }
  }
}

TEST(LanguageFiles, TheTemplateHoldsTheBuiltInTexts) {
  const auto file = readTextFile(kLanguageFolder / "other.ini");
  ASSERT_TRUE(file.has_value());
  for (const InterfaceTextGroup& group : interfaceTextGroups()) {
    for (std::string_view key : group.keys) {
      EXPECT_EQ(file->find(group.name, key).value_or("<missing>"), builtinInterfaceText(key))
          << key;
    }
  }
}

}  // namespace
