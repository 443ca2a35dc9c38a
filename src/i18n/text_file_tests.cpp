#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "i18n/text_file.h"
#include "testsupport/temp_dir.h"

namespace {

std::string bom(std::string_view text) { return "\xEF\xBB\xBF" + std::string(text); }

TEST(TextFileEncoding, ByteOrderMarkMeansUtf8AndIsSkipped) {
  const TextFile file = TextFile::parse(bom("[Menu]\nLANG_FILE$ = Fichier \xC3\xA9t\xC3\xA9\n"));
  EXPECT_EQ(file.find("Menu", "LANG_FILE$"), "Fichier \xC3\xA9t\xC3\xA9");
  // The mark is not part of the first line: a group on line one is found.
  EXPECT_TRUE(file.hasGroup("Menu"));
}

TEST(TextFileEncoding, WithoutMarkEveryByteIsItsLatin1Character) {
  EXPECT_EQ(TextFile::parse("[a]\nk = caf\xE9\n").find("a", "k"), "caf\xC3\xA9");
  // UTF-8 saved without the mark: each byte of "é" shows as its own character.
  EXPECT_EQ(TextFile::parse("[a]\nk = \xC3\xA9\n").find("a", "k"), "\xC3\x83\xC2\xA9");
  // A mark that is not at the very start is just three Latin-1 characters.
  EXPECT_EQ(TextFile::parse("[a]\nk = \xEF\xBB\xBF\n").find("a", "k"), "\xC3\xAF\xC2\xBB\xC2\xBF");
}

TEST(TextFileEncoding, MalformedUtf8AfterMarkBecomesReplacementCharacters) {
  const std::string replacement = "\xEF\xBF\xBD";
  const TextFile file =
      TextFile::parse(bom("[a]\nk = x\xFFy\nov = \xC0\xAF\nsur = \xED\xA0\x80\ncut = \xE6\x97"));
  EXPECT_EQ(file.find("a", "k"), "x" + replacement + "y");
  EXPECT_EQ(file.find("a", "ov"), replacement + replacement);
  EXPECT_EQ(file.find("a", "sur"), replacement + replacement + replacement);
  EXPECT_EQ(file.find("a", "cut"), replacement + replacement);
  EXPECT_EQ(sanitizeUtf8("\xF0\x9F\x98\x80 ok"), "\xF0\x9F\x98\x80 ok");
}

TEST(TextFileSyntax, LinesBlanksCommentsAndEntries) {
  const TextFile file = TextFile::parse(
      "\r\n  \t[Menu]\r\n"
      "; LANG_OK$ = commented out\r"
      "   \t; also a comment\n"
      "\tLANG_FILE$ \t= \t File  \r\n"
      "\r\r\n\n"
      "LANG_NEW$=a = b\n"
      "no equals sign here\n"
      "LANG_EMPTY$ =\n"
      "LANG_LAST$ = end");
  EXPECT_EQ(file.find("Menu", "LANG_FILE$"), "File  ");  // trailing blanks of a value stay
  EXPECT_EQ(file.find("Menu", "LANG_NEW$"), "a = b");    // only the first "=" splits
  EXPECT_EQ(file.find("Menu", "LANG_EMPTY$"), "");
  EXPECT_EQ(file.find("Menu", "LANG_LAST$"), "end");  // no line end at the end of the file
  EXPECT_FALSE(file.find("Menu", "LANG_OK$"));
  EXPECT_FALSE(file.find("Menu", "; LANG_OK$"));
  EXPECT_FALSE(file.find("Menu", "no equals sign here"));
}

TEST(TextFileSyntax, GroupNameIsTheTextUpToTheBracket) {
  const TextFile file = TextFile::parse("[Colors] trailing words\nk=1\n[Images\nk=2\n");
  EXPECT_EQ(file.find("Colors", "k"), "1");
  EXPECT_EQ(file.find("Images", "k"), "2");  // an unclosed group runs to the line end
}

TEST(TextFileLookup, NamesIgnoreLetterCase) {
  const TextFile file = TextFile::parse("[menu]\nlang_file$ = x\n[\xC9t\xC9]\n\xC9L\xC9 = y\n");
  EXPECT_EQ(file.find("Menu", "LANG_FILE$"), "x");
  EXPECT_EQ(file.find("MENU", "Lang_File$"), "x");
  EXPECT_EQ(file.find("\xC3\xA9t\xC3\xA9", "\xC3\xA9l\xC3\xA9"), "y");  // Latin-1 letters too
}

TEST(TextFileLookup, KeyIsFoundOnlyInItsOwnGroupAndFirstEntryWins) {
  const TextFile file = TextFile::parse(
      "before = 0\n"
      "[Menu]\nk = first\nk = second\n"
      "[Panel]\nonly = panel\n"
      "[menu]\nk = third\nlate = 1\n");
  EXPECT_EQ(file.find("Menu", "k"), "first");
  EXPECT_FALSE(file.find("Menu", "only"));
  EXPECT_EQ(file.find("Panel", "only"), "panel");
  EXPECT_FALSE(file.find("Panel", "k"));
  // A second line of the same group is never reached: the first one is selected.
  EXPECT_FALSE(file.find("Menu", "late"));
  // Entries before any group line belong to none.
  EXPECT_FALSE(file.find("", "before"));
  EXPECT_FALSE(file.find("Colors", "k"));
}

TEST(TextFileLookup, EmptyAndBinaryInputsParse) {
  EXPECT_FALSE(TextFile::parse("").find("a", "b"));
  EXPECT_FALSE(TextFile::parse("\xEF\xBB\xBF").find("a", "b"));
  EXPECT_FALSE(TextFile::parse("\xEF\xBB").find("a", "b"));
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 7919) & 0xFF));
  TextFile::parse(binary);
  TextFile::parse(bom(binary));
}

TEST(TextFilePerformance, HugeInputsStayLinear) {
  std::string many = "[g]\n";
  for (int i = 0; i < 300000; ++i)
    many += "k" + std::to_string(i) + " = v\n[g" + std::to_string(i) + "]\n";
  std::string longLine = "[g]\nk = " + std::string(20'000'000, '\xE9');
  std::string sameKey = "[g]\n";
  for (int i = 0; i < 500000; ++i) sameKey += "KeyKeyKey = value\n";

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(TextFile::parse(many).find("g", "k0"), "v");
  EXPECT_EQ(TextFile::parse(many).find("g299999", "k299999"), std::nullopt);
  // After a mark every lone 0xE9 is malformed and becomes U+FFFD.
  EXPECT_EQ(TextFile::parse(bom(longLine)).find("g", "k")->size(), 60'000'000u);
  EXPECT_EQ(TextFile::parse(longLine).find("g", "k")->size(), 40'000'000u);
  EXPECT_EQ(TextFile::parse(sameKey).find("g", "keykeykey"), "value");
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 20.0);
}

TEST(ReadTextFile, ReadsFilesAndRefusesWhatIsNotOne) {
  TempDir dir;
  {
    std::ofstream out(dir.path() / "x.ini", std::ios::binary);
    out << "[s]\r\nk = v\r\n";
  }
  const auto file = readTextFile(dir.path() / "x.ini");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->find("s", "k"), "v");
  EXPECT_FALSE(readTextFile(dir.path() / "missing.ini"));
  EXPECT_FALSE(readTextFile(dir.path()));
}

}  // namespace
