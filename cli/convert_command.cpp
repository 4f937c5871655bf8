#include "cli/convert_command.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <string_view>

#include "core/base/cp1251.h"
#include "core/base/file_io.h"
#include "core/book/book.h"
#include "core/convert/text_style.h"
#include "core/convert/title.h"
#include "core/export/export.h"
#include "core/i18n/localisation.h"
#include "core/settings/options.h"
#include "core/settings/store.h"
#include "core/source/source_loader.h"

namespace norvella {
namespace {

constexpr std::string_view kVersion = "norvella-convert 1.00";

constexpr std::string_view kUsage =
    "Usage: norvella-convert [OPTIONS] INPUT...\n"
    "       norvella-convert [--settings FILE] --import FILE.reg... [INPUT...]\n"
    "Converts plain-text books and loosely formatted HTML into clean HTML documents.\n"
    "The options, the interface localisation and the HTML skin come from the user's\n"
    "settings store, $XDG_CONFIG_HOME/norvella/registry.reg (~/.config/norvella/...).\n"
    "\n"
    "  -o, --output FILE      write the document here (\"-\" = standard output); default:\n"
    "                         beside INPUT with the format's extension (.html), or\n"
    "                         INPUT.converted.html when that would name INPUT itself\n"
    "  --format html|epub|fb2 the document's format: the program's HTML (the default),\n"
    "                         an EPUB 3 book or a FictionBook 2.1 book\n"
    "  --set NAME=VALUE       set an option by its stored settings name, e.g.\n"
    "                         --set \"Londg strings min=81\"; Booleans take on/off/1/0/true/false\n"
    "  --style fixed|lines|html   apply that text-style preset (no autodetection)\n"
    "  --encoding auto|cp1251|cp866|koi8r|utf8\n"
    "                         the encoding of INPUT; auto (the default) recognises UTF-8,\n"
    "                         CP866 and KOI8-R and converts them\n"
    "  --title T  --author A  --short-title S  --comment C  --cover FILE\n"
    "                         document properties\n"
    "  --lines                write the finished working list instead of the document:\n"
    "                         TAG, a tab, the text (line feed as \\n, backslash as \\\\)\n"
    "  --settings FILE        read the settings from FILE instead of the user's store\n"
    "  --no-settings          use the built-in defaults, not the settings store\n"
    "  --import FILE.reg      merge a registry export file (a localisation, a skin or\n"
    "                         saved settings; ANSI, UTF-8 or UTF-16) into the settings\n"
    "                         store before converting; may be repeated\n"
    "  --force                convert a file that does not look like text (a NUL byte\n"
    "                         outside UTF-16) instead of refusing it\n"
    "  -q, --quiet            no progress\n"
    "  --help, --version\n";

struct Request {
  std::vector<std::string> inputs;
  std::string settingsPath;
  bool haveSettings = false;
  bool noSettings = false;
  std::vector<std::string> imports;
  std::string output;
  bool haveOutput = false;
  std::vector<std::pair<std::string, std::string>> sets;
  int style = -1;
  SourceEncoding encoding = SourceEncoding::kAutodetect;
  std::optional<std::string> title, author, shortTitle, comment, cover;
  bool lines = false;
  bool quiet = false;
  bool force = false;
  BookFormat format = BookFormat::kHtml;
};

// A progress bar on the terminal, redrawn only when the percentage or the
// task changes.
class TerminalProgress final : public ConversionObserver {
 public:
  TerminalProgress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
  ~TerminalProgress() override { Finish(); }

  void TaskChanged(const std::string& text) override {
    task_ = text;
    Draw();
  }
  void ProgressChanged(int percent) override {
    percent_ = percent;
    Draw();
  }
  void Finish() {
    if (enabled_ && drawn_) err_ << "\r\x1b[K" << std::flush;
    drawn_ = false;
  }

 private:
  void Draw() {
    if (!enabled_) return;
    constexpr int kWidth = 30;
    const int filled = percent_ * kWidth / 100;
    err_ << "\r\x1b[K[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] " << percent_
         << "% " << Cp1251ToUtf8(task_) << std::flush;
    drawn_ = true;
  }

