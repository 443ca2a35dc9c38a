#include "check/skin_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "base/code_page.h"
#include "imaging/recolour.h"
#include "preview/draw_record.h"
#include "preview/painter.h"
#include "preview/preview_canvas.h"
#include "skin/builtin_pictures.h"

namespace {

bool hasKeyPixel(const Image& image) {
  return std::any_of(image.pixels.begin(), image.pixels.end(), isKeyColour);
}

std::string number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", value);
  return buffer;
}

std::string rectText(const DrawRect& r) {
  return "(" + std::to_string(r.x) + ", " + std::to_string(r.y) + ") - (" +
         std::to_string(r.x + r.w - 1) + ", " + std::to_string(r.y + r.h - 1) + ")";
}

std::string_view screenWord(ScreenSide side, const InterfaceTexts& texts) {
  return texts.text(side == ScreenSide::Upper ? "LANG_CHECK_UPPER_SCREEN$"
                                              : "LANG_CHECK_LOWER_SCREEN$");
}

void addView(std::vector<int>& views, int view) {
  if (std::find(views.begin(), views.end(), view) == views.end()) views.push_back(view);
}

// Where things show: the views each picture, element and colour was drawn in.
struct Usage {
  std::map<std::string_view, std::vector<int>> pictures, elements;
  std::map<std::pair<std::string_view, std::string_view>, std::vector<int>> colors;
};

// Full-screen backgrounds and bars: the renderers place them assuming a
// size, so another size shows garbage or gaps on the handheld.
struct SizeRule {
  std::string_view picture;
  int width, height;  // 0: not fixed
  Severity severity;
};
// How far a full-screen background may be off the screen's size in each
// direction and still be mostly right.
constexpr int kNearlyFullScreen = 4;
constexpr SizeRule kSizeRules[] = {
    {"upper_screen.bmp", 256, 192, Severity::Error},
    {"lower_screen.bmp", 256, 192, Severity::Error},
    {"cheatbg.bmp", 256, 192, Severity::Error},
    {"startbar.bmp", 256, 0, Severity::Warning},
    {"selectbar.bmp", 256, 0, Severity::Warning},
};

class Checker {
 public:
  Checker(const SkinModel& model, const SkinImageTable& images, const SkinCheckInputs& inputs,
          const InterfaceTexts& texts)
      : model_(model), images_(images), inputs_(inputs), texts_(texts) {}

  std::vector<Finding> run() {
    renderViews();
    pictureRules();
    if (inputs_.load && inputs_.load->settingsRead) {
      const auto& bytes = inputs_.load->settingsBytes;
      for (Finding& f : checkSettingsText(
               std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
               texts_)) {
        f.views = viewsOfField(f.section, f.key);
        findings_.push_back(std::move(f));
      }
    }
    rangeRules();
    if (inputs_.load && inputs_.load->fromArchive) archiveRules();
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
    for (Finding& f : findings_) std::sort(f.views.begin(), f.views.end());
    return std::move(findings_);
  }

 private:
  Finding& add(Severity severity, std::string_view code, std::string message) {
    Finding f;
    f.severity = severity;
    f.code = code;
    f.message = std::move(message);
    findings_.push_back(std::move(f));
    return findings_.back();
  }

  Finding& addPicture(Severity severity, std::string_view code, std::string_view picture,
                      std::string message) {
    Finding& f = add(severity, code, std::move(message));
    f.picture = picture;
    f.file = picture;
    if (auto it = usage_.pictures.find(picture); it != usage_.pictures.end()) f.views = it->second;
    return f;
  }

  std::vector<int> viewsOfField(std::string_view section, std::string_view key) const {
    if (auto it = usage_.colors.find({section, key}); it != usage_.colors.end()) return it->second;
    if (auto it = usage_.elements.find(section); it != usage_.elements.end()) return it->second;
    return {};
  }

  bool isMissing(int index) const {
    return inputs_.load &&
           inputs_.load->pictures[static_cast<std::size_t>(index)].origin == PictureOrigin::NotRead;
  }

