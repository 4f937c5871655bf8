#pragma once

// Every option of the program: its stored value name, type and default, in
// the order the settings store writes them, and the setters that keep
// dependent options and listeners (the option tree, the window) in step.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace norvella {

enum class OptionType { Bool, Int, String };

// Options in their write order. The stored names are in the table of
// options.cpp; each enumerator's comment gives it.
enum class Opt : int {
  KillLinks,                // "KillLinks"
  KillGraph,                // "KillGraph"
  KillFormsScripts,         // "KillForms-Scripts"
  KillPreTags,              // "Kill Pre Tags"
  ConvertPToDiv,            // "Convert P to DIV"
  ConvertBrToDiv,           // "Convert BR to DIV"
  AddNbsp,                  // "Add NBSP"
  LongStringsMin,           // "Londg strings min"
  ShortStringsMax,          // "Short strings max"
  NumberOfNbsp,             // "Nimber of nbsp"
  SpacesAtStartToDiv,       // "Spasces at start to div"
  DialogsToDiv,             // "Dialogs to div"
  EmptyLineToDiv,           // "Empty line ti div"
  UnderscoreToItalic,       // "__ to italic"
  DetectHeaders,            // "Detect headers"
  InsertHr,                 // "Insert <hr>"
  CreateToc,                // "Create table of content"
  HeadStartTag,             // "Head string start tag"
  HeadCloseTag,             // "Head string close tag"
  ShowHtml,                 // "Show HTML"
  WrapInSrc,                // "Wrap in src"
  WrapInHtml,               // "Wrap in HTML"
  ConfirmToc,               // "Confirm table of content"
  AskAboutTitle,            // "Ask about title"
  TrySplitTitle,            // "Try split title"
  ConvertBracketText,       // "Convert [text]"
  LoadSafely,               // "Load safely"
  ParagraphEndTag,          // "Paragraph end tag"
  ParagraphStartTag,        // "Paragraph start tag"
  SrcFontName,              // "Src font name"
  SrcFontSize,              // "Src font size"
  Language,                 // "language"
  ActivePage,               // "Active page"
  ConvertQuotes,            // "Convert Qoutes"
  ConvertDashes,            // "Convert Defis"
  ConvertThreePoints,       // "Convert tree points"
  HtmFontName,              // "HTM font name"
  HtmFontSize,              // "HTM font size"
  InterfaceMode,            // "Interface mode"
  AskedAboutTitle,          // "Asked about title"
  AutoDetectTextFormat,     // "AutoDetect text format"
  UseSourceEditor,          // "Use Source editor"
  DetectTwoEmptyLines,      // "Detect two empty lines"
  AddAuthorToTitle,         // "Add autor to title"
  EmptyLinesReplaceWith,    // "Empty lines replace with"
  DetectEpigraphs,          // "Detect Epigraphs"
  Hyphenate,                // "Hyphenate"
  HyphFont,                 // "Hyph font"
  ILikeOrientation,         // "I-like orientation"
  HyphString,               // "Hyph string"
  OpenEpigraph,             // "OpenEpigraph"
  CloseEpigraph,            // "CLoseEpigraph"
  WindowWidth,              // "Window Width"
  WindowHeight,             // "Window Height"
  PanelWidth,               // "Panel Width"
  PanelHeight,              // "Panel Height"
  PreserveBreaksInEpigraph, // "Preserve breaks in epigraph"
  IndependentBrowserWidth,  // "Independent Browser Width"
  BrowserWidth,             // "Browser Width"
  LastReaderFileLower,      // "last reader file"
  PreviousMode,             // "Previous mode"
  AutoscrollSpeed,          // "Autoscroll speed"
  SaveReaderDocOnExit,      // "Save reader doc on exit"
  LastReaderFile,           // "Last reader file"
  BrowserFontSize,          // "Browser forn size"
  TryToRestoreDirs,         // "Try to restore dirs"
  LastReadDocPos,           // "Last readed doc pos"
  RecentReaderFile0,        // "Recent reader file 0" ... "Recent reader file 9"
  RecentReaderFile1,
  RecentReaderFile2,
  RecentReaderFile3,
  RecentReaderFile4,
  RecentReaderFile5,
  RecentReaderFile6,
  RecentReaderFile7,
  RecentReaderFile8,
  RecentReaderFile9,
  OpenForReadingConverted,  // "Open for reading converted"
  OpenForEditingNotConverted, // "Open for editing not converted"
  AskAboutLargeFiles,       // "Ask about large files"
  DefStyleFontName,         // "Def style font name"
  DefStyleFontSize,         // "Def style font size"
  DefStyleFontColor,        // "Def style font color"
  DefStyleBodyColor,        // "Def style body color"
  DefStyleActive,           // "Def style active"
  AutobookmarksBehavior,    // "Authobookmarks behavior"
  TurboScroll,              // "Toorboscroll"
  KillSpanTags,             // "Kill span tags"
  KillFontTags,             // "Kill font tags"
  KillStylesAndClasses,     // "Kill styles and classes"
  LastEditOpenDir,          // "Last edit open dir"
  LastReadDir,              // "Last read dir"
  LastEditSaveDir,          // "Last edit save dir"
  LastEditSaveSrcDir,       // "Last edit save src dir"
  ApplyReaderStyleForNewDocs, // "Apply reader style for new docs"
  Count
};

