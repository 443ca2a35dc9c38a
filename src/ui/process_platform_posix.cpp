#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

#include "app/editor.h"
#include "ui/process_platform.h"

namespace {

// Termination signals reach the event loop through this pipe: a handler
// may do nothing but write to it.
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int signalNumber) {
  const char byte = static_cast<char>(signalNumber);
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

void prepareEditorProcess() { std::signal(SIGXFSZ, SIG_IGN); }

std::vector<std::string> editorArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void endOnTerminationRequests(Editor& editor) {
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, [&editor] {
    char byte = 0;
    while (::read(signalPipe[0], &byte, 1) > 0) {
    }
    editor.finish();
    QCoreApplication::quit();  // also ends a modal dialog's loop
  });
  struct sigaction action {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signalNumber : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(signalNumber, &action, nullptr);
}
