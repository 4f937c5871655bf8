#include "core/editor/end_note.h"

#include <cctype>
#include <memory>
#include <random>

#include "core/base/text.h"
#include "core/i18n/strings.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

constexpr std::size_t kTitleCharacters = 10;

// The length of a character reference ("&#8594;", "&#x2192;") at `at`, or 0.
std::size_t ReferenceAt(std::string_view text, std::size_t at) {
  if (text.compare(at, 2, "&#") != 0) return 0;
  std::size_t i = at + 2;
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  const std::size_t digits = i;
  while (i < text.size() && (hex ? std::isxdigit(static_cast<unsigned char>(text[i])) != 0
                                 : std::isdigit(static_cast<unsigned char>(text[i])) != 0))
    ++i;
  if (i == digits || i >= text.size() || text[i] != ';') return 0;
  return i + 1 - at;
}

}  // namespace

EndNoteRandom DefaultEndNoteRandom() {
  auto engine = std::make_shared<std::mt19937>(std::random_device{}());
  return [engine] { return std::uniform_int_distribution<int>(0, 2147483646)(*engine); };
}

std::string NewEndNoteId(const EndNoteRandom& random) {
  const int first = random();
  const int second = random();
  return std::to_string(first) + "~~" + std::to_string(second);
}

std::optional<std::string> EndNoteRefusal(const Options& options, const StringTable& strings) {
  if (!options.Flag(Opt::KillLinks)) return std::nullopt;
  return strings.Message("CantEnterLink");
}

std::string EndNoteTitle(std::string_view selection) {
  std::size_t end = 0;
  for (std::size_t count = 0; count < kTitleCharacters && end < selection.size(); ++count) {
    const std::size_t reference = ReferenceAt(selection, end);
    end += reference > 0 ? reference : 1;
  }
  return std::string(selection.substr(0, end)) + "...";
}

EndNote MakeEndNote(std::string_view id, std::string_view title, std::string_view body, std::size_t lineCount,
                    std::string_view lastLine) {
  EndNote note;
  note.link.append("<a href=\"#").append(id).append("\" name=\"").append(id);
  note.link.append("back\" id=\"Norvella~link\">").append(title).append("</a>");
  note.note.append("<hr size=\"0\" id=\"norvella\"><a id=\"NorvellaEndlink\" name=\"").append(id);
  note.note.append("\">").append(body).append("</a> <a href=\"#").append(id).append("back\">[^^Back^^]</a>");
  // Two lines above the end; a document of a single such line gets the note
  // in front of it rather than at an index before the first line.
  if (lineCount > 0 && Contains(lastLine, "</body></html>")) note.noteLine = lineCount >= 2 ? lineCount - 2 : 0;
  else note.noteLine = lineCount;
  return note;
}

}  // namespace norvella
