#pragma once

// Texts the editors show and small rules about them: the names of the undo
// actions in the undo and redo hints, the message of a failed search, and
// the file name "Save source text" writes to.

#include <string>
#include <string_view>

namespace norvella {

class StringTable;

// What the next undo or redo step of an editor would take back.
enum class UndoAction { None, Typing, Delete, DragAndDrop, Cut, Paste };

// "typing", "delete", "drag and drop", "cut", "paste"; empty for None.
std::string_view UndoActionName(UndoAction action);

// "Undo " or "Redo " (interface strings of the main window's controls)
// followed by the action's name.
std::string UndoHint(const StringTable& strings, UndoAction action);
std::string RedoHint(const StringTable& strings, UndoAction action);

// `NotFound` with the searched text in place of its "%s".
std::string NotFoundMessage(const StringTable& strings, std::string_view searched);

// The name "Save source text" writes to: a name without an extension gets
// ".txt" when the dialog's first file type (1) is chosen and ".html" when
// the second (2) is.
std::string SourceSaveName(std::string_view chosen, int fileType);

}  // namespace norvella
