#include <windows.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QMetaObject>
#include <QStringList>
#include <atomic>
#include <thread>

#include "app/editor.h"
#include "ui/process_platform.h"
#include "ui/qt_text.h"

namespace {

Editor* endingEditor = nullptr;
std::atomic<bool> finished{false};

// The end of the Windows session reaches every top-level window as
// WM_ENDSESSION; the process may be gone as soon as the message returns,
// so the settings are written before it does.
class SessionEndFilter : public QAbstractNativeEventFilter {
 public:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType != "windows_generic_MSG") return false;
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_ENDSESSION && msg->wParam && !finished.exchange(true)) {
      endingEditor->finish();
      QCoreApplication::quit();
    }
    return false;
  }
};

// Ctrl+C, Ctrl+Break or the closing of the console the editor was started
// from. The handler runs on a thread of its own; the editor is finished on
// its own thread, and the handler waits for that, since returning lets
// Windows end the process.
BOOL WINAPI onConsoleEvent(DWORD) {
  if (finished.exchange(true)) return TRUE;
  QMetaObject::invokeMethod(
      qApp,
      [] {
        endingEditor->finish();
        QCoreApplication::quit();
      },
      Qt::BlockingQueuedConnection);
  return TRUE;
}

}  // namespace

void prepareEditorProcess() {}

// Windows hands main() its arguments in the ANSI code page, which cannot
// hold every file name; Qt reads the command line as UTF-16.
std::vector<std::string> editorArguments(int, char**) {
  std::vector<std::string> arguments;
  const QStringList all = QCoreApplication::arguments();
  for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(toUtf8(all[i]));
  return arguments;
}

void endOnTerminationRequests(Editor& editor) {
  endingEditor = &editor;
  static SessionEndFilter filter;
  qApp->installNativeEventFilter(&filter);
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}