  // Real skins often carry only the pictures they change (most published
  // ones 11 to 20 of the 53), so the missing ones are worth knowing but do
  // not break the skin: one finding names them all.
  void missingPictureRule() {
    std::vector<std::string_view> missing;
    for (int i = 0; i < kSkinImageCount; ++i)
      if (isMissing(i)) missing.push_back(images_[i].fileName);
    if (missing.empty()) return;
    if (missing.size() == 1) {
      addPicture(Severity::Warning, "picture-missing", missing[0],
                 texts_.text("LANG_CHECK_PICTURE_MISSING$"));
      return;
    }
    std::string names;
    std::vector<int> views;
    for (std::string_view name : missing) {
      names += (names.empty() ? "" : ", ") + std::string(name);
      if (auto it = usage_.pictures.find(name); it != usage_.pictures.end())
        for (int view : it->second) addView(views, view);
    }
    Finding& f = add(Severity::Warning, "picture-missing",
                     fillText(texts_.text("LANG_CHECK_PICTURES_MISSING$"),
                              {std::to_string(missing.size()), names}));
    f.pictures.assign(missing.begin(), missing.end());
    f.views = std::move(views);
  }

  void pictureRules() {
    missingPictureRule();
    for (int i = 0; i < kSkinImageCount; ++i) {
      const std::string_view name = images_[i].fileName;
      const Image& picture = images_[i].picture;
      if (inputs_.load) {
        const PictureLoad& load = inputs_.load->pictures[static_cast<std::size_t>(i)];
        if (load.origin == PictureOrigin::NotRead) continue;
        if (load.origin == PictureOrigin::Undecodable) {
          addPicture(Severity::Error, "picture-unreadable", name,
                     texts_.text("LANG_CHECK_PICTURE_UNREADABLE$"));
          continue;
        }
        if (load.origin == PictureOrigin::OtherFormat)
          addPicture(Severity::Note, "picture-not-16bit", name,
                     // Many tools write 16-bit BMPs with bit fields or a
                     // larger header: not "not 16-bit", just not the plain form.
                     load.format == "BMP"
                         ? texts_.text("LANG_CHECK_PICTURE_OTHER_BMP$")
                         : fillText(texts_.text("LANG_CHECK_PICTURE_NOT_16BIT$"), {load.format}));
      }
      if (picture.empty()) {
        addPicture(Severity::Error, "picture-empty", name,
                   texts_.text("LANG_CHECK_PICTURE_EMPTY$"));
        continue;
      }
      sizeRules(name, picture);
      keyRules(i, name, picture);
    }
  }

  void sizeRules(std::string_view name, const Image& picture) {
    const std::string w = std::to_string(picture.width), h = std::to_string(picture.height);
    for (const SizeRule& rule : kSizeRules) {
      if (rule.picture != name) continue;
      // Published backgrounds of 256 x 196 or 255 x 192 show as meant but
      // for a strip at an edge; a picture further off shows broken.
      const bool nearly = std::abs(picture.width - rule.width) <= kNearlyFullScreen &&
                          std::abs(picture.height - rule.height) <= kNearlyFullScreen;
      if (rule.height > 0 && (picture.width != rule.width || picture.height != rule.height))
        addPicture(nearly ? Severity::Warning : rule.severity, "picture-size", name,
                   fillText(texts_.text("LANG_CHECK_PICTURE_SIZE$"),
                            {w, h, std::to_string(rule.width), std::to_string(rule.height)}));
      if (rule.height == 0 && picture.width != rule.width)
        addPicture(
            rule.severity, "picture-size", name,
            fillText(texts_.text("LANG_CHECK_PICTURE_WIDTH$"), {w, std::to_string(rule.width)}));
    }
    if (name == "clock_numbers.bmp") {
      if (picture.height % 10 != 0)
        addPicture(Severity::Warning, "picture-size", name,
                   fillText(texts_.text("LANG_CHECK_CLOCK_STRIP$"), {h}));
      const Image& colon = images_.picture("clock_colon.bmp");
      if (!colon.empty() && picture.height >= 10 && colon.height != picture.height / 10)
        addPicture(Severity::Warning, "picture-size", "clock_colon.bmp",
                   fillText(texts_.text("LANG_CHECK_CLOCK_COLON$"),
                            {std::to_string(colon.height), std::to_string(picture.height / 10)}));
    }
  }

