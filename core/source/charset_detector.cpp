#include "core/source/charset_detector.h"

#include <uchardet.h>

#include <memory>
#include <type_traits>

namespace norvella {
namespace {

struct DetectorDeleter {
  void operator()(uchardet_t detector) const { uchardet_delete(detector); }
};

class UchardetDetector final : public CharsetDetector {
 public:
  std::string Detect(std::string_view text) const override {
    // A fresh detector per text: its state is not shared between loads, so
    // concurrent loads need no lock.
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, DetectorDeleter> detector(uchardet_new());
    if (!detector) return {};
    // Letter statistics settle long before a book's end: a long text is
    // judged by three pieces of it (its start, middle and end), which keeps
    // a 2 MB book from spending most of its conversion here.
    constexpr std::size_t kPiece = 32 * 1024;
    if (text.size() <= 3 * kPiece) {
      if (uchardet_handle_data(detector.get(), text.data(), text.size()) != 0) return {};
    } else {
      for (const std::size_t from : {std::size_t{0}, (text.size() - kPiece) / 2, text.size() - kPiece})
        if (uchardet_handle_data(detector.get(), text.data() + from, kPiece) != 0) return {};
    }
    uchardet_data_end(detector.get());
    const char* name = uchardet_get_charset(detector.get());
    return name ? std::string(name) : std::string();
  }
};

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    char c = a[k];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != b[k]) return false;
  }
  return true;
}

}  // namespace

const CharsetDetector& SystemCharsetDetector() {
  static const UchardetDetector detector;
  return detector;
}

CyrillicCharset CharsetOfName(std::string_view name) {
  for (const std::string_view n : {"IBM866", "CP866"})
    if (SameName(name, n)) return CyrillicCharset::kCp866;
  for (const std::string_view n : {"KOI8-R"})
    if (SameName(name, n)) return CyrillicCharset::kKoi8r;
  for (const std::string_view n : {"ISO-8859-5"})
    if (SameName(name, n)) return CyrillicCharset::kIso88595;
  for (const std::string_view n : {"MAC-CYRILLIC", "MACCYRILLIC", "X-MAC-CYRILLIC"})
    if (SameName(name, n)) return CyrillicCharset::kMacCyrillic;
  return CyrillicCharset::kUnknown;
}

}  // namespace norvella
