#pragma once

// The editors as the converter sees them: in the advanced mode the source
// editor holds the source text and the HTML editor the produced document,
// instead of the lists the converter keeps otherwise.

#include <string>
#include <string_view>
#include <vector>

namespace norvella {

class ConverterEditors {
 public:
  virtual ~ConverterEditors() = default;
  // The source editor's whole text (Windows-1251, CR LF line breaks).
  virtual std::string SourceText() = 0;
  // Fills the source editor; the undo steps of the old text go.
  virtual void PutSourceText(std::string_view text) = 0;
  // The HTML editor's lines.
  virtual std::vector<std::string> ResultLines() = 0;
  // Fills the HTML editor with a conversion's result and clears its
  // modified mark; the caret stays where it was.
  virtual void PutResult(const std::vector<std::string>& lines) = 0;
  // The user changed the HTML since the last result was put there.
  virtual bool ResultModified() const = 0;
  virtual bool ResultEmpty() const = 0;
};

}  // namespace norvella
