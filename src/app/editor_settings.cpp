#include "app/editor_settings.h"

#include <climits>
#include <span>
#include <system_error>

#include "base/file_io.h"
#include "base/platform.h"
#include "i18n/text_file.h"

namespace {

constexpr std::string_view kFolder = "settings";
constexpr std::string_view kFileName = "settings.ini";
constexpr std::string_view kGroup = "settings";
constexpr std::string_view kLineEnd = "\r\n";

void appendLine(std::string& out, std::string_view key, std::string_view value) {
  out.append(key).append(" = ").append(value).append(kLineEnd);
}

}  // namespace

int leadingInteger(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    // Saturate instead of overflowing; the rest of the digits change nothing.
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

void applyStartLayout(EditorState& state) {
  if (state.SwapView == 0) {
    state.PreviewX = 3;
    state.PanelX = 272;
  } else {
    state.SwapView = 1;
    state.PreviewX = 398;
    state.PanelX = 3;
  }
}

void readEditorSettings(EditorState& state, const std::filesystem::path& base) {
  if (const auto file = readTextFile(base / kFolder / kFileName)) {
    state.LastPath = file->find(kGroup, "LastPath").value_or("");
    state.Language = leadingInteger(file->find(kGroup, "Language").value_or(""));
    // Only the 24 colour bits mean anything; a hand-edited value beyond them
    // must not reach the painters as an out-of-range colour.
    state.BGColor =
        static_cast<std::uint32_t>(leadingInteger(file->find(kGroup, "BGColor").value_or(""))) &
        0xFFFFFFu;
    state.SwapView = leadingInteger(file->find(kGroup, "SwapView").value_or(""));
  }
  applyStartLayout(state);
}

std::string formatEditorSettings(const EditorState& state) {
  // A line break inside the path would end the entry early and let the rest
  // of the path pose as further entries; such a path cannot be stored.
  const bool pathFits = state.LastPath.find_first_of("\r\n") == std::string::npos;

  std::string out = "\xEF\xBB\xBF";
  out.append(kLineEnd);
  out.append("[").append(kGroup).append("]").append(kLineEnd);
  appendLine(out, "LastPath", pathFits ? std::string_view(state.LastPath) : std::string_view());
  appendLine(out, "Language", std::to_string(state.Language));
  appendLine(out, "BGColor", std::to_string(state.BGColor));
  appendLine(out, "SwapView", state.SwapView == 0 ? "0" : "1");
  return out;
}

void writeEditorSettings(const EditorState& state, const std::filesystem::path& base) {
  namespace fs = std::filesystem;
  const std::string bytes = formatEditorSettings(state);
  const fs::path folder = base / kFolder;
  std::error_code error;
  // An installed editor's configuration folder may not exist yet.
  fs::create_directories(folder, error);
  fs::path file = folder / kFileName;
  const std::string ownName(kFileName);
  removeLeftoverTemporaries(utf8FromPath(folder) + "/", std::span<const std::string>(&ownName, 1));
  // A link (as configuration managers make) keeps pointing where it did:
  // the file it points to is what is replaced.
  if (fs::is_symlink(fs::symlink_status(file, error))) {
    file = fs::weakly_canonical(file, error);
    if (error) return;
    const std::string name = utf8FromPath(file.filename());
    removeLeftoverTemporaries(utf8FromPath(file.parent_path()) + "/",
                              std::span<const std::string>(&name, 1));
  }
  // Only a plain file is replaced: a pipe or folder under that name is
  // someone's on purpose.
  const fs::file_status status = fs::status(file, error);
  if (fs::exists(status) && !fs::is_regular_file(status)) return;
  // Spelt as the clean-up above spells the names it looks at, so that it
  // knows this process's own temporary file on Windows too.
  const std::string target =
      utf8FromPath(file.parent_path()) + "/" + utf8FromPath(file.filename());
  // Written whole or not at all: an editor ended part-way through keeps the
  // settings of its last run rather than an empty file.
  writeFileAtomically(
      target, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                            bytes.size()));
}
