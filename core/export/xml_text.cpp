#include "core/export/xml_text.h"

namespace norvella {

void AppendXmlEscaped(std::string& out, std::string_view text, bool attribute) {
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"':
        if (attribute) out += "&quot;";
        else out += c;
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') break;
        out += c;
    }
  }
}

std::string XmlEscaped(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  AppendXmlEscaped(out, text, attribute);
  return out;
}

}  // namespace norvella

namespace norvella {

void AppendRuns(std::string& out, const std::vector<BookRun>& runs, const InlineTags& tags,
                const std::function<std::string(int note)>& noteOpen, std::string_view noteClose) {
  const std::pair<std::uint8_t, std::string_view> order[] = {
      {kStyleBold, tags.bold}, {kStyleItalic, tags.italic}, {kStyleSup, tags.sup}, {kStyleSub, tags.sub}};
  for (const BookRun& run : runs) {
    for (const auto& [bit, tag] : order)
      if (run.style & bit) out.append("<").append(tag).append(">");
    if (run.note >= 0) out += noteOpen(run.note);
    AppendXmlEscaped(out, run.text);
    if (run.note >= 0) out += noteClose;
    for (auto it = std::rbegin(order); it != std::rend(order); ++it)
      if (run.style & it->first) out.append("</").append(it->second).append(">");
  }
}

}  // namespace norvella
