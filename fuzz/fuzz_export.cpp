// The book exporter on any HTML: reading it into a book must not fail, and
// whatever the book holds, the FictionBook document and every XML file of
// the EPUB must be well-formed XML.

#include <libxml/parser.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/export/book_builder.h"
#include "core/export/epub.h"
#include "core/export/fb2.h"

using namespace norvella;

namespace {

bool WellFormed(const std::string& xml) {
  xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, "UTF-8",
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc) return false;
  xmlFreeDoc(doc);
  return true;
}

bool IsXml(const std::string& path) {
  for (const char* end : {".xhtml", ".opf", ".ncx", ".xml"})
    if (path.size() >= std::string(end).size() && path.compare(path.size() - std::string(end).size(), std::string::npos, end) == 0)
      return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string html(reinterpret_cast<const char*>(data), size);
  BookInfo info;
  info.fallbackTitle = "fallback";
  const BookStructure book = BuildBookFromHtml(html, info);
  if (!WellFormed(WriteFb2(book, "2026-01-01"))) std::abort();
  for (const ZipEntry& file : EpubFiles(book, "2026-01-01T00:00:00Z"))
    if (IsXml(file.path) && !WellFormed(file.data)) std::abort();
  return 0;
}
