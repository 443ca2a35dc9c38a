// Watches the open skin's folder so that a picture saved by a paint
// program shows at once. Built on the system's change notification (no
// polling): idle while nothing changes.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <map>
#include <memory>
#include <string>

#include "app/editor_listener.h"

class Editor;

class SkinWatcher : public QObject, public EditorListener {
  Q_OBJECT

 public:
  SkinWatcher(Editor& editor, QObject* parent);
  ~SkinWatcher() override;

  // The skin's folder may have changed with its name or history.
  void historyChanged() override { follow(); }

  // Moves the watch to the editor's skin folder, or stops it for an
  // archive or the built-in skin. Cheap when the folder did not change.
  void follow();

 private:
  void changed(const QString& path);
  void folderChanged();
  void process();
  void watchFiles();

  Editor& editor_;
  // Made with the first folder to watch: setting up the system's change
  // notification costs the editor's start a few milliseconds it need not
  // pay for the built-in skin.
  std::unique_ptr<QFileSystemWatcher> watcher_;
  std::string folder_;
  QSet<QString> pending_;
  std::map<std::string, int> attempts_;  // pictures not yet decodable, by path
  QTimer settle_;
};
