#include "ui/skin_watcher.h"

#include <QFileInfo>

#include "app/editor.h"
#include "ui/qt_text.h"

namespace {

// A save is often several writes in a row: wait for quiet before reading.
constexpr int kSettleMilliseconds = 150;
// A picture still undecodable after this many settled tries is said.
constexpr int kAttempts = 8;

}  // namespace

SkinWatcher::SkinWatcher(Editor& editor, QObject* parent) : QObject(parent), editor_(editor) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMilliseconds);
  connect(&settle_, &QTimer::timeout, this, &SkinWatcher::process);
  editor_.addListener(*this);
}

SkinWatcher::~SkinWatcher() { editor_.removeListener(*this); }

void SkinWatcher::follow() {
  if (editor_.skinFolder() == folder_) return;
  folder_ = editor_.skinFolder();
  pending_.clear();
  attempts_.clear();
  if (watcher_) {
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
  }
  if (folder_.empty()) return;
  if (!watcher_) {
    watcher_ = std::make_unique<QFileSystemWatcher>();
    connect(watcher_.get(), &QFileSystemWatcher::fileChanged, this, &SkinWatcher::changed);
    connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, this,
            &SkinWatcher::folderChanged);
  }
  // The folders too: a program that saves by writing a new file and
  // renaming it over the old one replaces the file the watch was on.
  const QString folder = toQString(folder_);
  watcher_->addPath(folder);
  const QString icons = folder + QStringLiteral("icon");
  if (QFileInfo(icons).isDir()) watcher_->addPath(icons);
  watchFiles();
}

void SkinWatcher::watchFiles() {
  QStringList missing;
  if (!watcher_) return;
  const QStringList watched = watcher_->files();
  for (const std::string& file : editor_.watchedFiles()) {
    const QString path = toQString(file);
    if (!watched.contains(path) && QFileInfo::exists(path)) missing << path;
  }
  if (!missing.isEmpty()) watcher_->addPaths(missing);
}

void SkinWatcher::changed(const QString& path) {
  pending_.insert(path);
  settle_.start();
}

void SkinWatcher::folderChanged() {
  // Which file came or went is not told: look at all of them; those that
  // did not change are recognised by their size and time.
  for (const std::string& file : editor_.watchedFiles()) pending_.insert(toQString(file));
  settle_.start();
}

void SkinWatcher::process() {
  // A recolour being tried out holds the skin: a picture read in now would
  // become part of the trial, and Cancel would throw it away.
  if (editor_.recolouring()) {
    settle_.start();
    return;
  }
  const QSet<QString> paths = std::exchange(pending_, {});
  for (const QString& path : paths) {
    const std::string file = toUtf8(path);
    switch (editor_.fileChangedOnDisk(file)) {
      case Editor::DiskChange::PictureNotReady:
        if (++attempts_[file] >= kAttempts) {
          attempts_.erase(file);
          editor_.reportUnreadablePicture(file);
        } else {
          pending_.insert(path);
        }
        break;
      default:
        attempts_.erase(file);
        break;
    }
  }
  watchFiles();
  if (!pending_.isEmpty()) settle_.start();
}
