#include "gui/editor/editor_text.h"

#include <array>

#include <QTextDocument>

#include "core/base/cp1251.h"

namespace norvella {
namespace {

// The code points of the 256 bytes, looked up once per character of a
// whole book.
const std::array<char16_t, 256>& ByteCodes() {
  static const std::array<char16_t, 256> codes = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b) table[b] = static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(b)));
    return table;
  }();
  return codes;
}

void AppendReference(std::string& out, char32_t code) {
  out += "&#";
  out += std::to_string(static_cast<std::uint32_t>(code));
  out += ';';
}

}  // namespace

QString CoreToEditor(std::string_view text) {
  const auto& codes = ByteCodes();
  QString out;
  out.resize(static_cast<qsizetype>(text.size()));
  QChar* to = out.data();
  qsizetype n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\r') {
      // CR LF and a lone CR are one line break, as a lone LF is.
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      to[n++] = QLatin1Char('\n');
    } else {
      to[n++] = QChar(codes[byte]);
    }
  }
  out.truncate(n);
  return out;
}

std::string EditorToCore(const QString& text, std::string_view lineBreak) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()) + static_cast<std::size_t>(text.size()) / 32);
  const qsizetype size = text.size();
  const QChar* from = text.constData();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t unit = from[i].unicode();
    if (unit < 0x80) {
      if (unit == '\n') out += lineBreak;
      else out += static_cast<char>(unit);
      continue;
    }
    // Qt keeps a paragraph break as U+2029 and a line break inside a
    // paragraph as U+2028; both are line breaks of the text.
    if (unit == 0x2029 || unit == 0x2028) {
      out += lineBreak;
      continue;
    }
    char32_t code = unit;
    if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(from[i + 1].unicode())) {
      code = QChar::surrogateToUcs4(unit, from[i + 1].unicode());
      ++i;
    } else if (QChar::isSurrogate(unit)) {
      code = 0xFFFD;
    }
    const int byte = UnicodeToCp1251(code);
    if (byte >= 0) out += static_cast<char>(byte);
    else AppendReference(out, code);
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
