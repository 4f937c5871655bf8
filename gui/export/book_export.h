#pragma once

// Exporting the converter's current result as an EPUB or FB2 book file.

#include <string>
#include <vector>

#include "core/base/file_io.h"
#include "core/export/export.h"

namespace norvella {

class ConverterController;

struct BookExportOutcome {
  FileResult file;
  std::vector<std::string> warnings;
};

// Writes the current result as a book to `path` (a file-system path),
// through a temporary file and a rename. The result is used as it stands
// (edits made in the HTML tab included), unless it carries device
// hyphenation marks: then the kept source is converted once more without
// them, with no questions asked, and the kept result stays as it is.
BookExportOutcome ExportCurrentBook(ConverterController& controller, BookFormat format,
                                    const std::string& path);

}  // namespace norvella
