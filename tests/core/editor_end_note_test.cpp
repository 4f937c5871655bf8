#include "core/editor/end_note.h"

#include <gtest/gtest.h>

#include "core/editor/editor_settings.h"
#include "core/editor/editor_texts.h"
#include "core/i18n/strings.h"
#include "core/settings/options.h"

namespace norvella {
namespace {

TEST(EditorEndNote, LinkAndNotePointAtEachOther) {
  const EndNote note = MakeEndNote("12~~34", "Title...", "The body", 3, "<p>last</p>");
  EXPECT_EQ(note.link, "<a href=\"#12~~34\" name=\"12~~34back\" id=\"Norvella~link\">Title...</a>");
  EXPECT_EQ(note.note,
            "<hr size=\"0\" id=\"norvella\"><a id=\"NorvellaEndlink\" name=\"12~~34\">The body</a> "
            "<a href=\"#12~~34back\">[^^Back^^]</a>");
  // The fixed parts of the link are 47 characters, so the editor selects
  // all of it with 47 + 2 x id + title.
  EXPECT_EQ(note.link.size(), 47u + 2 * 6 + 8);
}

TEST(EditorEndNote, TheNoteGoesTwoLinesAboveAClosedDocumentsEnd) {
  EXPECT_EQ(MakeEndNote("1~~2", "t", "b", 10, "</body></html>").noteLine, 8u);
  EXPECT_EQ(MakeEndNote("1~~2", "t", "b", 10, "text </body></html> ").noteLine, 8u);
  // A fragment without the closing tags gets it as its last line.
  EXPECT_EQ(MakeEndNote("1~~2", "t", "b", 10, "</body>").noteLine, 10u);
  EXPECT_EQ(MakeEndNote("1~~2", "t", "b", 0, "").noteLine, 0u);
  // A document that is only its closing line gets the note in front of it,
  // not before the first line.
  EXPECT_EQ(MakeEndNote("1~~2", "t", "b", 1, "</body></html>").noteLine, 0u);
}

TEST(EditorEndNote, IdentifierOfTwoRandomNumbers) {
  int calls = 0;
  const EndNoteRandom fixed = [&calls] { return calls++ == 0 ? 2147483646 : 0; };
  EXPECT_EQ(NewEndNoteId(fixed), "2147483646~~0");
  const EndNoteRandom random = DefaultEndNoteRandom();
  const std::string a = NewEndNoteId(random);
  EXPECT_NE(a.find("~~"), std::string::npos);
  EXPECT_NE(a, NewEndNoteId(random));
}

TEST(EditorEndNote, TitleIsTenCharactersAndDots) {
  EXPECT_EQ(EndNoteTitle("0123456789abc"), "0123456789...");
  EXPECT_EQ(EndNoteTitle("short"), "short...");
  EXPECT_EQ(EndNoteTitle(""), "...");
  EXPECT_EQ(EndNoteTitle("\xCF\xF0\xE8\xEC\xE5\xF7\xE0\xED\xE8\xE5 1"), "\xCF\xF0\xE8\xEC\xE5\xF7\xE0\xED\xE8\xE5...");
  // A character the code page lacks arrives as a reference and counts as
  // one character; cutting it in half would leave broken text.
  EXPECT_EQ(EndNoteTitle("12345678&#8594;xyz"), "12345678&#8594;x...");
  EXPECT_EQ(EndNoteTitle("123456789&#x2192;"), "123456789&#x2192;...");
  EXPECT_EQ(EndNoteTitle("12345678&#junk;"), "12345678&#...");
}

TEST(EditorEndNote, RefusedWhileLinksAreRemoved) {
  Options options;
  StringTable strings;
  ASSERT_TRUE(options.Flag(Opt::KillLinks));
  const auto refusal = EndNoteRefusal(options, strings);
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(*refusal, strings.Message("CantEnterLink"));
  options.SetFlag(Opt::KillLinks, false);
  EXPECT_FALSE(EndNoteRefusal(options, strings).has_value());
}

TEST(EditorTexts, UndoHintsAndSearchMessage) {
  StringTable strings;
  EXPECT_EQ(UndoHint(strings, UndoAction::Typing), "Undo typing");
  EXPECT_EQ(RedoHint(strings, UndoAction::Paste), "Redo paste");
  EXPECT_EQ(UndoHint(strings, UndoAction::DragAndDrop), "Undo drag and drop");
  EXPECT_EQ(UndoHint(strings, UndoAction::None), "Undo ");
  strings.Set(kControlsMain, "Undo ", "\xCE\xF2\xEC\xE5\xED\xE8\xF2\xFC ");
  EXPECT_EQ(UndoHint(strings, UndoAction::Cut), "\xCE\xF2\xEC\xE5\xED\xE8\xF2\xFC cut");
  // The action's name is a text of its own.
  strings.Set(kControlsMain, "undo cut", "\xE2\xFB\xF0\xE5\xE7\xE0\xED\xE8\xE5");
  EXPECT_EQ(UndoHint(strings, UndoAction::Cut), "\xCE\xF2\xEC\xE5\xED\xE8\xF2\xFC \xE2\xFB\xF0\xE5\xE7\xE0\xED\xE8\xE5");
  EXPECT_EQ(NotFoundMessage(strings, "abc"), "Text \"abc\" not found.");
  // The searched text is not a format.
  EXPECT_EQ(NotFoundMessage(strings, "%s%d"), "Text \"%s%d\" not found.");
}

TEST(EditorTexts, SourceSaveNameGetsTheChosenTypesExtension) {
  EXPECT_EQ(SourceSaveName("/home/u/book", 1), "/home/u/book.txt");
  EXPECT_EQ(SourceSaveName("/home/u/book", 2), "/home/u/book.html");
  EXPECT_EQ(SourceSaveName("/home/u/book.text", 2), "/home/u/book.text");
  EXPECT_EQ(SourceSaveName("/home/u.v2/book", 1), "/home/u.v2/book.txt");
}

TEST(EditorSettings, FontsAndWrapGoThroughTheSetters) {
  struct Recorder : OptionsListener {
    std::vector<Opt> changed;
    void OptionChanged(Opt id) override { changed.push_back(id); }
  } recorder;
  Options options;
  options.SetListener(&recorder);
  EXPECT_EQ(EditorFontOf(options, EditorPane::Source).name, "Courier New");
  EXPECT_EQ(EditorFontOf(options, EditorPane::Html).size, 13);
  SetEditorFont(options, EditorPane::Html, {"DejaVu Sans Mono", 15});
  SetEditorWordWrap(options, EditorPane::Source, true);
  SetEditorWordWrap(options, EditorPane::Source, true);  // no change, no notice
  EXPECT_EQ(recorder.changed, (std::vector<Opt>{Opt::HtmFontName, Opt::HtmFontSize, Opt::WrapInSrc}));
  EXPECT_EQ(EditorFontOf(options, EditorPane::Html).name, "DejaVu Sans Mono");
  EXPECT_TRUE(EditorWordWrap(options, EditorPane::Source));
  EXPECT_FALSE(EditorWordWrap(options, EditorPane::Html));
  // A damaged store's size shows the built-in size and stays stored.
  options.SetNumber(Opt::SrcFontSize, -5);
  EXPECT_EQ(EditorFontOf(options, EditorPane::Source).size, 13);
  EXPECT_EQ(options.Number(Opt::SrcFontSize), -5);
  options.SetListener(nullptr);
}

}  // namespace
}  // namespace norvella
