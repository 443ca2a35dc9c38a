#include <gtest/gtest.h>

#include <string>

#include "base/code_page.h"

namespace {

TEST(CodePage, EveryByteSurvivesDecodeAndEncode) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(CodePage, WindowsCharactersAndUnassignedBytes) {
  EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(cp1252ToUtf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
  EXPECT_EQ(cp1252ToUtf8("\xE9"), "\xC3\xA9");      // e acute
  EXPECT_EQ(cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(utf8ToCp1252("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(utf8ToCp1252("Gr\xC3\xBC\xC3\x9F"
                         "e"),
            "Gr\xFC\xDF"
            "e");
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToCp1252("\xE7\x9A\xAE"), "?");      // a CJK character
  EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80"), "?");  // outside the BMP
  EXPECT_EQ(utf8ToCp1252("\xC2\x80"), "?");          // U+0080 has no byte here
}

TEST(CodePage, MalformedUtf8GivesOneQuestionMarkPerBadByte) {
  EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");               // cut short at the end
  EXPECT_EQ(utf8ToCp1252("\xE2\x82z"), "??z");          // cut short in the middle
  EXPECT_EQ(utf8ToCp1252("\xC0\xAF"), "??");            // overlong
  EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), "???");       // surrogate
  EXPECT_EQ(utf8ToCp1252("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
  EXPECT_EQ(utf8ToCp1252("\xBF\xFE\xFF"), "???");       // stray continuation, invalid leads
}

}  // namespace