inline constexpr std::size_t kOptionCount = static_cast<std::size_t>(Opt::Count);

// "Londg strings min" at or above this value is off.
inline constexpr int kLengthOff = 2147483647;

// "Interface mode" values.
inline constexpr int kSimpleMode = 0;
inline constexpr int kAdvancedMode = 1;
inline constexpr int kReaderMode = 2;

struct OptionInfo {
  Opt id;
  std::string_view name;  // the stored value name, exactly
  OptionType type;
  int intDefault;               // Bool and Int options
  std::string_view textDefault; // String options
};

// The option table in write order (index = static_cast<int>(Opt)).
const std::array<OptionInfo, kOptionCount>& OptionTable();
const OptionInfo& Info(Opt id);
// Finds an option by its stored name: an exact match first, then one that
// differs only in letter case (stored value names ignore case).
const OptionInfo* FindOption(std::string_view name);

// Told about every change an option setter makes, after it is made.
class OptionsListener {
 public:
  virtual ~OptionsListener() = default;
  virtual void OptionChanged(Opt id) = 0;
};

class Options {
 public:
  Options();  // every option at its default

  bool Flag(Opt id) const { return ints_[Index(id)] != 0; }
  int Number(Opt id) const { return ints_[Index(id)]; }
  const std::string& Text(Opt id) const { return texts_[Index(id)]; }

  // The setters. Each stores the value, applies the option's side effects on
  // other options and tells the listener about every option that changed.
  void SetFlag(Opt id, bool value);
  void SetNumber(Opt id, int value);
  void SetText(Opt id, std::string value);
  // Stores a string without the setter's side effects ("stored directly").
  void StoreText(Opt id, std::string value);

  // Sets an option from text, by its stored name: Booleans take
  // on/off/1/0/true/false/yes/no, integers a decimal 32-bit number.
  // Returns false with a reason when the name or the value is not valid.
  bool SetFromText(std::string_view name, std::string_view value, std::string* error);

  // Derived states used by several stages.
  bool LongStringsOn() const { return Number(Opt::LongStringsMin) < kLengthOff; }
  bool ShortStringsOn() const { return Number(Opt::ShortStringsMax) >= 1; }

  void SetListener(OptionsListener* listener) { listener_ = listener; }

 private:
  static std::size_t Index(Opt id) { return static_cast<std::size_t>(id); }
  void Notify(Opt id);

  std::array<int, kOptionCount> ints_{};
  std::array<std::string, kOptionCount> texts_{};
  OptionsListener* listener_ = nullptr;
};

}  // namespace norvella
