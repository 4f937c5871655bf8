#include "core/export/book.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdio>
#include <system_error>

namespace norvella {
namespace {

// SHA-1, for the name-based identifier only (not for security).
class Sha1 {
 public:
  void Add(std::string_view data) {
    length_ += data.size();
    while (!data.empty()) {
      const std::size_t n = std::min(data.size(), block_.size() - used_);
      std::memcpy(block_.data() + used_, data.data(), n);
      used_ += n;
      data.remove_prefix(n);
      if (used_ == 64) Compress();
    }
  }
  void Add(char c) { Add(std::string_view(&c, 1)); }

  std::array<std::uint8_t, 20> Finish() {
    const std::uint64_t bits = length_ * 8;
    block_[used_++] = 0x80;
    if (used_ > 56) {
      while (used_ < 64) block_[used_++] = 0;
      Compress();
    }
    while (used_ < 56) block_[used_++] = 0;
    for (int i = 7; i >= 0; --i) block_[used_++] = static_cast<std::uint8_t>(bits >> (i * 8));
    Compress();
    std::array<std::uint8_t, 20> out{};
    for (std::size_t i = 0; i < 20; ++i)
      out[i] = static_cast<std::uint8_t>(h_[i / 4] >> (24 - 8 * (i % 4)));
    return out;
  }

 private:
  static std::uint32_t Rotl(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

  void Compress() {
    std::array<std::uint32_t, 80> w{};
    for (std::size_t i = 0; i < 16; ++i)
      w[i] = static_cast<std::uint32_t>(block_[4 * i]) << 24 |
             static_cast<std::uint32_t>(block_[4 * i + 1]) << 16 |
             static_cast<std::uint32_t>(block_[4 * i + 2]) << 8 | block_[4 * i + 3];
    for (std::size_t i = 16; i < 80; ++i) w[i] = Rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    std::uint32_t a = h_[0], b = h_[1], c = h_[2], d = h_[3], e = h_[4];
    // The four kinds of round in loops of their own: no test of the round
    // number inside, which a whole book's text otherwise pays for.
    const auto round = [&](std::uint32_t f, std::uint32_t k, std::uint32_t word) {
      const std::uint32_t t = Rotl(a, 5) + f + e + k + word;
      e = d, d = c, c = Rotl(b, 30), b = a, a = t;
    };
    for (std::size_t i = 0; i < 20; ++i) round((b & c) | (~b & d), 0x5A827999, w[i]);
    for (std::size_t i = 20; i < 40; ++i) round(b ^ c ^ d, 0x6ED9EBA1, w[i]);
    for (std::size_t i = 40; i < 60; ++i) round((b & c) | (b & d) | (c & d), 0x8F1BBCDC, w[i]);
    for (std::size_t i = 60; i < 80; ++i) round(b ^ c ^ d, 0xCA62C1D6, w[i]);
    h_[0] += a, h_[1] += b, h_[2] += c, h_[3] += d, h_[4] += e;
    used_ = 0;
  }

  std::array<std::uint32_t, 5> h_{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
  std::array<std::uint8_t, 64> block_{};
  std::size_t used_ = 0;
  std::uint64_t length_ = 0;
};

// The paragraph's plain text and a line end, run by run.
void HashParagraph(Sha1& sha, const BookParagraph& p) {
  for (const BookRun& run : p.runs) sha.Add(run.text);
  sha.Add('\n');
}

void HashQuote(Sha1& sha, const BookQuote& q) {
  for (const BookParagraph& p : q.lines) HashParagraph(sha, p);
  for (const BookParagraph& p : q.authors) HashParagraph(sha, p);
}

void HashSection(Sha1& sha, const BookSection& s) {
  for (const BookParagraph& p : s.title) HashParagraph(sha, p);
  for (const BookQuote& q : s.epigraphs) HashQuote(sha, q);
  for (const BookBlock& b : s.blocks) {
    if (b.kind == BookBlock::Kind::kParagraph) HashParagraph(sha, b.paragraph);
    else HashQuote(sha, b.quote);
  }
  for (const BookSection& c : s.children) HashSection(sha, c);
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : text) {
    if (c == ' ' || c == '\t') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

}  // namespace

std::string BookParagraph::PlainText() const {
  std::string text;
  for (const BookRun& run : runs) text += run.text;
  return text;
}

std::string BookSection::TitleText() const {
  std::string text;
  for (const BookParagraph& line : title) {
    if (!text.empty()) text += ' ';
    text += line.PlainText();
  }
  return text;
}

std::string BookStructure::Identifier() const {
  Sha1 sha;
  // The UUID namespace of this program's books, then the book's text.
  sha.Add("norvella-book\n");
  sha.Add(title);
  sha.Add('\n');
  sha.Add(author);
  sha.Add('\n');
  HashSection(sha, body);
  for (const BookNote& note : notes)
    for (const BookParagraph& p : note.body) HashParagraph(sha, p);
  std::array<std::uint8_t, 20> d = sha.Finish();
  d[6] = static_cast<std::uint8_t>((d[6] & 0x0F) | 0x50);  // version 5
  d[8] = static_cast<std::uint8_t>((d[8] & 0x3F) | 0x80);  // RFC 4122 variant
  std::string out = "urn:uuid:";
  for (std::size_t i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", d[i]);
    out += hex;
  }
  return out;
}

std::future<std::string> IdentifierInBackground(const BookStructure& book) {
  const auto work = [&book] { return book.Identifier(); };
  try {
    return std::async(std::launch::async, work);
  } catch (const std::system_error&) {
    return std::async(std::launch::deferred, work);
  }
}

std::optional<BookPicture> RecognisePicture(std::string bytes) {
  auto starts = [&](std::string_view sig) { return bytes.compare(0, sig.size(), sig) == 0; };
  BookPicture picture;
  if (starts("\x89PNG\r\n\x1a\n")) picture.mediaType = "image/png", picture.extension = "png";
  else if (starts("\xFF\xD8\xFF")) picture.mediaType = "image/jpeg", picture.extension = "jpg";
  else if (starts("GIF87a") || starts("GIF89a")) picture.mediaType = "image/gif", picture.extension = "gif";
  else return std::nullopt;
  picture.bytes = std::move(bytes);
  return picture;
}

PersonName SplitPersonName(const std::string& name) {
  const std::vector<std::string> words = Words(name);
  PersonName out;
  if (words.size() == 1) {
    out.nickname = words[0];
  } else if (words.size() >= 2) {
    out.first = words.front();
    out.last = words.back();
    for (std::size_t i = 1; i + 1 < words.size(); ++i) {
      if (!out.middle.empty()) out.middle += ' ';
      out.middle += words[i];
    }
  }
  return out;
}

}  // namespace norvella
