// The editor end to end on Qt's offscreen platform: one spin-box step to
// the repainted preview, one recolour slider step to the repainted
// preview, one colour arriving in the picker, start-up to the
// first frame against a bare Qt window, and memory after a zoomed session.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/editor.h"
#include "testsupport/saved_skin.h"
#include "ui/color_picker_dialog.h"
#include "ui/editing_panel.h"
#include "ui/main_window.h"
#include "ui/preview_widget.h"
#include "ui/recolour_dialog.h"

namespace {

namespace fs = std::filesystem;

// Answers the folder requester with one folder; everything else is quiet.
class ScriptedDesktop : public EditorDesktop {
 public:
  std::string folder;
  void showMessage(const std::string&, const std::string&) override {}
  void setProgress(int) override {}
  std::string askOpenFile(const std::string&, const std::string&, const std::string&,
                          int) override {
    return {};
  }
  std::string askFolder(const std::string&, const std::string&) override { return folder; }
};

fs::path scratchFolder() {
  static const fs::path path = [] {
    fs::path p = fs::temp_directory_path() / ("skinstudio-ui-bench-" + std::to_string(getpid()));
    fs::create_directories(p);
    return p;
  }();
  return path;
}

struct BenchWindow {
  ScriptedDesktop desktop;
  Editor editor{desktop, scratchFolder()};
  MainWindow window{editor, nullptr};

  BenchWindow() {
    window.show();
    editor.start();
    settle();
  }
  static void settle() {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
  }
};

void zoomTo(Editor& editor, int level) {
  while (editor.wheel(-120)) {
  }
  for (int i = 1; i < level; ++i) editor.wheel(120);
}

void BM_SpinStepEndToEnd(benchmark::State& state) {
  BenchWindow w;
  zoomTo(w.editor, static_cast<int>(state.range(0)));
  BenchWindow::settle();
  QSpinBox* spin = w.window.panel()->elementSpin(5, 0);  // [big clock] x
  QStyleOptionSpinBox option;
  option.initFrom(spin);
  option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
  option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
  const QPoint up = spin->style()
                        ->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, spin)
                        .center();
  const QPoint down =
      spin->style()
          ->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown, spin)
          .center();
  bool goUp = true;
  const int redraws = w.editor.redrawCount();
  for (auto _ : state) {
    // The arrow as a user clicks it: press and release on the widget, then
    // everything that follows (model write, redraw, repaint) to the end.
    QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, goUp ? up : down);
    goUp = !goUp;
    BenchWindow::settle();
  }
  state.counters["redraws_per_step"] =
      benchmark::Counter(double(w.editor.redrawCount() - redraws) / double(state.iterations()));
  state.counters["zoom"] = w.editor.state().ZoomFactor;
}
BENCHMARK(BM_SpinStepEndToEnd)->Arg(1)->Arg(28)->Unit(benchmark::kMicrosecond);

void BM_ColourPickStep(benchmark::State& state) {
  BenchWindow w;
  ColorPickerDialog dialog(&w.window, w.editor.texts(), rgb(248, 0, 0));
  // A real one-pixel grab of the screen on every step, then a colour that
  // differs from the last so every step updates the controls.
  int step = 0;
  dialog.setScreenPixelSource([&step](QPoint at) -> std::optional<Color> {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap pixel = screen->grabWindow(0, at.x(), at.y(), 1, 1);
    benchmark::DoNotOptimize(pixel);
    ++step;
    return rgb((step * 8) & 0xF8, (step * 24) & 0xF8, (step * 40) & 0xF8);
  });
  dialog.show();
  BenchWindow::settle();
  const QPoint inside(100, 100);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(inside), QPointF(dialog.mapToGlobal(inside)),
                    Qt::RightButton, Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &press);
  int x = 0;
  for (auto _ : state) {
    const QPoint at(10 + (x++ % 100), 100);
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(dialog.mapToGlobal(at)), Qt::NoButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &move);
    BenchWindow::settle();
  }
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(inside),
                      QPointF(dialog.mapToGlobal(inside)), Qt::RightButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(&dialog, &release);
  dialog.hide();
}
BENCHMARK(BM_ColourPickStep)->Unit(benchmark::kMicrosecond);