  // Where the built-in picture has transparent pixels the renderers copy it
  // keyed, so the skin's picture is expected to have some too.
  void keyRules(int index, std::string_view name, const Image& picture) {
    if (!hasKeyPixel(builtinSkinPicture(index))) return;
    const bool any = hasKeyPixel(picture);
    const bool all = std::all_of(picture.pixels.begin(), picture.pixels.end(), isKeyColour);
    if (all)
      addPicture(Severity::Warning, "picture-all-key", name,
                 texts_.text("LANG_CHECK_PICTURE_ALL_KEY$"));
    else if (!any)
      addPicture(Severity::Note, "picture-no-key", name, texts_.text("LANG_CHECK_PICTURE_NO_KEY$"));
  }

  // The renderers clamp these to the lamp picture's height.
  void rangeRules() {
    const int lamp = images_.picture("lamp.bmp").height;
    const std::pair<std::string_view, std::int32_t> cuts[] = {
        {"leftlogoupY", model_.startMenu.leftlogoupY},
        {"leftlogodownY", model_.startMenu.leftlogodownY}};
    for (const auto& [key, value] : cuts) {
      if (value >= 0 && value <= lamp) continue;
      Finding& f =
          add(Severity::Warning, "value-out-of-range",
              fillText(texts_.text("LANG_CHECK_VALUE_OUT_OF_RANGE$"),
                       {std::string(key), std::to_string(value), "0", std::to_string(lamp)}));
      f.file = "uisettings.ini";
      f.section = "start menu";
      f.key = key;
      f.views = viewsOfField("start menu", key);
    }
  }

  void archiveRules() {
    std::map<std::string, std::string> seen;  // upper-cased -> first spelling
    for (const std::string& name : inputs_.load->archiveEntries) {
      std::string upper = name;
      for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      auto [it, fresh] = seen.emplace(upper, name);
      if (fresh || it->second == name) continue;
      Finding& f = add(Severity::Warning, "archive-case-clash",
                       fillText(texts_.text("LANG_CHECK_ARCHIVE_CASE_CLASH$"), {it->second, name}));
      f.file = name;
    }
  }

  // The skin's pictures with every one it lacks changed in each pixel that
  // shows (never into or out of the transparent greens): rendered beside
  // the real ones, any pixel that differs came from a built-in picture.
  std::optional<SkinImageTable> markedBuiltins() const {
    std::optional<SkinImageTable> marked;
    for (int i = 0; i < kSkinImageCount; ++i) {
      if (!isMissing(i)) continue;
      if (!marked) marked = images_;
      for (Color& c : (*marked)[i].picture.pixels) {
        if (isKeyColour(c)) continue;
        c ^= isKeyColour(c ^ 0x080808) ? 0x101010 : 0x080808;
      }
    }
    return marked;
  }

  void renderViews() {
    const PreviewSources sources{model_, images_};
    const std::optional<SkinImageTable> marked = markedBuiltins();
    DrawRecord record(true), markedRecord(true);
    std::map<std::pair<std::string_view, ScreenSide>, std::size_t> offScreen;
    std::map<std::pair<std::string_view, std::string_view>, std::size_t> contrast;
    std::map<std::tuple<std::string_view, std::string_view, std::string_view>, std::size_t> hidden;
    for (int view = 0; view < kScreenViewCount; ++view) {
      const ScreenPair screens = renderScreenView(view, sources, &record);
      for (const DrawItem& item : record.items()) {
        if (!item.picture.empty()) addView(usage_.pictures[item.picture], view);
        if (!item.element.empty()) addView(usage_.elements[item.element], view);
        if (!item.color.empty()) addView(usage_.colors[{item.color.section, item.color.key}], view);
      }
      offScreenRule(view, record, offScreen);
      if (marked) renderScreenView(view, PreviewSources{model_, *marked}, &markedRecord);
      contrastRule(view, record, marked ? &markedRecord : nullptr, contrast);
      // Menus and windows cover the file browser on purpose; only the
      // plain screens can hide something by mistake.
      if (view == 0 || view == 1 || view == 13) overlapRule(view, record, hidden);
    }
  }

