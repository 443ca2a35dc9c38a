// The editor's INI-style text reader over arbitrary bytes, as a language
// file (every interface text looked up in its group) and as the editor
// settings file, whose four values must come back unchanged when written
// and read again.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/editor_settings.h"
#include "app/editor_state.h"
#include "i18n/interface_texts.h"
#include "i18n/text_file.h"

namespace {

// One private folder per process, reused by every run and removed at exit.
struct ScratchFolder {
  std::filesystem::path path;
  ScratchFolder()
      : path(std::filesystem::temp_directory_path() /
             ("skinstudio-fuzz-text-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(path / "settings");
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::filesystem::path& scratchFolder() {
  static const ScratchFolder folder;
  return folder.path;
}

void writeSettings(std::string_view bytes) {
  std::ofstream out(scratchFolder() / "settings" / "settings.ini",
                    std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool sameSavedValues(const EditorState& a, const EditorState& b) {
  return a.LastPath == b.LastPath && a.Language == b.Language && a.BGColor == b.BGColor &&
         a.SwapView == b.SwapView;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const TextFile file = TextFile::parse(bytes);
  InterfaceTexts texts;
  for (const InterfaceTextGroup& group : interfaceTextGroups()) {
    file.hasGroup(group.name);
    for (std::string_view key : group.keys)
      if (auto value = file.find(group.name, key)) texts.set(key, std::move(*value));
  }
  file.find("End", "");

  EditorState first;
  writeSettings(bytes);
  readEditorSettings(first, scratchFolder());
  writeSettings(formatEditorSettings(first));
  EditorState second;
  readEditorSettings(second, scratchFolder());
  // A path with a line break cannot be stored and is left out on purpose.
  if (first.LastPath.find_first_of("\r\n") != std::string::npos) second.LastPath = first.LastPath;
  if (!sameSavedValues(first, second)) std::abort();
  return 0;
}
