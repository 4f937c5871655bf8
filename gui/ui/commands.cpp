#include "gui/ui/commands.h"

namespace norvella {
namespace {

using C = Command;
using T = ToolBarId;
constexpr ControlKind kMenu = ControlKind::MenuItem;
constexpr ControlKind kButton = ControlKind::ToolButton;

ControlInfo Item(std::string_view name, Command command, std::string_view caption,
                 std::string_view shortcut, std::string_view key, bool checkable = false) {
  return {name, command, kMenu, caption, shortcut, {}, Glyph::Open, key, checkable};
}

ControlInfo Button(ToolBarId toolBar, std::string_view name, Command command, std::string_view hint,
                   std::string_view themeIcon, Glyph glyph, std::string_view key, bool checkable = false) {
  ControlInfo info{name, command, kButton, hint, {}, themeIcon, glyph, key, checkable};
  info.toolBar = toolBar;
  return info;
}

// A button of an editor's toolbar: enabled where the editors are, drawn
// as its label when the icon theme lacks the picture.
ControlInfo Editor(ToolBarId toolBar, std::string_view name, Command command, std::string_view hint,
                   std::string_view themeIcon, std::string_view label, std::string_view key) {
  ControlInfo info{name, command, kButton, hint, {}, themeIcon, Glyph::Find, key, false};
  info.toolBar = toolBar;
  info.label = label;
  info.enabledIn = kConverterModes;
  return info;
}

// The rules of a row, written around it.
ControlInfo Converter(ControlInfo info) {
  info.enabledIn = kConverterModes;
  return info;
}
ControlInfo Reader(ControlInfo info) {
  info.enabledIn = kReaderOnly;
  return info;
}
ControlInfo Preset(ControlInfo info) {
  info.offWhileAutodetecting = true;
  return info;
}
ControlInfo Group(ControlInfo info) {
  info.opensGroup = true;
  return info;
}
ControlInfo AlsoKey(std::string_view keys, ControlInfo info) {
  info.desktopShortcut = keys;
  return info;
}
ControlInfo ShownIn(ModeSet modes, ControlInfo info) {
  info.shownIn = modes;
  return info;
}

std::vector<ControlInfo> MakeTable() {
  return {
      // File
      AlsoKey("Ctrl+O", Item("Open1", C::Open, "&Open...", "Ctrl+F12", "open file")),
      Item("Openfileinreadermode1", C::OpenForReading, "&Open file in reader mode...", "Ctrl+R",
           "open reader"),
      Converter(Item("Save1", C::Save, "S&ave result as...", "Ctrl+S", "save result")),
      Converter(Item("ExportEpub1", C::ExportEpub, "Export as &EPUB...", "", "export epub")),
      Converter(Item("ExportFb21", C::ExportFb2, "Export as &FB2...", "", "export fb2")),
      Converter(Item("Sendtorocket1", C::SendToRocket, "&Send to rocket now", "F9", "send to rocket")),
      AlsoKey("Ctrl+W", Item("Exit1", C::Exit, "&Exit", "Ctrl+Q", "exit")),
      // View
      Item("Simpleinterfacemode1", C::SimpleMode, "Simple interface mode", "", "simple interface", true),
      Item("Advancedinterfacemode1", C::AdvancedMode, "Advanced interface mode", "",
           "advanced interface", true),
      ShownIn(kReaderOnly, Item("Readerinterfacemode2", C::ReaderMode, "Reader interface mode", "",
                                "reader interface", true)),
      Item("Increase1", C::ViewerFontSize, "Increase", "Ctrl+.", "increase"),
      Item("Decrease1", C::ViewerFontSize, "Decrease", "Ctrl+,", "decrease"),
      Item("Smallest1", C::ViewerFontSize, "Smallest", "", "smallest", true),
      Item("Small1", C::ViewerFontSize, "Small", "", "small", true),
      Item("Normal1", C::ViewerFontSize, "Normal", "", "Normal", true),
      Item("Large1", C::ViewerFontSize, "Large", "", "Large", true),
      Item("Largest1", C::ViewerFontSize, "Largest", "", "Largest", true),
      // Reader
      Item("Saveactivefile1", C::SaveReaderDocument, "Save active file", "Ctrl+Shift+S", "save reader"),
      Item("Addbookmark1", C::AddBookmark, "Add &bookmark to selected...", "Ctrl+B", "add bookmark"),
      Reader(Item("Managebookmarks1", C::ManageBookmarks, "Manage bookmarks...", "", "manage bookmarks")),
      Item("Addnotetoselected1", C::AddNote, "Add &note to selected", "Ctrl+Shift+N", "add note"),
      Item("Autoscroll1", C::Autoscroll, "Auto&scroll on", "Ctrl+K", "autoscroll on", true),
      Item("Toorboscroll1", C::TurboScroll, "Turbo scroll", "", "turbo scroll", true),
      AlsoKey("F11", Item("FullScreen1", C::FullScreen, "Full screen", "Ctrl+Shift+F", "FullScreen")),
      Item("BlackYellow1", C::ColorScheme, "Black&&Yellow Verdana", "", "Black Yellow"),
      Item("BlackGreen1", C::ColorScheme, "Black&&Green Verdana", "", "Navvy Green"),
      Item("Custom1", C::CustomStyle, "Custom...", "", "custom style"),
      Item("Applylasttoallopened1", C::ApplyLastToAll, "Apply last to all opened", "", "Apply last", true),
      Item("None1", C::NoStyle, "None", "", "nostyle"),
      Item("Autosavebookmarks1", C::AutosaveOnExit, "Autosave on exit", "", "autosave", true),
      Item("empty1", C::ReaderDocument, "(empty)", "", ""),
      // Parsing
      Converter(Item("Autodetectformat1", C::Autodetect, "Autodetect format", "F5", "autodetect format", true)),
      Converter(Preset(Item("Threatasfixedwidth1", C::PresetFixedWidth, "Threat as fixed width", "F2",
                            "fixed width", true))),
      Converter(Preset(Item("Threataslineparagraph1", C::PresetLinePerParagraph, "Threat as line->paragraph",
                            "F3", "line to paragr", true))),
      Converter(Preset(Item("Threatashtml1", C::PresetHtml, "Threat as html", "F4", "html", true))),
      // ?
      Item("Help1", C::Help, "Help", "F1", "help"),
      Item("About1", C::About, "About...", "", "about"),

      // The Preview tab's toolbar.
      Button(T::Preview, "ToolButton37", C::Open, "Load source", "document-open", Glyph::Open, "load src"),
      Button(T::Preview, "ToolButton75", C::OpenForReading, "Open for reading", "", Glyph::OpenForReading,
             "Open for reading"),
      Button(T::Preview, "Bookshelf2", C::Bookshelf, "Bookshelf", "", Glyph::Bookshelf, "Bookshelf"),
      Button(T::Preview, "ToolButton6", C::Save, "Save the result", "document-save", Glyph::Save,
             "save result"),
      Converter(Button(T::Preview, "ToolButton70", C::SaveAndRead, "Save & Read!", "", Glyph::SaveAndRead,
                       "save and read")),
      Button(T::Preview, "RocketBtn", C::SendToRocket, "", "", Glyph::Send, "send to rocket"),
      Group(Button(T::Preview, "reParceBtn", C::ConvertAgain, "Convert text again", "view-refresh",
                   Glyph::Refresh, "refresh")),
      Group(Button(T::Preview, "ToolButton44", C::Autodetect, "Autodetect text style", "", Glyph::Autodetect,
                   "autodetect format", true)),
      Preset(Button(T::Preview, "ToolButton41", C::PresetFixedWidth, "Fixed width text", "",
                    Glyph::FixedWidth, "fixed width", true)),
      Preset(Button(T::Preview, "ToolButton42", C::PresetLinePerParagraph, "Ine line -> one paragraph", "",
                    Glyph::LinePerParagraph, "line to paragraph", true)),
      Preset(Button(T::Preview, "ToolButton43", C::PresetHtml, "HTML tags break text to paragraphs", "",
                    Glyph::HtmlBreaks, "html", true)),
      Group(Button(T::Preview, "ToolButton34", C::GoBack, "Go back", "go-previous", Glyph::Back, "go back")),
      Button(T::Preview, "ToolButton38", C::GoForward, "Go forward", "go-next", Glyph::Forward, "go forward"),
      // The full-window panel's toolbar (simple and reader modes).
      Button(T::Panel, "ToolButton46", C::Open, "Load source", "document-open", Glyph::Open, "load src"),
      Button(T::Panel, "ToolButton73", C::OpenForReading, "Open for reading", "", Glyph::OpenForReading,
             "Open for reading"),
      Button(T::Panel, "Bookshelf1", C::Bookshelf, "Bookshelf", "", Glyph::Bookshelf, "Bookshelf"),
      Converter(Button(T::Panel, "ToolButton47", C::Save, "Save the result", "document-save", Glyph::Save,
                       "save result")),
      Converter(Button(T::Panel, "ToolButton68", C::SaveAndRead, "Save & Read!", "", Glyph::SaveAndRead,
                       "save and read")),
      Converter(Button(T::Panel, "ToolButton60", C::SendToRocket, "Send to rocket now (F9)", "", Glyph::Send,
                       "send to rocket")),
      Group(Button(T::Panel, "ReParceBtn1", C::ConvertAgain, "Refresh", "view-refresh", Glyph::Refresh,
                   "refresh")),
      Group(Converter(Button(T::Panel, "ToolButton54", C::Autodetect, "Autodetect format (F5)", "",
                             Glyph::Autodetect, "autodetect format", true))),
      Converter(Preset(Button(T::Panel, "ToolButton56", C::PresetFixedWidth, "Fixed width text (F2)", "",
                              Glyph::FixedWidth, "fixed width", true))),
      Converter(Preset(Button(T::Panel, "ToolButton57", C::PresetLinePerParagraph,
                              "Ine line -> one paragraph (F3)", "", Glyph::LinePerParagraph,
                              "line to paragraph", true))),
      Converter(Preset(Button(T::Panel, "ToolButton58", C::PresetHtml, "HTML tags break text to paragraphs (F4)",
                              "", Glyph::HtmlBreaks, "html", true))),
      Group(Button(T::Panel, "ToolButton49", C::GoBack, "Go back", "go-previous", Glyph::Back, "go back")),
      Button(T::Panel, "ToolButton50", C::GoForward, "Go forward", "go-next", Glyph::Forward, "go forward"),
      Group(Reader(Button(T::Panel, "NoteBtn", C::AddNote, "Add note to selected (reader)", "", Glyph::Note,
                          "add note"))),
      Reader(Button(T::Panel, "BookmrkBtn", C::AddBookmark, "Add bookmark to selected (reader)", "bookmark-new",
                    Glyph::Bookmark, "add bookmark")),
      Reader(Button(T::Panel, "AutoscrollBtn", C::Autoscroll, "Auto&scroll", "", Glyph::Autoscroll,
                    "enable autoscroll", true)),
      Reader(Button(T::Panel, "Slower", C::Slower, "Slower", "", Glyph::Slower, "decrease scroll")),
      Reader(Button(T::Panel, "Faster", C::Faster, "Faster", "", Glyph::Faster, "increase scroll")),
      Reader(Button(T::Panel, "ZoomBtn", C::FullScreen, "Zoom to full screen", "view-fullscreen",
                    Glyph::FullScreen, "zoom")),
      // The source editor's toolbar.
      Button(T::SourceEditor, "ToolButton1", C::Open, "Load source", "document-open", Glyph::Open, "load src"),
      Converter(Editor(T::SourceEditor, "ToolButton2", C::SaveSource, "Save source text", "document-save-as",
                       "Sv", "save src")),
      Group(Editor(T::SourceEditor, "FindButton", C::EditorFind, "Find", "edit-find", "F", "Find")),
      Editor(T::SourceEditor, "ToolButton4", C::EditorReplace, "Replace", "edit-find-replace", "R", "Replace"),
      Group(Editor(T::SourceEditor, "ToolButton8", C::EditorCut, "Cut", "edit-cut", "Cut", "cut")),
      Editor(T::SourceEditor, "ToolButton9", C::EditorCopy, "Copy", "edit-copy", "Cp", "copy"),
      Editor(T::SourceEditor, "ToolButton10", C::EditorPaste, "Paste", "edit-paste", "Ps", "paste"),
      Group(Editor(T::SourceEditor, "UndoBtn", C::EditorUndo, "Undo", "edit-undo", "Un", "undo")),
      Editor(T::SourceEditor, "RedoBtn", C::EditorRedo, "Redo", "edit-redo", "Re", "redo"),
      Group(Editor(T::SourceEditor, "ToolButton25", C::Markup, "Head1", "", "H1", "H1")),
      Editor(T::SourceEditor, "ToolButton22", C::Markup, "Head2", "", "H2", "H2"),
      Editor(T::SourceEditor, "ToolButton23", C::Markup, "Head3", "", "H3", "H3"),
      Editor(T::SourceEditor, "ToolButton24", C::Markup, "Head4", "", "H4", "H4"),
      Editor(T::SourceEditor, "ToolButton21", C::Markup, "Head5", "", "H5", "H5"),
      Group(Editor(T::SourceEditor, "ToolButton20", C::Markup, "Convert to paragraph", "", "P", "make paragraph")),
      Editor(T::SourceEditor, "ToolButton13", C::Markup, "Align left", "format-justify-left", "L", "align left"),
      Editor(T::SourceEditor, "ToolButton14", C::Markup, "Align center", "format-justify-center", "C",
             "align center"),
      Editor(T::SourceEditor, "ToolButton15", C::Markup, "Align right", "format-justify-right", "R",
             "align right"),
      Editor(T::SourceEditor, "ToolButton32", C::Markup, "Justify", "format-justify-fill", "J", "align justify"),
      Group(Editor(T::SourceEditor, "ToolButton16", C::Markup, "List", "format-list-unordered", "Li", "list")),
      Editor(T::SourceEditor, "ToolButton36", C::Markup, "Blockquote", "format-indent-more", "BQ", "blockquote"),
      Editor(T::SourceEditor, "ToolButton52", C::Markup, "Epigraph", "", "Ep", "epigraph"),
      Group(Editor(T::SourceEditor, "ToolButton17", C::Markup, "Upper index", "format-text-superscript", "x^",
                   "upper index")),
      Editor(T::SourceEditor, "ToolButton18", C::Markup, "Lower text", "format-text-subscript", "x_",
             "lover index"),
      Editor(T::SourceEditor, "BoldButton", C::Markup, "Bold", "format-text-bold", "B", "bold"),
      Editor(T::SourceEditor, "ItalicBtn", C::Markup, "Italic", "format-text-italic", "I", "italic"),
      Group(Editor(T::SourceEditor, "ToolButton77", C::BreakLine, "Break line", "", "br", "Insert br")),
      Editor(T::SourceEditor, "ToolButton64", C::UpperCase, "Upper case", "", "AB", "upper case"),
      Editor(T::SourceEditor, "ToolButton65", C::LowerCase, "Lower case", "", "ab", "all lover case"),
      Editor(T::SourceEditor, "ToolButton71", C::InsertComment, "Insert comment", "", "[1]", "insert comment"),
      // The HTML editor's toolbar.
      Button(T::HtmlEditor, "ToolButton7", C::Save, "Save the result", "document-save", Glyph::Save,
             "save result"),
      Group(Editor(T::HtmlEditor, "ToolButton12", C::EditorFind, "Find", "edit-find", "F", "Find")),
      Editor(T::HtmlEditor, "ToolButton19", C::EditorReplace, "Replace", "edit-find-replace", "R", "Replace"),
      Group(Editor(T::HtmlEditor, "ToolButton28", C::EditorCut, "Cut", "edit-cut", "Cut", "cut")),
      Editor(T::HtmlEditor, "ToolButton29", C::EditorCopy, "Copy", "edit-copy", "Cp", "copy"),
      Editor(T::HtmlEditor, "ToolButton30", C::EditorPaste, "Paste", "edit-paste", "Ps", "paste"),
      Group(Editor(T::HtmlEditor, "htmUndo", C::EditorUndo, "Undo", "edit-undo", "Un", "undo")),
      Editor(T::HtmlEditor, "htmRedo", C::EditorRedo, "Redo", "edit-redo", "Re", "redo"),
      // The browsers' find: the Preview tab's and the full-window panel's.
      Group(Button(T::Preview, "ToolButton63", C::Find, "Find", "edit-find", Glyph::Find, "Find")),
      // Enabled while the source editor is in use.
      Button(T::Preview, "FindSelectedBtn", C::FindSelected, "Find selected text\r\nin source", "",
             Glyph::FindSelected, "find selected"),
      Group(Button(T::Panel, "ToolButton62", C::Find, "Find", "edit-find", Glyph::Find, "Find")),
  };
}

}  // namespace

const std::vector<ControlInfo>& Controls() {
  static const std::vector<ControlInfo> table = MakeTable();
  return table;
}

std::vector<const ControlInfo*> ToolBarButtons(ToolBarId toolBar) {
  std::vector<const ControlInfo*> buttons;
  for (const ControlInfo& info : Controls())
    if (info.kind == ControlKind::ToolButton && info.toolBar == toolBar) buttons.push_back(&info);
  return buttons;
}

std::string_view ToolBarName(ToolBarId toolBar) {
  switch (toolBar) {
    case T::Preview: return "ToolBar3";
    case T::HtmlEditor: return "ToolBar2";
    case T::SourceEditor: return "ToolBar1";
    case T::Panel: return "ToolBar4";
    case T::None: break;
  }
  return {};
}

const std::vector<MenuInfo>& SwitchedMenus() {
  static const std::vector<MenuInfo> menus = {
      {"ReaderRoot", kReaderOnly},    // the Reader menu
      {"Options1", kConverterModes},  // the Parsing menu
  };
  return menus;
}

bool FollowsMode(const ControlInfo& control) {
  return control.enabledIn != kEveryMode || control.shownIn != kEveryMode || control.offWhileAutodetecting;
}

bool ModeEnables(const ControlInfo& control, int mode, bool autodetecting) {
  return (control.enabledIn & ModeBit(mode)) != 0 && !(control.offWhileAutodetecting && autodetecting);
}

bool ModeShows(const ControlInfo& control, int mode) { return (control.shownIn & ModeBit(mode)) != 0; }

int ModeOfCommand(Command command) {
  switch (command) {
    case C::SimpleMode: return kSimpleMode;
    case C::AdvancedMode: return kAdvancedMode;
    case C::ReaderMode: return kReaderMode;
    default: return -1;
  }
}

int PresetOfCommand(Command command) {
  switch (command) {
    case C::PresetFixedWidth: return 0;
    case C::PresetLinePerParagraph: return 1;
    case C::PresetHtml: return 2;
    default: return -1;
  }
}

bool CommandImplemented(Command command) {
  switch (command) {
    case C::Open:
    case C::Save:
    case C::ExportEpub:
    case C::ExportFb2:
    case C::SendToRocket:
    case C::Exit:
    case C::SimpleMode:
    case C::AdvancedMode:
    case C::ReaderMode:
    case C::GoBack:
    case C::GoForward:
    case C::ConvertAgain:
    case C::Autodetect:
    case C::PresetFixedWidth:
    case C::PresetLinePerParagraph:
    case C::PresetHtml:
    case C::Help:
    case C::OpenForReading:
    case C::SaveAndRead:
    case C::SaveReaderDocument:
    case C::AutosaveOnExit:
    case C::TurboScroll:
    case C::AddNote:
    case C::AddBookmark:
    case C::ManageBookmarks:
    case C::Autoscroll:
    case C::Faster:
    case C::Slower:
    case C::Find:
    case C::FindSelected:
    case C::SaveSource:
    case C::EditorFind:
    case C::EditorReplace:
    case C::EditorCut:
    case C::EditorCopy:
    case C::EditorPaste:
    case C::EditorUndo:
    case C::EditorRedo:
    case C::Markup:
    case C::BreakLine:
    case C::UpperCase:
    case C::LowerCase:
    case C::InsertComment:
    case C::About:
    case C::ViewerFontSize:
    case C::FullScreen:
    case C::Bookshelf:
    case C::ColorScheme:
    case C::CustomStyle:
    case C::ApplyLastToAll:
    case C::NoStyle:
      return true;
    default:
      return false;
  }
}

}  // namespace norvella