  // One finding per element and screen, over the union of what it asked
  // to draw: the clock's digits and colon are one clock.
  void offScreenRule(int view, const DrawRecord& record,
                     std::map<std::pair<std::string_view, ScreenSide>, std::size_t>& seen) {
    std::map<std::pair<std::string_view, ScreenSide>, DrawRect> wanted;
    for (const ClippedDraw& draw : record.clipped()) {
      if (draw.element.empty()) continue;  // placed by the menu itself
      auto [it, fresh] = wanted.emplace(std::make_pair(draw.element, draw.screen), draw.wanted);
      if (fresh) continue;
      DrawRect& u = it->second;
      const int right = std::max(u.x + u.w, draw.wanted.x + draw.wanted.w);
      const int bottom = std::max(u.y + u.h, draw.wanted.y + draw.wanted.h);
      u.x = std::min(u.x, draw.wanted.x);
      u.y = std::min(u.y, draw.wanted.y);
      u.w = right - u.x;
      u.h = bottom - u.y;
    }
    for (const auto& [id, r] : wanted) {
      if (auto it = seen.find(id); it != seen.end()) {
        addView(findings_[it->second].views, view);
        continue;
      }
      const auto [element, screen] = id;
      const bool whollyOff =
          r.x + r.w <= 0 || r.y + r.h <= 0 || r.x >= kScreenWidth || r.y >= kScreenHeight;
      const Severity severity =
          whollyOff && shownFlagOn(element) ? Severity::Error : Severity::Warning;
      Finding& f = add(severity, "off-screen",
                       fillText(texts_.text(whollyOff ? "LANG_CHECK_OFF_SCREEN_WHOLLY$"
                                                      : "LANG_CHECK_OFF_SCREEN_PARTLY$"),
                                {"[" + std::string(element) + "]", rectText(r),
                                 std::string(screenWord(screen, texts_))}));
      f.file = "uisettings.ini";
      f.section = element;
      f.views = {view};
      seen.emplace(id, findings_.size() - 1);
    }
  }

  bool shownFlagOn(std::string_view section) const {
    const std::int32_t* shown = integerField(model_, section, "show");
    return shown && *shown != 0;
  }

  // Text is judged only against the pixels the skin itself puts under it:
  // its own pictures and its colours. Where a picture it lacks lies under
  // most of a text, what shows there is the editor's, which the
  // missing-picture finding already tells.
  void contrastRule(int view, const DrawRecord& record, const DrawRecord* marked,
                    std::map<std::pair<std::string_view, std::string_view>, std::size_t>& seen) {
    const bool traced = marked && marked->texts().size() == record.texts().size();
    for (std::size_t t = 0; t < record.texts().size(); ++t) {
      const TextDraw& text = record.texts()[t];
      if (text.color.empty() || text.under.empty()) continue;
      const std::vector<Color>* markedUnder = nullptr;
      if (traced && marked->texts()[t].under.size() == text.under.size())
        markedUnder = &marked->texts()[t].under;
      std::vector<double> lum;
      lum.reserve(text.under.size());
      for (std::size_t p = 0; p < text.under.size(); ++p)
        if (!markedUnder || (*markedUnder)[p] == text.under[p])
          lum.push_back(relativeLuminance(text.under[p]));
      if (lum.empty() || lum.size() * 2 < text.under.size()) continue;
      std::nth_element(lum.begin(), lum.begin() + static_cast<std::ptrdiff_t>(lum.size() / 2),
                       lum.end());
      const double ratio = contrastRatio(relativeLuminance(text.ink), lum[lum.size() / 2]);
      if (ratio >= 3.0) continue;
      const Severity severity = ratio < 1.5 ? Severity::Error : Severity::Warning;
      const auto id = std::make_pair(text.color.section, text.color.key);
      const std::string viewName(texts_.text(screenView(view)->menuKey));
      const std::string message = fillText(texts_.text("LANG_CHECK_LOW_CONTRAST$"),
                                           {colorToText(text.ink), number(ratio), viewName});
      auto it = seen.find(id);
      if (it == seen.end()) {
        Finding& f = add(severity, "low-contrast", message);
        f.file = "uisettings.ini";
        f.section = text.color.section;
        f.key = text.color.key;
        f.views = {view};
        seen.emplace(id, findings_.size() - 1);
        worstRatio_[findings_.size() - 1] = ratio;
        continue;
      }
      Finding& f = findings_[it->second];
      addView(f.views, view);
      double& worst = worstRatio_[it->second];
      if (ratio < worst) {
        worst = ratio;
        f.severity = severity;
        f.message = message;
      }
    }
  }

