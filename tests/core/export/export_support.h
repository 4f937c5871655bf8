#pragma once

// Reading exported books back in tests: the entries of a ZIP archive, XML
// well-formedness and validation against an XML schema.

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>
#include <zip.h>

#include <string>
#include <utility>
#include <vector>

namespace norvella::test {

struct ArchiveEntry {
  std::string name;
  std::string data;
  bool stored = false;
  int extraFieldBytes = 0;
  bool intact = false;  // read whole, its checksum right
};

// The entries in archive order; empty when the bytes are no archive.
inline std::vector<ArchiveEntry> ReadArchive(const std::string& bytes) {
  std::vector<ArchiveEntry> entries;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* za = src ? zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
  if (!za) {
    if (src) zip_source_free(src);
    zip_error_fini(&error);
    return entries;
  }
  const zip_int64_t n = zip_get_num_entries(za, 0);
  for (zip_int64_t i = 0; i < n; ++i) {
    const auto at = static_cast<zip_uint64_t>(i);
    zip_stat_t st;
    zip_stat_index(za, at, 0, &st);
    ArchiveEntry e;
    e.name = st.name;
    e.stored = st.comp_method == ZIP_CM_STORE;
    e.extraFieldBytes = zip_file_extra_fields_count(za, at, ZIP_FL_LOCAL);
    // One byte more than the entry holds, so that the read meets the end
    // of the data, where the archive checks the checksum.
    e.data.resize(static_cast<std::size_t>(st.size) + 1);
    zip_file_t* f = zip_fopen_index(za, at, 0);
    if (f) {
      const zip_int64_t read = zip_fread(f, e.data.data(), st.size + 1);
      e.intact = read == static_cast<zip_int64_t>(st.size);
      zip_fclose(f);
    }
    e.data.resize(static_cast<std::size_t>(st.size));
    entries.push_back(std::move(e));
  }
  zip_close(za);
  zip_error_fini(&error);
  return entries;
}

inline const ArchiveEntry* FindEntry(const std::vector<ArchiveEntry>& entries, const std::string& name) {
  for (const ArchiveEntry& e : entries)
    if (e.name == name) return &e;
  return nullptr;
}

inline bool WellFormedXml(const std::string& text) {
  xmlDoc* doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8",
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc) return false;
  xmlFreeDoc(doc);
  return true;
}

// 0 when the document is valid against the schema file, else the error
// count (or -1 when the schema or the document cannot be read).
inline int SchemaErrors(const std::string& schemaPath, const std::string& text) {
  xmlSchemaParserCtxt* pc = xmlSchemaNewParserCtxt(schemaPath.c_str());
  xmlSchema* schema = pc ? xmlSchemaParse(pc) : nullptr;
  if (pc) xmlSchemaFreeParserCtxt(pc);
  if (!schema) return -1;
  xmlDoc* doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8", XML_PARSE_NONET);
  int result = -1;
  if (doc) {
    xmlSchemaValidCtxt* vc = xmlSchemaNewValidCtxt(schema);
    result = xmlSchemaValidateDoc(vc, doc);
    xmlSchemaFreeValidCtxt(vc);
    xmlFreeDoc(doc);
  }
  xmlSchemaFree(schema);
  return result;
}

}  // namespace norvella::test
