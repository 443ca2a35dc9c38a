// skinstudio-cli: renders the preview and converts skins with the editor's
// own core, on the state a freshly started editor has.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/skin_recolour.h"
#include "base/file_io.h"
#include "cli/cli_options.h"
#include "cli/printing_desktop.h"
#include "i18n/interface_texts.h"
#include "imaging/image_encoders.h"
#include "preview/preview_canvas.h"
#include "preview/screenshot.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_io_context.h"
#include "skin/skin_model.h"

namespace {

constexpr int kUsageError = 2;

struct Session {
  PrintingDesktop desktop;
  InterfaceTexts texts;  // language 0: the built-in texts
  SkinModel model;
  SkinImageTable images;
  SkinIoContext io{desktop, texts};
  int failures = 0;  // the tool's own errors, beyond the editor's messages

  Session() {
    resetSkinImages(images);
    resetSkinModel(model);
  }

  void fail(const std::string& what) {
    ++failures;
    std::fprintf(stderr, "Error: %s\n", what.c_str());
  }

  int exitStatus() const { return desktop.messageCount() > 0 || failures > 0 ? 1 : 0; }
};

std::string asFolder(std::string path) {
  if (path.back() != '/' && path.back() != '\\') path += '/';
  return path;
}

// "--out Blue.zip" (in any case) asks for an archive, anything else for a folder.
bool namesArchive(const std::string& out) {
  return out.size() >= 4 && upperAscii(std::string_view(out).substr(out.size() - 4)) == ".ZIP";
}

// As the editor opens a skin: a folder through its settings file, anything
// else as a ZIP archive (which reports a missing file itself).
void openSkin(Session& session, const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    loadSkinFromFolder(session.model, session.images, session.io, asFolder(path));
  else
    openSkinArchive(session.model, session.images, session.io, path);
}

int runRender(const CliOptions& options) {
  Session session;
  if (!options.skin.empty()) openSkin(session, options.skin);
  const PreviewSources sources{session.model, session.images};

  float zoom = 1.0f;
  for (int step = 0; step < options.zoomSteps; ++step) applyWheelDelta(zoom, 120);

  const ScreenPair screens = renderScreenView(options.view, sources);
  if (screens.lower.empty()) {
    // A blank lower screen would pass for the skin's own look.
    session.fail("the lower screen of view " + std::to_string(options.view) +
                 " cannot be drawn yet; nothing written");
    return session.exitStatus();
  }
  const Image picture = options.screens
                            ? stackScreens(screens)
                            : enlargeCanvas(composeCanvas(screens, options.background), zoom);
  if (!writeImageFile(options.out, picture, ImageFileFormat::Png))
    session.fail("cannot write " + options.out);
  return session.exitStatus();
}

int runConvert(const CliOptions& options) {
  Session session;
  if (options.hasLastUpdate) {
    const std::string stamp = options.lastUpdate;
    session.io.clock = [stamp] { return stamp; };
  }
  if (!options.skin.empty()) openSkin(session, options.skin);
  for (const auto& [name, file] : options.replacements)
    replaceSkinImageFromFile(session.images, SkinImageTable::indexOf(name), session.io, file);
  // Last, so replaced pictures take the new colours with the rest.
  if (options.recolour)
    SkinRecolourSession(session.model, session.images)
        .applyTo(options.recolourParams, options.recolourParts, session.model, session.images);

  std::error_code ec;
  if (namesArchive(options.out)) {
    // Like the folder, the archive gets the folders it is to sit in; one
    // that cannot be made shows as the archive's own failure to save.
    const std::filesystem::path parent = std::filesystem::path(options.out).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    saveSkinArchive(session.model, session.images, session.io, options.out);
    return session.exitStatus();
  }
  std::filesystem::create_directories(options.out, ec);
  if (!std::filesystem::is_directory(options.out, ec)) {
    session.fail("cannot create the folder " + options.out);
    return session.exitStatus();
  }
  saveSkinFolder(session.model, session.images, session.io, asFolder(options.out));
  return session.exitStatus();
}

}  // namespace

int main(int argc, char** argv) try {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const CliParseResult parsed = parseCliArguments(arguments);
  if (parsed.options.command == CliCommand::Help) {
    std::fputs(cliUsage().data(), stdout);
    return 0;
  }
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "skinstudio-cli: %s\n%s", parsed.error.c_str(), cliUsage().data());
    return kUsageError;
  }
  switch (parsed.options.command) {
    case CliCommand::Render:
      return runRender(parsed.options);
    case CliCommand::Convert:
      return runConvert(parsed.options);
    default:
      return kUsageError;
  }
} catch (const std::exception& e) {
  std::fprintf(stderr, "Error: %s\n", e.what());
  return 1;
}