  // Whether `item` is one of the record's texts (texts never cover
  // anything: only their ink lands).
  static bool isText(const DrawRecord& record, const DrawItem& item) {
    for (const TextDraw& t : record.texts())
      if (t.screen == item.screen && t.element == item.element && t.color == item.color &&
          t.cells.x < item.rect.x + item.rect.w && item.rect.x < t.cells.x + t.cells.w &&
          t.cells.y < item.rect.y + item.rect.h && item.rect.y < t.cells.y + t.cells.h)
        return true;
    return false;
  }

  // What an item can hide, worked out once per item rather than at every
  // pixel: boxes hide wholly, pictures where they are not transparent green
  // (at natural size pixel by pixel, otherwise only when they have none).
  struct Cover {
    enum Kind { Nothing, Whole, Pixels } kind = Nothing;
    const Image* picture = nullptr;
  };

  Cover coverOf(const DrawItem& item, bool itemIsText) const {
    if (itemIsText) return {};
    if (item.picture.empty()) return {item.color.empty() ? Cover::Nothing : Cover::Whole};
    const Image& picture = images_.picture(item.picture);
    if (picture.empty()) return {};
    if (item.rect.w == picture.width && item.rect.h == picture.height)
      return {Cover::Pixels, &picture};
    return {hasKeyPixel(picture) ? Cover::Nothing : Cover::Whole};
  }

  // Whether `item` hides screen point (x, y).
  static bool opaqueAt(const DrawItem& item, const Cover& cover, int x, int y) {
    if (cover.kind == Cover::Nothing || !item.rect.contains(x, y)) return false;
    return cover.kind == Cover::Whole ||
           !isKeyColour(cover.picture->at(x - item.rect.x, y - item.rect.y));
  }

  void overlapRule(int view, const DrawRecord& record,
                   std::map<std::tuple<std::string_view, std::string_view, std::string_view>,
                            std::size_t>& seen) {
    const std::vector<DrawItem>& items = record.items();
    std::vector<Cover> covers(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
      covers[i] = coverOf(items[i], isText(record, items[i]));
    for (std::size_t i = 0; i < items.size(); ++i) {
      const DrawItem& a = items[i];
      if (a.element.empty()) continue;
      const DrawItem* coveredBy = nullptr;
      bool hiddenAll = true;
      for (int y = a.rect.y; y < a.rect.y + a.rect.h && hiddenAll; ++y) {
        for (int x = a.rect.x; x < a.rect.x + a.rect.w && hiddenAll; ++x) {
          bool hidden = false;
          for (std::size_t j = i + 1; j < items.size() && !hidden; ++j) {
            const DrawItem& b = items[j];
            if (b.screen != a.screen || b.element == a.element) continue;
            if (opaqueAt(b, covers[j], x, y)) {
              hidden = true;
              if (!coveredBy) coveredBy = &b;
            }
          }
          hiddenAll = hidden;
        }
      }
      if (!hiddenAll || !coveredBy) continue;
      const auto id = std::make_tuple(a.element, a.picture, a.color.key);
      if (auto it = seen.find(id); it != seen.end()) {
        addView(findings_[it->second].views, view);
        continue;
      }
      auto name = [](const DrawItem& item) {
        if (!item.picture.empty()) return std::string(item.picture);
        if (!item.element.empty()) return "[" + std::string(item.element) + "]";
        return std::string(item.color.key);
      };
      Finding& f = add(Severity::Warning, "hidden-by-overlap",
                       fillText(texts_.text("LANG_CHECK_HIDDEN$"), {name(a), name(*coveredBy)}));
      f.file = "uisettings.ini";
      f.section = a.element;
      f.picture = a.picture;
      f.views = {view};
      seen.emplace(id, findings_.size() - 1);
    }
  }

  const SkinModel& model_;
  const SkinImageTable& images_;
  const SkinCheckInputs& inputs_;
  const InterfaceTexts& texts_;
  std::vector<Finding> findings_;
  Usage usage_;
  std::map<std::size_t, double> worstRatio_;
};

// Scripts read the report as JSON, which must be UTF-8: a byte that is not
// (a path in another encoding) becomes U+FFFD rather than break the parse.
std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80) {
      char32_t decoded = 0;
      const std::size_t length = decodeUtf8(text, i, decoded);
      if (length == 0) {
        appendUtf8(out, U'\uFFFD');
        ++i;
      } else {
        out.append(text.substr(i, length));
        i += length;
      }
      continue;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
      out += buffer;
    } else {
      out += c;
    }
    ++i;
  }
  return out + "\"";
}

}  // namespace

