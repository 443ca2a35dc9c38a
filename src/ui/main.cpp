// skinstudio: the desktop skin editor.
#include <QApplication>
#include <QFont>

#include "app/editor.h"
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
  window.show();
  editor.start(window);
  const int status = app.exec();
  (void)status;
  editor.finish();
  return 0;
}
