#include "core/export/export.h"

#include "core/base/cp1251.h"
#include "core/base/file_io.h"
#include "core/convert/context.h"
#include "core/export/book_builder.h"
#include "core/export/epub.h"
#include "core/export/fb2.h"
#include "core/fonts/font_widths.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

std::string FormatTime(std::time_t t, const char* format) {
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, format, &tm);
  return text;
}

void AddCover(BookStructure& book, const DocumentProperties& document, const ExportSettings& settings,
              ExportResult& result) {
  if (document.coverImage.empty()) return;
  std::string path = document.coverImage;
  if (path[0] != '/' && !settings.documentFolder.empty()) {
    path = settings.documentFolder;
    if (path.back() != '/') path += '/';
    path += document.coverImage;
  }
  std::string bytes;
  if (const FileResult read = ReadWholeFile(path, bytes); !read.ok()) {
    result.warnings.push_back("the cover picture was left out: cannot read " + read.error().reason);
    return;
  }
  book.cover = RecognisePicture(std::move(bytes));
  if (!book.cover)
    result.warnings.push_back("the cover picture was left out: " + Cp1251ToUtf8(path) +
                              " is not a PNG, JPEG or GIF picture");
}

}  // namespace

std::optional<BookFormat> ParseBookFormat(std::string_view name) {
  if (name == "html") return BookFormat::kHtml;
  if (name == "epub") return BookFormat::kEpub;
  if (name == "fb2") return BookFormat::kFb2;
  return std::nullopt;
}

std::string_view BookFormatExtension(BookFormat format) {
  switch (format) {
    case BookFormat::kEpub: return "epub";
    case BookFormat::kFb2: return "fb2";
    case BookFormat::kHtml: break;
  }
  return "html";
}

void PrepareOptionsForExport(Options& options) {
  if (options.Text(Opt::HyphFont) != kEveryBreakFont) options.SetFlag(Opt::Hyphenate, false);
}

ExportResult ExportBook(BookFormat format, const std::vector<std::string>& lines,
                        const DocumentProperties& document, const ExportSettings& settings) {
  ExportResult result;
  BookStructure book = BuildBook(lines, document, settings.fallbackTitle);
  AddCover(book, document, settings, result);
  switch (format) {
    case BookFormat::kEpub: {
      const std::vector<ZipEntry> files = EpubFiles(book, FormatTime(settings.now, "%Y-%m-%dT%H:%M:%SZ"));
      ZipResult zip = PackZip(files, settings.now);
      result.ok = zip.ok;
      result.bytes = std::move(zip.bytes);
      result.error = std::move(zip.error);
      break;
    }
    case BookFormat::kFb2:
      result.bytes = WriteFb2(book, FormatTime(settings.now, "%Y-%m-%d"));
      result.ok = true;
      break;
    case BookFormat::kHtml:
      result.error = "HTML is the conversion's own output, not an export";
      break;
  }
  return result;
}

}  // namespace norvella
