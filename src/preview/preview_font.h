// The preview's own proportional pixel font ("Quenvarde"), loaded from the
// BDF source the build embeds. Glyphs are 1-bit: drawing changes only the
// glyph's pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

struct Glyph {
  int advance = 0;  // pen movement in pixels
  int width = 0;    // bitmap size
  int height = 0;
  int left = 0;                    // bitmap offset from the pen position
  int top = 0;                     // bitmap offset from the top of the text cell
  std::vector<std::uint8_t> bits;  // width * height, 1 = ink
};

struct PreviewFontData;

class PreviewFont {
 public:
  static const PreviewFont& builtin();

  // The built-in font.
  PreviewFont();
  // A font read from BDF text. Damaged glyphs are dropped; whatever is
  // missing draws as the replacement glyph.
  explicit PreviewFont(std::string_view bdf);

  int cellHeight() const { return 15; }  // 13 above the baseline, 2 below
  int ascent() const { return 13; }

  // Glyph of a code point; the replacement glyph when the font lacks it.
  const Glyph& glyph(char32_t codePoint) const;

  // Width in pixels of UTF-8 text.
  int textWidth(std::string_view utf8) const;

  // Whether the font has its own glyph for the code point.
  bool has(char32_t codePoint) const;
  // The glyph drawn for characters the font lacks (an empty box).
  const Glyph& replacement() const;

 private:
  std::shared_ptr<const PreviewFontData> data_;
};

// Decodes one code point from UTF-8 text at `pos`, advancing `pos`.
// Malformed bytes decode as themselves (Latin-1), so no input is lost.
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);