// One step of the recolour dialog's hue slider from the keyboard to the
// repainted main preview: every picture and colour recoloured, one redraw.
void BM_RecolourSliderStep(benchmark::State& state) {
  BenchWindow w;
  zoomTo(w.editor, static_cast<int>(state.range(0)));
  RecolourDialog dialog(&w.window, w.editor);
  dialog.show();
  QSlider* hue = dialog.slider(RecolourDialog::Hue);
  hue->setValue(-140);
  BenchWindow::settle();
  bool right = true;
  const int redraws = w.editor.redrawCount();
  for (auto _ : state) {
    QTest::keyClick(hue, right ? Qt::Key_Right : Qt::Key_Left);
    right = !right;
    BenchWindow::settle();
  }
  state.counters["redraws_per_step"] =
      benchmark::Counter(double(w.editor.redrawCount() - redraws) / double(state.iterations()));
  dialog.reject();
}
BENCHMARK(BM_RecolourSliderStep)->Arg(1)->Arg(28)->Unit(benchmark::kMicrosecond);

void BM_MemcpyLargestCanvas(benchmark::State& state) {
  const std::size_t bytes = std::size_t(1343) * 2475 * 4;
  std::vector<std::uint8_t> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyLargestCanvas)->Unit(benchmark::kMicrosecond);

// Runs a program to its end on the offscreen platform; returns its peak
// resident size in kilobytes.
long runToEnd(const std::vector<std::string>& command, const fs::path& folder) {
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(126);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // A fresh editor's start, whatever the settings of whoever runs this
    // (another language, say, loads another file and other fonts).
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return usage.ru_maxrss;
}

std::string besideThisProgram(const std::string& name) {
  return (fs::read_symlink("/proc/self/exe").parent_path() / name).string();
}

void startup(benchmark::State& state, const std::vector<std::string>& command) {
  long peak = 0;
  for (auto _ : state) {
    peak = runToEnd(command, scratchFolder());
    if (peak < 0) {
      state.SkipWithError("the program did not end normally");
      return;
    }
  }
  state.counters["peak_rss_kb"] = double(peak);
}

void BM_StartupToFirstFrame(benchmark::State& state) {
  startup(state, {besideThisProgram("skinstudio"), "--report-first-frame"});
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartupBareQtWindow(benchmark::State& state) {
  startup(state, {besideThisProgram("skinstudio-bare-window")});
}
BENCHMARK(BM_StartupBareQtWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// Not a target: shows how much of the gap is the font database that any
// window with text loads.
void BM_StartupBareQtWindowWithText(benchmark::State& state) {
  startup(state, {besideThisProgram("skinstudio-bare-window"), "--with-text"});
}
BENCHMARK(BM_StartupBareQtWindowWithText)->Unit(benchmark::kMillisecond)->UseRealTime();

// In a fresh process (this program run again): open a skin folder, zoom to
// 5.05, scroll to the bottom, paint.
int zoomedSession(const std::string& folder) {
  int argc = 1;
  char name[] = "skinstudio-ui-bench";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  BenchWindow w;
  w.desktop.folder = folder;
  w.editor.openFolder();
  zoomTo(w.editor, 28);
  BenchWindow::settle();
  QScrollBar* bar = w.window.previewArea()->verticalScrollBar();
  bar->setValue(bar->maximum());
  BenchWindow::settle();
  w.window.preview()->repaint();
  return w.editor.state().ZoomFactor > 5.0f ? 0 : 1;
}

void BM_ZoomedSession(benchmark::State& state) {
  const fs::path skin = scratchFolder() / "skin";
  if (!fs::exists(skin / "uisettings.ini")) saveBuiltinSkin(skin.string() + "/");
  long peak = 0;
  for (auto _ : state) {
    peak = runToEnd(
        {besideThisProgram("skinstudio-ui-bench"), "--zoomed-session", skin.string() + "/"},
        scratchFolder());
    if (peak < 0) {
      state.SkipWithError("the session did not end normally");
      return;
    }
  }
  state.counters["peak_rss_kb"] = double(peak);
}
BENCHMARK(BM_ZoomedSession)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--zoomed-session") == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return zoomedSession(argv[2]);
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(scratchFolder(), ignored);
  return 0;
}
