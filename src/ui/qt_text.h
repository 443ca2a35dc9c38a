// The core's UTF-8 texts as Qt strings and back.
#pragma once

#include <QString>
#include <string>
#include <string_view>

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toUtf8(const QString& text) { return text.toUtf8().toStdString(); }
