// A whole editor window on the offscreen platform, with a scripted desktop
// behind the editor, for the widget tests.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <optional>
#include <ostream>

#include "app/editor.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/temp_dir.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << toUtf8(text) << '"'; }

// Processes events until `done` holds or a second has passed.
template <typename Condition>
bool processUntil(Condition done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 1000) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

struct EditorWindow {
  TempDir home;
  FakeDesktop desktop;
  Editor editor{desktop, home.path()};
  MainWindow window{editor, nullptr};

  EditorWindow() {
    window.show();
    editor.start();
    processUntil([&] { return window.isVisible() && editor.state().PreviewWidth > 0; });
  }
};
