#pragma once

// Title and author of a loaded source: the search in its first characters,
// the split of "Author. Title" and the short title for the <title> element.

#include <string>
#include <string_view>

#include "core/convert/context.h"

namespace norvella {

class Options;

// Looks for the author meta tag and the <title> element in the first 3000
// characters; sets the author and the title when found.
void FindTitle(std::string_view text, DocumentProperties& doc, StatusReporter* status);

// With "Try split title" on, a title holding a full stop and no author
// becomes author (before the first full stop) and title (after it and the
// character that follows, normally a space).
void SplitTitle(DocumentProperties& doc, const Options& options);

// The first 35 characters of author + " " + title (or of the title alone),
// with Cyrillic letters transliterated to Latin ones.
std::string MakeShortTitle(const DocumentProperties& doc, bool addAuthor);
std::string Transliterate(std::string_view text);

// The whole sequence a load runs: search, split, short title, and the
// "Document properties" question when "Ask about title" is on.
void DetectDocumentTitle(std::string_view text, DocumentProperties& doc, Options& options,
                         ConversionQuestions& questions, StatusReporter* status);

}  // namespace norvella
