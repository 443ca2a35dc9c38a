// skinstudio: the desktop skin editor.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "app/data_folders.h"
#include "app/editor.h"
#include "app/start_arguments.h"
#include "preview/preview_font.h"
#include "skin/builtin_pictures.h"
#include "ui/about_box.h"
#include "ui/color_picker_dialog.h"
#include "ui/image_conversion.h"
#include "ui/main_window.h"
#include "ui/process_platform.h"
#include "ui/qt_desktop.h"
#include "ui/qt_text.h"

namespace {

constexpr int kUsageError = 2;

Editor::Folders editorFolders() { return chooseEditorFolders(systemDataFolderPlaces()); }

// A folder opens as a skin folder; anything else, a missing path too, as an
// archive, which reports what is wrong with it, exactly as the menu items.
void openAtStart(Editor& editor, const std::string& path) {
  // Requesters answer with whole paths; a relative one would be remembered
  // as the last folder and mean another one at the next start.
  std::error_code ec;
  const std::filesystem::path whole =
      std::filesystem::absolute(std::u8string(path.begin(), path.end()), ec).lexically_normal();
  editor.openPath(ec ? path : utf8Path(whole));
}

}  // namespace

int main(int argc, char** argv) {
  prepareEditorProcess();
  // The first frame needs the built-in pictures and the preview font, and
  // neither needs Qt: a second core decodes them while Qt starts up. Whoever
  // asks for them first waits for the decoding under way, not twice.
  const std::jthread decodeBuiltins([] {
    builtinSkinPicture(0);
    PreviewFont::builtin();
  });
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("skinstudio"));
  // QApplication has taken its own options out of argv.
  const std::vector<std::string> arguments = editorArguments(argc, argv);
  const StartArguments start =
      parseStartArguments(std::vector<std::string_view>(arguments.begin(), arguments.end()));
  if (!start.error.empty()) {
    std::fprintf(stderr, "skinstudio: %s\n%s", start.error.c_str(), startUsage().data());
    return kUsageError;
  }
  if (start.help) {
    std::fputs(startUsage().data(), stdout);
    return 0;
  }

  // Every control has a fixed pixel size; a small font lets every label fit
  // in every shipped language.
  // Where DejaVu Sans is not installed (Windows), the system's own sans
  // serif of about its width.
  QFont font;
  font.setFamilies(
      {QStringLiteral("DejaVu Sans"), QStringLiteral("Segoe UI"), QStringLiteral("Tahoma")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  QApplication::setFont(font);

  QtDesktop desktop;
  Editor editor(desktop, editorFolders());
  if (!start.printTextKey.empty()) {
    if (builtinInterfaceText(start.printTextKey).empty()) {
      std::fprintf(stderr, "skinstudio: no interface text is called %s\n",
                   start.printTextKey.c_str());
      return kUsageError;
    }
    std::printf("%s\n", editor.texts().text(start.printTextKey).c_str());
    return 0;
  }

  MainWindow window(editor, &desktop);
  desktop.colorPicker = [&](std::uint32_t color) {
    return ColorPickerDialog::pick(&window, editor.texts(), color,
                                   [&](QPoint at) { return window.previewPixelAt(at); });
  };
  window.showAbout = [&] { AboutBox::showModal(&window, editor.texts()); };
  // For measuring start-up: the process ends once the preview has painted
  // its first frame.
  if (start.reportFirstFrame) {
    window.firstFramePainted = [] { std::_Exit(0); };
  } else {
    // The icon is for the taskbar and the title bar, which take it when it
    // comes: converting it does not hold up the editor's first frame.
    window.firstFramePainted = [&window] {
      QTimer::singleShot(0, &window, [&window] {
        window.setWindowIcon(
            QIcon(QPixmap::fromImage(toQImageWithKey(builtinAppIcon(), rgb(0, 248, 0)))));
      });
    };
  }
  window.show();
  editor.start();
  // Once the event loop runs, so that the window is on screen behind any
  // message the opening shows.
  QTimer::singleShot(0, &window, [&] {
    if (!start.skinPath.empty()) openAtStart(editor, start.skinPath);
    if (start.exitAfterStart) window.close();
  });
  // Every way out writes the settings: the window's close (before it
  // goes), a quit from anywhere, a termination signal, and the end of the
  // loop.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] { editor.finish(); });
  endOnTerminationRequests(editor);
  const int status = app.exec();
  (void)status;
  editor.finish();
  return 0;
}
