// skinstudio-cli: renders the preview and converts skins with the editor's
// own core, on the state a freshly started editor has.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/other_settings_edit.h"
#include "app/screenshot_actions.h"
#include "app/skin_file_ops.h"
#include "app/skin_recolour.h"
#include "base/file_io.h"
#include "base/platform.h"
#include "check/skin_check.h"
#include "cli/cli_options.h"
#include "cli/printing_desktop.h"
#include "i18n/interface_texts.h"
#include "imaging/image_encoders.h"
#include "preview/contact_sheet.h"
#include "preview/preview_canvas.h"
#include "preview/screenshot.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_io_context.h"
#include "skin/skin_load_record.h"
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

// "--out Blue.zip" (in any case) asks for an archive, anything else for a folder.
bool namesArchive(const std::string& out) {
  return out.size() >= 4 && upperAscii(std::string_view(out).substr(out.size() - 4)) == ".ZIP";
}

int runRender(const CliOptions& options) {
  Session session;
  if (!options.language.empty() &&
      !applyLanguageFile(session.texts, pathFromUtf8(options.language))) {
    session.fail("cannot read the language file " + options.language);
    return session.exitStatus();
  }
  if (!options.skin.empty()) openSkinPath(session.model, session.images, session.io, options.skin);
  const PreviewSources sources{session.model, session.images};

  float zoom = 1.0f;
  for (int step = 0; step < options.zoomSteps; ++step) applyWheelDelta(zoom, 120);

  if (options.all) {
    const Image sheet = drawContactSheet(
        sources, contactSheetTexts(session.model, session.texts, lastFolderName(options.skin)),
        {options.columns, zoom});
    if (!writeImageFile(options.out, sheet, ImageFileFormat::Png))
      session.fail("cannot write " + options.out);
    return session.exitStatus();
  }

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
  if (!options.skin.empty()) openSkinPath(session.model, session.images, session.io, options.skin);
  for (const auto& [name, file] : options.replacements)
    replaceSkinImageFromFile(session.images, SkinImageTable::indexOf(name), session.io, file);
  // The editor's own edit of a setting, one after the other as given.
  for (const SettingAssignment& setting : options.settings)
    setAnySetting(setting.section, setting.key, setting.value)(session.model, session.images);
  // Last, so replaced pictures take the new colours with the rest.
  if (options.recolour)
    SkinRecolourSession(session.model, session.images)
        .applyTo(options.recolourParams, options.recolourParts, session.model, session.images);

  std::error_code ec;
  if (namesArchive(options.out)) {
    // Like the folder, the archive gets the folders it is to sit in; one
    // that cannot be made shows as the archive's own failure to save.
    const std::filesystem::path parent = pathFromUtf8(options.out).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    saveSkinArchive(session.model, session.images, session.io, options.out);
    return session.exitStatus();
  }
  std::filesystem::create_directories(pathFromUtf8(options.out), ec);
  if (!std::filesystem::is_directory(pathFromUtf8(options.out), ec)) {
    session.fail("cannot create the folder " + options.out);
    return session.exitStatus();
  }
  saveSkinFolder(session.model, session.images, session.io, asFolderPath(options.out));
  return session.exitStatus();
}

// Loader messages are not printed as they come: the findings say the same,
// once. Only when the skin cannot be read at all is the last one the answer.
class SilentDesktop : public Desktop {
 public:
  void showMessage(const std::string&, const std::string& body) override { last = body; }
  void setProgress(int) override {}
  std::string last;
};

int runCheck(const CliOptions& options) {
  InterfaceTexts texts;
  if (!options.language.empty() && !applyLanguageFile(texts, pathFromUtf8(options.language))) {
    std::fprintf(stderr, "Error: cannot read the language file %s\n", options.language.c_str());
    return kUsageError;
  }
  SilentDesktop desktop;
  SkinLoadRecord record;
  SkinIoContext io{desktop, texts};
  io.record = &record;
  SkinModel model;
  SkinImageTable images;
  resetSkinModel(model);
  resetSkinImages(images);
  if (!openSkinPath(model, images, io, options.skin).loaded) {
    std::fprintf(stderr, "Error: %s: %s\n", options.skin.c_str(), desktop.last.c_str());
    return kUsageError;
  }
  const std::vector<Finding> findings = checkSkin(model, images, {&record}, texts);
  if (options.json) {
    std::fputs(findingsJson(findings).c_str(), stdout);
  } else {
    for (const Finding& finding : findings) std::printf("%s\n", findingLine(finding).c_str());
  }
  return countSeverity(findings, Severity::Error) > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) try {
  prepareCommandLineProcess();
  const std::vector<std::string> utf8Arguments = commandLineArguments(argc, argv);
  std::vector<std::string_view> arguments;
  for (std::size_t i = 1; i < utf8Arguments.size(); ++i) arguments.push_back(utf8Arguments[i]);
  const CliParseResult parsed = parseCliArguments(arguments);
  if (parsed.options.command == CliCommand::Help) {
    std::fputs(cliHelp().data(), stdout);
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
    case CliCommand::Check:
      return runCheck(parsed.options);
    default:
      return kUsageError;
  }
} catch (const std::exception& e) {
  std::fprintf(stderr, "Error: %s\n", e.what());
  return 1;
}