std::vector<Finding> checkSkin(const SkinModel& model, const SkinImageTable& images,
                               const SkinCheckInputs& inputs, const InterfaceTexts& texts) {
  return Checker(model, images, inputs, texts).run();
}

std::string_view severityName(Severity severity) {
  return severity == Severity::Error ? "error" : severity == Severity::Warning ? "warning" : "note";
}

std::string_view severityTextKey(Severity severity) {
  return severity == Severity::Error     ? "LANG_CHECK_ERROR$"
         : severity == Severity::Warning ? "LANG_CHECK_WARNING$"
                                         : "LANG_CHECK_NOTE$";
}

int countSeverity(const std::vector<Finding>& findings, Severity severity) {
  return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                        [&](const Finding& f) { return f.severity == severity; }));
}

std::string findingSubject(const Finding& f) {
  if (!f.picture.empty()) return f.picture;
  if (!f.section.empty() && !f.key.empty()) return "[" + f.section + "] " + f.key;
  if (!f.section.empty()) return "[" + f.section + "]";
  return f.file;
}

std::string findingText(const Finding& f) {
  const std::string subject = findingSubject(f);
  // Some messages begin with what they concern ("[big clock] at ...").
  if (subject.empty() || f.message.starts_with(subject)) return f.message;
  return subject + ": " + f.message;
}

std::string findingLine(const Finding& f) {
  return std::string(severityName(f.severity)) + " " + f.code + " " + findingText(f);
}

std::string findingsJson(const std::vector<Finding>& findings) {
  std::string out =
      "{\n  \"errors\": " + std::to_string(countSeverity(findings, Severity::Error)) +
      ",\n  \"warnings\": " + std::to_string(countSeverity(findings, Severity::Warning)) +
      ",\n  \"notes\": " + std::to_string(countSeverity(findings, Severity::Note)) +
      ",\n  \"findings\": [";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& f = findings[i];
    out += i ? ",\n    {" : "\n    {";
    out += "\"severity\": " + jsonString(severityName(f.severity));
    out += ", \"code\": " + jsonString(f.code);
    out += ", \"file\": " + jsonString(f.file);
    out += ", \"section\": " + jsonString(f.section);
    out += ", \"key\": " + jsonString(f.key);
    out += ", \"picture\": " + jsonString(f.picture);
    out += ", \"line\": " + std::to_string(f.line);
    out += ", \"views\": [";
    for (std::size_t v = 0; v < f.views.size(); ++v)
      out += (v ? ", " : "") + std::to_string(f.views[v]);
    out += "], \"message\": " + jsonString(f.message) + "}";
  }
  out += findings.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

std::string fillText(std::string_view pattern, const std::vector<std::string>& arguments) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
        pattern[i + 1] <= '9') {
      const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (n < arguments.size()) out += arguments[n];
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

double relativeLuminance(Color color) {
  // Every text cell's pixels pass through here: one table of the 256
  // linearised channel values instead of a pow() per channel.
  static const auto linear = [] {
    std::array<double, 256> table{};
    for (int value = 0; value < 256; ++value) {
      const double c = value / 255.0;
      table[static_cast<std::size_t>(value)] =
          c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return table;
  }();
  return 0.2126 * linear[color & 0xFF] + 0.7152 * linear[(color >> 8) & 0xFF] +
         0.0722 * linear[(color >> 16) & 0xFF];
}

double contrastRatio(double a, double b) {
  const double hi = std::max(a, b), lo = std::min(a, b);
  return (hi + 0.05) / (lo + 0.05);
}

int editDistance(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  std::vector<int> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const int up = row[j];
      row[j] = std::min(
          {row[j] + 1, row[j - 1] + 1, diagonal + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}
