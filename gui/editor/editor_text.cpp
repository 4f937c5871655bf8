#include "gui/editor/editor_text.h"

#include <QTextDocument>

#include "gui/ui/qt_text.h"

namespace norvella {

QString CoreToEditor(std::string_view text) {
  QString out = ToQt(text);
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return out;
}

std::string EditorToCore(const QString& text, std::string_view lineBreak) {
  QString normal = text;
  // Qt keeps a paragraph break as U+2029 and a line break inside a
  // paragraph as U+2028; both are line breaks of the text.
  normal.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  normal.replace(QChar::LineSeparator, QLatin1Char('\n'));
  const std::string bytes = FromQt(normal);
  if (lineBreak == "\n") return bytes;
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 32);
  for (char c : bytes) {
    if (c == '\n') out += lineBreak;
    else out += c;
  }
  return out;
}

std::string DocumentToCore(const QTextDocument& document) {
  // The raw text keeps non-breaking spaces, which the plain text would
  // turn into spaces.
  return EditorToCore(document.toRawText(), "\r\n");
}

int EditorLength(std::string_view text) { return static_cast<int>(CoreToEditor(text).size()); }

}  // namespace norvella
