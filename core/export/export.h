#pragma once

// Exporting a finished conversion as a book for today's readers: EPUB 3 or
// FictionBook 2.1. The HTML document stays the program's own output; the
// export reads it once into the structure of the book and writes that.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvella {

class Options;
struct DocumentProperties;

enum class BookFormat { kHtml, kEpub, kFb2 };

// "html", "epub" or "fb2"; nothing for any other name.
std::optional<BookFormat> ParseBookFormat(std::string_view name);
// The file extension of the format, without the dot.
std::string_view BookFormatExtension(BookFormat format);

// Options for a conversion that is to be exported: readers hyphenate
// themselves, so the device hyphenation marks are not inserted; soft
// hyphens at every break (the "totaly &shy;" font) may stay.
void PrepareOptionsForExport(Options& options);

struct ExportSettings {
  std::string fallbackTitle;   // UTF-8: the book's title when the document has none
  std::string documentFolder;  // the cover picture's name is relative to it
  std::time_t now = 0;         // the modification date written into the book
};

struct ExportResult {
  bool ok = false;
  std::string bytes;  // the file's contents
  std::string error;
  std::vector<std::string> warnings;  // e.g. a cover picture that could not be used
};

// The book of a finished working list (Windows-1251 lines) in EPUB or FB2.
ExportResult ExportBook(BookFormat format, const std::vector<std::string>& lines,
                        const DocumentProperties& document, const ExportSettings& settings);

}  // namespace norvella
