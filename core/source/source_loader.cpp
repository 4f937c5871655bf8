#include "core/source/source_loader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "core/base/file_io.h"
#include "core/convert/text_style.h"
#include "core/convert/title.h"
#include "core/i18n/strings.h"
#include "core/i18n/templates.h"
#include "core/settings/options.h"
#include "core/source/encodings.h"

namespace norvella {
namespace {

// The longest file name (one path component) the usual file systems take.
constexpr std::size_t kNameMax = 255;

std::string SystemError(const std::string& fileName, int err) {
  return fileName + ": " + std::strerror(err);
}

LoadResult Failed(LoadOutcome outcome, Error error) {
  LoadResult result;
  result.outcome = outcome;
  result.error = std::move(error);
  return result;
}

// The probe's name for the given number of "$~" appended. The file name is
// cut when the probe's name would be longer than a file system allows, so
// that a long book name does not pass for a read-only folder.
std::string ProbeName(const std::string& fileName, int extra) {
  const auto slash = fileName.find_last_of('/');
  const std::size_t baseStart = slash == std::string::npos ? 0 : slash + 1;
  std::string tail(kProbeSuffix);
  for (int k = 0; k < extra; ++k) tail += "$~";
  std::string base = fileName.substr(baseStart);
  if (base.size() + tail.size() > kNameMax)
    base.resize(tail.size() < kNameMax ? kNameMax - tail.size() : 0);
  return fileName.substr(0, baseStart) + base + tail;
}

bool AskEncoding(SourceLoadContext& ctx, SourceEncoding suspected, std::string_view messageKey) {
  EncodingQuestion question{suspected,
                            ctx.strings.Message("WrongCode"),
                            ctx.strings.Message(messageKey),
                            ctx.strings.Message("Yes"),
                            ctx.strings.Message("No"),
                            std::string(messageKey)};
  return ctx.questions.ConvertEncoding(question);
}

// What the encoding step did to a single-byte text.
struct SingleByteFinding {
  SourceEncoding convertedFrom = SourceEncoding::kCp1251;
  EncodingFinder foundBy = EncodingFinder::kNone;
  // A score fired, whatever the answer: the second opinion is not asked.
  bool scoreFired = false;
};

// Detects and converts CP866 and KOI8-R. A forced encoding is applied
// without a question; when the other encoding's question is asked instead
// and declined, the forced conversion still applies, since that is what the
// user asked for.
SingleByteFinding ConvertSingleByteEncoding(std::string& text, SourceEncoding encoding,
                                            SourceLoadContext& ctx) {
  SingleByteFinding finding;
  if (DosScore(text) > kDosScoreThreshold && encoding != SourceEncoding::kCp866) {
    finding.scoreFired = true;
    if (AskEncoding(ctx, SourceEncoding::kCp866, "DosCoded")) {
      text = OemToAnsi(text);
      return {SourceEncoding::kCp866, EncodingFinder::kRules, true};
    }
  } else if (KoiScore(text) > kKoiScoreThreshold && encoding != SourceEncoding::kKoi8r) {
    finding.scoreFired = true;
    if (AskEncoding(ctx, SourceEncoding::kKoi8r, "COICoded")) {
      text = Koi8ToAnsi(text);
      return {SourceEncoding::kKoi8r, EncodingFinder::kRules, true};
    }
  }
  if (encoding == SourceEncoding::kCp866) {
    text = OemToAnsi(text);
    return {SourceEncoding::kCp866, EncodingFinder::kUser, finding.scoreFired};
  }
  if (encoding == SourceEncoding::kKoi8r) {
    text = Koi8ToAnsi(text);
    return {SourceEncoding::kKoi8r, EncodingFinder::kUser, finding.scoreFired};
  }
  return finding;
}

// The fewest Cyrillic letters, and the least share of the common Russian
// letters among them, a re-read text must show before it is offered.
constexpr std::size_t kMinPlausibleLetters = 40;
constexpr double kMinPlausibleShare = 0.4;

struct SecondReading {
  std::string text;
  SourceEncoding convertedFrom;
  std::string_view messageKey;
  std::string_view name;
};

// Asks the charset detector about a text the scores left as Windows-1251.
// Its finding is offered only when the text re-read in that encoding reads
// as Russian, and reads so better than it does as it stands: a
// Windows-1251 text, whatever the detector says of it, stays as it is.
bool ApplySecondOpinion(std::string& text, SourceLoadContext& ctx, LoadResult& result) {
  if (!ctx.charsetDetector) return false;
  SecondReading reading;
  switch (CharsetOfName(ctx.charsetDetector->Detect(text))) {
    case CyrillicCharset::kCp866:
      reading = {OemToAnsi(text), SourceEncoding::kCp866, "DosCoded", "CP866"};
      break;
    case CyrillicCharset::kKoi8r:
      reading = {Koi8ToAnsi(text), SourceEncoding::kKoi8r, "COICoded", "KOI8-R"};
      break;
    case CyrillicCharset::kIso88595:
      reading = {Iso88595ToAnsi(text), SourceEncoding::kUtf8, "ISOCoded", "ISO-8859-5"};
      break;
    case CyrillicCharset::kMacCyrillic:
      reading = {MacCyrillicToAnsi(text), SourceEncoding::kUtf8, "MacCoded", "Mac Cyrillic"};
      break;
    case CyrillicCharset::kUnknown:
      return false;
  }
  // Mac Cyrillic shares its small letters with Windows-1251, so a re-read
  // must also keep every letter the text has as it stands; one that finds
  // more letters (the capitals) is better even when its share is no higher.
  std::size_t letters = 0;
  std::size_t asItStands = 0;
  const double share = CommonRussianShare(reading.text, &letters);
  const double shareAsItStands = CommonRussianShare(text, &asItStands);
  if (letters < kMinPlausibleLetters || share < kMinPlausibleShare || letters < asItStands ||
      (letters == asItStands && share <= shareAsItStands))
    return false;
  if (!AskEncoding(ctx, reading.convertedFrom, reading.messageKey)) return false;
  text = std::move(reading.text);
  result.convertedFrom = reading.convertedFrom;
  result.encodingName = reading.name;
  result.foundBy = EncodingFinder::kSecondOpinion;
  return true;
}

std::string_view NameOf(SourceEncoding encoding, UnicodeForm unicode) {
  switch (encoding) {
    case SourceEncoding::kCp866: return "CP866";
    case SourceEncoding::kKoi8r: return "KOI8-R";
    case SourceEncoding::kUtf8:
      return unicode == UnicodeForm::kUtf16Le || unicode == UnicodeForm::kUtf16Be ? "UTF-16" : "UTF-8";
    case SourceEncoding::kAutodetect:
    case SourceEncoding::kCp1251: break;
  }
  return "Windows-1251";
}

}  // namespace

std::vector<OpenFilterEntry> SourceOpenFilter(const StringTable& strings) {
  return {
      {strings.Get(kControlsMain, "Open as Windows"), "*.*", SourceEncoding::kAutodetect},
      {strings.Get(kControlsMain, "Open as DOS"), "*.*", SourceEncoding::kCp866},
      {strings.Get(kControlsMain, "Open as KOI8"), "*.*", SourceEncoding::kKoi8r},
      {strings.Get(kControlsMain, "Open as UTF-8"), "*.*", SourceEncoding::kUtf8},
  };
}

SourceEncoding EncodingOfFilterIndex(int filterIndex) {
  switch (filterIndex) {
    case 2: return SourceEncoding::kCp866;
    case 3: return SourceEncoding::kKoi8r;
    case 4: return SourceEncoding::kUtf8;
    default: return SourceEncoding::kAutodetect;
  }
}

int ProbeWritableFolder(const std::string& fileName) {
  // Exclusive creation: an existing file of the probe's name (or a link
  // there) is skipped, never opened, so nothing of the user's is touched.
  constexpr int kMaxAttempts = 1000;
  for (int extra = 0; extra < kMaxAttempts; ++extra) {
    const std::string probe = ProbeName(fileName, extra);
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return errno;
    }
    int err = ::close(fd) == 0 ? 0 : errno;
    if (::unlink(probe.c_str()) != 0 && err == 0) err = errno;
    return err;
  }
  return EEXIST;
}

