#include "output.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Runs of equal colours, one 32-bit word each: (run length - 1) in the top
// byte, the colour in the low 24 bits. Flat areas, which most of the skin
// is, shrink a lot; the decoder in the generated source is a few lines.
std::vector<std::uint32_t> encodeRuns(const Canvas& c) {
  std::vector<std::uint32_t> words;
  std::size_t i = 0;
  while (i < c.pixels.size()) {
    std::size_t run = 1;
    while (i + run < c.pixels.size() && run < 256 && c.pixels[i + run] == c.pixels[i]) ++run;
    words.push_back(static_cast<std::uint32_t>(run - 1) << 24 | (c.pixels[i] & 0xFFFFFF));
    i += run;
  }
  return words;
}

void writeArray(std::FILE* f, const std::string& symbol, const Canvas& c) {
  std::vector<std::uint32_t> words = encodeRuns(c);
  // A dithered picture has few runs worth the name: written as one word a
  // pixel (each a run of one), it costs little more and decodes as a copy.
  if (words.size() * 2 > c.pixels.size()) {
    words.clear();
    for (const Rgb pixel : c.pixels) words.push_back(pixel & 0xFFFFFF);
  }
  std::fprintf(f, "const std::uint32_t %s[] = {", symbol.c_str());
  for (std::size_t i = 0; i < words.size(); ++i)
    std::fprintf(f, "%s0x%x,", i % 10 == 0 ? "\n    " : "", words[i]);
  std::fprintf(f, "\n};\n");
}

const char* kDecoder = R"(
// Whole runs at a time: the editor decodes every built-in picture before
// its first frame.
Image decodeRuns(int width, int height, const std::uint32_t* words, std::size_t count) {
  Image image(width, height);
  if (count == image.pixels.size()) {
    std::copy_n(words, count, image.pixels.begin());
    return image;
  }
  Color* at = image.pixels.data();
  Color* const end = at + image.pixels.size();
  for (std::size_t i = 0; i < count && at != end; ++i) {
    const std::size_t run =
        std::min<std::size_t>((words[i] >> 24) + 1, static_cast<std::size_t>(end - at));
    at = std::fill_n(at, run, static_cast<Color>(words[i] & 0xFFFFFF));
  }
  return image;
}
)";

// Writes 8-bit rows of `channels` bytes per pixel (3: RGB, 4: RGBA) that
// `row` fills for each line.
bool writePngRows(const std::string& path, int width, int height, int channels,
                  const std::function<void(int, unsigned char*)>& row) {
  FilePtr f(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<unsigned char> bytes(static_cast<std::size_t>(width) * channels);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, f.get());
  png_set_IHDR(png, info, width, height, 8,
               channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    row(y, bytes.data());
    png_write_row(png, bytes.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f.release()) == 0;
}

bool writePng(const std::string& path, const Canvas& c) {
  return writePngRows(path, c.width, c.height, 3, [&](int y, unsigned char* row) {
    for (int x = 0; x < c.width; ++x) {
      Rgb p = c.get(x, y);
      row[x * 3] = static_cast<unsigned char>(red(p));
      row[x * 3 + 1] = static_cast<unsigned char>(green(p));
      row[x * 3 + 2] = static_cast<unsigned char>(blue(p));
    }
  });
}

// Key pixels shown as a grey checkerboard, so transparency reads at a glance.
Canvas showKey(const Canvas& c) {
  Canvas out = c;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x)
      if (c.get(x, y) == kKey)
        out.set(x, y, ((x / 4 + y / 4) & 1) ? rgb(90, 90, 100) : rgb(60, 60, 70));
  return out;
}

Canvas contactSheet(const std::vector<const Canvas*>& all, int scale) {
  const int sheetWidth = 1400, gap = 8;
  int x = gap, y = gap, rowHeight = 0;
  std::vector<std::pair<int, int>> places;
  for (const Canvas* c : all) {
    int w = c->width * scale, h = c->height * scale;
    if (x + w + gap > sheetWidth && x > gap) x = gap, y += rowHeight + gap, rowHeight = 0;
    places.emplace_back(x, y);
    x += w + gap;
    rowHeight = std::max(rowHeight, h);
  }
  Canvas sheet(sheetWidth, y + rowHeight + gap, rgb(200, 200, 200));
  for (std::size_t i = 0; i < all.size(); ++i) {
    Canvas shown = showKey(*all[i]);
    for (int j = 0; j < shown.height * scale; ++j)
      for (int k = 0; k < shown.width * scale; ++k)
        sheet.set(places[i].first + k, places[i].second + j, shown.get(k / scale, j / scale));
  }
  return sheet;
}

bool writeSourceFile(const std::string& path, const std::vector<Picture>& skin,
                     const ProgramPictures& program);

}  // namespace

