#pragma once

// A book as a FictionBook 2.1 document: the description (title, author,
// genre, language; the program, date and identifier of this document), the
// body as nested sections, the notes as a second body, the cover as a
// base64 binary.

#include <string>

#include "core/export/book.h"

namespace norvella {

// `date` is CCYY-MM-DD.
std::string WriteFb2(const BookStructure& book, const std::string& date);

// Base64 with line breaks every 76 characters.
std::string Base64(std::string_view bytes);

}  // namespace norvella
