#pragma once

// Text between the Windows-1251 core and the Unicode editors. Inside the
// editors a line break is a paragraph break; in the core it is a carriage
// return (a selection) or a CR LF (the whole text). A character that
// Windows-1251 lacks becomes a numeric character reference on the way to
// the core, as in loading, so nothing typed is lost.

#include <string>
#include <string_view>

#include <QString>

class QTextDocument;

namespace norvella {

// Core text (any of CR LF, LF, CR as line breaks) for the editor.
QString CoreToEditor(std::string_view text);
// An editor's text or selection for the core, each line break written as
// `lineBreak`.
std::string EditorToCore(const QString& text, std::string_view lineBreak);
// The whole text of a document, lines ended by CR LF except the last.
std::string DocumentToCore(const QTextDocument& document);
// The length in the editor of core text (a reference is one character
// there only when it came from one, so the text is converted to measure).
int EditorLength(std::string_view text);

}  // namespace norvella
