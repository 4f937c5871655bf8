#include "core/i18n/strings.h"

#include <stdexcept>

#include "core/i18n/descr_strings.h"

namespace norvella {
namespace {

constexpr StringDefault kMessageDefaults[] = {
    {"CantWorkWithReadOnly",
     "Unable to work with read-only folder, it must be writable. You can copy data to a "
     "writable folder and then open it."},
    {"Error", "Error"},
    {"Info", "Info"},
    {"DropMany", "Multiple drops not supported. Now opening first file only"},
    {"LargeFile", "File is larger, than 2MB. Convertion may take a while.\n\rProceed?"},
    {"CancelBtn", "Cancel"},
    {"AlreadyCleared", "This document WAS ALREADY formated using Norvella program."},
    {"DosCoded", "This text seems to be MS-DOS (RU) encoded, convert it to correct encoding?"},
    {"COICoded", "This text seems to be COI8-RU encoded, convert it to correct encoding?"},
    {"ISOCoded", "This text seems to be ISO-8859-5 encoded, convert it to correct encoding?"},
    {"MacCoded", "This text seems to be Mac Cyrillic encoded, convert it to correct encoding?"},
    {"WrongCode", "Wrong encoding detected"},
    {"NotFound", "Text \"%s\" not found."},
    {"NoRegFont", "There is no font description in the registry!"},
    {"AdvancedMode",
     "Advanced interface mode was designed to give you full control over conversion process, "
     "but it slows it down and may confuse inexperienced user.\nNotice: Custom settings, such as "
     "custom paragraph tag, once they are set, work in any mode. Proceed?"},
    {"SwichLocale",
     "Unable to switch input locale. Select correct one in \"General\"-\"Language\" or correctly "
     "inslall your locale thrue the control panel:\nerror while switching to:"},
    {"LastOpenPage",
     "Document has an \"last open page\" info. Go to\n\rthis bookmark (may take a while and "
     "window must resize)?"},
    {"DocNotYet", "This document was NOT yet formated with Norvella program."},
    {"SelectText", "Select some text first!"},
    {"UnableToSetBookmark", "Unable to set bookmark"},
    {"NotReaderPage",
     "The page shown is not the document open for reading. Go back to it to save it or to add "
     "notes and bookmarks."},
    {"Skip", "Skip"},
    {"CantEnterLink",
     "Your options say to kill all links in source document, so this future is unusable now. "
     "Disable links removal and retry"},
    {"DocUnsaved", "Save changes to document?"},
    {"Confirm", "Confirm"},
    {"Yes", "Yes"},
    {"No", "No"},
    {"Save Read File",
     "There are unsaved changes in file (like notes, styles and bookmarks). Do you want to save "
     "them now?"},
};

constexpr StringDefault kProcessDefaults[] = {
    {"CurrentTask", "CurrentTask: "},
    {"SimplyfyHTML", "Simplyfy HTML"},
    {"AddingNewHeader", "Adding new header"},
    {"AddingCorrectEnd", "Adding correct end"},
    {"RemovingFormsAndScripts", "Removing forms and scripts"},
    {"RemovingImages", "Removing images"},
    {"RemovingLinks", "Removing links"},
    {"RemovingPre", "Removing <pre> tags"},
    {"DetectingParagraphs", "Detecting already paragraphs"},
    {"CreatingParagraphs", "Detecting paragraphs"},
    {"DetectingItalic", "Detecting _italic_ text"},
    {"DetectingUpperText", "Detecting [upper] text"},
    {"RemovingUnneededText", "Removing unneeded text"},
    {"DetectingHeaders", "Detecting headers"},
    {"DetectingEpigraphs", "Detecting Epigraphs"},
    {"CreatingTOC", "Creating table of content"},
    {"InsertingHR", "Inserting <hr>"},
    {"SearchingForQuotes", "Searching for [ \" ]"},
    {"SearchingForLines", " Searching for [-]"},
    {"SearchingForPoints", " Searching for [...]"},
    {"InsertingHyphenation", "Inserting hyphenation..."},
    {"RemovingSpan", "Removing <span>"},
    {"RemovingFont", "Removing <font>"},
    {"RemovingStylesheets", "Removing stylesheets"},
    {"Ready", "Ready"},
    {"SavingToFileForBrowser", "Saving to file for browser"},
    {"SearchingForTitle", "Searching for title"},
    {"LoadingToRestore",
     " Loading document to restore the scroll position. Please wait, this may take a while..."},
    {"GetText", "Getting text from editor..."},
    {"HTMLPrepare", "Preparing to edit HTML code..."},
    {"LoadingToBrowser", "Loading text into browser"},
    {"ApplyStyle",
     "Applying style [\"%s, %s, %s\" on \"%s\"]. Please wait, this may take a while..."},
};

// Option-tree captions, keys "0" to "54" (the node index). Nodes 21 and 22
// show their number after the text, so their entries are prefixes.
constexpr StringDefault kTreeDefaults[] = {
    {"0", "Configuration"},
    {"1", "Document general"},
    {"2", "Author"},
    {"3", "Title"},
    {"4", "Short title"},
    {"5", "Comment"},
    {"6", "Cover page (312x465 PNG)"},
    {"7", "Add \"&nbsp;\" to paragraphs"},
    {"8", "Hyphenate"},
    {"9", "HTML translation"},
    {"10", "Remove all links"},
    {"11", "Remove all graphics"},
    {"12", "Remove all forms and scripts"},
    {"13", "Remove all <pre> tags"},
    {"14", "Remove all <span> tags"},
    {"15", "Remove all <font> tags"},
    {"16", "Remove all styles & classes"},
    {"17", "Convert <p> to <div>"},
    {"18", "Convert <br> tags to paragraphs"},
    {"19", "Add &nbsp; to existing paragraphs (where none)"},
    {"20", "Paragraph autodetection"},
    {"21", "Strings longer than "},
    {"22", "Strings shorter than "},
    {"23", "Spaces before line"},
    {"24", "Dialogs (- strings)"},
    {"25", "Empty lines"},
    {"26", "2 and more empty lines to <br>"},
    {"27", "Try to detect epigraphs"},
    {"28", "Restore broken paragraphs"},
    {"29", "Custom paragraph tag"},
    {"30", "Headers"},
    {"31", "Try to detect headers"},
    {"32", "Create zero-height <hr> for <h1>"},
    {"33", "Generate table of content"},
    {"34", "Custom header tag"},
    {"35", "Text formatting"},
    {"36", "Convert _T_e_x_t_ to italic"},
    {"37", "Convert [text] to upper index"},
    {"38", "\"quotes\" to \xABquotes\xBB"},
    {"39", "Short - to long --"},
    {"40", "... three points to ASCI 133"},
    {"41", "General"},
    {"42", "Font for source editor"},
    {"43", "Font for html editor"},
    {"44", "Word wrap  for source editor"},
    {"45", "Word wrap for html editor"},
    {"46", "Use html editor"},
    {"47", "Use source editor"},
    {"48", "Independent browser width"},
    {"49", "Confirm table of content"},
    {"50", "Ask about Title"},
    {"51", "Try to get author from title"},
    {"52", "Language"},
    {"53", "Safe text loading (slower)"},
    {"54", "Select language"},
};

// Texts of the main window's controls and dialogs, among them the entries of
// the source open dialog's filter.
constexpr StringDefault kControlsMainDefaults[] = {
    {"Cancel", "Cancel"},
    {"Open as Windows", "Open as Windows file (&autodetect)"},
    {"Open as DOS", "Open as MS DOS file"},
    {"Open as KOI8", "Open as KOI8-RU"},
    {"Open as UTF-8", "Open as UTF-8 file"},
    {"Undo ", "Undo "},
    {"Redo ", "Redo "},
    // The reader's lists when they hold nothing, and the full-screen view's
    // context menu.
    {"empty", "(empty)"},
    {"fullscreen autoscroll", "Autoscroll"},
    {"fullscreen add note", "Add note"},
    {"fullscreen add bookmark", "Add bookmark"},
};

// Hints of the full-screen view's own buttons; its other buttons take the
// hints of the main window's buttons of the same command.
constexpr StringDefault kReaderHintDefaults[] = {
    {"unzoom", "Unzoom"},
    {"bookmarks", "Bookmarks"},
};

// The custom style dialog's texts; "custom" is both colour buttons.
constexpr StringDefault kColoriferDefaults[] = {
    {"title", "Colorifer"},
    {"bodycolor", "Color for body"},
    {"textcolor", "Color for text"},
    {"mainfont", "Main font"},
    {"custom", "Custom..."},
    {"btn1", "&Ok"},
    {"btn2", "&Cancel"},
};

template <std::size_t N>
void Fill(std::map<std::string, std::string, std::less<>>& section, const StringDefault (&rows)[N]) {
  for (const auto& row : rows) section.emplace(std::string(row.key), std::string(row.text));
}

}  // namespace

StringTable::StringTable() {
  Fill(sections_[std::string(kMessages)], kMessageDefaults);
  Fill(sections_[std::string(kProcesses)], kProcessDefaults);
  Fill(sections_[std::string(kTree)], kTreeDefaults);
  Fill(sections_[std::string(kControlsMain)], kControlsMainDefaults);
  Fill(sections_[std::string(kHints)], kReaderHintDefaults);
  Fill(sections_[std::string(kDialogControls) + "colorifer"], kColoriferDefaults);
  auto& descr = sections_[std::string(kDescr)];
  for (const auto& row : DescrDefaults()) descr.emplace(std::string(row.key), std::string(row.text));
}

const std::string& StringTable::Get(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(section);
  if (s != sections_.end()) {
    const auto k = s->second.find(key);
    if (k != s->second.end()) return k->second;
  }
  throw std::out_of_range("no interface string " + std::string(section) + "/" +
                          std::string(key));
}

bool StringTable::Set(std::string_view section, std::string_view key, std::string text) {
  const auto s = sections_.find(section);
  if (s == sections_.end()) return false;
  const auto k = s->second.find(key);
  if (k == s->second.end()) return false;
  k->second = std::move(text);
  return true;
}

std::vector<std::string> StringTable::Keys(std::string_view section) const {
  std::vector<std::string> out;
  const auto s = sections_.find(section);
  if (s != sections_.end())
    for (const auto& [key, text] : s->second) out.push_back(key);
  return out;
}

}  // namespace norvella
