#include "app/editor_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <system_error>

#include "i18n/text_file.h"

namespace {

constexpr std::string_view kFolder = "settings";
constexpr std::string_view kFileName = "settings.ini";
constexpr std::string_view kGroup = "settings";
constexpr std::string_view kLineEnd = "\r\n";

// Replaces `path` with `bytes`. Only a plain file is written: opening a
// pipe for writing would wait for a reader and hold up the exit, so the open
// does not block and anything else under that name is refused.
bool writeFile(const std::filesystem::path& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  std::size_t written = 0;
  while (ok && written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      written += static_cast<std::size_t>(n);
  }
  return ::close(fd) == 0 && ok;
}

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
  const std::string bytes = formatEditorSettings(state);
  const std::filesystem::path folder = base / kFolder;
  if (writeFile(folder / kFileName, bytes)) return;
  std::error_code ignored;
  std::filesystem::create_directory(folder, ignored);
  writeFile(folder / kFileName, bytes);
}
