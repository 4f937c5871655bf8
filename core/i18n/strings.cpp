#include "core/i18n/strings.h"

#include <initializer_list>
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
    {"EmptyFile", "The file holds no text; nothing was loaded."},
    {"NotText", "%s does not look like a text or HTML file. Open it anyway?"},
    {"RocketNotStarted", "RocketLibrarian could not be started."},
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

// Texts of the main window's own controls: the epigraph check box, the
// tab captions, the prefixes of the editors' undo and redo hints, button
// texts of the load and reader questions, the open dialogs' titles and the
// entries of the source open dialog's filter.
constexpr StringDefault kControlsMainDefaults[] = {
    {"preserve br", "Preserve breaks"},
    {"preview", "Preview"},
    {"SRC", "Source"},
    {"Undo ", "Undo "},
    {"Redo ", "Redo "},
    // The editors' undo actions, after "Undo " and "Redo ".
    {"undo typing", "typing"},
    {"undo delete", "delete"},
    {"undo drag and drop", "drag and drop"},
    {"undo cut", "cut"},
    {"undo paste", "paste"},
    {"Skip", "Skip"},
    {"Cancel", "Cancel"},
    {"Open for edit head", "Load source"},
    {"Open for read head", "Open for reading"},
    {"Open as Windows", "Open as Windows file (&autodetect)"},
    {"Open as DOS", "Open as MS DOS file"},
    {"Open as KOI8", "Open as KOI8-RU"},
    {"Open as UTF-8", "Open as UTF-8 file"},
    // The page of the user guide in the guide's folder, and the Help item
    // when the guide is not installed.
    {"help page", kHelpPage},
    {"no help", "Help not downloaded."},
    // The status bar before the first task, the note window's caption,
    // the titles of the save dialogs and the editors' pop-up menu.
    {"no task", "Current task: none"},
    {"comment window", "Comment"},
    {"Save result head", "Save the result"},
    {"Export EPUB head", "Export as EPUB"},
    {"Export FB2 head", "Export as FB2"},
    {"Save source head", "Save source text"},
    // The kinds of file the open and save dialogs offer, before their
    // patterns.
    {"Text files", "Text files"},
    {"HTML files", "HTML files"},
    {"HTML documents", "HTML Documents"},
    {"EPUB books", "EPUB books"},
    {"FB2 books", "FictionBook books"},
    {"popup undo", "&Undo"},
    {"popup redo", "&Redo"},
    {"popup cut", "Cu&t"},
    {"popup copy", "&Copy"},
    {"popup paste", "&Paste"},
    {"popup find", "Find..."},
    {"popup replace", "Replace..."},
    // The reader's lists when they hold nothing, and the full-screen view's
    // context menu.
    {"empty", "(empty)"},
    {"fullscreen autoscroll", "Autoscroll"},
    {"fullscreen add note", "Add note"},
    {"fullscreen add bookmark", "Add bookmark"},
};

// The keys of the sections whose texts the controls themselves hold: the
// main menu's captions, the toolbar hints and the dialogs' texts. Their
// defaults are empty, so a control keeps its built-in text until a
// localisation gives one (see ControlText in the window).
constexpr std::string_view kMenuKeys[] = {
    "file", "open file", "open reader", "save result", "export epub", "export fb2", "send to rocket",
    "exit", "view", "simple interface", "advanced interface", "reader interface", "viewer font size",
    "increase", "decrease", "smallest", "small", "Normal", "Large", "Largest", "reader", "save reader",
    "bookmarks", "add bookmark", "manage bookmarks", "add note", "autoscroll on", "turbo scroll",
    "stylise", "Black Yellow", "Navvy Green", "custom style", "Apply last", "nostyle", "autosave",
    "recent files", "autodetect format", "parsing", "fixed width", "line to paragr", "html", "help",
    "about", "FullScreen",
};

// One key a command: its text goes to every button of the command on every
// toolbar. "unzoom" and "bookmarks" are the full-screen window's.
constexpr std::string_view kHintKeys[] = {
    "load src", "save result", "save and read", "go forward", "go back", "refresh", "autodetect format",
    "fixed width", "line to paragraph", "html", "Find", "find selected", "send to rocket", "add note",
    "add bookmark", "enable autoscroll", "increase scroll", "decrease scroll", "zoom", "Replace", "cut",
    "copy", "paste", "undo", "redo", "save src", "upper index", "lover index", "bold", "italic",
    "all lover case", "upper case", "make paragraph", "align left", "align center", "align right",
    "align justify", "blockquote", "list", "epigraph", "H1", "H2", "H3", "H4", "H5", "insert comment",
    "Bookshelf", "Open for reading", "Insert br", "unzoom", "bookmarks",
};

