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

#include "core/base/result.h"
#include "core/convert/context.h"
#include "core/source/charset_detector.h"
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

// Asked about a file that does not look like a text or HTML file.
struct NotTextQuestion {
  std::string message;   // NotText; "%s" stands for the file name
  std::string fileName;  // in the system's encoding
};

// The "Wrong encoding detected" question.
// kUtf8 stands for a text that is decoded through Unicode (ISO-8859-5, Mac
// Cyrillic), messageKey telling which.
struct EncodingQuestion {
  SourceEncoding suspected;  // kCp866, kKoi8r or kUtf8
  std::string caption;       // WrongCode
  std::string message;       // the string of messageKey
  std::string yes;
  std::string no;
  std::string messageKey;    // DosCoded, COICoded, ISOCoded or MacCoded
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
  // True (Yes) to open a file that does not look like text; nobody asked
  // says No.
  virtual bool OpenNotText(const NotTextQuestion& /*question*/) { return false; }
};

struct SourceLoadContext {
  Options& options;
  const StringTable& strings;
  DocumentProperties& document;
  SourceState& state;
  SourceQuestions& questions;
  StatusReporter* status = nullptr;
  // Asked when the byte scores leave a text as Windows-1251 and nothing
  // was forced; null asks nobody.
  const CharsetDetector* charsetDetector = &SystemCharsetDetector();
};

// Who decided the encoding a text was read in.
enum class EncodingFinder {
  kNone,           // nothing did: the text was taken as Windows-1251
  kUser,           // forced by the open filter or the command line
  kRules,          // the byte-order mark, UTF-8 check or byte scores
  kSecondOpinion,  // the charset detector
};

enum class LoadOutcome {
  kLoaded,          // text holds the source, ready for the conversion
  kOpenForReading,  // a produced document the user wants to read
  kCancelled,       // the user declined; nothing loaded
  kEmpty,           // the file holds no text; nothing loaded
  kNotText,         // the file does not look like text and was not opened
  kReadOnlyFolder,  // the source folder is not writable; nothing loaded
  kFailed,          // the file could not be opened or read; nothing loaded
};

struct LoadResult {
  LoadOutcome outcome = LoadOutcome::kFailed;
  std::string text;   // kLoaded: the Windows-1251 source
  // kReadOnlyFolder: the interface's message (the reason is empty);
  // kFailed: the system's reason (the message is empty).
  Error error;
  // The file carries the generator mark.
  bool alreadyConverted = false;
  // The encoding the text was converted from (kCp1251: none).
  SourceEncoding convertedFrom = SourceEncoding::kCp1251;
  // The encoding the text was read in ("Windows-1251", "CP866", "KOI8-R",
  // "UTF-8", "UTF-16", "ISO-8859-5", "Mac Cyrillic") and who decided it.
  std::string encodingName = "Windows-1251";
  EncodingFinder foundBy = EncodingFinder::kNone;
  // The style autodetection applied, or -1 when it is off.
  int detectedStyle = -1;
};

// Creates and deletes a probe file beside the source ("file name" +
// kProbeSuffix, "$~" appended while such a file exists). Returns 0 when the
// folder is writable, else the system's error number. The probe is removed
// whenever it was created; existing files are never touched.
int ProbeWritableFolder(const std::string& fileName);

// Reads, checks and converts a source file: asks about a large file, reads
// it, refuses one that holds no text and asks about one that does not look
// like text (both before anything of the current document changes), sets
// the preview path and hands the bytes to LoadSourceBytes.
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
