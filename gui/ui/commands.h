#pragma once

// The main window's commands and every control that starts one: menu items
// with their captions and shortcuts, toolbar buttons with their hints,
// icons and places, and the interface modes that enable each. Each control
// has its own name, so that the enabling rules and a localisation can
// address one button of a command without the others. The window builds
// its toolbars and applies its enabling by walking this table: a new
// button is one row.

#include <string_view>
#include <vector>

#include "core/settings/options.h"
#include "gui/common/artwork.h"

namespace norvella {

enum class Command {
  Open,
  OpenForReading,
  Bookshelf,
  Save,
  ExportEpub,
  ExportFb2,
  SaveAndRead,
  SendToRocket,
  Exit,
  SimpleMode,
  AdvancedMode,
  ReaderMode,
  GoBack,
  GoForward,
  ConvertAgain,
  Autodetect,
  PresetFixedWidth,
  PresetLinePerParagraph,
  PresetHtml,
  Find,
  FindSelected,
  Help,
  // The editors' commands; the control's name says which editor and, for
  // the markup, which tags.
  SaveSource,
  EditorFind,
  EditorReplace,
  EditorCut,
  EditorCopy,
  EditorPaste,
  EditorUndo,
  EditorRedo,
  Markup,
  BreakLine,
  UpperCase,
  LowerCase,
  InsertComment,
  // Commands whose handlers come with the reader, the editors and the
  // About box; their controls are in place and stay disabled until then.
  ViewerFontSize,
  ReaderDocument,
  SaveReaderDocument,
  AutosaveOnExit,
  TurboScroll,
  AddNote,
  AddBookmark,
  ManageBookmarks,
  Autoscroll,
  Faster,
  Slower,
  FullScreen,
  // The reader's page styles and its recent documents.
  ColorScheme,
  CustomStyle,
  ApplyLastToAll,
  NoStyle,
  About,
};

enum class ControlKind { MenuItem, ToolButton };

// The window's toolbars, by the object names they carry.
enum class ToolBarId {
  None,          // menu items
  Preview,       // "ToolBar3", on the Preview tab
  HtmlEditor,    // "ToolBar2", on the HTML tab
  SourceEditor,  // "ToolBar1", on the Source tab
  Panel,         // "ToolBar4", on the full-window panel
};

// A set of interface modes ("Interface mode" values as bits).
using ModeSet = unsigned;
constexpr ModeSet ModeBit(int mode) { return 1u << mode; }
inline constexpr ModeSet kEveryMode = ModeBit(kSimpleMode) | ModeBit(kAdvancedMode) | ModeBit(kReaderMode);
// The converter's modes, where the editor commands are on.
inline constexpr ModeSet kConverterModes = ModeBit(kSimpleMode) | ModeBit(kAdvancedMode);
inline constexpr ModeSet kReaderOnly = ModeBit(kReaderMode);

struct ControlInfo {
  std::string_view name;  // object name of the control
  Command command;
  ControlKind kind;
  std::string_view text;      // the menu caption, or the button's hint
  std::string_view shortcut;  // menu items only
  std::string_view themeIcon; // buttons: the icon theme's name, may be empty
  Glyph glyph;                // buttons: our own icon
  std::string_view textKey;   // key of the text in "interface\menu" or "interface\Hints"
  bool checkable = false;
  // Buttons: their toolbar, in the order of the table; a separator comes
  // before a button that opens a group.
  ToolBarId toolBar = ToolBarId::None;
  bool opensGroup = false;
  // The modes in which the control is enabled, and in which it is shown.
  ModeSet enabledIn = kEveryMode;
  ModeSet shownIn = kEveryMode;
  // A text-style preset: off while the style is detected automatically.
  bool offWhileAutodetecting = false;
  // Buttons drawn as a short text when the icon theme has no picture.
  std::string_view label = {};
  // Menu items: a second key that desktop programs use for the command
  // (Ctrl+O for opening), working beside the item's own.
  std::string_view desktopShortcut = {};
};

// Every control, menu items first, each name once.
const std::vector<ControlInfo>& Controls();
// The buttons of one toolbar in their order.
std::vector<const ControlInfo*> ToolBarButtons(ToolBarId toolBar);
// The object name of a toolbar.
std::string_view ToolBarName(ToolBarId toolBar);

// Whole menus that the modes switch like controls, by their object names.
struct MenuInfo {
  std::string_view name;
  ModeSet enabledIn;
};
const std::vector<MenuInfo>& SwitchedMenus();

// Whether the enabling of the control changes with the mode or with
// automatic style detection at all; the window leaves every other control
// to its own rule (history buttons, the librarian's button).
bool FollowsMode(const ControlInfo& control);
// Whether the control's rule enables it in the mode, with or without
// automatic style detection. A control whose command has no handler yet
// stays off whatever this says.
bool ModeEnables(const ControlInfo& control, int mode, bool autodetecting);
bool ModeShows(const ControlInfo& control, int mode);

// The interface mode a mode command chooses, or -1.
int ModeOfCommand(Command command);
// The text style a preset command chooses (0 fixed width, 1 line per
// paragraph, 2 HTML breaks), or -1.
int PresetOfCommand(Command command);

// Whether the command's handler exists yet.
bool CommandImplemented(Command command);

}  // namespace norvella