LoadResult ReadSourceFile(const std::string& fileName, SourceEncoding encoding,
                          SourceLoadContext& ctx) {
  InputFile file(fileName);
  if (!file.Opened().ok()) return Failed(LoadOutcome::kFailed, file.Opened().error());

  if (file.Size() > kLargeFileSize) {
    LargeFileQuestion question{ctx.strings.Message("LargeFile"), ctx.strings.Get(kControlsMain, "Cancel")};
    if (ctx.options.Flag(Opt::AskAboutLargeFiles)) {
      if (!ctx.questions.ProceedWithLargeFile(question)) {
        LoadResult result;
        result.outcome = LoadOutcome::kCancelled;
        return result;
      }
      ctx.options.SetFlag(Opt::AskAboutLargeFiles, !question.neverAskAgain);
    }
  }

  std::string bytes;
  if (const FileResult read = file.ReadAll(bytes); !read.ok()) return Failed(LoadOutcome::kFailed, read.error());
  if (!HoldsText(bytes)) {
    LoadResult result;
    result.outcome = LoadOutcome::kEmpty;
    return result;
  }
  if (!LooksLikeText(bytes) && !ctx.questions.OpenNotText(NotTextQuestion{ctx.strings.Message("NotText"), fileName})) {
    LoadResult result;
    result.outcome = LoadOutcome::kNotText;
    return result;
  }

  if (std::string preview = PreviewPathFor(fileName); !preview.empty()) {
    ctx.state.previewPath = preview;
    ctx.state.temporaryFiles.Add(std::move(preview));
    ctx.state.previewNavigated = false;
  }

  return LoadSourceBytes(std::move(bytes), fileName, encoding, ctx);
}

