#include "gui/ui/commands.h"

namespace norvella {
namespace {

using C = Command;
constexpr ControlKind kMenu = ControlKind::MenuItem;
constexpr ControlKind kButton = ControlKind::ToolButton;

ControlInfo Item(std::string_view name, Command command, std::string_view caption,
                 std::string_view shortcut, std::string_view key, bool checkable = false) {
  return {name, command, kMenu, caption, shortcut, {}, Glyph::Open, key, checkable};
}

ControlInfo Button(std::string_view name, Command command, std::string_view hint,
                   std::string_view themeIcon, Glyph glyph, std::string_view key,
                   bool checkable = false) {
  return {name, command, kButton, hint, {}, themeIcon, glyph, key, checkable};
}

std::vector<ControlInfo> MakeTable() {
  return {
      // File
      Item("Open1", C::Open, "&Open...", "Ctrl+F12", "open file"),
      Item("Openfileinreadermode1", C::OpenForReading, "&Open file in reader mode...", "Ctrl+R",
           "open reader"),
      Item("Save1", C::Save, "S&ave result as...", "Ctrl+S", "save result"),
      Item("Sendtorocket1", C::SendToRocket, "&Send to rocket now", "F9", "send to rocket"),
      Item("Exit1", C::Exit, "&Exit", "Ctrl+Q", "exit"),
      // View
      Item("Simpleinterfacemode1", C::SimpleMode, "Simple interface mode", "", "simple interface", true),
      Item("Advancedinterfacemode1", C::AdvancedMode, "Advanced interface mode", "",
           "advanced interface", true),
      Item("Readerinterfacemode2", C::ReaderMode, "Reader interface mode", "", "reader interface", true),
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
      Item("Managebookmarks1", C::ManageBookmarks, "Manage bookmarks...", "", "manage bookmarks"),
      Item("Addnotetoselected1", C::AddNote, "Add &note to selected", "Ctrl+Shift+N", "add note"),
      Item("Autoscroll1", C::Autoscroll, "Auto&scroll on", "Ctrl+K", "autoscroll on", true),
      Item("Toorboscroll1", C::TurboScroll, "Turbo scroll", "", "turbo scroll", true),
      Item("FullScreen1", C::FullScreen, "Full screen", "Ctrl+Shift+F", "FullScreen"),
      Item("BlackYellow1", C::ReaderDocument, "Black&&Yellow Verdana", "", "Black Yellow"),
      Item("BlackGreen1", C::ReaderDocument, "Black&&Green Verdana", "", "Navvy Green"),
      Item("Custom1", C::ReaderDocument, "Custom...", "", "custom style"),
      Item("Applylasttoallopened1", C::ReaderDocument, "Apply last to all opened", "", "Apply last", true),
      Item("None1", C::ReaderDocument, "None", "", "nostyle"),
      Item("Autosavebookmarks1", C::AutosaveOnExit, "Autosave on exit", "", "autosave", true),
      Item("empty1", C::ReaderDocument, "(empty)", "", ""),
      // Parsing
      Item("Autodetectformat1", C::Autodetect, "Autodetect format", "F5", "autodetect format", true),
      Item("Threatasfixedwidth1", C::PresetFixedWidth, "Threat as fixed width", "F2", "fixed width", true),
      Item("Threataslineparagraph1", C::PresetLinePerParagraph, "Threat as line->paragraph", "F3",
           "line to paragr", true),
      Item("Threatashtml1", C::PresetHtml, "Threat as html", "F4", "html", true),
      // ?
      Item("Help1", C::Help, "Help", "F1", "help"),
      Item("About1", C::About, "About...", "", "about"),

      // The Preview tab's toolbar.
      Button("ToolButton37", C::Open, "Load source", "document-open", Glyph::Open, "load src"),
      Button("ToolButton75", C::OpenForReading, "Open for reading", "", Glyph::OpenForReading,
             "Open for reading"),
      Button("Bookshelf2", C::Bookshelf, "Bookshelf", "", Glyph::Bookshelf, "Bookshelf"),
      Button("ToolButton6", C::Save, "Save the result", "document-save", Glyph::Save, "save result"),
      Button("ToolButton70", C::SaveAndRead, "Save & Read!", "", Glyph::SaveAndRead, "save and read"),
      Button("RocketBtn", C::SendToRocket, "", "", Glyph::Send, "send to rocket"),
      Button("reParceBtn", C::ConvertAgain, "Convert text again", "view-refresh", Glyph::Refresh,
             "refresh"),
      Button("ToolButton44", C::Autodetect, "Autodetect text style", "", Glyph::Autodetect,
             "autodetect format", true),
      Button("ToolButton41", C::PresetFixedWidth, "Fixed width text", "", Glyph::FixedWidth,
             "fixed width", true),
      Button("ToolButton42", C::PresetLinePerParagraph, "Ine line -> one paragraph", "",
             Glyph::LinePerParagraph, "line to paragraph", true),
      Button("ToolButton43", C::PresetHtml, "HTML tags break text to paragraphs", "", Glyph::HtmlBreaks,
             "html", true),
      Button("ToolButton34", C::GoBack, "Go back", "go-previous", Glyph::Back, "go back"),
      Button("ToolButton38", C::GoForward, "Go forward", "go-next", Glyph::Forward, "go forward"),
      // The full-window panel's toolbar (simple and reader modes).
      Button("ToolButton46", C::Open, "Load source", "document-open", Glyph::Open, "load src"),
      Button("ToolButton73", C::OpenForReading, "Open for reading", "", Glyph::OpenForReading,
             "Open for reading"),
      Button("Bookshelf1", C::Bookshelf, "Bookshelf", "", Glyph::Bookshelf, "Bookshelf"),
      Button("ToolButton47", C::Save, "Save the result", "document-save", Glyph::Save, "save result"),
      Button("ToolButton68", C::SaveAndRead, "Save & Read!", "", Glyph::SaveAndRead, "save and read"),
      Button("ToolButton60", C::SendToRocket, "Send to rocket now (F9)", "", Glyph::Send,
             "send to rocket"),
      Button("ReParceBtn1", C::ConvertAgain, "Refresh", "view-refresh", Glyph::Refresh, "refresh"),
      Button("ToolButton54", C::Autodetect, "Autodetect format (F5)", "", Glyph::Autodetect,
             "autodetect format", true),
      Button("ToolButton56", C::PresetFixedWidth, "Fixed width text (F2)", "", Glyph::FixedWidth,
             "fixed width", true),
      Button("ToolButton57", C::PresetLinePerParagraph, "Ine line -> one paragraph (F3)", "",
             Glyph::LinePerParagraph, "line to paragraph", true),
      Button("ToolButton58", C::PresetHtml, "HTML tags break text to paragraphs (F4)", "",
             Glyph::HtmlBreaks, "html", true),
      Button("ToolButton49", C::GoBack, "Go back", "go-previous", Glyph::Back, "go back"),
      Button("ToolButton50", C::GoForward, "Go forward", "go-next", Glyph::Forward, "go forward"),
      Button("NoteBtn", C::AddNote, "Add note to selected (reader)", "", Glyph::Note, "add note"),
      Button("BookmrkBtn", C::AddBookmark, "Add bookmark to selected (reader)", "bookmark-new",
             Glyph::Bookmark, "add bookmark"),
      Button("AutoscrollBtn", C::Autoscroll, "Auto&scroll", "", Glyph::Autoscroll,
             "enable autoscroll", true),
      Button("Slower", C::Slower, "Slower", "", Glyph::Slower, "decrease scroll"),
      Button("Faster", C::Faster, "Faster", "", Glyph::Faster, "increase scroll"),
      Button("ZoomBtn", C::FullScreen, "Zoom to full screen", "view-fullscreen", Glyph::FullScreen,
             "zoom"),
      // The editors' toolbars.
      Button("ToolButton1", C::Open, "Load source", "document-open", Glyph::Open, "load src"),
      Button("ToolButton63", C::Find, "Find", "edit-find", Glyph::Find, "Find"),
      Button("ToolButton7", C::Save, "Save the result", "document-save", Glyph::Save, "save result"),
      Button("ToolButton62", C::Find, "Find", "edit-find", Glyph::Find, "Find"),
      Button("FindSelectedBtn", C::FindSelected, "Find selected text\r\nin source", "",
             Glyph::FindSelected, "Find"),
  };
}

}  // namespace

const std::vector<ControlInfo>& Controls() {
  static const std::vector<ControlInfo> table = MakeTable();
  return table;
}

bool CommandImplemented(Command command) {
  switch (command) {
    case C::Open:
    case C::Save:
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
      return true;
    default:
      return false;
  }
}

}  // namespace norvella
