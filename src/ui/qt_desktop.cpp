#include "ui/qt_desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>

#include "ui/message_list_dialog.h"
#include "ui/qt_text.h"

namespace {}  // namespace

QStringList qtNameFilters(const std::string& filters) {
  QStringList parts = toQString(filters).split(u'|');
  if (!parts.isEmpty() && parts.back().isEmpty()) parts.removeLast();
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString label = parts[i].trimmed();
    if (label.endsWith(u')')) {
      const qsizetype open = label.lastIndexOf(u'(');
      if (open >= 0) label = label.left(open).trimmed();
    }
    QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    out << (label.isEmpty() ? QString() : label + u' ') + u'(' + patterns.join(u' ') + u')';
  }
  return out;
}

void QtDesktop::showMessage(const std::string& title, const std::string& body) {
  QMessageBox box(QMessageBox::Warning, toQString(title), toQString(body), QMessageBox::Ok, owner_);
  box.exec();
}

void QtDesktop::showMessages(const std::string& title, const std::string& summary,
                             const std::vector<std::string>& lines) {
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) shown << toQString(line);
  MessageListDialog box(owner_, toQString(title), toQString(summary), shown,
                        text ? text("LANG_OK$") : QStringLiteral("OK"));
  box.exec();
}

void QtDesktop::setProgress(int value) {
  if (!progress_) return;
  progress_->setValue(std::clamp(value, 0, progress_->maximum()));
  // A load runs inside one event, without the event loop: paint now so the
  // bar visibly moves, without re-entering the loop.
  progress_->repaint();
}

std::string QtDesktop::runFileDialog(bool save, const std::string& title,
                                     const std::string& suggested, const std::string& filters,
                                     int filterIndex, int* chosenFilter) {
  QFileDialog dialog(owner_, toQString(title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList nameFilters = qtNameFilters(filters);
  dialog.setNameFilters(nameFilters);
  if (filterIndex >= 0 && filterIndex < nameFilters.size())
    dialog.selectNameFilter(nameFilters[filterIndex]);
  // The suggestion is a folder, a file in a folder, or a pattern such as
  // "*.zip" that only the filter needs.
  const QString suggestion = toQString(suggested);
  if (!suggestion.isEmpty()) {
    const QFileInfo info(suggestion);
    if (suggestion.endsWith(u'/') || suggestion.endsWith(u'\\')) {
      dialog.setDirectory(suggestion);
    } else {
      if (info.dir().exists() && suggestion.contains(u'/')) dialog.setDirectory(info.dir());
      if (!info.fileName().contains(u'*')) dialog.selectFile(info.fileName());
    }
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  if (chosenFilter) {
    const qsizetype index = nameFilters.indexOf(dialog.selectedNameFilter());
    *chosenFilter = index < 0 ? 0 : static_cast<int>(index);
  }
  return toUtf8(dialog.selectedFiles().front());
}

std::string QtDesktop::askOpenFile(const std::string& title, const std::string& suggestedFile,
                                   const std::string& filters, int filterIndex) {
  return runFileDialog(false, title, suggestedFile, filters, filterIndex, nullptr);
}

std::string QtDesktop::askSaveFile(const std::string& title, const std::string& suggestedFile,
                                   const std::string& filters, int filterIndex, int& chosenFilter) {
  return runFileDialog(true, title, suggestedFile, filters, filterIndex, &chosenFilter);
}

std::string QtDesktop::askFolder(const std::string& title, const std::string& startFolder) {
  const QString folder =
      QFileDialog::getExistingDirectory(owner_, toQString(title), toQString(startFolder));
  if (folder.isEmpty()) return {};
  std::string path = toUtf8(QDir::cleanPath(folder));
  if (!path.ends_with('/')) path += '/';
  return path;
}

void QtDesktop::putPictureOnClipboard(int width, int height,
                                      std::span<const std::uint32_t> pixels) {
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * height) return;
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = pixels[static_cast<std::size_t>(y) * width + x];
      row[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    }
  }
  QApplication::clipboard()->setImage(picture);
}

std::uint32_t QtDesktop::pickColor(std::uint32_t color) {
  return colorPicker ? colorPicker(color) : color;
}

EditorDesktop::UnsavedAnswer QtDesktop::askUnsavedChanges(const std::string& title,
                                                          const std::string& question) {
  QMessageBox box(QMessageBox::Question, toQString(title), toQString(question),
                  QMessageBox::NoButton, owner_);
  QPushButton* save =
      box.addButton(text ? text("LANG_SAVE$") : QStringLiteral("Save"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(text ? text("LANG_DISCARD$") : QStringLiteral("Discard"),
                                       QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(text ? text("LANG_CANCEL$") : QStringLiteral("Cancel"),
                                      QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return UnsavedAnswer::Save;
  if (box.clickedButton() == discard) return UnsavedAnswer::Discard;
  return UnsavedAnswer::Cancel;
}
