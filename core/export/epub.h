#pragma once

// A book as an EPUB 3 publication, with an EPUB 2 contents file (NCX) for
// older readers: one XHTML file per top-level section, a title page, the
// cover picture, the end notes as footnotes and a small style sheet.

#include <string>
#include <vector>

#include "core/export/book.h"
#include "core/export/zip_package.h"

namespace norvella {

// The files of the publication in package order: "mimetype" first (stored,
// not compressed), then META-INF/container.xml and the content.
// `modified` is the modification date, CCYY-MM-DDThh:mm:ssZ.
std::vector<ZipEntry> EpubFiles(const BookStructure& book, const std::string& modified);

}  // namespace norvella
