#include "core/i18n/templates.h"

#include "core/settings/options.h"

namespace norvella {

const std::string& CreditFooter() {
  static const std::string footer =
      "<br><br><hr size=\"0\"><div align=\"center\"><font size=\"-1\">This text was formated to "
      "HTML using <b><i>Norvella</i></b> program. Download it free at <a href=\"" +
      std::string(kWebAddress) + "\">" + std::string(kWebAddress) + "</a></font></div>";
  return footer;
}

HtmlTemplates::HtmlTemplates()
    : header(
          "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\"><html><head><meta "
          "name=\"Generator\" content=\"Norvella\"><meta name=\"author\" content=\"%s\"><meta "
          "http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"),
      titleImage("<title>%s</title></head><body><img src=\"%s\" border=\"0\"><hr size=\"0\">"),
      titleNoImage("<title>%s</title></head><body>"),
      end("</body></html>"),
      comment("<hr size=\"0\"><div align=\"center\">%s</div>"),
      scriptCode1(
          "<A style=\"background-color: Lime; color: Black;\" href=\"javascript:newwin = "
          "window.open('', 'NewWin', 'scrollbars=1, width=400, "
          "height=210');newwin.document.write('<html><head><title>Comment</title></head><body>"),
      scriptCode2("</body></html>')\">"),
      scriptCode3("</a>"),
      bookmarkPrefix("<A style=\"background-color: Red; color: White;\""),
      hyphInfo(
          "<br><br><br><div align=\"center\">Hyphenated for <i>&quot;%s&quot;</i> in %s-like) "
          "orientation</div>"),
      hyphHoriz("horisontal (-"),
      hyphVert("vertical (I") {}

std::string* HtmlTemplates::ByName(std::string_view name) {
  if (name == "Header") return &header;
  if (name == "TitleImage") return &titleImage;
  if (name == "TitleNoImage") return &titleNoImage;
  if (name == "lEnd") return &end;
  if (name == "Comment") return &comment;
  if (name == "Scriptcode1") return &scriptCode1;
  if (name == "Scriptcode2") return &scriptCode2;
  if (name == "Scriptcode3") return &scriptCode3;
  if (name == "bookmarkpref") return &bookmarkPrefix;
  if (name == "HyphInfo") return &hyphInfo;
  if (name == "HyphHoriz") return &hyphHoriz;
  if (name == "HyphVert") return &hyphVert;
  return nullptr;
}

std::string FormatTemplate(std::string_view format, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(format.size() + 64);
  auto next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '%' && i + 1 < format.size()) {
      if (format[i + 1] == 's') {
        if (next != args.end()) out += *next++;
        ++i;
        continue;
      }
      if (format[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

std::string ExpandProgramPath(std::string_view text, std::string_view folder) {
  static constexpr std::string_view kPlaceholder = "%norvellapath%";
  std::string out(text);
  const auto at = out.find(kPlaceholder);
  if (at != std::string::npos) out.replace(at, kPlaceholder.size(), folder);
  return out;
}

std::string ProgramFolderText(std::string_view executablePath) {
  const auto cut = executablePath.find_last_of("\\/:");
  std::string folder(cut == std::string_view::npos ? std::string_view() : executablePath.substr(0, cut + 1));
  if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '\\';
  std::string out;
  out.reserve(folder.size() + 16);
  for (const char c : folder) {
    if (c == ' ') out += "%%20";
    else if (c == '\\') out += '/';
    else if (c == ':') out += '|';
    else out += c;
  }
  return out;
}

std::string SaveFooter(const Options& options, const HtmlTemplates& templates) {
  std::string footer = CreditFooter();
  if (options.Flag(Opt::Hyphenate)) {
    const std::string& word =
        options.Flag(Opt::ILikeOrientation) ? templates.hyphVert : templates.hyphHoriz;
    footer += FormatTemplate(templates.hyphInfo, {options.Text(Opt::HyphFont), word});
  }
  return footer;
}

std::string InsertFooter(std::string_view documentText, std::string_view footer) {
  const auto at = documentText.rfind("</body>");
  const std::size_t pos = at == std::string_view::npos ? 0 : at;
  std::string out;
  out.reserve(documentText.size() + footer.size());
  out.append(documentText.substr(0, pos));
  out.append(footer);
  out.append(documentText.substr(pos));
  return out;
}

}  // namespace norvella
