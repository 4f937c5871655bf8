#pragma once

// The two editors' settings: the font of each ("Src font name"/"Src font
// size", "HTM font name"/"HTM font size") and its word wrap ("Wrap in src",
// "Wrap in HTML"). The option tree's font and word-wrap nodes and the
// window both go through these setters, so the editors follow every change.

#include <string>

namespace norvella {

class Options;

enum class EditorPane { Source, Html };

struct EditorFont {
  std::string name;  // Windows-1251, as stored
  int size = 0;      // points
};

// The font to show: a stored size below 1 point or above 400 (a damaged
// settings file) shows the built-in 13 points, and an empty name the
// built-in "Courier New"; the stored values stay as they are.
EditorFont EditorFontOf(const Options& options, EditorPane editor);
bool EditorWordWrap(const Options& options, EditorPane editor);

// Set through the option setters; the listeners hear of each value that
// changed, and nothing when the value is the same.
void SetEditorFont(Options& options, EditorPane editor, const EditorFont& font);
void SetEditorWordWrap(Options& options, EditorPane editor, bool wrap);

}  // namespace norvella
