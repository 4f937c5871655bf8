#pragma once

// Conversions at the edge between the core's Windows-1251 text and Qt's
// Unicode strings, and between file-system paths and their display form.

#include <string>
#include <string_view>

#include <QFile>
#include <QString>

#include "core/base/cp1251.h"

namespace norvella {

inline QString ToQt(std::string_view cp1251) {
  return QString::fromStdString(Cp1251ToUtf8(cp1251));
}

// A character the code page lacks becomes a numeric character reference, so
// a title typed with such characters still shows right in the document.
inline std::string FromQt(const QString& text) {
  std::string out;
  Utf8ToCp1251(text.toStdString(), out);
  return out;
}

// Names written in the program's own tables (object names, ASCII).
inline QString ToQtName(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Paths stay in the file system's own encoding inside the program.
inline std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
inline QString PathText(const std::string& path) { return QFile::decodeName(path.c_str()); }

}  // namespace norvella
