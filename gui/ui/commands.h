#pragma once

// The main window's commands and every control that starts one: menu items
// with their captions and shortcuts, toolbar buttons with their hints and
// icons. Each control has its own name, so that the enabling rules and a
// localisation can address one button of a command without the others.

#include <string_view>
#include <vector>

#include "gui/app/artwork.h"

namespace norvella {

enum class Command {
  Open,
  OpenForReading,
  Bookshelf,
  Save,
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
  About,
};

enum class ControlKind { MenuItem, ToolButton };

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
};

// Every control, menu items first, each name once.
const std::vector<ControlInfo>& Controls();

// Whether the command's handler exists yet.
bool CommandImplemented(Command command);

}  // namespace norvella
