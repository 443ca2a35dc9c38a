#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "preview/preview_font.h"

namespace {

std::vector<char32_t> requiredCodePoints() {
  std::vector<char32_t> cps;
  for (char32_t c = 0x20; c <= 0x7E; ++c) cps.push_back(c);
  for (char32_t c = 0xA1; c <= 0xFF; ++c) cps.push_back(c);
  cps.push_back(0x02C9);
  cps.push_back(0x2010);
  return cps;
}

int inkCount(const Glyph& g) {
  int n = 0;
  for (auto bit : g.bits) n += bit;
  return n;
}

TEST(PreviewFont, CoversTheRequiredCodePointsInsideTheTextCell) {
  const PreviewFont& font = PreviewFont::builtin();
  EXPECT_EQ(font.cellHeight(), 15);
  EXPECT_EQ(font.ascent(), 13);
  for (char32_t cp : requiredCodePoints()) {
    SCOPED_TRACE(static_cast<unsigned>(cp));
    ASSERT_TRUE(font.has(cp));
    const Glyph& g = font.glyph(cp);
    ASSERT_EQ(g.bits.size(), static_cast<std::size_t>(g.width) * g.height);
    EXPECT_GE(g.top, 0);
    EXPECT_LE(g.top + g.height, font.cellHeight());
    EXPECT_GE(g.left, 0);
    // Ink stays inside the advance, so neighbouring glyphs never touch.
    EXPECT_LT(g.left + g.width, g.advance + (g.width == 0 ? 1 : 0));
    if (cp != 0x20) {
      EXPECT_GT(inkCount(g), 0);
    }
  }
}

TEST(PreviewFont, HasTheMetricsOfTheHandheldMenuFont) {
  const PreviewFont& font = PreviewFont::builtin();
  // Capitals 8 pixels tall standing on the baseline, x-height about 5.
  const Glyph& h = font.glyph('H');
  EXPECT_EQ(h.height, 8);
  EXPECT_EQ(h.top + h.height, font.ascent());
  const Glyph& x = font.glyph('x');
  EXPECT_GE(x.height, 5);
  EXPECT_LE(x.height, 6);
  // Descenders use the two rows below the baseline.
  EXPECT_EQ(font.glyph('g').top + font.glyph('g').height, font.cellHeight());

  int total = 0;
  for (char c = 'a'; c <= 'z'; ++c) total += font.glyph(c).advance;
  for (char c = 'A'; c <= 'Z'; ++c) total += font.glyph(c).advance;
  const double average = total / 52.0;
  EXPECT_GE(average, 4.5);
  EXPECT_LE(average, 6.0);

  EXPECT_LE(font.glyph('i').advance, 3);
  EXPECT_LE(font.glyph('l').advance, 3);
  EXPECT_GE(font.glyph('m').advance, 6);
  EXPECT_GE(font.glyph('W').advance, 6);
}

TEST(PreviewFont, KeySymbolsAreSevenDistinctSquaresOnTheBaseline) {
  const PreviewFont& font = PreviewFont::builtin();
  std::set<std::vector<std::uint8_t>> shapes;
  for (char32_t cp = 0xE0; cp <= 0xE6; ++cp) {
    const Glyph& g = font.glyph(cp);
    EXPECT_GE(g.width, 8);
    EXPECT_LE(g.width, 10);
    EXPECT_EQ(g.width, g.height);
    EXPECT_EQ(g.top + g.height, font.ascent());
    shapes.insert(g.bits);
  }
  EXPECT_EQ(shapes.size(), 7u);
}

TEST(PreviewFont, AccentedLettersDifferFromTheirBase) {
  const PreviewFont& font = PreviewFont::builtin();
  EXPECT_NE(font.glyph(0xC9).bits, font.glyph('E').bits);
  EXPECT_NE(font.glyph(0xE9).bits, font.glyph(0xE8).bits);
  EXPECT_NE(font.glyph(0xF6).bits, font.glyph(0xF5).bits);
  // Accents sit above the letter inside the cell.
  EXPECT_LT(font.glyph(0xC9).top, font.glyph('E').top);
  EXPECT_GE(font.glyph(0xC5).top, 0);
}

TEST(PreviewFont, UnknownCharactersDrawTheReplacementAndCountInWidths) {
  const PreviewFont& font = PreviewFont::builtin();
  EXPECT_FALSE(font.has(0x20AC));
  EXPECT_EQ(&font.glyph(0x20AC), &font.replacement());
  EXPECT_GT(inkCount(font.replacement()), 0);
  EXPECT_EQ(font.textWidth("\xE2\x82\xAC"), font.replacement().advance);
  EXPECT_EQ(font.textWidth("Ab"), font.glyph('A').advance + font.glyph('b').advance);
  EXPECT_EQ(font.textWidth(""), 0);
}

TEST(PreviewFont, ParsesHandMadeBdfAndSurvivesDamage) {
  const std::string bdf =
      "STARTFONT 2.1\r\n"
      "FONT_ASCENT 13\r\n"
      "STARTCHAR good\r\n"
      "ENCODING 65\r\n"
      "DWIDTH 4 0\r\n"
      "BBX 3 2 1 0\r\n"
      "BITMAP\r\n"
      "A0\r\n"
      "4\r\n"  // a short row still reads its leading digit
      "ENDCHAR\r\n"
      "STARTCHAR huge\n"
      "ENCODING 66\n"
      "BBX 100000 100000 0 0\n"
      "BITMAP\nFF\nENDCHAR\n"
      "STARTCHAR unencoded\nENCODING -1\nBBX 1 1 0 0\nBITMAP\n80\nENDCHAR\n"
      "STARTCHAR garbage\nENCODING 67\nDWIDTH x\nBBX 2 2 0 0\nBITMAP\nZZ\n\nENDCHAR\n"
      "STARTCHAR unterminated\nENCODING 69\nBBX 1 1 0 0\nBITMAP\n80\n"
      "STARTCHAR after it\nENCODING 70\nBBX 1 1 0 0\nBITMAP\n80\nENDCHAR\n"
      "STARTCHAR cut off\nENCODING 68\nBBX 2 2 0 0\nBITMAP\nC0\n";
  const PreviewFont font(bdf);
  ASSERT_TRUE(font.has('A'));
  const Glyph& a = font.glyph('A');
  EXPECT_EQ(a.advance, 4);
  EXPECT_EQ(a.left, 1);
  EXPECT_EQ(a.top, 11);
  EXPECT_EQ(a.bits, (std::vector<std::uint8_t>{1, 0, 1, 0, 1, 0}));
  EXPECT_FALSE(font.has('B'));
  EXPECT_FALSE(font.has(0xFFFFFFFF));
  // A glyph with an unreadable advance falls back to its box width, and bad
  // hex leaves the row blank.
  ASSERT_TRUE(font.has('C'));
  EXPECT_EQ(font.glyph('C').advance, 2);
  EXPECT_EQ(font.glyph('C').bits, std::vector<std::uint8_t>(4, 0));
  EXPECT_FALSE(font.has('D'));
  EXPECT_FALSE(font.has('E'));
  EXPECT_TRUE(font.has('F'));

  const PreviewFont empty("");
  EXPECT_EQ(&empty.glyph('A'), &empty.replacement());
}

TEST(NextCodePoint, DecodesUtf8AndPassesMalformedBytesThroughAsLatin1) {
  auto decode = [](std::string_view s) {
    std::vector<char32_t> out;
    std::size_t pos = 0;
    while (pos < s.size()) {
      const std::size_t before = pos;
      out.push_back(nextCodePoint(s, pos));
      if (pos <= before) {
        ADD_FAILURE() << "no progress";
        break;
      }
    }
    return out;
  };
  using V = std::vector<char32_t>;
  EXPECT_EQ(decode("a\xC3\xA9\xE2\x80\x90\xF0\x9F\x98\x80"), (V{'a', 0xE9, 0x2010, 0x1F600}));
  EXPECT_EQ(decode("\xE9t\xE9"), (V{0xE9, 't', 0xE9}));                // Latin-1 text
  EXPECT_EQ(decode("\x80\xBF"), (V{0x80, 0xBF}));                      // stray continuation
  EXPECT_EQ(decode("\xC3"), (V{0xC3}));                                // cut short
  EXPECT_EQ(decode("\xE2\x80"), (V{0xE2, 0x80}));                      // cut short
  EXPECT_EQ(decode("\xC0\xAF"), (V{0xC0, 0xAF}));                      // overlong
  EXPECT_EQ(decode("\xED\xA0\x80"), (V{0xED, 0xA0, 0x80}));            // surrogate
  EXPECT_EQ(decode("\xF4\x90\x80\x80"), (V{0xF4, 0x90, 0x80, 0x80}));  // past U+10FFFF
  EXPECT_EQ(decode(std::string_view("\0a", 2)), (V{0, 'a'}));

  std::size_t pos = 5;
  EXPECT_EQ(nextCodePoint("abc", pos), 0u);
  EXPECT_EQ(pos, 5u);
}

}  // namespace
