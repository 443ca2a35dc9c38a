// The core's UTF-8 texts as Qt strings and back, and Qt's file names as
// paths. The UI is built without Qt's implicit casts between char* and
// QString, so every crossing goes through here; literals are QStringLiteral.
#pragma once

#include <QFile>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// A file name Qt reports, in the encoding the file system uses.
inline std::filesystem::path toFilePath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}