LoadResult LoadSourceBytes(std::string bytes, std::string_view fileName, SourceEncoding encoding,
                           SourceLoadContext& ctx) {
  ctx.document.title.clear();
  ctx.document.author.clear();
  ctx.document.shortTitle.clear();

  LoadResult result;
  result.text = std::move(bytes);
  std::string& text = result.text;

  // Unicode first, so that neither its BOM nor its multi-byte letters reach
  // the single-byte scores. An encoding the user forces is taken as given.
  UnicodeForm unicode = UnicodeForm::kNone;
  if (encoding == SourceEncoding::kAutodetect) unicode = RecogniseUnicode(text);
  else if (encoding == SourceEncoding::kUtf8) unicode = ForcedUnicodeForm(text);
  if (unicode != UnicodeForm::kNone) {
    text = DecodeUnicode(text, unicode);
    result.convertedFrom = SourceEncoding::kUtf8;
    result.encodingName = NameOf(SourceEncoding::kUtf8, unicode);
    result.foundBy = encoding == SourceEncoding::kUtf8 ? EncodingFinder::kUser : EncodingFinder::kRules;
  }

  if (text.find(kGeneratorMark) != std::string::npos) {
    result.alreadyConverted = true;
    const int choice = ctx.options.Number(Opt::OpenForReadingConverted);
    bool openForReading = choice == 1;
    if (choice != 1 && choice != 2) {
      ConvertedDocumentQuestion question{ctx.strings.Message("AlreadyCleared")};
      if (!ctx.questions.ResolveConvertedDocument(question)) {
        result.outcome = LoadOutcome::kCancelled;
        result.text.clear();
        return result;
      }
      // The stored answer follows the choice made, so that the next
      // document opens the way this one did.
      if (question.neverAskAgain)
        ctx.options.SetNumber(Opt::OpenForReadingConverted, question.openForReading ? 1 : 2);
      openForReading = question.openForReading;
    }
    if (openForReading) {
      result.outcome = LoadOutcome::kOpenForReading;
      result.text.clear();
      return result;
    }
  }

  if (encoding == SourceEncoding::kCp1251) result.foundBy = EncodingFinder::kUser;
  if (unicode == UnicodeForm::kNone && encoding != SourceEncoding::kCp1251 &&
      encoding != SourceEncoding::kUtf8) {
    const SingleByteFinding finding = ConvertSingleByteEncoding(text, encoding, ctx);
    result.convertedFrom = finding.convertedFrom;
    result.encodingName = NameOf(finding.convertedFrom, unicode);
    result.foundBy = finding.foundBy;
    if (encoding == SourceEncoding::kAutodetect && !finding.scoreFired)
      ApplySecondOpinion(text, ctx, result);
  }

  ctx.state.caption = "Norvella (converter) - " + std::string(BaseName(fileName));

  if (const auto at = text.find(CreditFooter()); at != std::string::npos)
    text.erase(at, CreditFooter().size());

  DetectDocumentTitle(text, ctx.document, ctx.options, ctx.questions, ctx.status);

  if (ctx.options.Flag(Opt::AutoDetectTextFormat)) {
    result.detectedStyle = DetectTextStyle(text);
    ApplyTextStyle(ctx.options, result.detectedStyle);
  }

  result.outcome = text.empty() ? LoadOutcome::kEmpty : LoadOutcome::kLoaded;
  return result;
}

LoadResult LoadSrc(const std::string& fileName, SourceEncoding encoding, SourceLoadContext& ctx) {
  if (const int err = ProbeWritableFolder(fileName); err != 0) {
    // A folder that does not exist is not a read-only one: say what is wrong.
    if (err == ENOENT || err == ENOTDIR) return Failed(LoadOutcome::kFailed, Error{{}, SystemError(fileName, err)});
    return Failed(LoadOutcome::kReadOnlyFolder, Error{ctx.strings.Message("CantWorkWithReadOnly"), {}});
  }
  return ReadSourceFile(fileName, encoding, ctx);
}

}  // namespace norvella
