#include "preview/preview_font.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "base/code_page.h"

extern const unsigned char kQuenvardeBdf[];
extern const std::size_t kQuenvardeBdfSize;

namespace {

constexpr int kCellHeight = 15;
constexpr int kAscent = 13;
// Bitmaps larger than this are not glyphs of a 15-pixel font; a file that
// claims them is damaged and the glyph is dropped.
constexpr int kMaxGlyphSide = 64;
constexpr int kMaxAdvance = 64;

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// Splits off the next blank-separated word of `s`.
std::string_view nextWord(std::string_view& s) {
  s = trim(s);
  const std::size_t end = std::min(s.find_first_of(" \t"), s.size());
  const std::string_view word = s.substr(0, end);
  s.remove_prefix(end);
  return word;
}

std::optional<int> parseInt(std::string_view word) {
  int value = 0;
  const char* first = word.data();
  const char* last = word.data() + word.size();
  if (first != last && *first == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
  return value;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One glyph while it is being read.
struct Pending {
  long encoding = -1;
  int advance = -1;
  int bbw = 0, bbh = 0, bbx = 0, bby = 0;
  bool haveBox = false;
  std::vector<std::string_view> rows;
};

// The empty box drawn for characters the font lacks, so a missing glyph is
// visible instead of silently swallowed.
Glyph replacementGlyph() {
  Glyph g;
  g.advance = 6;
  g.width = 5;
  g.height = 8;
  g.left = 0;
  g.top = kAscent - g.height;
  g.bits.assign(static_cast<std::size_t>(g.width) * g.height, 0);
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x)
      if (x == 0 || y == 0 || x == g.width - 1 || y == g.height - 1) g.bits[y * g.width + x] = 1;
  return g;
}

}  // namespace

struct PreviewFontData {
  std::vector<Glyph> glyphs;
  std::array<int, 0x300> low{};  // glyph index + 1 for code points below 0x300
  std::unordered_map<char32_t, int> high;
  Glyph replacement = replacementGlyph();
  int fontAscent = kAscent;

  void add(const Pending& p);
  const Glyph* find(char32_t cp) const;
};

void PreviewFontData::add(const Pending& p) {
  if (p.encoding < 0 || p.encoding > 0x10FFFF || !p.haveBox) return;
  if (p.bbw < 0 || p.bbh < 0 || p.bbw > kMaxGlyphSide || p.bbh > kMaxGlyphSide) return;
  const auto cp = static_cast<char32_t>(p.encoding);
  if (find(cp)) return;  // the first definition of a code point wins

  Glyph g;
  g.advance = std::clamp(p.advance >= 0 ? p.advance : p.bbw, 0, kMaxAdvance);
  g.width = p.bbw;
  g.height = p.bbh;
  g.left = std::clamp(p.bbx, -kMaxGlyphSide, kMaxGlyphSide);
  // BDF measures the box from the baseline upwards; the painter wants the
  // offset from the top of the text cell.
  g.top = std::clamp(fontAscent - (p.bby + p.bbh), -kMaxGlyphSide, kMaxGlyphSide);
  g.bits.assign(static_cast<std::size_t>(g.width) * g.height, 0);
  // Rows are hex, most significant bit first; short or missing rows stay
  // blank and anything beyond the box is ignored.
  for (int y = 0; y < g.height && y < static_cast<int>(p.rows.size()); ++y) {
    const std::string_view row = p.rows[y];
    for (int x = 0; x < g.width; ++x) {
      const std::size_t digit = static_cast<std::size_t>(x / 4);
      if (digit >= row.size()) break;
      const int v = hexDigit(row[digit]);
      if (v < 0) break;
      if (v & (8 >> (x % 4))) g.bits[static_cast<std::size_t>(y) * g.width + x] = 1;
    }
  }
  glyphs.push_back(std::move(g));
  const int index = static_cast<int>(glyphs.size());
  if (cp < low.size())
    low[cp] = index;
  else
    high.emplace(cp, index);
}

const Glyph* PreviewFontData::find(char32_t cp) const {
  if (cp < low.size()) return low[cp] ? &glyphs[low[cp] - 1] : nullptr;
  const auto it = high.find(cp);
  return it == high.end() ? nullptr : &glyphs[it->second - 1];
}

namespace {

// Reads the BDF text. Unknown keywords are skipped; a damaged glyph is
// dropped and the rest of the font still loads.
PreviewFontData parseBdf(std::string_view text) {
  PreviewFontData font;
  std::optional<Pending> pending;
  bool inBitmap = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty()) continue;