// Each dialog's own section with its keys; "title" is the window caption,
// "btn1"... the buttons in order.
struct DialogKeys {
  std::string_view dialog;
  std::initializer_list<std::string_view> keys;
};
const DialogKeys kDialogKeys[] = {
    {kDialogContentConfirm, {"title", "caption", "btn1", "btn2", "btn3"}},
    {kDialogDocumentProperties, {"title", "title doc", "title head", "author", "add author", "btn"}},
    {kDialogEnterComment, {"title", "btn1", "btn2"}},
    {kDialogBookmark, {"title", "btn1", "btn2", "notice"}},
    {kDialogBookmarkEditor, {"title", "btn1", "btn2", "btn3", "btn4"}},
    {kDialogColorifer, {"title", "bodycolor", "textcolor", "mainfont", "custom", "btn1", "btn2"}},
    {kDialogFormatingDetected,
     {"title", "message", "message2", "open for reading", "open for editing", "never ask", "btn1", "btn2"}},
    {kDialogLargeFile, {"title", "message", "never ask", "btn1", "btn2"}},
    {kDialogInsertSrcComment, {"title", "comment title", "comment body", "btn1", "btn2"}},
};

// The About box's texts. The localisation line is the "localisation"
// text, then the name in double quotes; the question of a removal ends in
// the name.
constexpr StringDefault kAboutDefaults[] = {
    {"title", "About Norvella"},
    {"build", "Build "},
    {"site", "Norvella home page"},
    {"community", "Readers' forum"},
    {"mail", "Write to the author"},
    {"add-ons", "Add-ons"},
    {"no localisation", "Localisation: None"},
    {"no skin", "HTML skin: None"},
    {"localisation", "Localisation: "},
    {"skin", "HTML Skin: "},
    {"uninstall translator", "Uninstall translator"},
    {"uninstall skin", "Uninstall skin"},
    {"btn", "&Ok"},
    {"ask localisation", "Are you shure you want to remove localisation "},
    {"ask skin", "Are you shure you want to remove skin "},
    {"restart", "Restart Norvella"},
    {"localisation removed", "Localisation removed succsesfully. Restart Norvella for changes to take effect"},
    {"skin removed", "Skin removed succsesfully. Restart Norvella for changes to take effect"},
    {"restart line", "Restart Norvella to see cahanges"},
    {"localisation error", "Error removing localisation! Try editing registry manually."},
    {"skin error", "Error removing skin! Try editing registry manually."},
};

constexpr StringDefault kFindDefaults[] = {
    {"find title", "Find"},
    {"replace title", "Replace"},
    {"find what", "Fi&nd what:"},
    {"replace with", "Re&place with:"},
    {"match case", "Match &case"},
    {"whole word", "Match &whole word only"},
    {"up", "&Up"},
    {"down", "&Down"},
    {"find next", "&Find Next"},
    {"replace", "&Replace"},
    {"replace all", "Replace &All"},
    {"cancel", "Cancel"},
    {"find in page", "Find in page"},
    {"previous", "Previous"},
    {"next", "Next"},
    {"close", "Close"},
    {"not found", "Not found"},
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

template <typename Keys>
void FillEmpty(std::map<std::string, std::string, std::less<>>& section, const Keys& keys) {
  for (const std::string_view key : keys) section.emplace(std::string(key), std::string());
}

}  // namespace

StringTable::StringTable() {
  Fill(sections_[std::string(kMessages)], kMessageDefaults);
  Fill(sections_[std::string(kProcesses)], kProcessDefaults);
  Fill(sections_[std::string(kTree)], kTreeDefaults);
  Fill(sections_[std::string(kControlsMain)], kControlsMainDefaults);
  // The full-screen view's hints and the colour dialog hold no built-in
  // texts of their own: the table's defaults are theirs. They come first,
  // as the empty keys below never replace a text already there.
  Fill(sections_[std::string(kHints)], kReaderHintDefaults);
  Fill(sections_[DialogSection(kDialogColorifer)], kColoriferDefaults);
  FillEmpty(sections_[std::string(kMenu)], kMenuKeys);
  FillEmpty(sections_[std::string(kHints)], kHintKeys);
  for (const DialogKeys& dialog : kDialogKeys) FillEmpty(sections_[DialogSection(dialog.dialog)], dialog.keys);
  Fill(sections_[DialogSection(kDialogAbout)], kAboutDefaults);
  Fill(sections_[DialogSection(kDialogFind)], kFindDefaults);
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

std::vector<std::string> StringTable::Sections() const {
  std::vector<std::string> out;
  for (const auto& [name, keys] : sections_) out.push_back(name);
  return out;
}

std::vector<std::string> StringTable::Keys(std::string_view section) const {
  std::vector<std::string> out;
  const auto s = sections_.find(section);
  if (s != sections_.end())
    for (const auto& [key, text] : s->second) out.push_back(key);
  return out;
}

}  // namespace norvella
