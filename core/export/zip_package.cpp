#include "core/export/zip_package.h"

#include <zip.h>

#include <memory>

namespace norvella {
namespace {

std::string ErrorText(zip_error_t* error) {
  std::string text = zip_error_strerror(error);
  return text;
}

}  // namespace

ZipResult PackZip(const std::vector<ZipEntry>& entries, std::time_t mtime) {
  ZipResult result;
  zip_error_t error;
  zip_error_init(&error);
  // The archive is written into a growing buffer source, kept open after
  // the archive is closed so that its bytes can be read back.
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  if (!buffer) {
    result.error = ErrorText(&error);
    zip_error_fini(&error);
    return result;
  }
  zip_source_keep(buffer);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  if (!archive) {
    result.error = ErrorText(&error);
    zip_error_fini(&error);
    zip_source_free(buffer);
    return result;
  }
  bool ok = true;
  for (const ZipEntry& entry : entries) {
    // The archive copies nothing: the entries outlive zip_close below.
    zip_source_t* data = zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
    const zip_int64_t index =
        data ? zip_file_add(archive, entry.path.c_str(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
    if (index < 0) {
      if (data) zip_source_free(data);
      ok = false;
      break;
    }
    const auto at = static_cast<zip_uint64_t>(index);
    // The fastest deflate level: a book is text and shrinks well at any
    // level, and the higher ones take several times as long.
    if (zip_set_file_compression(archive, at, entry.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                 entry.compress ? 1 : 0) != 0 ||
        zip_file_set_mtime(archive, at, mtime, 0) != 0) {
      ok = false;
      break;
    }
  }
  if (!ok) {
    result.error = zip_strerror(archive);
    zip_discard(archive);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return result;
  }
  if (zip_close(archive) != 0) {
    result.error = zip_strerror(archive);
    zip_discard(archive);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return result;
  }
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_source_stat(buffer, &st) == 0 && zip_source_open(buffer) == 0) {
    result.bytes.resize(static_cast<std::size_t>(st.size));
    const zip_int64_t read = zip_source_read(buffer, result.bytes.data(), st.size);
    zip_source_close(buffer);
    result.ok = read == static_cast<zip_int64_t>(st.size);
    if (!result.ok) result.error = "the archive could not be read back";
  } else {
    result.error = zip_error_strerror(zip_source_error(buffer));
  }
  zip_source_free(buffer);
  zip_error_fini(&error);
  return result;
}

}  // namespace norvella