  std::ostream& err_;
  bool enabled_;
  bool drawn_ = false;
  int percent_ = 0;
  std::string task_;
};

std::string DefaultOutputPath(const std::string& input, std::string_view extension) {
  const auto slash = input.find_last_of('/');
  const auto dot = input.find_last_of('.');
  std::string stem = (dot != std::string::npos && (slash == std::string::npos || dot > slash))
                         ? input.substr(0, dot)
                         : input;
  const std::string suffix = "." + std::string(extension);
  std::string out = stem + suffix;
  if (out == input) out = input + ".converted" + suffix;
  return out;
}

// One line of the --lines listing: the tag, a tab and the escaped text.
std::string ListingLine(const Line& line) {
  std::string out = std::to_string(line.tag);
  out += '\t';
  for (const char c : line.text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  out += '\n';
  return out;
}

int Usage(std::ostream& err, std::string_view problem) {
  err << "norvella-convert: " << problem << "\n\n" << kUsage;
  return 2;
}

// Parses the arguments; returns -1 to go on, or an exit code.
int Parse(const std::vector<std::string>& args, Request& req, std::ostream& out,
          std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    auto optional = [&](std::optional<std::string>& into) {
      std::string v;
      if (!value(v)) return false;
      into = std::move(v);
      return true;
    };
    if (a == "--help" || a == "-h") {
      out << kUsage;
      return 0;
    }
    if (a == "--version") {
      out << kVersion << '\n';
      return 0;
    }
    if (a == "-o" || a == "--output") {
      if (!value(req.output)) return Usage(err, "missing file after " + a);
      req.haveOutput = true;
    } else if (a == "--set") {
      std::string setting;
      if (!value(setting)) return Usage(err, "missing NAME=VALUE after --set");
      const auto eq = setting.find('=');
      if (eq == std::string::npos) return Usage(err, "--set takes NAME=VALUE, not \"" + setting + "\"");
      req.sets.emplace_back(setting.substr(0, eq), setting.substr(eq + 1));
    } else if (a == "--style") {
      std::string style;
      if (!value(style)) return Usage(err, "missing style after --style");
      if (style == "fixed") req.style = kStyleFixedWidth;
      else if (style == "lines") req.style = kStyleLinePerParagraph;
      else if (style == "html") req.style = kStyleHtml;
      else return Usage(err, "unknown style \"" + style + "\" (fixed, lines or html)");
    } else if (a == "--encoding") {
      std::string name;
      if (!value(name)) return Usage(err, "missing encoding after --encoding");
      if (name == "auto") req.encoding = SourceEncoding::kAutodetect;
      else if (name == "cp1251") req.encoding = SourceEncoding::kCp1251;
      else if (name == "cp866") req.encoding = SourceEncoding::kCp866;
      else if (name == "koi8r") req.encoding = SourceEncoding::kKoi8r;
      else if (name == "utf8") req.encoding = SourceEncoding::kUtf8;
      else return Usage(err, "unknown encoding \"" + name + "\" (auto, cp1251, cp866, koi8r or utf8)");
    } else if (a == "--title") {
      if (!optional(req.title)) return Usage(err, "missing text after --title");
    } else if (a == "--author") {
      if (!optional(req.author)) return Usage(err, "missing text after --author");
    } else if (a == "--short-title") {
      if (!optional(req.shortTitle)) return Usage(err, "missing text after --short-title");
    } else if (a == "--comment") {
      if (!optional(req.comment)) return Usage(err, "missing text after --comment");
    } else if (a == "--cover") {
      if (!optional(req.cover)) return Usage(err, "missing file after --cover");
    } else if (a == "--format") {
      std::string name;
      if (!value(name)) return Usage(err, "missing format after --format");
      const std::optional<BookFormat> format = ParseBookFormat(name);
      if (!format) return Usage(err, "unknown format \"" + name + "\" (html, epub or fb2)");
      req.format = *format;
    } else if (a == "--lines") {
      req.lines = true;
    } else if (a == "--settings") {
      if (!value(req.settingsPath)) return Usage(err, "missing file after --settings");
      req.haveSettings = true;
    } else if (a == "--no-settings") {
      req.noSettings = true;
    } else if (a == "--import") {
      std::string file;
      if (!value(file)) return Usage(err, "missing file after --import");
      req.imports.push_back(std::move(file));
    } else if (a == "--force") {
      req.force = true;
    } else if (a == "-q" || a == "--quiet") {
      req.quiet = true;
    } else if (a == "--") {
      req.inputs.insert(req.inputs.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    } else if (a.size() > 1 && a[0] == '-') {
      return Usage(err, "unknown option " + a);
    } else {
      req.inputs.push_back(a);
    }
  }
  if (req.noSettings && (req.haveSettings || !req.imports.empty()))
    return Usage(err, "--no-settings cannot go with --settings or --import");
  if (req.inputs.empty() && req.imports.empty()) return Usage(err, "no input file");
  if (req.haveOutput && req.inputs.size() > 1)
    return Usage(err, "--output takes one input file only");
  return -1;
}

// What every conversion of one run starts from: the setup read from the
// settings store (the built-in one with --no-settings).
struct Session {
  BookSetup setup;
  // The user's store as read; the command line changes it only by imports,
  // and never saves what a conversion writes into it (the font tables).
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<SetupStore> setupStore = std::make_unique<SetupStore>();
};

// An error as one line of the terminal: the interface's message, turned from
// Windows-1251 into the terminal's UTF-8, then the system's reason as it is.
std::string ErrorLine(const Error& error) {
  std::string line = Cp1251ToUtf8(error.message);
  if (!line.empty() && !error.reason.empty()) line += ": ";
  return line + error.reason;
}

void Warn(std::ostream& err, std::string_view text) {
  err << "norvella-convert: warning: " << text << '\n';
}

// Merges the --import files into the store and saves it. Every file is read
// and parsed before the store changes, so one bad file changes nothing.
int ImportFiles(const Request& req, SettingsStore& store, std::ostream& err) {
  std::vector<RegFileContents> parsed;
  for (const std::string& file : req.imports) {
    std::string bytes;
    if (const FileResult read = ReadWholeFile(file, bytes); !read.ok()) {
      err << "norvella-convert: cannot read " << ErrorLine(read.error()) << '\n';
      return 1;
    }
    RegFileContents contents = ParseRegFile(bytes);
    if (!contents.ok) {
      err << "norvella-convert: " << file << ": " << contents.error << "; nothing was imported\n";
      return 1;
    }
    parsed.push_back(std::move(contents));
  }
  for (std::size_t i = 0; i < parsed.size(); ++i) {
    const RegFileContents& contents = parsed[i];
    ApplyRegFile(contents, store.Keys());
    const std::string& file = req.imports[i];
    if (contents.foreignKeys > 0)
      Warn(err, file + ": skipped " + std::to_string(contents.foreignKeys) +
                    " key(s) outside HKEY_CURRENT_USER");
    if (contents.unmappableStrings > 0)
      Warn(err, file + ": " + std::to_string(contents.unmappableStrings) +
                    " text(s) hold characters that Windows-1251 lacks; they are stored as they are "
                    "and the program sees each such character as an HTML character reference (&#NNNN;)");
    if (!req.quiet)
      err << file << ": imported " << contents.values << " value(s) into " << store.Path() << '\n';
  }
  if (const FileResult saved = store.Save(); !saved.ok()) {
    err << "norvella-convert: cannot save the settings: " << ErrorLine(saved.error()) << '\n';
    return 1;
  }
  return 0;
}

// Sets up the session from the settings store, in the program's start-up
// order: the localisation and the skin, then the options.
int OpenSession(const Request& req, Session& session, std::ostream& err) {
  if (req.noSettings) {
    LoadBookSetup(*session.setupStore, session.setup);
    return 0;
  }
  session.store = std::make_unique<SettingsStore>(req.haveSettings ? req.settingsPath : DefaultStorePath());
  SettingsStore& store = *session.store;
  const SettingsStore::LoadResult loaded = store.Load();
  if (!loaded.warning.empty()) Warn(err, loaded.warning);
  if (req.haveSettings && !loaded.found && loaded.warning.empty() && req.imports.empty()) {
    err << "norvella-convert: cannot read the settings " << req.settingsPath
        << ": No such file or directory\n";
    return 1;
  }
  if (!req.imports.empty())
    if (const int code = ImportFiles(req, store, err); code != 0) return code;

  session.setupStore = std::make_unique<RegistrySetupStore>(store.Keys(), RunningProgramFolderText());
  const LocalisationCheck check = LoadBookSetup(*session.setupStore, session.setup);
  if (check.ShowBuildCheck()) Warn(err, check.BuildCheckMessage());
  return 0;
}

// Answers a load's questions: with --encoding auto the detection is
// trusted, a forced encoding declines every other one; a file that does
// not look like text is converted only with --force.
class CommandLineQuestions final : public SourceQuestions {
 public:
  CommandLineQuestions(bool trustDetection, bool force) : trustDetection_(trustDetection), force_(force) {}
  bool ConvertEncoding(const EncodingQuestion&) override { return trustDetection_; }
  bool OpenNotText(const NotTextQuestion&) override { return force_; }

 private:
  bool trustDetection_;
  bool force_;
};

std::string_view FinderText(EncodingFinder finder) {
  switch (finder) {
    case EncodingFinder::kNone: return "nothing else detected";
    case EncodingFinder::kUser: return "as asked";
    case EncodingFinder::kRules: return "found by the built-in detection";
    case EncodingFinder::kSecondOpinion: return "found by the charset detector, asked as a second opinion";
  }
  return "";
}

// Says which encoding a loaded text was read in; reports a load that gave
// no text to convert. Returns the exit code.
int ReportLoad(const LoadResult& loaded, const std::string& input, std::ostream& err) {
  switch (loaded.outcome) {
    case LoadOutcome::kLoaded:
      err << "norvella-convert: " << input << ": read as " << loaded.encodingName << " ("
          << FinderText(loaded.foundBy) << ")\n";
      if (loaded.alreadyConverted)
        err << "norvella-convert: " << input << " was produced by Norvella; converting it again\n";
      return 0;
    case LoadOutcome::kFailed:
      err << "norvella-convert: cannot read " << ErrorLine(loaded.error) << '\n';
      return 1;
    case LoadOutcome::kReadOnlyFolder:
      err << "norvella-convert: " << input << ": " << ErrorLine(loaded.error) << '\n';
      return 1;
    case LoadOutcome::kEmpty:
      err << "norvella-convert: " << input << ": the file holds no text; nothing written\n";
      return 1;
    case LoadOutcome::kNotText:
      err << "norvella-convert: " << input
          << " does not look like a text or HTML file; nothing written (--force converts it anyway)\n";
      return 1;
    case LoadOutcome::kCancelled:
    case LoadOutcome::kOpenForReading:
      break;
  }
  err << "norvella-convert: " << input << ": not loaded\n";
  return 1;
}

// The finished conversion as an EPUB or FB2 book; the cover picture's name
// is relative to the input's folder.
int ExportDocument(BookFormat format, const std::vector<std::string>& lines, const DocumentProperties& doc,
                   const std::string& input, std::string& document, std::ostream& err) {
  ExportSettings settings;
  const auto slash = input.find_last_of('/');
  settings.documentFolder = slash == std::string::npos ? "." : input.substr(0, slash + 1);
  std::string stem = slash == std::string::npos ? input : input.substr(slash + 1);
  stem = stem.substr(0, stem.find('.'));
  settings.fallbackTitle = IsValidUtf8(stem) ? stem : Cp1251ToUtf8(stem);
  settings.now = std::time(nullptr);
  ExportResult exported = ExportBook(format, lines, doc, settings);
  for (const std::string& warning : exported.warnings) Warn(err, warning);
  if (!exported.ok) {
    err << "norvella-convert: " << input << ": cannot build the book: " << exported.error << '\n';
    return 1;
  }
  document = std::move(exported.bytes);
  return 0;
}

int ConvertOne(const Request& req, Session& session, const std::string& input,
               std::ostream& out, std::ostream& err, bool progressToTerminal) {
  BookSetup setup = session.setup;
  Options& options = setup.options;
  for (const auto& [name, value] : req.sets) {
    std::string problem;
    if (!options.SetFromText(name, value, &problem)) {
      err << "norvella-convert: " << problem << '\n';
      return 2;
    }
  }
  TerminalProgress progress(err, progressToTerminal && !req.quiet);
  StatusReporter status(progress, setup.strings);
  CommandLineQuestions questions(req.encoding == SourceEncoding::kAutodetect, req.force);

  // Large files load without a question, and a document this program
  // produced is converted again rather than opened for reading.
  options.SetFlag(Opt::AskAboutLargeFiles, false);
  options.SetNumber(Opt::OpenForReadingConverted, 2);
  if (req.style >= 0) options.SetFlag(Opt::AutoDetectTextFormat, false);

  DocumentProperties doc;
  SourceState state;
  SourceLoadContext load{options, setup.strings, doc, state, questions, &status};
  LoadResult loaded = LoadSrc(input, req.encoding, load);
  progress.Finish();
  if (const int code = ReportLoad(loaded, input, err); code != 0) return code;
  if (req.author) doc.author = *req.author;
  if (req.title) doc.title = *req.title;
  if (req.title || req.author) doc.shortTitle = MakeShortTitle(doc, options.Flag(Opt::AddAuthorToTitle));
  if (req.shortTitle) doc.shortTitle = *req.shortTitle;
  if (req.comment) doc.comment = *req.comment;
  if (req.cover) doc.coverImage = *req.cover;

  if (req.style >= 0) ApplyTextStyle(options, req.style);
  if (req.format != BookFormat::kHtml) PrepareOptionsForExport(options);

  // The font tables for the options as they are now (--set may choose
  // another font or orientation).
  LoadBookFonts(*session.setupStore, setup);

  Book book = ConvertBook(loaded.text, setup, doc, status, questions);
  loaded.text.clear();
  progress.Finish();

  std::string document;
  if (req.lines) {
    for (std::size_t i = 0; i < book.lines.size(); ++i) document += ListingLine(book.lines[i]);
  } else if (req.format == BookFormat::kHtml) {
    document = std::move(book.document);
  } else if (const int code = ExportDocument(req.format, book.lines.texts(), doc, input, document, err);
             code != 0) {
    return code;
  }

  const std::string target =
      req.haveOutput ? req.output : DefaultOutputPath(input, BookFormatExtension(req.lines ? BookFormat::kHtml : req.format));
  if (target == "-") {
    out << document << std::flush;
    return out ? 0 : 1;
  }
  if (const FileResult written = WriteFileAtomically(target, document); !written.ok()) {
    err << "norvella-convert: cannot write " << ErrorLine(written.error()) << '\n';
    return 1;
  }
  if (!req.quiet) err << input << " -> " << target << '\n';
  return 0;
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      bool progressToTerminal) {
  Request req;
  if (const int code = Parse(args, req, out, err); code >= 0) return code;
  Session session;
  if (const int code = OpenSession(req, session, err); code != 0) return code;
  int result = 0;
  for (const std::string& input : req.inputs) {
    const int code = RunReportingFailures(
        [&] { return ConvertOne(req, session, input, out, err, progressToTerminal); }, err);
    if (code == 2) return 2;
    if (code != 0) result = std::max(result, code);
  }
  return result;
}

int RunReportingFailures(const std::function<int()>& run, std::ostream& err) {
  try {
    return run();
  } catch (const std::bad_alloc&) {
    err << "norvella-convert: out of memory; nothing more was written\n";
  } catch (const std::exception& e) {
    err << "norvella-convert: internal error: " << e.what() << "; nothing more was written\n";
  } catch (...) {
    err << "norvella-convert: internal error; nothing more was written\n";
  }
  return 3;
}

}  // namespace norvella
