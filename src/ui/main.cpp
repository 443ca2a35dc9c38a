// skinstudio: the desktop skin editor.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <cstdlib>

#include "app/editor.h"
#include "skin/builtin_pictures.h"
#include "ui/about_box.h"
#include "ui/color_picker_dialog.h"
#include "ui/image_conversion.h"
#include "ui/main_window.h"
#include "ui/qt_desktop.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("skinstudio"));
  // Every control has a fixed pixel size; a small font lets every label fit
  // in every shipped language.
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  QApplication::setFont(font);

  QtDesktop desktop;
  Editor editor(desktop);
  MainWindow window(editor, &desktop);
  window.setWindowIcon(
      QIcon(QPixmap::fromImage(toQImageWithKey(builtinAppIcon(), rgb(0, 248, 0)))));
  desktop.colorPicker = [&](std::uint32_t color) {
    return ColorPickerDialog::pick(&window, editor.texts(), color,
                                   [&](QPoint at) { return window.previewPixelAt(at); });
  };
  window.showAbout = [&] { AboutBox::showModal(&window, editor.texts()); };
  // For measuring start-up: the process ends once the preview has painted
  // its first frame.
  if (QCoreApplication::arguments().contains(QStringLiteral("--report-first-frame")))
    window.firstFramePainted = [] { std::_Exit(0); };
  window.show();
  editor.start(window);
  const int status = app.exec();
  (void)status;
  editor.finish();
  return 0;
}