    std::string_view rest = line;
    const std::string_view key = nextWord(rest);
    if (inBitmap) {
      if (key == "ENDCHAR") {
        inBitmap = false;
        if (pending) font.add(*pending);
        pending.reset();
        continue;
      }
      if (key != "STARTCHAR" && key != "ENDFONT") {
        if (pending && pending->rows.size() < kMaxGlyphSide) pending->rows.push_back(key);
        continue;
      }
      // A glyph whose ENDCHAR is missing is dropped rather than swallowing
      // the glyphs after it.
      inBitmap = false;
      pending.reset();
    }
    if (key == "FONT_ASCENT") {
      if (auto v = parseInt(nextWord(rest)); v && *v >= 0 && *v <= kMaxGlyphSide)
        font.fontAscent = *v;
    } else if (key == "STARTCHAR") {
      pending.emplace();
    } else if (!pending) {
      continue;
    } else if (key == "ENCODING") {
      if (auto v = parseInt(nextWord(rest))) pending->encoding = *v;
    } else if (key == "DWIDTH") {
      if (auto v = parseInt(nextWord(rest))) pending->advance = *v;
    } else if (key == "BBX") {
      const auto w = parseInt(nextWord(rest));
      const auto h = parseInt(nextWord(rest));
      const auto x = parseInt(nextWord(rest));
      const auto y = parseInt(nextWord(rest));
      if (w && h && x && y) {
        pending->bbw = *w;
        pending->bbh = *h;
        pending->bbx = *x;
        pending->bby = *y;
        pending->haveBox = true;
      }
    } else if (key == "BITMAP") {
      inBitmap = true;
    } else if (key == "ENDCHAR") {
      font.add(*pending);  // a glyph without bitmap lines is blank
      pending.reset();
    }
  }
  return font;
}

const std::shared_ptr<const PreviewFontData>& builtinData() {
  static const std::shared_ptr<const PreviewFontData> data =
      std::make_shared<const PreviewFontData>(parseBdf(
          std::string_view(reinterpret_cast<const char*>(kQuenvardeBdf), kQuenvardeBdfSize)));
  return data;
}

}  // namespace

const PreviewFont& PreviewFont::builtin() {
  static const PreviewFont font;
  return font;
}

PreviewFont::PreviewFont() : data_(builtinData()) {}

PreviewFont::PreviewFont(std::string_view bdf)
    : data_(std::make_shared<const PreviewFontData>(parseBdf(bdf))) {}

const Glyph& PreviewFont::glyph(char32_t codePoint) const {
  const Glyph* g = data_->find(codePoint);
  return g ? *g : data_->replacement;
}

bool PreviewFont::has(char32_t codePoint) const { return data_->find(codePoint) != nullptr; }

const Glyph& PreviewFont::replacement() const { return data_->replacement; }

int PreviewFont::textWidth(std::string_view utf8) const {
  std::int64_t width = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) width += glyph(nextCodePoint(utf8, pos)).advance;
  return static_cast<int>(std::min<std::int64_t>(width, INT_MAX));
}

char32_t nextCodePoint(std::string_view utf8, std::size_t& pos) {
  if (pos >= utf8.size()) return 0;
  char32_t c = 0;
  const std::size_t length = decodeUtf8(utf8, pos, c);
  if (length == 0) {
    // A byte that starts no character (stray continuation, invalid lead,
    // cut-off or overlong sequence, surrogate) is taken as Latin-1.
    ++pos;
    return static_cast<unsigned char>(utf8[pos - 1]);
  }
  pos += length;
  return c;
}
