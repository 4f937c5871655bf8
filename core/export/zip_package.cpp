#include "core/export/zip_package.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <system_error>
#include <thread>

namespace norvella {
namespace {

std::string ErrorText(zip_error_t* error) {
  std::string text = zip_error_strerror(error);
  return text;
}

// An entry's data deflated ahead of the archive, with what its directory
// record needs.
struct Deflated {
  std::string data;
  std::uint32_t crc = 0;
  std::uint64_t size = 0;
};

// Raw deflate (no zlib wrapper, as ZIP stores it) at the fastest level: a
// book is text and shrinks well at any level, and the higher ones take
// several times as long. Nothing when zlib refuses.
std::optional<Deflated> Deflate(const std::string& data) {
  if (data.size() > std::numeric_limits<uInt>::max()) return std::nullopt;
  z_stream z{};
  if (deflateInit2(&z, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return std::nullopt;
  Deflated out;
  out.size = data.size();
  out.data.resize(deflateBound(&z, static_cast<uLong>(data.size())));
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data.data());
  z.avail_out = static_cast<uInt>(out.data.size());
  const int status = deflate(&z, Z_FINISH);
  const uLong written = z.total_out;
  deflateEnd(&z);
  if (status != Z_STREAM_END) return std::nullopt;
  out.data.resize(written);
  out.crc = static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
  return out;
}

// Deflates the entries to compress on all processors at once, since the
// archive itself would compress them one after another at close. An entry
// left without a result is compressed by the archive as usual.
std::vector<std::optional<Deflated>> DeflateAll(const std::vector<ZipEntry>& entries) {
  std::vector<std::optional<Deflated>> results(entries.size());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i = next++; i < entries.size(); i = next++)
      if (entries[i].compress && !entries[i].data.empty()) results[i] = Deflate(entries[i].data);
  };
  const std::size_t helpers =
      std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()) - 1, entries.size());
  std::vector<std::thread> threads;
  try {
    for (std::size_t i = 0; i < helpers; ++i) threads.emplace_back(work);
  } catch (const std::system_error&) {
    // No thread to be had: this one does the rest alone.
  }
  work();
  for (std::thread& t : threads) t.join();
  return results;
}

// A source that hands the archive data already deflated: its stat tells
// the method, the sizes and the checksum, so the archive copies the bytes
// as they are instead of compressing them again.
struct DeflatedReading {
  const Deflated* deflated = nullptr;
  std::size_t at = 0;
  zip_error_t error{};
};

zip_int64_t DeflatedSource(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  auto* reading = static_cast<DeflatedReading*>(state);
  const Deflated& d = *reading->deflated;
  switch (command) {
    case ZIP_SOURCE_OPEN:
      reading->at = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      const std::size_t n = std::min<std::size_t>(length, d.data.size() - reading->at);
      std::memcpy(data, d.data.data() + reading->at, n);
      reading->at += n;
      return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_STAT: {
      if (length < sizeof(zip_stat_t)) {
        zip_error_set(&reading->error, ZIP_ER_INVAL, 0);
        return -1;
      }
      auto* st = static_cast<zip_stat_t*>(data);
      zip_stat_init(st);
      st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC |
                  ZIP_STAT_ENCRYPTION_METHOD;
      st->size = d.size;
      st->comp_size = d.data.size();
      st->comp_method = ZIP_CM_DEFLATE;
      st->encryption_method = ZIP_EM_NONE;
      st->crc = d.crc;
      return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&reading->error, data, length);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&reading->error);
      delete reading;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                            ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      zip_error_set(&reading->error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

zip_source_t* DeflatedSourceOf(zip_t* archive, const Deflated& deflated) {
  auto* state = new DeflatedReading;
  state->deflated = &deflated;
  zip_error_init(&state->error);
  zip_source_t* source = zip_source_function(archive, DeflatedSource, state);
  if (!source) {
    zip_error_fini(&state->error);
    delete state;
  }
  return source;
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
  const std::vector<std::optional<Deflated>> deflated = DeflateAll(entries);
  bool ok = true;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ZipEntry& entry = entries[i];
    // The archive copies nothing: the entries and their deflated data
    // outlive zip_close below.
    zip_source_t* data = deflated[i] ? DeflatedSourceOf(archive, *deflated[i])
                                     : zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
    const zip_int64_t index =
        data ? zip_file_add(archive, entry.path.c_str(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
    if (index < 0) {
      if (data) zip_source_free(data);
      ok = false;
      break;
    }
    const auto at = static_cast<zip_uint64_t>(index);
    // Deflated data keeps the archive's default method, which takes the
    // source's; anything else is stored or compressed at the fastest level.
    if ((!deflated[i] && zip_set_file_compression(archive, at, entry.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                                  entry.compress ? 1 : 0) != 0) ||
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