bool writePictureSource(const std::string& path, const std::vector<Picture>& skin,
                        const ProgramPictures& program) {
  // Written beside the target and renamed over it, so an interrupted run
  // never leaves a half source that a later build would take as current.
  const std::string part = path + ".part";
  if (!writeSourceFile(part, skin, program)) {
    std::remove(part.c_str());
    return false;
  }
  // std::rename fails on Windows when the target exists, which every
  // rebuild's does; the filesystem rename replaces it there too.
  std::error_code error;
  std::filesystem::rename(part, path, error);
  return !error;
}

namespace {

bool writeSourceFile(const std::string& path, const std::vector<Picture>& skin,
                     const ProgramPictures& program) {
  struct Single {
    const char* symbol;
    const char* function;
    const Canvas& canvas;
  };
  const Single singles[] = {
      {"kGameIcon", "builtinSampleGameIcon", program.gameIcon},
      {"kHinge", "builtinHingeStrip", program.hinge},
      {"kAboutBanner", "builtinAboutBanner", program.aboutBanner},
      {"kAppIcon", "builtinAppIcon", program.appIcon},
  };
  FilePtr f(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!f) return false;
  std::fprintf(f.get(),
               "// Generated by skinstudio-artgen; do not edit.\n"
               "#include <algorithm>\n#include <cstddef>\n#include <cstdint>\n\n#include \"skin/builtin_pictures.h\"\n\n"
               "namespace {\n");
  for (std::size_t i = 0; i < skin.size(); ++i)
    writeArray(f.get(), "kPicture" + std::to_string(i), skin[i].canvas);
  for (const Single& single : singles) writeArray(f.get(), single.symbol, single.canvas);
  std::fprintf(f.get(),
               "%s\nstruct Entry {\n  int width, height;\n  const std::uint32_t* words;\n"
               "  std::size_t count;\n};\n\nconst Entry kEntries[] = {\n",
               kDecoder);
  for (std::size_t i = 0; i < skin.size(); ++i)
    std::fprintf(f.get(), "    {%d, %d, kPicture%zu, std::size(kPicture%zu)},  // %s\n",
                 skin[i].canvas.width, skin[i].canvas.height, i, i, skin[i].name.c_str());
  std::fprintf(f.get(),
               "};\n\n}  // namespace\n\n"
               "const Image& builtinSkinPicture(int index) {\n"
               "  static const std::vector<Image> pictures = [] {\n"
               "    std::vector<Image> all;\n"
               "    for (const Entry& e : kEntries) all.push_back(decodeRuns(e.width, e.height, "
               "e.words, e.count));\n"
               "    return all;\n"
               "  }();\n"
               "  static const Image none;\n"
               "  if (index < 0 || index >= static_cast<int>(pictures.size())) return none;\n"
               "  return pictures[static_cast<std::size_t>(index)];\n"
               "}\n");
  for (const Single& single : singles)
    std::fprintf(f.get(),
                 "\nconst Image& %s() {\n"
                 "  static const Image picture = decodeRuns(%d, %d, %s, std::size(%s));\n"
                 "  return picture;\n}\n",
                 single.function, single.canvas.width, single.canvas.height, single.symbol,
                 single.symbol);
  if (std::ferror(f.get())) return false;
  return std::fclose(f.release()) == 0;
}

}  // namespace

bool writePicturePngs(const std::string& folder, const std::vector<Picture>& skin,
                      const ProgramPictures& program) {
  bool ok = true;
  std::vector<const Canvas*> all;
  for (const Picture& p : skin) {
    std::string flat = p.name;
    std::replace(flat.begin(), flat.end(), '/', '_');
    if (flat.size() > 4) flat.resize(flat.size() - 4);
    ok = writePng(folder + "/" + flat + ".png", p.canvas) && ok;
    all.push_back(&p.canvas);
  }
  ok = writePng(folder + "/sample_game_icon.png", program.gameIcon) && ok;
  ok = writePng(folder + "/hinge_strip.png", program.hinge) && ok;
  ok = writePng(folder + "/about_banner.png", program.aboutBanner) && ok;
  ok = writePng(folder + "/app_icon.png", program.appIcon) && ok;
  all.push_back(&program.gameIcon);
  all.push_back(&program.hinge);
  ok = writePng(folder + "/contact_sheet.png", contactSheet(all, 2)) && ok;
  // The small pictures once more, large enough to judge single pixels.
  std::vector<const Canvas*> small;
  for (const Canvas* c : all)
    if ((c->width <= 70 && c->height <= 40) || c->height == 310) small.push_back(c);
  ok = writePng(folder + "/contact_small.png", contactSheet(small, 6)) && ok;
  return ok;
}

bool writeIconPngs(const std::string& folder) {
  bool ok = true;
  for (int size : kAppIconSizes) {
    const IconImage icon = drawAppIcon(size);
    const std::string path = folder + "/skinstudio-" + std::to_string(size) + ".png";
    ok = writePngRows(path, size, size, 4,
                      [&](int y, unsigned char* row) {
                        std::copy_n(&icon.rgba[static_cast<std::size_t>(y) * size * 4],
                                    static_cast<std::size_t>(size) * 4, row);
                      }) &&
         ok;
  }
  return ok;
}
