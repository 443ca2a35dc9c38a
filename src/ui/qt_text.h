// The core's UTF-8 texts as Qt strings and back, and Qt's file names as
// paths. The UI is built without Qt's implicit casts between char* and
// QString, so every crossing goes through here; literals are QStringLiteral.
#pragma once

#include <QByteArray>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// A file name Qt reports as a path. Paths are made from UTF-8 explicitly:
// a plain std::string would be read in the ANSI code page on Windows, which
// cannot hold every name.
inline std::filesystem::path toFilePath(const QString& path) {
  const QByteArray utf8 = path.toUtf8();
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A path as the core's UTF-8 text.
inline std::string utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}
