// The registry export-file parser: import, then write the store back and
// read that again; what was written must parse.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/settings/reg_file.h"
#include "core/settings/registry.h"

using namespace norvella;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const RegFileContents contents = ParseRegFile(bytes);
  if (!contents.ok) return 0;
  Registry registry;
  ApplyRegFile(contents, registry);
  const std::string written = WriteRegFile(registry);
  const RegFileContents again = ParseRegFile(written);
  if (!again.ok) std::abort();  // the store could not read its own file back
  return 0;
}
