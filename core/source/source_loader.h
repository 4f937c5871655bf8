#pragma once

// Loading a source file for conversion: the writability probe beside it,
// the large-file guard, recognising documents this program produced, the
// encoding detection and conversion, removal of an old credit footer, and
// the title and text-style detection. The window, the command line and the
// tests all load through LoadSrc and answer its questions through
// SourceQuestions.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/convert/context.h"
#include "core/source/source_state.h"

namespace norvella {

class Options;
class StringTable;

// What the user says a file is. The first four are the entries of the
// source open dialog's filter; kCp1251 (taken as it is, nothing detected)
// exists for the command line.
enum class SourceEncoding {
  kAutodetect,  // "Open as Windows file (&autodetect)"
  kCp866,       // "Open as MS DOS file"
  kKoi8r,       // "Open as KOI8-RU"
  kUtf8,        // "Open as UTF-8 file"
  kCp1251,
};

struct OpenFilterEntry {
  std::string text;
  std::string mask;
  SourceEncoding encoding;
};

// The source open dialog's filter entries in order (filter index 1 first),
// their texts from the interface strings.
std::vector<OpenFilterEntry> SourceOpenFilter(const StringTable& strings);
// The encoding a 1-based filter index forces; out of range is autodetect.
SourceEncoding EncodingOfFilterIndex(int filterIndex);

// Files up to this size load without the large-file question.
inline constexpr std::size_t kLargeFileSize = 2097152;
// Appended to the source file name to name the writability probe.
inline constexpr std::string_view kProbeSuffix = "$$~temp$~marn";
// The header of every document the program produces holds this.
inline constexpr std::string_view kGeneratorMark = "<meta name=\"Generator\" content=\"Norvella\">";

// The "Large file!" dialog as the load prepares it.
struct LargeFileQuestion {
  std::string message;     // LargeFile
  std::string cancelText;  // Cancel of "interface\Controls\main"
  bool neverAskAgain = false;
};

// The "Formating detected" dialog for a document the program produced.
struct ConvertedDocumentQuestion {
  std::string message;  // AlreadyCleared
  bool openForReading = true;  // else open for editing (convert again)
  bool neverAskAgain = false;
};

// The "Wrong encoding detected" question.
struct EncodingQuestion {
  SourceEncoding suspected;  // kCp866 or kKoi8r
  std::string caption;       // WrongCode
  std::string message;       // DosCoded or COICoded
  std::string yes;
  std::string no;
};

// The questions a load asks. The defaults answer as a non-interactive run
// does: load large files, convert a produced document again, trust the
// encoding detection.
class SourceQuestions : public ConversionQuestions {
 public:
  // True to proceed; may tick neverAskAgain.
  virtual bool ProceedWithLargeFile(LargeFileQuestion& /*question*/) { return true; }
  // False when cancelled; otherwise says how to open the document.
  virtual bool ResolveConvertedDocument(ConvertedDocumentQuestion& question) {
    question.openForReading = false;
    return true;
  }
  // True (Yes) to convert the text from the suspected encoding.
  virtual bool ConvertEncoding(const EncodingQuestion& /*question*/) { return true; }
};

struct SourceLoadContext {
  Options& options;
  const StringTable& strings;
  DocumentProperties& document;
  SourceState& state;
  SourceQuestions& questions;
  StatusReporter* status = nullptr;
};

enum class LoadOutcome {
  kLoaded,          // text holds the source, ready for the conversion
  kOpenForReading,  // a produced document the user wants to read
  kCancelled,       // the user declined; nothing loaded
  kEmpty,           // the file holds no text; nothing loaded
  kReadOnlyFolder,  // the source folder is not writable; nothing loaded
  kFailed,          // the file could not be opened or read; nothing loaded
};

struct LoadResult {
  LoadOutcome outcome = LoadOutcome::kFailed;
  std::string text;   // kLoaded: the Windows-1251 source
  std::string error;  // kReadOnlyFolder, kFailed: the message to show
  // The file carries the generator mark.
  bool alreadyConverted = false;
  // The encoding the text was converted from (kCp1251: none).
  SourceEncoding convertedFrom = SourceEncoding::kCp1251;
  // The style autodetection applied, or -1 when it is off.
  int detectedStyle = -1;
};

// Creates and deletes a probe file beside the source ("file name" +
// kProbeSuffix, "$~" appended while such a file exists). Returns 0 when the
// folder is writable, else the system's error number. The probe is removed
// whenever it was created; existing files are never touched.
int ProbeWritableFolder(const std::string& fileName);

// Reads, checks and converts a source file: sets the preview path, asks
// about a large file, reads the file and hands its bytes to
// LoadSourceBytes.
LoadResult ReadSourceFile(const std::string& fileName, SourceEncoding encoding,
                          SourceLoadContext& ctx);

// Loads the bytes of a source: clears title and author, recognises
// produced documents, converts the encoding, removes the credit footer,
// finds title and author and applies the detected text style. The file name
// (of the file the bytes came from) names the window's caption.
LoadResult LoadSourceBytes(std::string bytes, std::string_view fileName, SourceEncoding encoding,
                           SourceLoadContext& ctx);

// The whole load of a chosen file: the writability probe, then
// ReadSourceFile. On kLoaded the caller hands the text to the conversion
// (the window first leaves the reader mode and, in the advanced mode with
// the source editor, only fills the editor); on kOpenForReading it opens the
// file in the reader; on kReadOnlyFolder and kFailed it shows the error with
// the caption Error.
LoadResult LoadSrc(const std::string& fileName, SourceEncoding encoding, SourceLoadContext& ctx);

}  // namespace norvella
